#include "comm/PortMap.h"

#include "core/PortsEntry.h"
#include "platform/SerialDeviceNames.h"

#include <QSerialPortInfo>

namespace cps {

namespace {

std::vector<std::string> toStd(const QStringList &list) {
    std::vector<std::string> out;
    for (const QString &s : list)
        out.push_back(s.toStdString());
    return out;
}

} // namespace

QStringList sortSerialDevices(QStringList devices) {
    QStringList sorted;
    for (const std::string &d :
         platform::orderSerialDevices(platform::thisSystemsNaming(), toStd(devices)))
        sorted << QString::fromStdString(d);
    return sorted;
}

QStringList systemSerialDevices() {
    QStringList devices;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        devices << info.systemLocation();
    return sortSerialDevices(devices);
}

std::array<QString, 16> mapComPorts(const IniFile &ini, const QStringList &devices) {
    platform::ComAssignment entries;
    for (int n = 1; n <= platform::kComNumbers; ++n)
        entries[static_cast<std::size_t>(n - 1)] =
            liveDevice(ini.read(kPortsSection, std::to_string(n), "", 1024));
    const auto assigned =
        platform::assignComNumbers(platform::thisSystemsNaming(), entries, toStd(devices));
    std::array<QString, 16> map;
    for (std::size_t k = 0; k < map.size(); ++k)
        map[k] = QString::fromStdString(assigned[k]);
    return map;
}

} // namespace cps
