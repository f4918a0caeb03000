#pragma once
// Shared by the window benchmarks: a private program folder (the build's files
// are never touched), message boxes answered without a user, and the median
// of timed rounds.
#include "support/ProgramFolder.h"
#include "support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace bench {

// The tests' private program folder (the build's files are never touched),
// in English.
class ProgramFolder : public testsupport::ProgramFolder {
  public:
    ProgramFolder() { set("Language", "3"); }
};

// Answers Yes (or OK) to every message box; counts them, as none is expected.
class SilentDialogs : public testsupport::ScriptedDialogs {
  public:
    int shown() const { return static_cast<int>(asked.size()); }
};

// Windows are drawn offscreen unless the caller chose a platform; call before
// the QApplication is made.
inline void preferOffscreen() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Runs pending events, including deferred deletes.
inline void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Runs the main window's start-up and shows it at `width` x `height`, active;
// false (with a message) when the start-up did not end with the channel
// window, which every window benchmark measures.
template <typename MainWindow> bool startUp(MainWindow &w, int width, int height) {
    if (!w.MDIForm_Load() || !w.chMem()) {
        std::fprintf(stderr, "start-up failed\n");
        return false;
    }
    w.resize(width, height);
    w.show();
    w.activateWindow();
    settle();
    return true;
}

// Starts the virtual radio at wire timing (with `extra` options) and returns
// its pseudo-terminal, or an empty string (with a message) when it did not start.
inline QString startWireTimedRadio(QProcess &sim, const QStringList &extra = {}) {
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QStringLiteral(BRENVIK_PROGRAM_DIR "/brenvik-radio-sim"),
              QStringList{"--wire-timing"} + extra);
    QByteArray line;
    while (!line.endsWith('\n') && sim.waitForReadyRead(5000))
        line += sim.readLine();
    const QString pty = QString::fromLocal8Bit(line).trimmed();
    if (pty.isEmpty())
        std::fprintf(stderr, "brenvik-radio-sim did not start\n");
    return pty;
}

// The middle value of `v` (the upper one of an even count).
inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Median milliseconds of `rounds` runs of `round(r)`; each round ends with the
// pending events (repaints included) processed, as the user waits for them.
inline double medianMs(int rounds, const std::function<void(int)> &round) {
    std::vector<double> ms;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        round(r);
        settle();
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    return median(ms);
}

} // namespace bench
