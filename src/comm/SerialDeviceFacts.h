#pragma once
// What the system knows of a serial device: description, maker, USB vendor and
// product, serial number, and for the chips programming cables are built on a
// plain name (CH340/CH341, PL2303, CP210x, FTDI FT232R/FT230X, CH9102).
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace cps {

struct SerialDeviceFacts {
    QString device; // the system's path, e.g. /dev/ttyUSB0
    QString description, maker, serialNumber;
    std::optional<uint16_t> vid, pid; // USB vendor and product
    QString chip;                     // empty for chips not in the cable list

    // "1a86" and "7523": four lower-case hex digits, empty when unknown.
    QString vidHex() const;
    QString pidHex() const;
    // "1a86:7523", empty when unknown.
    QString usbId() const;
};

struct CableChip {
    uint16_t vid, pid;
    const char *name;
};
// The USB-serial chips of programming cables, by vendor and product.
const std::vector<CableChip> &cableChips();
// The chip's plain name, empty when not one of them.
QString cableChipName(uint16_t vid, uint16_t pid);

// Every serial device the system lists, with its facts.
std::vector<SerialDeviceFacts> listSerialDeviceFacts();
// The facts of one device (only the path when the system does not list it:
// a pseudo-terminal, an unplugged cable).
SerialDeviceFacts serialDeviceFacts(const QString &device);

} // namespace cps
