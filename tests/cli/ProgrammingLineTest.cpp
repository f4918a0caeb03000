// The programming line: brenvik-cli program over two ports, radios swapped in
// and out behind each port's name (a symbolic link, as /dev/serial/by-id names
// are), one port holding a silent radio for a while.
#include "CliHarness.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <csignal>
#include <unistd.h>

using clitest::RunningCli;
using clitest::SimRadio;

namespace {

// Points the port name at a device, replacing the link in one step.
void pointPort(const QString &link, const QString &device) {
    const QString temp = link + ".new";
    ::unlink(temp.toLocal8Bit().constData());
    ASSERT_EQ(::symlink(device.toLocal8Bit().constData(), temp.toLocal8Bit().constData()), 0);
    ASSERT_EQ(::rename(temp.toLocal8Bit().constData(), link.toLocal8Bit().constData()), 0);
}

} // namespace

using ProgrammingLine = clitest::TwoPlans;

// Three radios on two ports: port A programs a radio, waits until it is taken
// away and programs the next; port B holds a silent radio meanwhile (which
// never blocks A), then gets a real one. Ctrl-C ends the line; the log has
// three PASS lines.
TEST_F(ProgrammingLine, ProgramsRadiosOnTwoPortsInParallel) {
    const QString portA = path("radio-a"), portB = path("radio-b"), log = path("line.csv");
    auto first =
        std::make_unique<SimRadio>(QStringList{"--image", planA, "--save", path("first.dat")});
    SimRadio silent({"--silent"});
    pointPort(portA, first->pty());
    pointPort(portB, silent.pty());

    RunningCli line({"program", planB, "--port", portA, "--port", portB, "--verify", "--log", log,
                     "--program-dir", folder.path()});
    ASSERT_TRUE(line.waitFor("PASS " + portA)) << line.err().toStdString();
    // The cable is pulled before the radio ends: a pseudo-terminal number is
    // reused at once by radios of tests running beside this one, which the
    // line must never reach through a stale name.
    pointPort(portA, path("unplugged"));
    first->stop(); // saves its memory
    ASSERT_TRUE(line.waitFor(portA + ": waiting for a radio", 2, true)) << line.err().toStdString();

    SimRadio second({"--image", planA, "--ident", "std", "--save", path("second.dat")});
    SimRadio third({"--image", planA, "--save", path("third.dat")});
    pointPort(portA, second.pty());
    pointPort(portB, third.pty());
    ASSERT_TRUE(line.waitFor("PASS " + portA, 2)) << line.out().toStdString();
    ASSERT_TRUE(line.waitFor("PASS " + portB)) << line.out().toStdString();

    EXPECT_EQ(line.interruptAndWait(), 0);
    EXPECT_TRUE(line.out().endsWith("3 passed, 0 failed\n")) << line.out().toStdString();
    EXPECT_FALSE(line.out().contains("FAIL"));

    const QStringList rows =
        QString::fromUtf8(clitest::readAll(log)).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 4) << rows.join('\n').toStdString();
    EXPECT_EQ(rows[0], "Time,Port,Ident,Result,Duration,FailedStep,Message,Backup");
    QStringList seen;
    for (int i = 1; i < rows.size(); ++i) {
        const QStringList f = rows[i].split(',');
        ASSERT_EQ(f.size(), 8) << rows[i].toStdString();
        EXPECT_EQ(f[3], "PASS");
        EXPECT_TRUE(f[4].toDouble() > 0) << rows[i].toStdString();
        seen << f[1] + " " + f[2];
    }
    seen.sort();
    EXPECT_EQ(seen, (QStringList{portA + " 5A 23 28", portA + " 5A 52 57", portB + " 5A 23 28"}));

    second.stop();
    third.stop();
    for (const char *name : {"first.dat", "second.dat", "third.dat"})
        EXPECT_EQ(
            clitest::differencesOutside(clitest::imageOf(path(name)), clitest::imageOf(planB)),
            std::vector<int>{})
            << name;
}

// A radio that answers the line's probe but fails its write is a FAIL line
// with the failing step, and the status of the whole run is 1.
TEST_F(ProgrammingLine, AFailedRadioIsLoggedWithItsStep) {
    SimRadio deaf({"--image", planA, "--ignore-writes", "0020"});
    const QString port = path("radio");
    pointPort(port, deaf.pty());
    RunningCli line({"program", planB, "--port", port, "--verify", "--log", path("line.csv"),
                     "--program-dir", folder.path()});
    ASSERT_TRUE(line.waitFor("FAIL " + port)) << line.err().toStdString();
    EXPECT_EQ(line.interruptAndWait(), 1);
    EXPECT_TRUE(line.out().contains(": verify: Verify failed at address 0020"))
        << line.out().toStdString();
    const QStringList rows =
        QString::fromUtf8(clitest::readAll(path("line.csv"))).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[1].contains(",FAIL,")) << rows[1].toStdString();
    EXPECT_TRUE(rows[1].contains(",verify,Verify failed at address 0020")) << rows[1].toStdString();
}

// A port that cannot be opened at the start ends the line at once (exit 2)
// before any radio is programmed, even when another port holds a radio.
TEST_F(ProgrammingLine, APortThatCannotBeOpenedEndsTheLineAtOnce) {
    const QString frames = path("frames.log");
    SimRadio radio({"--image", planA, "--log", frames});
    struct Case {
        QString port, reason;
    } cases[] = {{path("no-such-port"), "cannot be opened"},
                 {"COM16", "no serial device has this number"}};
    for (const auto &k : cases) {
        QProcess p;
        p.start(clitest::binary("brenvik-cli"), {"program", planB, "--port", radio.pty(), "--port",
                                                 k.port, "--program-dir", folder.path()});
        ASSERT_TRUE(p.waitForFinished(20000)) << "the line waited for a radio";
        EXPECT_EQ(p.exitCode(), 2);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        EXPECT_TRUE(err.contains(k.port + ": ")) << err.toStdString();
        EXPECT_TRUE(err.contains(k.reason)) << err.toStdString();
    }
    radio.stop();
    EXPECT_TRUE(clitest::readAll(frames).isEmpty());
}

// --count ends the line by itself once that many radios passed; each radio's
// line gives its duration. With --backup an unsupported radio is named as
// write names it.
TEST_F(ProgrammingLine, CountEndsTheLineAndUnsupportedRadiosAreNamed) {
    SimRadio radio({"--image", planA});
    const QString port = path("radio");
    pointPort(port, radio.pty());
    QProcess p;
    p.start(clitest::binary("brenvik-cli"),
            {"program", planB, "--port", port, "--count", "1", "--program-dir", folder.path()});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QRegularExpression("^PASS " + QRegularExpression::escape(port) +
                                                " ident 5A 23 28 in \\d+\\.\\d s\\n")))
        << out.toStdString();
    EXPECT_TRUE(out.endsWith("1 passed, 0 failed\n")) << out.toStdString();

    SimRadio unsupported({"--image", planA, "--ident", "unsupported"});
    pointPort(port, unsupported.pty());
    RunningCli line({"program", planB, "--port", port, "--backup", work.path(), "--program-dir",
                     folder.path()});
    ASSERT_TRUE(line.waitFor("FAIL " + port)) << line.err().toStdString();
    EXPECT_EQ(line.interruptAndWait(), 1);
    EXPECT_TRUE(line.out().contains(": backup: This software Can't support this radio!"))
        << line.out().toStdString();
}
