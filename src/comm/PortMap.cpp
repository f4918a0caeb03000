#include "comm/PortMap.h"

#include "core/PortsEntry.h"

#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>
#include <tuple>

namespace cps {

namespace {

// (family rank, number, name): ttyUSB < ttyACM < ttyS < others.
std::tuple<int, long, QString> orderKey(const QString &path) {
    static const QRegularExpression pattern(QStringLiteral("^(?:/dev/)?tty(USB|ACM|S)(\\d+)$"));
    const auto m = pattern.match(path);
    if (!m.hasMatch())
        return {3, 0, path};
    const QString family = m.captured(1);
    const int rank = family == QLatin1String("USB") ? 0 : family == QLatin1String("ACM") ? 1 : 2;
    return {rank, m.captured(2).toLong(), path};
}

} // namespace

QStringList sortSerialDevices(QStringList devices) {
    std::stable_sort(devices.begin(), devices.end(),
                     [](const QString &a, const QString &b) { return orderKey(a) < orderKey(b); });
    devices.removeDuplicates();
    return devices;
}

QStringList systemSerialDevices() {
    QStringList devices;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        devices << info.systemLocation();
    return sortSerialDevices(devices);
}

std::array<QString, 16> mapComPorts(const IniFile &ini, const QStringList &devices) {
    std::array<QString, 16> map;
#ifdef Q_OS_WIN
    Q_UNUSED(devices);
    for (int n = 1; n <= 16; ++n) {
        const std::string explicitPath =
            liveDevice(ini.read(kPortsSection, std::to_string(n), "", 1024));
        map[n - 1] = explicitPath.empty() ? QStringLiteral("COM%1").arg(n)
                                          : QString::fromStdString(explicitPath);
    }
#else
    QStringList taken;
    for (int n = 1; n <= 16; ++n) {
        const std::string explicitPath =
            liveDevice(ini.read(kPortsSection, std::to_string(n), "", 1024));
        map[static_cast<std::size_t>(n - 1)] = QString::fromStdString(explicitPath);
        if (!explicitPath.empty())
            taken << QString::fromStdString(explicitPath);
    }
    auto next = devices.cbegin();
    for (auto &slot : map) {
        if (!slot.isEmpty())
            continue;
        while (next != devices.cend() && taken.contains(*next))
            ++next;
        if (next == devices.cend())
            break;
        slot = *next++;
    }
#endif
    return map;
}

} // namespace cps
