#pragma once
// An in-memory serial link on a virtual clock, for tests: whatever the tool
// sends goes to a responder, which schedules reply bytes to arrive after a
// given number of virtual milliseconds. VirtualWaiter advances the clock
// straight to the next arrival or deadline, so a transfer that would take
// seconds on the wire runs at once and the elapsed time is exact.
#include "comm/SerialPort.h"
#include "comm/Waiter.h"

#include <functional>
#include <map>
#include <set>
#include <vector>

namespace cps {

struct VirtualClock {
    qint64 now = 0;
};

class FakePort : public SerialPort {
    Q_OBJECT
  public:
    explicit FakePort(VirtualClock &clock, QObject *parent = nullptr)
        : SerialPort(parent), clock_(clock) {}

    // Called with every frame sent; it answers through deliver().
    std::function<void(const QByteArray &frame)> responder;
    // COM numbers whose open fails.
    std::set<int> missingPorts;
    // COM numbers whose open fails with a system error number (EACCES, EBUSY,
    // ...), explained with `accessFacts` (the system's when null).
    std::map<int, int> openErrors;
    const platform::PortAccessFacts *accessFacts = nullptr;
    // When set, every operation on the open port fails as a vanished device does.
    bool lost = false;

    // Schedules bytes to arrive after `afterMs` virtual milliseconds.
    void deliver(const QByteArray &bytes, qint64 afterMs = 0);
    // Bytes that reach the system's buffer after `afterMs` but go unnoticed
    // (no wake-up, not counted as waiting) until collectPending(): a process
    // that was not scheduled while they came in.
    void deliverUnnoticed(const QByteArray &bytes, qint64 afterMs);
    // Time of the earliest scheduled arrival still in flight (-1 when none).
    qint64 nextArrival() const;

    // Every frame sent, in order.
    std::vector<QByteArray> sentFrames;
    int openCount = 0, closeCount = 0;

    void select(int comNumber) override;
    int selected() const override { return com_; }
    void open() override;
    void close() override;
    bool isOpen() const override { return open_; }
    void discardOutput() override { check(); }
    void discardInput() override;
    void send(const QByteArray &bytes) override;
    int bytesWaiting() override;
    QByteArray takeAll() override;
    void collectPending() override;
    bool waitForInput(int ms) override;
    QString deviceName(int comNumber) const override;

  private:
    void check() const;
    void moveArrived();

    VirtualClock &clock_;
    std::multimap<qint64, QByteArray> inFlight_, unnoticed_;
    QByteArray input_;
    int com_ = 1;
    bool open_ = false;
};

// Waits on the virtual clock: time jumps to the next arrival, scheduled event
// or deadline, whichever comes first.
class VirtualWaiter : public Waiter {
  public:
    VirtualWaiter(VirtualClock &clock, FakePort &port) : clock_(clock), port_(port) {}

    // Runs `action` once the clock reaches `at` (for example: tick Stop at 30 ms).
    void at(qint64 at, std::function<void()> action) { events_.emplace(at, std::move(action)); }

    qint64 nowMs() override { return clock_.now; }
    void delay(int ms) override { advanceTo(clock_.now + ms, Until::Deadline); }
    void pause(int ms) override { advanceTo(clock_.now + ms, Until::Deadline); }
    void waitForInput(SerialPort &port, int ms) override;
    void waitForRest(SerialPort &port, int ms) override;
    void wake() override { woken_ = true; }

    qint64 totalDelay = 0; // virtual ms spent in delay() and pause()
    int inputWaits = 0;    // calls of waitForInput()
    int restWaits = 0;     // calls of waitForRest()

  private:
    // What ends a wait besides its deadline: nothing (delay, pause), a wake or
    // event (rest of a reply), or also new input.
    enum class Until { Deadline, WakeOrEvent, Input };
    void advanceTo(qint64 target, Until until);

    VirtualClock &clock_;
    FakePort &port_;
    std::multimap<qint64, std::function<void()>> events_;
    bool woken_ = false;
};

} // namespace cps
