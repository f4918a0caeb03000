// The command line's own outputs (-o, --log, --backup) never land on one of
// the command's inputs or on its port: refused before anything runs, the
// files compared as the system resolves them (a symbolic link to the plan is
// the plan). A backup folder that cannot take files is refused with the
// system's reason.
#include "CliHarness.h"

#include <unistd.h>

using clitest::CliFixture;
using clitest::CliRun;
using clitest::SimRadio;

using OutputsOnInputs = CliFixture;

TEST_F(OutputsOnInputs, AreRefusedBeforeAnythingRuns) {
    const QString plan = newPlan("plan.dat"), frames = path("frames.log");
    const QString planLink = path("plan-link.dat"), portLink = path("radio");
    SimRadio radio({"--log", frames});
    ASSERT_FALSE(radio.pty().isEmpty());
    ASSERT_TRUE(QFile::link(plan, planLink));
    ASSERT_TRUE(QFile::link(radio.pty(), portLink));
    const QString file = path("file");
    clitest::writeAll(file, "not a folder");
    const QByteArray planBytes = clitest::readAll(plan);
    const QString P = radio.pty();

    struct Case {
        QStringList args;
        QString reason;
    } cases[] = {
        // The CSV log appended to the plan it programs.
        {{"program", plan, "--port", P, "--log", plan}, "is also an input"},
        {{"program", plan, "--port", P, "--log", planLink}, "is also an input"},
        {{"program", plan, "--port", P, "--log", portLink}, "is also an input"},
        {{"program", plan, "--port", P, "--backup", plan}, "is also an input"},
        {{"write", plan, "--port", P, "--backup", planLink}, "is also an input"},
        {{"write", plan, "--port", portLink, "--backup", P}, "is also an input"},
        // The image read sent down the radio's own line.
        {{"read", "--port", P, "-o", P}, "is also an input"},
        {{"read", "--port", portLink, "-o", P}, "is also an input"},
        {{"read", "--port", P, "-o", portLink}, "is also an input"},
        {{"write", plan, "--port", P, "--backup", file}, "(Not a directory)"},
        {{"program", plan, "--port", P, "--backup", file + "/backups"}, "(Not a directory)"},
    };
    for (const auto &k : cases) {
        const CliRun r = cli(k.args);
        EXPECT_EQ(r.status, 3) << k.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(k.reason))
            << k.args.join(' ').toStdString() << ": " << r.err.toStdString();
    }
    radio.stop();
    EXPECT_TRUE(clitest::readAll(frames).isEmpty()) << "something reached the radio";
    EXPECT_EQ(clitest::readAll(plan), planBytes);
    EXPECT_EQ(clitest::readAll(file), "not a folder");
}

TEST_F(OutputsOnInputs, ABackupFolderThatCannotBeWrittenGivesTheReason) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into any folder";
    const QString plan = newPlan("plan.dat"), locked = path("locked");
    QDir(work.path()).mkdir("locked");
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    SimRadio radio({});
    for (const QString &dir : {locked, locked + "/new"}) {
        const CliRun r = cli({"write", plan, "--port", radio.pty(), "--backup", dir});
        EXPECT_EQ(r.status, 3);
        EXPECT_TRUE(
            r.err.contains(dir + ": cannot be used as the backup folder (Permission denied)"))
            << r.err.toStdString();
    }
}
