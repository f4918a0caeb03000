// brenvik-radio-sim --attach: the settings file points a COM number at the
// simulator while it runs and is put back when it ends; an entry left by a
// simulator that was killed outright is ignored by the port map.
#include "SimProcess.h"
#include "comm/PortMap.h"
#include "support/ProgramFolder.h"

#include <QFile>
#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>

namespace {

QByteArray slurp(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList attachArgs(const testsupport::ProgramFolder &folder, int com) {
    return {"--attach", folder.settingsFile(), "--com", QString::number(com)};
}

TEST(SimAttach, PutsBackWhatThePortEntryHeldWhenItEnds) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(::testing::Message() << "signal " << signal);
        testsupport::ProgramFolder folder;
        folder.set("3", "/dev/ttyUSB7", cps::kPortsSection);
        folder.set("COM", "2");
        const QByteArray before = slurp(folder.settingsFile());

        testsupport::SimProcess sim(attachArgs(folder, 3));
        ASSERT_FALSE(sim.path.isEmpty());
        const auto pid = sim.process.processId();
        EXPECT_EQ(folder.ini().read("Ports", "3", "", 1024),
                  sim.path.toStdString() + " (brenvik-radio-sim " + std::to_string(pid) + ")");
        EXPECT_EQ(folder.ini().read("Setting", "COM", "", 9), "3");
        EXPECT_EQ(cps::mapComPorts(folder.ini(), {})[2], sim.path);

        ::kill(static_cast<pid_t>(pid), signal);
        ASSERT_TRUE(sim.process.waitForFinished(5000));
        EXPECT_EQ(sim.process.exitCode(), 0);
        EXPECT_EQ(slurp(folder.settingsFile()), before);
    }
}

TEST(SimAttach, AnEntryOfAKilledSimulatorIsIgnored) {
    testsupport::ProgramFolder folder;
    QString deadPty;
    {
        testsupport::SimProcess sim(attachArgs(folder, 1));
        ASSERT_FALSE(sim.path.isEmpty());
        deadPty = sim.path;
        sim.process.kill(); // SIGKILL: no chance to clean up
        ASSERT_TRUE(sim.process.waitForFinished(5000));
    }
    ASSERT_NE(folder.ini().read("Ports", "1", "", 1024).find(deadPty.toStdString()),
              std::string::npos);
    EXPECT_EQ(cps::mapComPorts(folder.ini(), {"/dev/ttyS0"})[0], "/dev/ttyS0");

    // A new simulator on the same number does not bring the dead entry back.
    testsupport::SimProcess next(attachArgs(folder, 1));
    ASSERT_FALSE(next.path.isEmpty());
    EXPECT_EQ(cps::mapComPorts(folder.ini(), {"/dev/ttyS0"})[0], next.path);
    EXPECT_TRUE(next.stop());
    EXPECT_EQ(folder.ini().read("Ports", "1", "none", 1024), "none");
}

// A settings file that cannot be locked or written (here: a folder stands in
// its place, which even root cannot write as a file) ends the radio at once,
// saying so, instead of running on unattached.
TEST(SimAttach, ASettingsFileThatCannotBeWrittenEndsTheRadio) {
    testsupport::ProgramFolder folder;
    QProcess sim;
    sim.start(QStringLiteral(BRENVIK_PROGRAM_DIR "/brenvik-radio-sim"),
              {"--attach", folder.dir.path(), "--com", "1"});
    ASSERT_TRUE(sim.waitForFinished(30000));
    EXPECT_EQ(sim.exitCode(), 1);
    EXPECT_TRUE(sim.readAllStandardOutput().isEmpty()); // no terminal path: nobody waits on it
    const QString err = QString::fromLocal8Bit(sim.readAllStandardError());
    EXPECT_TRUE(err.startsWith("brenvik-radio-sim: cannot attach to " + folder.dir.path() + ": "))
        << err.toStdString();
}

} // namespace
