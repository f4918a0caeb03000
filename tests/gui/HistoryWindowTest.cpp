// The History window on a database of 450 records, driven with its keys: it
// opens on one page and reads more as the table scrolls (never a record twice
// or lost, even where several share one millisecond across a page's edge),
// filters by result, port, text and date, exports every matching record, and
// opens a record's backup with Enter.
#include "comm/RadioRecord.h"
#include "editors/HistoryModel.h"
#include "editors/frmHistory.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kRecords = 450;
// Newest first: five records share each instant, twenty minutes apart, so
// the records reach back over six days.
const QDateTime kNewest(QDate(2026, 12, 10), QTime(17, 0), Qt::UTC);

cps::RecordEntry recordNumber(int i) {
    cps::RecordEntry r;
    r.time = kNewest.addSecs(-(i / 5) * 20 * 60);
    r.port = QStringLiteral("COM%1").arg(i % 3 + 1);
    r.plan = i == 123 ? QStringLiteral("special-plan.dat") : QStringLiteral("bench.dat");
    r.planSha256 = QString(64, QLatin1Char('a'));
    r.ident = QByteArray::fromHex("5a2328");
    r.pass = i % 4 != 0;
    if (!r.pass) {
        r.failedStep = QStringLiteral("verify");
        r.message = QStringLiteral("Verify failed at address 0010");
    }
    r.durationMs = 2500 + i;
    r.operatorName = (i / 4) % 2 ? QStringLiteral("alice") : QStringLiteral("bob");
    if (i == 7)
        r.backupFile = QStringLiteral("/backups/20261210-COM2.dat");
    return r;
}

int expected(const std::function<bool(const cps::RecordEntry &)> &keep) {
    int n = 0;
    for (int i = 0; i < kRecords; ++i)
        n += keep(recordNumber(i)) ? 1 : 0;
    return n;
}

struct HistoryWindow : ::testing::Test {
    static void SetUpTestSuite() {
        base = std::make_unique<testsupport::ProgramFolder>();
        cps::Cps c;
        testsupport::initCps(c, *base, 3);
        for (int i = kRecords - 1; i >= 0; --i) // oldest first, as a bench fills it
        {
            const cps::RecordOutcome out = cps::appendRecord(c, databaseOf(*base), recordNumber(i));
            ASSERT_TRUE(out.stored) << out.detail.toStdString() << out.warning.toStdString();
        }
    }
    static void TearDownTestSuite() { base.reset(); }
    static QString databaseOf(const testsupport::ProgramFolder &f) {
        return f.dir.filePath(QStringLiteral("history.sqlite"));
    }

    HistoryWindow() { testsupport::initCps(c, folder, 3); }
    void open(const QString &database = databaseOf(*base)) {
        window = std::make_unique<frmHistory>(c, database);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    int rows() const { return window->model->rowCount(); }
    QString cell(int row, int column) const {
        return window->model->index(row, column).data().toString();
    }
    // Every row shown passes `check`.
    bool allRows(const std::function<bool(int row)> &check) const {
        for (int row = 0; row < rows(); ++row)
            if (!check(row))
                return false;
        return true;
    }

    static inline std::unique_ptr<testsupport::ProgramFolder> base;
    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    cps::Cps c;
    std::unique_ptr<frmHistory> window;
};

TEST_F(HistoryWindow, OpensOnAPageAndReadsTheRestAsItScrolls) {
    open();
    EXPECT_EQ(rows(), HistoryModel::kPageSize);
    EXPECT_EQ(window->lblCount->text(), "200 records shown; more as you scroll down");
    EXPECT_EQ(window->model->record(0).time, kNewest);
    EXPECT_EQ(cell(0, HistoryModel::Port), "COM1");
    EXPECT_EQ(cell(0, HistoryModel::Ident), "5A 23 28");
    EXPECT_EQ(cell(0, HistoryModel::Result), "FAIL");
    EXPECT_EQ(cell(0, HistoryModel::FailedStep), "Verify");
    EXPECT_EQ(cell(0, HistoryModel::Duration), "2.5 s");
    EXPECT_EQ(cell(1, HistoryModel::Result), "PASS");
    // The colour says it as well as the word.
    const auto colour = [&](int row) {
        return window->model->index(row, HistoryModel::Result)
            .data(Qt::BackgroundRole)
            .value<QBrush>()
            .color();
    };
    EXPECT_EQ(colour(0), QColor(0xc6, 0x28, 0x28));
    EXPECT_EQ(colour(1), QColor(0x2e, 0x7d, 0x32));

    window->tblRecords->setFocus();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            QTest::keyClick(window->tblRecords, Qt::Key_End, Qt::ControlModifier);
            return rows() == kRecords;
        },
        10000));
    EXPECT_EQ(window->lblCount->text(), "450 records shown");
    QSet<qint64> ids;
    for (int row = 0; row < rows(); ++row) {
        ids.insert(window->model->record(row).id);
        if (row > 0)
            EXPECT_GE(window->model->record(row - 1).time, window->model->record(row).time);
    }
    EXPECT_EQ(ids.size(), kRecords) << "a record shown twice or lost at a page's edge";
}

