#include "comm/Waiter.h"

#include "comm/SerialPort.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace cps {

void BlockingWaiter::delay(int ms) {
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void BlockingWaiter::pause(int ms) {
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void BlockingWaiter::waitForInput(SerialPort &port, int ms) {
    if (ms > 0)
        port.waitForInput(ms);
}

void BlockingWaiter::waitForRest(SerialPort &port, int ms) {
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
    port.collectPending();
}

void EventLoopWaiter::delay(int ms) {
    runLoop(ms, nullptr, false);
}

void EventLoopWaiter::pause(int ms) {
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void EventLoopWaiter::waitForInput(SerialPort &port, int ms) {
    runLoop(ms, &port, true);
}

void EventLoopWaiter::waitForRest(SerialPort &port, int ms) {
    port.setInputNotices(false);
    runLoop(ms, &port, false);
    port.setInputNotices(true);
    port.collectPending();
}

// Runs a local event loop until the deadline, or, when a port is given, until
// the wait is woken, the device is lost or (endOnInput) new bytes come in.
// Timers wake the loop; nothing polls.
void EventLoopWaiter::runLoop(int ms, SerialPort *port, bool endOnInput) {
    if (ms <= 0)
        return;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (port) {
        if (endOnInput)
            connect(port, &SerialPort::readyRead, &loop, &QEventLoop::quit);
        connect(port, &SerialPort::deviceLost, &loop, &QEventLoop::quit);
        connect(this, &EventLoopWaiter::wakeRequested, &loop, &QEventLoop::quit);
    }
    deadline.start(ms);
    loop.exec();
}

} // namespace cps
