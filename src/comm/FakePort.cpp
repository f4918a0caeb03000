#include "comm/FakePort.h"

#include "core/Failure.h"

namespace cps {

void FakePort::deliver(const QByteArray &bytes, qint64 afterMs) {
    inFlight_.emplace(clock_.now + afterMs, bytes);
}

void FakePort::deliverUnnoticed(const QByteArray &bytes, qint64 afterMs) {
    unnoticed_.emplace(clock_.now + afterMs, bytes);
}

void FakePort::collectPending() {
    check();
    moveArrived();
    while (!unnoticed_.empty() && unnoticed_.begin()->first <= clock_.now) {
        input_ += unnoticed_.begin()->second;
        unnoticed_.erase(unnoticed_.begin());
    }
}

qint64 FakePort::nextArrival() const {
    return inFlight_.empty() ? -1 : inFlight_.begin()->first;
}

void FakePort::moveArrived() {
    while (!inFlight_.empty() && inFlight_.begin()->first <= clock_.now) {
        input_ += inFlight_.begin()->second;
        inFlight_.erase(inFlight_.begin());
    }
}

void FakePort::check() const {
    if (!open_)
        raise(porterr::NotOpen, "comCommun");
    if (lost) {
        const_cast<FakePort *>(this)->unplugged_ = true;
        raise(porterr::DeviceLost, "comCommun");
    }
}

void FakePort::select(int comNumber) {
    if (comNumber < 1 || comNumber > kPortCount)
        raise(porterr::InvalidPort, "comCommun");
    com_ = comNumber;
}

void FakePort::open() {
    openFailure_ = {};
    unplugged_ = false;
    if (const auto e = openErrors.find(com_); e != openErrors.end()) {
        openFailure_ =
            platform::diagnosePort(e->second, deviceName(com_).toStdString(),
                                   accessFacts ? *accessFacts : platform::systemPortAccessFacts());
        raise(porterr::PortOpen, "comCommun");
    }
    if (open_ || missingPorts.count(com_))
        raise(porterr::PortOpen, "comCommun");
    open_ = true;
    ++openCount;
    input_.clear();
    inFlight_.clear();
    unnoticed_.clear();
}

void FakePort::close() {
    if (!open_)
        return;
    open_ = false;
    ++closeCount;
}

void FakePort::discardInput() {
    check();
    moveArrived();
    input_.clear();
}

void FakePort::send(const QByteArray &bytes) {
    check();
    sentFrames.push_back(bytes);
    if (responder)
        responder(bytes);
}

int FakePort::bytesWaiting() {
    check();
    moveArrived();
    return static_cast<int>(input_.size());
}

QByteArray FakePort::takeAll() {
    check();
    moveArrived();
    QByteArray all;
    all.swap(input_);
    return all;
}

bool FakePort::waitForInput(int ms) {
    check();
    const qint64 next = nextArrival();
    if (next >= 0 && next <= clock_.now + ms) {
        clock_.now = std::max(clock_.now, next);
        moveArrived();
        return true;
    }
    clock_.now += ms;
    return false;
}

QString FakePort::deviceName(int comNumber) const {
    return QStringLiteral("fake%1").arg(comNumber);
}

void VirtualWaiter::waitForInput(SerialPort &, int ms) {
    ++inputWaits;
    advanceTo(clock_.now + ms, Until::Input);
}

void VirtualWaiter::waitForRest(SerialPort &port, int ms) {
    ++restWaits;
    advanceTo(clock_.now + ms, Until::WakeOrEvent);
    port.collectPending();
}

void VirtualWaiter::advanceTo(qint64 target, Until until) {
    const qint64 start = clock_.now;
    const bool onInput = until == Until::Input;
    woken_ = false;
    auto inputDue = [&] {
        const qint64 arrival = port_.nextArrival();
        return arrival >= 0 && arrival <= clock_.now;
    };
    for (;;) {
        qint64 next = target;
        const qint64 arrival = port_.nextArrival();
        if (onInput && arrival >= 0)
            next = std::min(next, std::max(arrival, clock_.now));
        if (!events_.empty())
            next = std::min(next, events_.begin()->first);
        clock_.now = std::max(clock_.now, next);
        bool ranEvent = false;
        while (!events_.empty() && events_.begin()->first <= clock_.now) {
            auto action = std::move(events_.begin()->second);
            events_.erase(events_.begin());
            action();
            ranEvent = true;
        }
        if (clock_.now >= target)
            break;
        // An event may have changed what the waiter looks at (Stop, a lost device).
        if (until != Until::Deadline && (woken_ || ranEvent || (onInput && inputDue())))
            break;
    }
    if (until == Until::Deadline)
        totalDelay += clock_.now - start;
}

} // namespace cps
