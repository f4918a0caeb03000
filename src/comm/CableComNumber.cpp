#include "comm/CableComNumber.h"

#include "comm/PortMap.h"
#include "comm/SerialPort.h"

namespace cps {

int comNumberForCable(const IniFile &ini, const QStringList &devices, const QString &cable,
                      int selected) {
    const auto map = mapComPorts(ini, sortSerialDevices(devices));
    const auto deviceOf = [&](int n) { return map[static_cast<std::size_t>(n - 1)]; };
    for (int n = 1; n <= kPortCount; ++n)
        if (ini.read(kPortsSection, std::to_string(n), "", 512) == cable.toStdString())
            return n;
    const auto free = [&](int n) {
        const QString d = deviceOf(n);
        return d.isEmpty() || d == cable || !devices.contains(d);
    };
    if (selected >= 1 && selected <= kPortCount && free(selected))
        return selected;
    for (int n = 1; n <= kPortCount; ++n)
        if (deviceOf(n) == cable)
            return n;
    for (int n = 1; n <= kPortCount; ++n)
        if (deviceOf(n).isEmpty())
            return n;
    return 0;
}

void pinComNumber(const IniFile &ini, int number, const QString &cable) {
    ini.store(kPortsSection, std::to_string(number), cable.toStdString());
}

} // namespace cps
