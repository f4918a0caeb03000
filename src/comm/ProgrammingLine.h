#pragma once
// The programming line: one plan written to radio after radio on several
// ports at once. Each port runs in a thread of its own, with its own copy of
// the plan, engine state and time-out mark:
//
//   wait     probe about once a second until a radio answers (RadioPresence)
//   program  backup / write / verify (CheckedWrite), then report the result
//   gone     probe about once a second until the radio no longer answers
//
// requestStop() ends every port at its next wait; a radio being programmed is
// finished first.
#include "comm/CheckedWrite.h"
#include "comm/SerialPort.h"
#include "core/Cps.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace cps {

struct LinePort {
    QString name; // as the user named it; also names the backup files
    // A port ready to open, made in the port's own thread for every probe and
    // every radio (so a changed device mapping is followed); null when the
    // port has no device right now.
    std::function<std::unique_ptr<SerialPort>()> makePort;
};

struct LineSettings {
    bool verify = false;
    QString backupDir;
    int probeIntervalMs = 1000; // between two program requests on one port
    int probeReplyMs = 300;     // for each reply of a probe
    int goneAfterMisses = 2;    // unanswered probes that mean the radio was taken away
    // The record of every radio (RadioRecord.h): empty `recordDatabase`
    // keeps none. `planName` is the plan's file name as recorded.
    QString recordDatabase;
    QString planName;
    QString operatorName; // may stay empty
};

struct LineResult {
    QDateTime time; // when the radio answered
    QString port;
    QByteArray ident; // the radio's identification bytes
    bool pass = false;
    qint64 durationMs = 0;
    WriteStep failedStep = WriteStep::None;
    QString message;
    QString backupFile;
    // Why the result is not in the record of every radio (or a note on it,
    // such as a damaged database kept aside); empty when it was recorded.
    QString recordWarning;
};

enum class LineState { WaitingForRadio, Programming, WaitingForRemoval };

class ProgrammingLine {
  public:
    ProgrammingLine(const Cps &plan, LineSettings settings);

    // Called from the ports' threads; the callee serialises its output.
    std::function<void(const LineResult &)> onResult;
    std::function<void(const QString &port, LineState state)> onState;
    std::function<void(const QString &port, const QString &entry)> onTraffic;
    // Where a radio being programmed is: each step as it begins, and the
    // transfer's progress (0..100) within it.
    std::function<void(const QString &port, WriteStep step)> onStep;
    std::function<void(const QString &port, int percent)> onProgress;

    // Runs every port until requestStop(); returns when all have ended.
    void run(const std::vector<LinePort> &ports);
    // Safe from any thread (not from a signal handler).
    void requestStop();
    bool stopRequested() const;

  private:
    void runPort(const LinePort &port);
    std::optional<QByteArray> probe(const LinePort &port);
    LineResult program(const LinePort &port, const QByteArray &ident, TimeoutMark &mark);
    // Adds `r` to the record of every radio; the warning when it is not there.
    QString record(const LineResult &r) const;
    // Sleeps ms unless a stop is requested first; false when stopping.
    bool pauseUnlessStopped(int ms);

    const Cps &plan_;
    LineSettings settings_;
    QString planSha256_; // of the image every radio is sent
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
};

} // namespace cps
