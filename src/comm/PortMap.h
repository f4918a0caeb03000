#pragma once
// Which device each of COM1..COM16 stands for on this machine.
//
//   1. An explicit entry in the settings file wins: section [Ports], key = COM
//      number, value = device path (for example "3=/dev/pts/5").
//   2. The COM numbers without an entry take this machine's serial devices in
//      a stable order: /dev/ttyUSB* (USB-serial cables), then /dev/ttyACM*,
//      then /dev/ttyS*, then any other serial device, each family by number.
//      A device already named in [Ports] is not given a second number.
//
// An entry left by a brenvik-radio-sim that is no longer running counts as no
// entry (core/PortsEntry.h).
//
// On Windows the numbers are the system's own names COM1..COM16; on macOS the
// call-out devices /dev/cu.* take them (platform/SerialDeviceNames.h).
#include "core/Ini.h"

#include <QString>
#include <QStringList>
#include <array>

namespace cps {

constexpr const char *kPortsSection = "Ports";

// Sorts device paths into the automatic order described above.
QStringList sortSerialDevices(QStringList devices);
// This machine's serial devices in the automatic order.
QStringList systemSerialDevices();

// Device for every COM number (index 0 = COM1); empty where there is none.
std::array<QString, 16> mapComPorts(const IniFile &ini, const QStringList &devices);

} // namespace cps
