#pragma once
// Which serial ports can be used: each is really opened and closed, so a port
// held by another program counts as unusable.
#include "comm/SerialPort.h"
#include "core/Cps.h"

#include <array>

namespace cps {

// One entry per COM number: 0 not probed, 1 opened and closed, -1 failed.
using PortStatusTable = std::array<int, kPortCount>;

// Opens and closes COMn; false when either fails. Leaves COMn selected.
bool probePort(SerialPort &port, int comNumber);

// The main window's probe of one port, recorded in the status table.
void VerdictCom(SerialPort &port, PortStatusTable &status, int comNumber);
// Probes COM1..COM16 in order.
void EnableCOM(SerialPort &port, PortStatusTable &status);
// Probes every port and takes the lowest usable one as the port number
// (settings key "COM"); nothing changes when none is usable.
void AutoSetPort(Cps &c, SerialPort &port, PortStatusTable &status);

} // namespace cps
