#pragma once
// The serial link to one device named on the command line: a device path
// (/dev/ttyUSB0, /dev/pts/7) or COMn, mapped as the windows map it (the
// settings file's [Ports] section, then this machine's devices in order).
#include "comm/QtSerialPortAdapter.h"

#include <QString>
#include <string>

namespace cli {

// The device path for a --port value; COMn (any case) through the COM map.
// Throws CliFailure (radio/port failure) for a COM number without a device.
QString resolveDevice(const cps::Cps &c, const std::string &port);

// QSerialPort adapter whose every COM number stands for one fixed device.
class DevicePort : public cps::QtSerialPortAdapter {
  public:
    DevicePort(const cps::Cps &c, QString device)
        : QtSerialPortAdapter(c), device_(std::move(device)) {}
    QString deviceName(int) const override { return device_; }
    const QString &device() const { return device_; }

  private:
    QString device_;
};

} // namespace cli
