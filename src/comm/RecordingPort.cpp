#include "comm/RecordingPort.h"

namespace cps {

RecordingPort::RecordingPort(SerialPort &inner, QObject *parent)
    : SerialPort(parent), inner_(inner) {
    connect(&inner_, &SerialPort::readyRead, this, &SerialPort::readyRead);
    connect(&inner_, &SerialPort::deviceLost, this, &SerialPort::deviceLost);
}

void RecordingPort::send(const QByteArray &bytes) {
    sent_.push_back(bytes);
    inner_.send(bytes);
}

} // namespace cps
