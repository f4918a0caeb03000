#include "comm/ProgrammingLine.h"

#include "comm/RadioPresence.h"
#include "comm/RadioRecord.h"
#include "comm/Waiter.h"

#include <QElapsedTimer>
#include <QThread>

namespace cps {

namespace {

// A transfer on the line shows nothing but, on request, its traffic log.
class LineTransferUi : public TransferUi {
  public:
    LineTransferUi(const QString &port,
                   const std::function<void(const QString &, const QString &)> &traffic,
                   const std::function<void(const QString &, int)> &progress)
        : port_(port), traffic_(traffic), progress_(progress) {}
    Waiter &waiter() override { return waiter_; }
    void insertLogEntry(int, const QString &entry) override {
        if (traffic_)
            traffic_(port_, entry);
    }
    void setProgress(int percent) override {
        if (progress_)
            progress_(port_, percent);
    }

  private:
    BlockingWaiter waiter_;
    QString port_;
    const std::function<void(const QString &, const QString &)> &traffic_;
    const std::function<void(const QString &, int)> &progress_;
};

} // namespace

ProgrammingLine::ProgrammingLine(const Cps &plan, LineSettings settings)
    : plan_(plan), settings_(std::move(settings)) {
    if (!settings_.recordDatabase.isEmpty())
        planSha256_ = planImageSha256(plan_);
}

QString ProgrammingLine::record(const LineResult &r) const {
    RecordEntry e;
    e.time = r.time;
    e.port = r.port;
    e.plan = settings_.planName;
    e.planSha256 = planSha256_;
    e.ident = r.ident;
    e.pass = r.pass;
    e.failedStep = r.pass ? QString() : stepName(r.failedStep);
    e.message = r.message;
    e.durationMs = r.durationMs;
    e.backupFile = r.backupFile;
    e.operatorName = settings_.operatorName;
    return appendRecord(plan_, settings_.recordDatabase, e).warning;
}

void ProgrammingLine::requestStop() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
}

bool ProgrammingLine::stopRequested() const {
    std::lock_guard lock(mutex_);
    return stop_;
}

bool ProgrammingLine::pauseUnlessStopped(int ms) {
    std::unique_lock lock(mutex_);
    return !wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop_; });
}

void ProgrammingLine::run(const std::vector<LinePort> &ports) {
    // QThreads, not bare threads: the serial port's notifiers need Qt's thread data.
    std::vector<std::unique_ptr<QThread>> threads;
    for (const auto &port : ports) {
        threads.emplace_back(QThread::create([this, &port] { runPort(port); }));
        threads.back()->start();
    }
    for (auto &t : threads)
        t->wait();
}

std::optional<QByteArray> ProgrammingLine::probe(const LinePort &port) {
    std::unique_ptr<SerialPort> link = port.makePort ? port.makePort() : nullptr;
    if (!link)
        return std::nullopt;
    try {
        link->select(1);
        link->open();
        BlockingWaiter waiter;
        auto ident = askForRadio(*link, waiter, settings_.probeReplyMs);
        link->close();
        return ident;
    } catch (const std::exception &) {
        // No device, a busy one, or one that went away during the probe: no radio.
        return std::nullopt;
    }
}

LineResult ProgrammingLine::program(const LinePort &port, const QByteArray &ident,
                                    TimeoutMark &mark) {
    LineResult result;
    result.time = QDateTime::currentDateTime();
    result.port = port.name;
    result.ident = ident;
    QElapsedTimer clock;
    clock.start();

    Cps c = plan_; // every radio gets the plan as it was loaded
    c.view = nullptr;
    std::unique_ptr<SerialPort> link = port.makePort ? port.makePort() : nullptr;
    if (!link) {
        result.failedStep = WriteStep::Write;
        result.message = QString::fromStdString(c.text(79));
    } else {
        LineTransferUi ui(port.name, onTraffic, onProgress);
        WriteChecks checks{settings_.verify, settings_.backupDir, port.name, {}};
        if (onStep)
            checks.onStep = [this, &port](WriteStep step) { onStep(port.name, step); };
        const CheckedWriteResult r = writeWithChecks(c, *link, ui, mark, checks);
        result.pass = r.ok;
        result.failedStep = r.failedStep;
        result.message = r.message;
        result.backupFile = r.backupFile;
    }
    result.durationMs = clock.elapsed();
    return result;
}

void ProgrammingLine::runPort(const LinePort &port) {
    TimeoutMark mark;
    const auto state = [&](LineState s) {
        if (onState)
            onState(port.name, s);
    };
    while (!stopRequested()) {
        state(LineState::WaitingForRadio);
        std::optional<QByteArray> ident;
        while (!(ident = probe(port)))
            if (!pauseUnlessStopped(settings_.probeIntervalMs))
                return;
        if (stopRequested())
            return;

        state(LineState::Programming);
        LineResult result = program(port, *ident, mark);
        // Recorded here, in the port's own thread: a busy database delays
        // this port's report, never the window or the other ports.
        if (!settings_.recordDatabase.isEmpty())
            result.recordWarning = record(result);
        if (onResult)
            onResult(result);

        state(LineState::WaitingForRemoval);
        for (int misses = 0; misses < settings_.goneAfterMisses;) {
            if (!pauseUnlessStopped(settings_.probeIntervalMs))
                return;
            misses = probe(port) ? 0 : misses + 1;
        }
    }
}

} // namespace cps
