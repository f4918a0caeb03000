// One bench, two lines at once: the Production Line window on two cables and
// a brenvik-cli program process on two others, every radio a virtual one,
// all recording into the same database. Every radio is in the record, under
// the plan and port it was programmed from.
#include "SimProcess.h"
#include "comm/RadioRecord.h"
#include "editors/LineCableRow.h"
#include "editors/frmProductionLine.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace {

TEST(RecordTwoWriters, TheWindowAndACommandLineLineRecordEveryRadio) {
    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    cps::CollectingSink sink;
    cps::Cps c;
    testsupport::initCps(c, folder, 3, &sink);
    c.CurFilePath = folder.dir.filePath("bench.dat").toStdString();
    c.ch.ChInfo[1][1] = 44612500; // the plan differs from every radio

    std::vector<std::unique_ptr<testsupport::SimProcess>> radios;
    for (int i = 0; i < 4; ++i) {
        radios.push_back(std::make_unique<testsupport::SimProcess>(QStringList{}));
        ASSERT_FALSE(radios.back()->path.isEmpty());
    }
    // The window's cables COM1 and COM2.
    for (int com = 1; com <= 2; ++com)
        folder.set(std::to_string(com),
                   radios[static_cast<std::size_t>(com - 1)]->path.toStdString(), "Ports");
    folder.set("Cables", "1,2", "ProductionLine");

    QProcess make;
    const QString cli = QStringLiteral(BRENVIK_PROGRAM_DIR "/brenvik-cli");
    const QString plan = folder.dir.filePath("site.dat");
    make.start(cli, {"new", "-o", plan, "--program-dir", folder.path()});
    ASSERT_TRUE(make.waitForFinished(60000) && make.exitCode() == 0);

    frmProductionLine window(c);
    window.txtLogFile->clear();
    window.txtBackupFolder->clear();
    window.chkSound->setChecked(false);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QProcess line;
    line.start(cli, {"program", plan, "--port", radios[2]->path, "--port", radios[3]->path,
                     "--count", "2", "--operator", "Bo", "--program-dir", folder.path()});
    ASSERT_TRUE(line.waitForStarted(10000));
    QTest::keyClick(&window, Qt::Key_F5);
    ASSERT_TRUE(window.running()) << dialogs.asked.join('|').toStdString();

    const auto passed = [&](int com) {
        return window.rows.at(QStringLiteral("COM%1").arg(com))
            ->lblState->text()
            .startsWith("PASS");
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return passed(1) && passed(2); }, 60000));
    ASSERT_TRUE(line.state() == QProcess::NotRunning || line.waitForFinished(60000));
    EXPECT_EQ(line.exitCode(), 0) << line.readAllStandardError().toStdString();
    QTest::keyClick(&window, Qt::Key_F5, Qt::ShiftModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.running(); }, 60000));
    EXPECT_TRUE(window.lblStatus->text().isEmpty()) << window.lblStatus->text().toStdString();

    const auto records = cps::queryRecords(QString::fromStdString(c.files.historyDatabase), {});
    ASSERT_EQ(records.size(), 4u);
    QStringList seen;
    for (const auto &r : records) {
        EXPECT_TRUE(r.pass) << r.message.toStdString();
        EXPECT_EQ(r.ident, QByteArray::fromHex("5A2328"));
        EXPECT_EQ(r.planSha256.size(), 64);
        seen << r.port + " " + r.plan + " " + r.operatorName;
    }
    seen.sort();
    QStringList expected{"COM1 bench.dat ", "COM2 bench.dat ", radios[2]->path + " site.dat Bo",
                         radios[3]->path + " site.dat Bo"};
    expected.sort();
    EXPECT_EQ(seen, expected);
}

} // namespace