TEST_F(HistoryWindow, FiltersByResultPortTextAndDate) {
    open();
    window->cboResult->setFocus();
    QTest::keyClick(window->cboResult, Qt::Key_Down);
    QTest::keyClick(window->cboResult, Qt::Key_Down);
    EXPECT_EQ(window->cboResult->currentText(), "FAIL");
    const int failed = expected([](const auto &r) { return !r.pass; });
    EXPECT_EQ(rows(), failed);
    EXPECT_EQ(window->lblCount->text(), QStringLiteral("%1 records shown").arg(failed));
    EXPECT_TRUE(allRows([&](int row) { return cell(row, HistoryModel::Result) == "FAIL"; }));

    window->cboPort->setFocus();
    window->cboPort->lineEdit()->selectAll();
    QTest::keyClicks(window->cboPort, "COM2");
    EXPECT_EQ(rows(), expected([](const auto &r) { return !r.pass && r.port == "COM2"; }));
    EXPECT_TRUE(allRows([&](int row) { return cell(row, HistoryModel::Port) == "COM2"; }));

    // The search looks at every column; here few records match, spread far.
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(window->txtSearch->hasFocus());
    QTest::keyClicks(window->txtSearch, "ALICE");
    const int aliceFails = expected(
        [](const auto &r) { return !r.pass && r.port == "COM2" && r.operatorName == "alice"; });
    ASSERT_GT(aliceFails, 0);
    EXPECT_EQ(rows(), aliceFails);

    // Back to every result and port: the one record of another plan.
    window->cboResult->setCurrentIndex(0);
    window->cboPort->setCurrentIndex(0);
    window->txtSearch->setFocus();
    window->txtSearch->selectAll();
    QTest::keyClicks(window->txtSearch, "special");
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, HistoryModel::Plan), "special-plan.dat");

    // A date range takes whole days, both ends included.
    window->txtSearch->clear();
    window->dtpFrom->setDate(QDate(2026, 12, 9));
    window->dtpTo->setDate(QDate(2026, 12, 9));
    window->chkFrom->setFocus();
    QTest::keyClick(window->chkFrom, Qt::Key_Space);
    window->chkTo->setFocus();
    QTest::keyClick(window->chkTo, Qt::Key_Space);
    const auto onTheNinth = [](const auto &r) {
        return r.time.toLocalTime().date() == QDate(2026, 12, 9);
    };
    ASSERT_GT(expected(onTheNinth), 0);
    window->model->fetchAll();
    EXPECT_EQ(rows(), expected(onTheNinth));
    EXPECT_TRUE(
        allRows([&](int row) { return cell(row, HistoryModel::Time).startsWith("2026-12-09"); }));
}

// The export writes every record the filters select, not only the rows read
// so far, in the command line's history --csv columns.
TEST_F(HistoryWindow, ExportWritesEveryMatchingRecord) {
    open();
    ASSERT_LT(rows(), kRecords);
    const QString csv = folder.dir.filePath("history.csv");
    dialogs.files = {csv};
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), kRecords + 1);
    EXPECT_EQ(lines[0], "Time,Port,Plan,PlanSha256,Ident,Result,FailedStep,Message,DurationMs,"
                        "BackupFile,Operator");
    EXPECT_EQ(lines[1], "2026-12-10T17:00:00.000Z,COM1,bench.dat," + QString(64, 'a') +
                            ",5A 23 28,FAIL,verify,Verify failed at address 0010,2500,,bob");
    EXPECT_EQ(window->lblCount->text(), "450 records exported to " + csv + ".");

    // A folder that is not there: said, and nothing claims success.
    dialogs.files = {folder.dir.filePath("no-such-folder/history.csv")};
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked[0].startsWith("The CSV file cannot be written: "));
}

TEST_F(HistoryWindow, EnterOpensTheRecordsBackupAsAPlan) {
    open();
    QStringList opened;
    window->onOpenPlan = [&](const QString &path) { opened << path; };
    window->tblRecords->setFocus();
    QTest::keyClick(window->tblRecords, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(window->tblRecords, Qt::Key_Return); // the newest has no backup
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_FALSE(window->cmdOpenBackup->isEnabled());
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(window->tblRecords, Qt::Key_Down);
    EXPECT_TRUE(window->cmdOpenBackup->isEnabled());
    QTest::keyClick(window->tblRecords, Qt::Key_Return);
    EXPECT_EQ(opened, QStringList{"/backups/20261210-COM2.dat"});
}

// A damaged database or none at all: the window opens and says why it is empty.
TEST_F(HistoryWindow, ADamagedOrMissingDatabaseOpensEmpty) {
    const QString damaged = folder.dir.filePath("damaged.sqlite");
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    open(damaged);
    EXPECT_EQ(rows(), 0);
    EXPECT_TRUE(window->lblCount->text().startsWith("The history cannot be read: "))
        << window->lblCount->text().toStdString();
    EXPECT_EQ(file.size(), 4096) << "reading must never change the file";

    open(folder.dir.filePath("none.sqlite"));
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(window->lblCount->text(), "0 records shown");
    EXPECT_FALSE(QFile::exists(folder.dir.filePath("none.sqlite")));
}

} // namespace
