// The read/write window's safeguards against the virtual radio: "Verify after
// write" catches a radio that did not take a block, "Backup before write" keeps
// the radio's previous content; both are remembered in the settings file.
#include "SimProcess.h"
#include "comm/QtSerialPortAdapter.h"
#include "comm/RadioRecord.h"
#include "core/DataFile.h"
#include "core/Plan.h"
#include "editors/frmCommun.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct WriteChecksWindow : ::testing::Test {
    WriteChecksWindow() { testsupport::initCps(c, folder, 3, &sink); }
    void startRadio(QStringList args) {
        args << "--save" << folder.dir.filePath("saved.dat");
        sim = std::make_unique<testsupport::SimProcess>(args);
        ASSERT_FALSE(sim->path.isEmpty());
        folder.set("1", sim->path.toStdString(), "Ports");
        c.settings.com = 1;
    }
    void write() {
        window.showWrite();
        ASSERT_TRUE(window.chkVerifyAfterWrite->isVisible());
        QTest::mouseClick(window.cmdWrite, Qt::LeftButton);
    }
    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    cps::CollectingSink sink;
    cps::Cps c;
    std::unique_ptr<testsupport::SimProcess> sim;
    cps::QtSerialPortAdapter port{c};
    cps::TimeoutMark mark;
    frmCommun window{c, port, mark};
};

TEST_F(WriteChecksWindow, VerifyPassesOnAGoodRadioAndNamesTheAddressOnABadOne) {
    window.chkVerifyAfterWrite->click();
    EXPECT_EQ(folder.ini().read("Setting", "VerifyAfterWrite", "", 9), "1");
    c.ch.ChInfo[1][1] = 44612500;
    startRadio({});
    write();
    EXPECT_TRUE(dialogs.asked.isEmpty()) << dialogs.asked.join('|').toStdString();
    ASSERT_TRUE(sim->stop());

    startRadio({"--ignore-writes", "0010"});
    write();
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked[0].startsWith("Verify failed at address 0010"))
        << dialogs.asked[0].toStdString();

    // Both writes are in the record of programmed radios, newest first.
    const auto records = cps::queryRecords(QString::fromStdString(c.files.historyDatabase), {});
    ASSERT_EQ(records.size(), 2u);
    EXPECT_FALSE(records[0].pass);
    EXPECT_EQ(records[0].failedStep, "verify");
    EXPECT_EQ(records[0].message, dialogs.asked[0]);
    EXPECT_TRUE(records[1].pass);
    for (const auto &r : records) {
        EXPECT_EQ(r.port, "COM1");
        EXPECT_EQ(r.ident, QByteArray::fromHex("5A2328"));
        EXPECT_EQ(r.planSha256, cps::planImageSha256(c));
    }
}

// A record that cannot be stored (its place is taken by a folder): the write
// is done and shown as done, then a warning says why the record lacks it.
TEST_F(WriteChecksWindow, AWriteTheRecordCannotKeepIsStillWritten) {
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(c.files.historyDatabase)));
    c.ch.ChInfo[1][1] = 44612500;
    startRadio({});
    write();
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked[0].startsWith(
        "This result could not be stored in the record of programmed radios ("))
        << dialogs.asked[0].toStdString();
    ASSERT_TRUE(sim->stop());
    const auto radio = cps::readDataFile(folder.dir.filePath("saved.dat").toStdString(), 8192);
    ASSERT_TRUE(radio);
    EXPECT_EQ(cps::fileBytesToImage(*radio, 8192)[0x10], c.IicDat[0x10]);
}

// The radio takes the whole write, then answers nothing more: the verify's
// read-back times out, and the message says the write went through.
TEST_F(WriteChecksWindow, AReadBackThatTimesOutIsNoFailedWrite) {
    window.chkVerifyAfterWrite->setChecked(true);
    c.ch.ChInfo[1][1] = 44612500; // the radio's channel 1 differs
    startRadio({"--silent-after-end"});
    write();
    EXPECT_EQ(dialogs.asked, QStringList{QString::fromStdString(c.text(501))});
    ASSERT_TRUE(sim->stop());
    const auto radio = cps::readDataFile(folder.dir.filePath("saved.dat").toStdString(), 8192);
    ASSERT_TRUE(radio);
    cps::SetConvIicDat(c);
    const auto image = cps::fileBytesToImage(*radio, 8192);
    EXPECT_TRUE(std::equal(image.begin() + 0x10, image.begin() + 0x110, c.IicDat.begin() + 0x10))
        << "the channels did not reach the radio";
}

TEST_F(WriteChecksWindow, BackupKeepsTheRadiosPreviousMemory) {
    window.chkBackupBeforeWrite->click();
    EXPECT_EQ(folder.ini().read("Setting", "BackupBeforeWrite", "", 9), "1");
    startRadio({});
    ASSERT_TRUE(sim->stop());
    const auto before = cps::readDataFile(folder.dir.filePath("saved.dat").toStdString(), 8192);
    ASSERT_TRUE(before);
    startRadio({"--image", folder.dir.filePath("saved.dat")});
    c.ch.ChInfo[2][1] = 44700000; // the plan differs from the radio
    write();
    EXPECT_TRUE(dialogs.asked.isEmpty()) << dialogs.asked.join('|').toStdString();
    const auto backups = QDir(folder.path() + "/Data/Backup").entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_TRUE(backups[0].endsWith("-COM1.dat")) << backups[0].toStdString();
    const auto saved =
        cps::readDataFile((folder.path() + "/Data/Backup/" + backups[0]).toStdString(), 8192);
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, *before);
}

} // namespace
