// Verify after write, backup before write, and diff, against brenvik-radio-sim.
#include "CliHarness.h"

#include "cli/PlanDiff.h"
#include "comm/Backup.h"
#include "core/Options.h"
#include "core/Plan.h"

#include <QRegularExpression>

using clitest::CliRun;
using clitest::SimRadio;

using WriteChecks = clitest::TwoPlans;

namespace {
constexpr int kP4 = 0x3D4, kAlarmByte = 0x3FC;
}

// A radio that took everything passes; one that ignores the block 0x0010 fails
// naming that block's first address. With the radio settings frame in play
// (P[4] = 30) the alarm bit the frame clears is expected as the frame sent it.
TEST_F(WriteChecks, VerifyNamesTheFirstAddressTheRadioDidNotTake) {
    const uint8_t alarm = clitest::imageOf(planB)[kAlarmByte] | 0x80;
    clitest::patchImage(planB, {{kP4, 30}, {kAlarmByte, alarm}});

    SimRadio good({"--image", planA});
    SimRadio standard({"--image", planA, "--ident", "std", "--p4", "30"});
    SimRadio deaf({"--image", planA, "--ignore-writes", "0010"});
    for (const SimRadio *radio : {&good, &standard}) {
        const CliRun r = cli({"write", "--verify", "--port", radio->pty(), planB});
        EXPECT_EQ(r.status, 0) << r.out.toStdString() << r.err.toStdString();
        EXPECT_EQ(r.out, radio->pty() + ": Write Successful\n");
    }
    const CliRun r = cli({"write", "--verify", "--port", deaf.pty(), planB});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.startsWith(deaf.pty() +
                                 ": Write Failed - verify: Verify failed at address 0010 0011"))
        << r.out.toStdString();
}

TEST_F(WriteChecks, BackupHoldsTheRadioMemoryFromBeforeTheWrite) {
    { SimRadio untouched({"--image", planA, "--ident", "std", "--save", path("before.dat")}); }
    SimRadio radio({"--image", planA, "--ident", "std"});
    const QString backups = path("backups");
    const CliRun r = cli({"write", "--backup", backups, "--port", radio.pty(), planB});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList files = QDir(backups).entryList({"*.dat"}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(QRegularExpression("^\\d{8}-\\d{6}-pts-\\d+\\.dat$").match(files[0]).hasMatch())
        << files[0].toStdString();
    EXPECT_EQ(clitest::readAll(QDir(backups).filePath(files[0])),
              clitest::readAll(path("before.dat")));
    EXPECT_TRUE(r.out.contains(": backup " + QDir(backups).filePath(files[0])));

    // The backup read fails (its first seven replies are lost): the radio gets
    // nothing, although it would have answered the write.
    SimRadio shy({"--image", planA, "--drop", "7", "--save", path("shy.dat")});
    const CliRun failed = cli({"write", "--backup", path("none"), "--port", shy.pty(), planB});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.out.contains("backup: Backup failed, nothing was written to the radio!"))
        << failed.out.toStdString();
    EXPECT_EQ(QDir(path("none")).entryList(QDir::Files), QStringList{});
    shy.stop();
    EXPECT_EQ(clitest::imageOf(path("shy.dat")), clitest::imageOf(planA));
}

// After a write without verify the radio differs from the plan only where the
// fixed frames set bytes: here the radio settings frame clears the alarm bit.
TEST_F(WriteChecks, DiffAfterAWriteShowsOnlyWhatTheFixedFramesSet) {
    const uint8_t alarm = clitest::imageOf(planB)[kAlarmByte] | 0x80;
    clitest::patchImage(planB, {{kP4, 30}, {kAlarmByte, alarm}});
    SimRadio radio({"--image", planA});
    ASSERT_EQ(cli({"write", "--port", radio.pty(), planB}).status, 0);

    const CliRun d = cli({"diff", planB, "--port", radio.pty()});
    EXPECT_EQ(d.status, 1);
    EXPECT_EQ(d.out, "Emergency Alarm: On -> Off\n");
    EXPECT_EQ(cli({"diff", "--port", radio.pty(), planB}).out, "Emergency Alarm: Off -> On\n");

    const CliRun same = cli({"diff", planB, planB});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");
    EXPECT_EQ(cli({"diff", planB}).status, 2);
    EXPECT_EQ(cli({"diff", planB, "--port", path("no-such-tty")}).status, 4);
}

