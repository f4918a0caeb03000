#include "comm/SerialDeviceList.h"

#include <QFile>
#include <QStringList>

namespace cps {

std::vector<SerialDeviceFacts> SystemSerialDeviceList::snapshot() const {
    return listSerialDeviceFacts();
}

void FedSerialDeviceList::set(std::vector<SerialDeviceFacts> devices) {
    std::lock_guard guard(lock_);
    devices_ = std::move(devices);
}

std::vector<SerialDeviceFacts> FedSerialDeviceList::snapshot() const {
    std::lock_guard guard(lock_);
    return devices_;
}

SerialDeviceFacts parseSerialDeviceLine(const QString &line) {
    const QStringList fields = line.split(QLatin1Char('\t'));
    const auto field = [&](int k) { return k < fields.size() ? fields[k].trimmed() : QString(); };
    SerialDeviceFacts f;
    f.device = field(0);
    f.description = field(1);
    f.maker = field(2);
    const QStringList usb = field(3).split(QLatin1Char(':'));
    bool vidOk = false, pidOk = false;
    if (usb.size() == 2) {
        const uint vid = usb[0].toUInt(&vidOk, 16), pid = usb[1].toUInt(&pidOk, 16);
        if (vidOk && pidOk && vid <= 0xffff && pid <= 0xffff) {
            f.vid = static_cast<uint16_t>(vid);
            f.pid = static_cast<uint16_t>(pid);
            f.chip = cableChipName(*f.vid, *f.pid);
        }
    }
    f.serialNumber = field(4);
    return f;
}

std::vector<SerialDeviceFacts> FileSerialDeviceList::snapshot() const {
    std::vector<SerialDeviceFacts> devices;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return devices;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines)
        if (!line.trimmed().isEmpty())
            devices.push_back(parseSerialDeviceLine(line));
    return devices;
}

} // namespace cps
