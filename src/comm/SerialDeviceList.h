#pragma once
// Where the list of serial devices comes from: the system's enumeration, or a
// list that tests drive (pseudo-terminals are never listed by the system, and
// a test cannot plug a USB cable in).
#include "comm/SerialDeviceFacts.h"

#include <QString>
#include <mutex>
#include <vector>

namespace cps {

class SerialDeviceList {
  public:
    virtual ~SerialDeviceList() = default;
    // Every serial device present now, with its facts. Callable from any thread.
    virtual std::vector<SerialDeviceFacts> snapshot() const = 0;
};

// The system's serial devices (QSerialPortInfo).
class SystemSerialDeviceList : public SerialDeviceList {
  public:
    std::vector<SerialDeviceFacts> snapshot() const override;
};

// A list the caller sets: devices appear and disappear with set().
class FedSerialDeviceList : public SerialDeviceList {
  public:
    void set(std::vector<SerialDeviceFacts> devices);
    std::vector<SerialDeviceFacts> snapshot() const override;

  private:
    mutable std::mutex lock_;
    std::vector<SerialDeviceFacts> devices_;
};

// A list read from a text file at every snapshot, so another process can
// plug and unplug devices by rewriting it. One device a line, fields
// separated by tabs: path, description, maker, USB id ("1a86:7523"), serial
// number; trailing fields may be left out. A missing file is an empty list.
class FileSerialDeviceList : public SerialDeviceList {
  public:
    explicit FileSerialDeviceList(QString path) : path_(std::move(path)) {}
    std::vector<SerialDeviceFacts> snapshot() const override;

  private:
    QString path_;
};

// One line of that file as facts (the chip from the USB id).
SerialDeviceFacts parseSerialDeviceLine(const QString &line);

} // namespace cps
