#include "comm/SerialDeviceFacts.h"

#include <QSerialPortInfo>

namespace cps {

namespace {

QString hex4(const std::optional<uint16_t> &v) {
    return v ? QStringLiteral("%1").arg(*v, 4, 16, QLatin1Char('0')) : QString();
}

SerialDeviceFacts factsOf(const QSerialPortInfo &p) {
    SerialDeviceFacts f;
    f.device = p.systemLocation();
    f.description = p.description();
    f.maker = p.manufacturer();
    f.serialNumber = p.serialNumber();
    if (p.hasVendorIdentifier() && p.hasProductIdentifier()) {
        f.vid = p.vendorIdentifier();
        f.pid = p.productIdentifier();
        f.chip = cableChipName(*f.vid, *f.pid);
    }
    return f;
}

} // namespace

QString SerialDeviceFacts::vidHex() const {
    return hex4(vid);
}
QString SerialDeviceFacts::pidHex() const {
    return hex4(pid);
}
QString SerialDeviceFacts::usbId() const {
    return vid && pid ? vidHex() + QLatin1Char(':') + pidHex() : QString();
}

const std::vector<CableChip> &cableChips() {
    static const std::vector<CableChip> chips = {
        {0x1a86, 0x7523, "CH340/CH341"}, {0x1a86, 0x5523, "CH340/CH341"},
        {0x1a86, 0x55d4, "CH9102"},      {0x067b, 0x2303, "PL2303"},
        {0x067b, 0x23a3, "PL2303"},      {0x10c4, 0xea60, "CP210x"},
        {0x10c4, 0xea70, "CP210x"},      {0x10c4, 0xea71, "CP210x"},
        {0x0403, 0x6001, "FTDI FT232R"}, {0x0403, 0x6015, "FTDI FT230X"},
    };
    return chips;
}

QString cableChipName(uint16_t vid, uint16_t pid) {
    for (const CableChip &c : cableChips())
        if (c.vid == vid && c.pid == pid)
            return QString::fromLatin1(c.name);
    return {};
}

std::vector<SerialDeviceFacts> listSerialDeviceFacts() {
    std::vector<SerialDeviceFacts> all;
    for (const QSerialPortInfo &p : QSerialPortInfo::availablePorts())
        all.push_back(factsOf(p));
    return all;
}

SerialDeviceFacts serialDeviceFacts(const QString &device) {
    for (const SerialDeviceFacts &f : listSerialDeviceFacts())
        if (f.device == device)
            return f;
    SerialDeviceFacts f;
    f.device = device;
    return f;
}

} // namespace cps