// A verified write followed by diff is clean on a standard-command-set radio,
// whose identification (52 57) no write changes; the bytes a write never sends
// are named apart on stderr. With the write range cut to 0000-0FFF, what lies
// beyond is not sent either, and is not a difference.
TEST_F(WriteChecks, WriteThenDiffIsCleanWhereAWriteSendsNothing) {
    clitest::patchImage(planB, {{0x1800, 0xA5}});
    SimRadio radio({"--image", planA, "--ident", "std"});
    ASSERT_EQ(cli({"write", "--verify", "--port", radio.pty(), planB}).status, 0);
    CliRun d = cli({"diff", planB, "--port", radio.pty()});
    EXPECT_EQ(d.status, 0) << d.out.toStdString();
    EXPECT_EQ(d.out, "");
    EXPECT_EQ(d.err, "raw 0389-038A: 23 28 -> 52 57 (not written by a write)\n");

    clitest::patchImage(planB, {{0x1800, 0x5A}});
    folder.set("WriteEndAddr", "0FFF");
    ASSERT_EQ(cli({"write", "--verify", "--port", radio.pty(), planB}).status, 0);
    d = cli({"diff", "--port", radio.pty(), planB});
    EXPECT_EQ(d.status, 0) << d.out.toStdString();
    EXPECT_EQ(d.err, "raw 0389-038A: 52 57 -> 23 28 (not written by a write)\n"
                     "raw 1800: A5 -> 5A (not written by a write)\n");
    // Between two plan files every byte counts.
    EXPECT_EQ(cli({"diff", planA, planB}).status, 1);
}

// The radio takes the whole write, then answers nothing: the verify's
// read-back times out. That is no failed write: the message says the plan went
// through and how to check it.
TEST_F(WriteChecks, AVerifyThatCannotReadBackSaysTheWriteWentThrough) {
    SimRadio quiet({"--image", planA, "--silent-after-end", "--save", path("quiet.dat")});
    const CliRun r = cli({"write", "--verify", "--lang", "3", "--port", quiet.pty(), planB});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, quiet.pty() + ": verify: The write went through, but the radio could not be "
                                   "read back to verify it: run brenvik-cli diff against the "
                                   "radio, or write again with Verify after write.\n");
    quiet.stop();
    EXPECT_EQ(
        clitest::differencesOutside(clitest::imageOf(path("quiet.dat")), clitest::imageOf(planB)),
        std::vector<int>{});
}

// Decoded differences by caption; raw ranges only for bits nothing decodes
// (slot bytes 14-15, the other bits of a shared option byte, unused memory).
TEST(PlanDiff, RawRangesLeaveOutDecodedBits) {
    testsupport::ProgramFolder folder;
    cps::CollectingSink sink;
    cps::Cps a;
    testsupport::initCps(a, folder, 3, &sink);
    cps::SoftDisplay(a);
    cps::Cps b = a;
    b.at(0x3FC) ^= 0xC0;         // bit 7: emergency alarm; bit 6: not decoded
    b.at(0x10 * 3 + 14) ^= 0x01; // channel 3, byte 14
    b.at(0x1000) ^= 0xFF;
    b.at(0x1001) ^= 0xFF;
    cps::SoftDisplay(b);

    const auto hex = [](cps::Cps &c, int address) {
        return QStringLiteral("%1")
            .arg(c.at(address), 2, 16, QLatin1Char('0'))
            .toUpper()
            .toStdString();
    };
    const bool alarm = a.opt.sel[cps::opt::EmergencyAlarm] != 0;
    EXPECT_EQ(
        cli::planDifferences(a, b),
        (std::vector<std::string>{
            "Emergency Alarm: " + a.text(alarm ? 348 : 347) + " -> " + a.text(alarm ? 347 : 348),
            "raw 003E: " + hex(a, 0x3E) + " -> " + hex(b, 0x3E),
            "raw 03FC: " + hex(a, 0x3FC) + " -> " + hex(b, 0x3FC),
            "raw 1000-1001: " + hex(a, 0x1000) + " " + hex(a, 0x1001) + " -> " + hex(b, 0x1000) +
                " " + hex(b, 0x1001),
        }));
}

TEST(Backup, FileNamesFromPortsAndTimes) {
    const std::pair<const char *, const char *> names[] = {
        {"/dev/ttyUSB0", "ttyUSB0"},
        {"/dev/pts/7", "pts-7"},
        {"COM3", "COM3"},
        {"/dev/serial/by-id/usb-FTDI_FT232R-if00", "serial-by-id-usb-FTDI_FT232R-if00"},
        {"../x", "x"},
    };
    for (auto [port, name] : names)
        EXPECT_EQ(cps::portFileName(port), name) << port;

    QTemporaryDir dir;
    const QDateTime when(QDate(2025, 3, 9), QTime(14, 5, 7));
    const QString first = cps::backupPath(dir.path(), "/dev/ttyUSB0", when);
    EXPECT_EQ(first, dir.filePath("20250309-140507-ttyUSB0.dat"));
    clitest::writeAll(first, "x");
    EXPECT_EQ(cps::backupPath(dir.path(), "/dev/ttyUSB0", when),
              dir.filePath("20250309-140507-ttyUSB0-2.dat"));
}
