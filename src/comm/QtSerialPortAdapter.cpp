#include "comm/QtSerialPortAdapter.h"

#include "comm/PortMap.h"
#include "platform/LowLatency.h"

#include <cerrno>

namespace cps {

QtSerialPortAdapter::QtSerialPortAdapter(const Cps &c, QObject *parent)
    : SerialPort(parent), c_(c) {
    connect(&port_, &QSerialPort::readyRead, this, &SerialPort::readyRead);
    connect(&port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        // A vanished device (cable pulled, pseudo-terminal closed) shows as a
        // resource, read or write error. From then on every operation fails at
        // once instead of waiting out its time-out. Qt would report the dead
        // descriptor again on every turn of the event loop, so let go of it.
        const bool fatal = e == QSerialPort::ResourceError || e == QSerialPort::ReadError ||
                           e == QSerialPort::WriteError;
        if (!fatal || lost_ || !port_.isOpen())
            return;
        lost_ = true;
        unplugged_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (lost_ && port_.isOpen())
                    port_.close();
            },
            Qt::QueuedConnection);
        emit deviceLost();
    });
}

QtSerialPortAdapter::~QtSerialPortAdapter() {
    if (port_.isOpen())
        port_.close();
}

QString QtSerialPortAdapter::deviceName(int comNumber) const {
    if (comNumber < 1 || comNumber > kPortCount)
        return {};
    return mapComPorts(c_.ini(), systemSerialDevices())[static_cast<std::size_t>(comNumber - 1)];
}

void QtSerialPortAdapter::select(int comNumber) {
    if (comNumber < 1 || comNumber > kPortCount)
        raise(porterr::InvalidPort, "comCommun");
    com_ = comNumber;
}

void QtSerialPortAdapter::open() {
    if (port_.isOpen())
        raise(porterr::PortOpen, "comCommun");
    openFailure_ = {};
    unplugged_ = false;
    const QString device = deviceName(com_);
    if (device.isEmpty()) {
        openFailure_ = platform::diagnosePort(ENOENT, "COM" + std::to_string(com_),
                                              platform::systemPortAccessFacts());
        raise(porterr::InvalidPort, "comCommun");
    }
    port_.setPortName(device);
    lost_ = false;
    if (!port_.open(QIODevice::ReadWrite)) {
        // QSerialPort folds the system's reasons together: ask the system again.
        openFailure_ = platform::diagnoseFailedOpen(device.toStdString());
        raise(porterr::PortOpen, "comCommun");
    }
    const bool settingsOk =
        port_.setBaudRate(QSerialPort::Baud9600) && port_.setDataBits(QSerialPort::Data8) &&
        port_.setParity(QSerialPort::NoParity) && port_.setStopBits(QSerialPort::OneStop) &&
        port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!settingsOk) {
        port_.close();
        openFailure_ =
            platform::diagnosePort(EIO, device.toStdString(), platform::systemPortAccessFacts());
        raise(porterr::PortOpen, "comCommun");
    }
    // USB-serial adapters would hold short replies back for their latency timer.
    lowLatency_ = platform::requestLowLatency(port_.handle());
    // QSerialPort reads through a notifier of its own; a wait for the rest of a
    // reply switches it off so the bytes do not wake the event loop one by one.
    readNotifier_ = nullptr;
    for (QSocketNotifier *n : port_.findChildren<QSocketNotifier *>())
        if (n->type() == QSocketNotifier::Read)
            readNotifier_ = n;
}

void QtSerialPortAdapter::setInputNotices(bool on) {
    if (readNotifier_ && port_.isOpen() && !lost_)
        readNotifier_->setEnabled(on);
}

void QtSerialPortAdapter::close() {
    lost_ = false;
    if (!port_.isOpen())
        return;
    port_.close();
    port_.clearError();
}

void QtSerialPortAdapter::throwIfLost() const {
    if (!port_.isOpen())
        raise(porterr::NotOpen, "comCommun");
    if (lost_)
        raise(porterr::DeviceLost, "comCommun");
}

void QtSerialPortAdapter::discardOutput() {
    throwIfLost();
    port_.clear(QSerialPort::Output);
}

void QtSerialPortAdapter::discardInput() {
    throwIfLost();
    port_.clear(QSerialPort::Input);
}

void QtSerialPortAdapter::send(const QByteArray &bytes) {
    throwIfLost();
    if (port_.write(bytes) != bytes.size()) {
        unplugged_ = true;
        raise(porterr::DeviceLost, "comCommun");
    }
    // Hand the bytes to the driver now rather than at the next event loop turn.
    port_.flush();
    throwIfLost();
}

int QtSerialPortAdapter::bytesWaiting() {
    throwIfLost();
    return static_cast<int>(port_.bytesAvailable());
}

QByteArray QtSerialPortAdapter::takeAll() {
    throwIfLost();
    return port_.readAll();
}

void QtSerialPortAdapter::collectPending() {
    throwIfLost();
    // A zero wait reads what the driver holds and returns at once.
    port_.waitForReadyRead(0);
}

bool QtSerialPortAdapter::waitForInput(int ms) {
    throwIfLost();
    const bool arrived = port_.waitForReadyRead(ms);
    if (!arrived && port_.error() == QSerialPort::ResourceError)
        lost_ = unplugged_ = true;
    return arrived;
}

} // namespace cps
