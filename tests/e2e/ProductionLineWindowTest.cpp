// The production line window against virtual radios, driven with its keys:
// F5 starts, Shift+F5 stops. Each cable is a COM number whose [Ports] entry
// is a link to a simulator's pseudo-terminal, so a cable can be pulled by
// pointing its link elsewhere (a pseudo-terminal's number is reused at once
// by radios of tests running beside this one).
#include "SimProcess.h"
#include "comm/RadioRecord.h"
#include "core/Plan.h"
#include "editors/LineCableRow.h"
#include "editors/frmProductionLine.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

struct ProductionLineWindow : ::testing::Test {
    ProductionLineWindow() {
        testsupport::initCps(c, folder, 3, &sink);
        c.ch.ChInfo[1][1] = 44612500; // the plan differs from every radio
    }
    ~ProductionLineWindow() override { window.reset(); }

    // A radio on cable `com`.
    testsupport::SimProcess &plugIn(int com, QStringList args) {
        sims[com] = std::make_unique<testsupport::SimProcess>(args);
        EXPECT_FALSE(sims[com]->path.isEmpty());
        pointCable(com, sims[com]->path);
        return *sims[com];
    }
    void pointCable(int com, const QString &device) {
        const QString link = link_(com), temp = link + ".new";
        ::unlink(temp.toLocal8Bit().constData());
        ASSERT_EQ(::symlink(device.toLocal8Bit().constData(), temp.toLocal8Bit().constData()), 0);
        ASSERT_EQ(::rename(temp.toLocal8Bit().constData(), link.toLocal8Bit().constData()), 0);
        folder.set(std::to_string(com), link.toStdString(), "Ports");
    }
    QString link_(int com) const { return folder.dir.filePath(QStringLiteral("cable%1").arg(com)); }

    void open(std::initializer_list<int> ticked) {
        QStringList list;
        for (int com : ticked)
            list << QString::number(com);
        folder.set("Cables", list.join(',').toStdString(), "ProductionLine");
        window = std::make_unique<frmProductionLine>(c);
        window->onRunningChanged = [this](bool on) { runningChanges << on; };
        window->txtLogFile->setText(log());
        window->txtBackupFolder->clear();
        window->chkSound->setChecked(false);
        // A verify would read each radio back at the line's pace: the tests
        // that need it tick it.
        window->chkVerify->setChecked(false);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QString log() const { return folder.dir.filePath("line.csv"); }
    QString state(int com) const {
        return window->rows.at(QStringLiteral("COM%1").arg(com))->lblState->text();
    }
    QString detail(int com) const {
        return window->rows.at(QStringLiteral("COM%1").arg(com))->lblDetail->text();
    }
    // Generous bound: a radio at wire timing takes several seconds.
    bool waitForState(int com, const QString &text, int ms = 60000) {
        return QTest::qWaitFor([&] { return state(com).startsWith(text); }, ms);
    }
    bool waitForEnd(int ms = 60000) {
        return QTest::qWaitFor([&] { return !window->running(); }, ms);
    }

    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    cps::CollectingSink sink;
    cps::Cps c;
    std::map<int, std::unique_ptr<testsupport::SimProcess>> sims;
    std::unique_ptr<frmProductionLine> window;
    QList<bool> runningChanges;
};

// Three cables: two good radios pass, the one that drops a block fails at
// the verify with the address; the totals and the log agree.
TEST_F(ProductionLineWindow, GoodRadiosPassAndAFaultyOneFailsAtItsStep) {
    plugIn(1, {});
    plugIn(2, {});
    plugIn(3, {"--ignore-writes", "0010"});
    open({1, 2, 3});
    window->chkVerify->setChecked(true);
    dialogs.texts = {QStringLiteral(" Alice ")};
    QTest::keyClick(window.get(), Qt::Key_F5);
    ASSERT_TRUE(window->running()) << dialogs.asked.join('|').toStdString();
    EXPECT_EQ(dialogs.askedTexts, QStringList{"Operator's name (may stay empty):|"});
    EXPECT_EQ(runningChanges, QList<bool>{true});
    EXPECT_FALSE(window->cmdStart->isEnabled());
    EXPECT_FALSE(window->fraCables->isEnabled());

    ASSERT_TRUE(waitForState(1, "PASS"));
    ASSERT_TRUE(waitForState(2, "PASS"));
    ASSERT_TRUE(waitForState(3, "FAIL"));
    EXPECT_EQ(detail(1), "Ident 5A 23 28");
    EXPECT_TRUE(detail(3).contains("Verify: Verify failed at address 0010"))
        << detail(3).toStdString();
    EXPECT_TRUE(window->lblTotals->text().startsWith("Passed: 2    Failed: 1    Radios per hour: "))
        << window->lblTotals->text().toStdString();

    QTest::keyClick(window.get(), Qt::Key_F5, Qt::ShiftModifier);
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(runningChanges, (QList<bool>{true, false}));
    EXPECT_TRUE(window->cmdStart->isEnabled());

    QFile file(log());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 4) << rows.join('\n').toStdString();
    EXPECT_EQ(rows[0], "Time,Port,Ident,Result,Duration,FailedStep,Message,Backup");
    EXPECT_EQ(rows.filter(",PASS,").size(), 2);
    EXPECT_TRUE(rows.filter(",FAIL,").value(0).contains("COM3,5A 23 28,FAIL"));

