#include "comm/PortProbe.h"

#include <string>

namespace cps {

bool probePort(SerialPort &port, int comNumber) {
    try {
        port.select(comNumber);
        port.open();
        port.close();
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

void VerdictCom(SerialPort &port, PortStatusTable &status, int comNumber) {
    // A number outside 1..16 indexes no entry: a run-time error for the caller.
    int &entry = status.at(static_cast<std::size_t>(comNumber - 1));
    entry = 1;
    if (!probePort(port, comNumber))
        entry = -1;
}

void EnableCOM(SerialPort &port, PortStatusTable &status) {
    for (int n = 1; n <= kPortCount; ++n)
        VerdictCom(port, status, n);
}

void AutoSetPort(Cps &c, SerialPort &port, PortStatusTable &status) {
    guarded(c.log(), "mdifrmMain->AutoSetPort", [&] {
        EnableCOM(port, status);
        for (int n = 1; n <= kPortCount; ++n) {
            if (status[static_cast<std::size_t>(n - 1)] != 1)
                continue;
            c.settings.com = static_cast<int16_t>(n);
            if (!c.settingsReadOnly)
                c.ini().store("Setting", "COM", std::to_string(n));
            return;
        }
    });
}

} // namespace cps
