// read and write against brenvik-radio-sim over pseudo-terminals, through the
// real serial port adapter.
#include "CliHarness.h"

#include "core/DataFile.h"

using clitest::CliFixture;
using clitest::CliRun;
using clitest::SimRadio;

namespace {

constexpr int kIdentFirst = 0x388, kIdentLast = 0x38A;       // fixed by the radio's model
constexpr int kSettingsFirst = 0x3F0, kSettingsLast = 0x3FF; // the radio settings frame
constexpr int kUnstoredFirst = 0x400, kUnstoredLast = 0x40F; // not kept in a data file

// Addresses where two images differ, outside the given ranges.
std::vector<int> differences(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b,
                             std::initializer_list<std::pair<int, int>> skipped) {
    std::vector<int> diff;
    for (int i = 0; i < 8192; ++i) {
        bool skip = false;
        for (auto [lo, hi] : skipped)
            skip = skip || (i >= lo && i <= hi);
        if (!skip && a[static_cast<std::size_t>(i)] != b[static_cast<std::size_t>(i)])
            diff.push_back(i);
    }
    return diff;
}

} // namespace

using RadioCommands = clitest::TwoPlans;

TEST_F(RadioCommands, ReadAndWriteAlternativeAndStandardRadios) {
    for (const char *ident : {"alt", "std"}) {
        SCOPED_TRACE(ident);
        const QString saved = path(QStringLiteral("radio-%1.dat").arg(ident));
        SimRadio radio({"--image", planA, "--ident", ident, "--save", saved});
        ASSERT_FALSE(radio.pty().isEmpty());

        const QString out = path(QStringLiteral("read-%1.dat").arg(ident));
        const CliRun read = cli({"read", "--port", radio.pty(), "-o", out, "--verbose"});
        ASSERT_EQ(read.status, 0) << read.err.toStdString();
        EXPECT_TRUE(read.out.contains("Read Successful"));
        EXPECT_TRUE(read.err.contains("Tx: 50 52 4F 47")) << "--verbose shows the traffic";
        EXPECT_FALSE(read.err.contains(" %")) << "no progress bar when stderr is no terminal";
        EXPECT_EQ(differences(clitest::imageOf(out), clitest::imageOf(planA),
                              {{kIdentFirst, kIdentLast}}),
                  std::vector<int>{});

        const CliRun write = cli({"write", "--port", radio.pty(), planB});
        ASSERT_EQ(write.status, 0) << write.err.toStdString();
        EXPECT_EQ(write.out, radio.pty() + ": Write Successful\n");
        EXPECT_TRUE(write.err.isEmpty()) << write.err.toStdString();
        radio.stop();
        EXPECT_EQ(differences(clitest::imageOf(saved), clitest::imageOf(planB),
                              {{kIdentFirst, kIdentLast},
                               {kSettingsFirst, kSettingsLast},
                               {kUnstoredFirst, kUnstoredLast}}),
                  std::vector<int>{});
    }
}

// Three radios in one run, the second one silent: the others are programmed,
// the summary names the silent one, and the status is 1.
TEST_F(RadioCommands, WriteToSeveralRadiosReportsEachPort) {
    SimRadio first({"--image", planA, "--save", path("first.dat")});
    SimRadio silent({"--silent"});
    SimRadio third({"--image", planA, "--ident", "std", "--save", path("third.dat")});
    const CliRun r =
        cli({"write", "--port", first.pty(), "--port", silent.pty(), "--port", third.pty(), planB});
    EXPECT_EQ(r.status, 1);
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << r.out.toStdString();
    EXPECT_EQ(lines[0], first.pty() + ": Write Successful");
    EXPECT_EQ(lines[1],
              silent.pty() +
                  ": Write Failed - Communication failed,please check commuication port!");
    EXPECT_EQ(lines[2], third.pty() + ": Write Successful");
    EXPECT_EQ(lines[3], "2 of 3 radios written; failed: " + silent.pty());
    first.stop();
    third.stop();
    for (const char *name : {"first.dat", "third.dat"})
        EXPECT_EQ(differences(clitest::imageOf(path(name)), clitest::imageOf(planB),
                              {{kIdentFirst, kIdentLast},
                               {kSettingsFirst, kSettingsLast},
                               {kUnstoredFirst, kUnstoredLast}}),
                  std::vector<int>{})
            << name;
}

TEST_F(RadioCommands, AFailedReadLeavesTheOutputAlone) {
    SimRadio silent({"--silent"});
    const QByteArray before = clitest::readAll(planA);
    const CliRun r = cli({"read", "--port", silent.pty(), "-o", planA});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("Communication failed,please check commuication port!"));
    EXPECT_EQ(clitest::readAll(planA), before);

    SimRadio hangsUp({"--image", planB, "--hangup-after", "40"});
    EXPECT_EQ(cli({"read", "--port", hangsUp.pty(), "-o", path("new.dat")}).status, 1);
    EXPECT_FALSE(QFile::exists(path("new.dat")));

    const CliRun noDevice = cli({"read", "--port", path("no-such-tty"), "-o", path("new.dat")});
    EXPECT_EQ(noDevice.status, 1);
    EXPECT_TRUE(noDevice.err.contains("cannot be opened")) << noDevice.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("new.dat")));
    EXPECT_EQ(QDir(work.path()).entryList({".*tmp*"}, QDir::Files | QDir::Hidden), QStringList{});
}

// COMn stands for the device the settings file's [Ports] section names.
TEST_F(RadioCommands, ComNumbersFollowThePortsSection) {
    SimRadio radio({"--image", planB});
    folder.set("5", radio.pty().toStdString(), "Ports");
    const CliRun read = cli({"read", "--port", "com5", "-o", path("via-com.dat")});
    ASSERT_EQ(read.status, 0) << read.err.toStdString();
    EXPECT_EQ(differences(clitest::imageOf(path("via-com.dat")), clitest::imageOf(planB),
                          {{kIdentFirst, kIdentLast}}),
              std::vector<int>{});
    const CliRun ports = cli({"ports"});
    EXPECT_EQ(ports.status, 0);
    EXPECT_TRUE(ports.out.contains("COM5\t" + radio.pty())) << ports.out.toStdString();
}
