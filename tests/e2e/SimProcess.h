#pragma once
// Starts brenvik-radio-sim from the build's program folder and learns the
// pseudo-terminal it serves (the first line it prints).
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace testsupport {

class SimProcess {
  public:
    explicit SimProcess(const QStringList &args) {
        process.setProgram(QStringLiteral(BRENVIK_PROGRAM_DIR "/brenvik-radio-sim"));
        process.setArguments(args);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start();
        if (!process.waitForStarted(5000))
            return;
        QByteArray line;
        while (!line.endsWith('\n') && process.waitForReadyRead(5000))
            line += process.readLine();
        path = QString::fromLocal8Bit(line).trimmed();
    }
    ~SimProcess() { stop(); }

    // SIGTERM, then waits: the simulator saves its memory if asked. True when
    // it ended cleanly.
    bool stop() {
        if (process.state() == QProcess::NotRunning)
            return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
            return false;
        }
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    QProcess process;
    QString path; // e.g. /dev/pts/3; empty when the simulator did not start
};

} // namespace testsupport