    // The choices are kept for the next time.
    EXPECT_EQ(folder.ini().read("ProductionLine", "Cables", "", 99), "1,2,3");
    EXPECT_EQ(folder.ini().read("ProductionLine", "Verify", "", 9), "1");
    EXPECT_EQ(folder.ini().read("ProductionLine", "LogFile", "", 999), log().toStdString());
    EXPECT_EQ(folder.ini().read("ProductionLine", "Operator", "", 99), "Alice");

    // Every radio is in the record, under the operator's name.
    const auto records =
        cps::queryRecords(QString::fromStdString(c.files.historyDatabase), cps::RecordFilter{});
    ASSERT_EQ(records.size(), 3u);
    for (const auto &r : records)
        EXPECT_EQ(r.operatorName, "Alice") << r.port.toStdString();

    // The next start offers the name again; cancelling it starts nothing.
    dialogs.texts = {std::nullopt};
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_FALSE(window->running());
    EXPECT_EQ(dialogs.askedTexts.value(1), "Operator's name (may stay empty):|Alice");
}

// Shift+F5 while a radio is being written: the write goes on to its PASS,
// then the line ends.
TEST_F(ProductionLineWindow, StopFinishesTheRadioBeingWritten) {
    plugIn(1, {"--wire-timing", "--save", folder.dir.filePath("radio.dat")});
    open({1});
    QTest::keyClick(window.get(), Qt::Key_F5);
    ASSERT_TRUE(waitForState(1, "Writing"));
    QTest::keyClick(window.get(), Qt::Key_F5, Qt::ShiftModifier);
    EXPECT_TRUE(window->running());
    ASSERT_TRUE(waitForEnd());
    EXPECT_EQ(state(1), "PASS");
}

// Closing while a radio is being written asks; No keeps the line running,
// Yes finishes the radio, then closes.
TEST_F(ProductionLineWindow, ClosingWhileARadioIsWrittenAsksFirst) {
    plugIn(1, {"--wire-timing"});
    open({1});
    QTest::keyClick(window.get(), Qt::Key_F5);
    ASSERT_TRUE(waitForState(1, "Writing"));
    dialogs.answers = {QMessageBox::No};
    window->close();
    EXPECT_EQ(dialogs.asked, QStringList{"A radio is being programmed. Finish it, then close?"});
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->running());
    window->close(); // Yes
    EXPECT_TRUE(window->isVisible());
    ASSERT_TRUE(waitForEnd());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(state(1), "PASS");
}

// A cable pulled during the write shows on its row; the other cable goes on
// and passes; when the cable comes back, its row waits for a radio again.
TEST_F(ProductionLineWindow, APulledCableShowsOnItsRowAndTheOthersGoOn) {
    plugIn(1, {"--wire-timing"});
    plugIn(2, {"--wire-timing"});
    open({1, 2});
    QTest::keyClick(window.get(), Qt::Key_F5);
    ASSERT_TRUE(waitForState(2, "Writing"));
    pointCable(2, folder.dir.filePath("unplugged"));
    sims[2]->stop();
    ASSERT_TRUE(waitForState(2, "Cable unplugged"));
    EXPECT_TRUE(detail(2).contains("Write: ")) << detail(2).toStdString();
    ASSERT_TRUE(waitForState(1, "PASS"));

    plugIn(2, {"--silent"});
    ASSERT_TRUE(waitForState(2, "Waiting for a radio"));
    QTest::keyClick(window.get(), Qt::Key_F5, Qt::ShiftModifier);
    ASSERT_TRUE(waitForEnd());
}

// Nothing starts while a ticked cable cannot be opened (the reason is named)
// or when the user declines writing channels outside the band.
TEST_F(ProductionLineWindow, NothingStartsUntilEveryCableOpensAndTheBandIsAgreed) {
    plugIn(1, {"--log", folder.dir.filePath("frames.log")});
    pointCable(2, folder.dir.filePath("no-such-device"));
    open({1, 2});
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_FALSE(window->running());
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked[0].startsWith("COM2: ")) << dialogs.asked[0].toStdString();
    EXPECT_TRUE(dialogs.asked[0].contains("cannot be opened")) << dialogs.asked[0].toStdString();

    window->chkCables.at(2)->setChecked(false);
    c.ch.ChInfo[1][1] = 10000000; // far outside the band
    dialogs.asked.clear();
    dialogs.answers = {QMessageBox::No};
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_FALSE(window->running());
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked[0].startsWith(QString::fromStdString(c.text(89))));
    EXPECT_TRUE(runningChanges.isEmpty());
    sims[1]->stop();
    QFile frames(folder.dir.filePath("frames.log"));
    EXPECT_TRUE(!frames.exists() || frames.size() == 0) << "a radio was reached";
}

// First use ticks the COM port of the read/write window.
TEST_F(ProductionLineWindow, FirstUseTicksTheCurrentPort) {
    plugIn(1, {});
    plugIn(2, {});
    c.settings.com = 2;
    window = std::make_unique<frmProductionLine>(c);
    window->fillCables();
    EXPECT_FALSE(window->chkCables.at(1)->isChecked());
    EXPECT_TRUE(window->chkCables.at(2)->isChecked());
    EXPECT_TRUE(window->chkCables.at(2)->text().startsWith("COM2  " + link_(2)))
        << window->chkCables.at(2)->text().toStdString();
}

} // namespace
