#include "cli/StopSignals.h"

#include "platform/StopWaiter.h"

#include <QString>
#include <QThread>
#include <exception>
#include <memory>

namespace cli {

void StopSignals::run(const std::function<void()> &work) {
    platform::StopWaiter stop; // before the thread: it must not take the signals
    std::exception_ptr failure;
    // A QThread, not a bare thread: the serial port's notifiers need Qt's thread data.
    std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        stop.wake();
    }));
    worker->start();
    if (const int s = stop.wait())
        signal_ = s;
    worker->wait();
    if (failure)
        std::rethrow_exception(failure);
}

std::string StopSignals::stoppedText(const std::string &stoppedByText) const {
    return QString::fromStdString(stoppedByText)
        .arg(QString::fromStdString(platform::stopSignalName(signal_)))
        .toStdString();
}

} // namespace cli
