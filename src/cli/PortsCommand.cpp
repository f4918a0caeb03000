// The ports command: which device each COM number stands for, and every
// serial device of the machine with its description, maker and USB ids.
#include "cli/Commands.h"
#include "cli/PlanFile.h"
#include "cli/StreamSink.h"
#include "comm/PortMap.h"
#include "comm/SerialPort.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSerialPortInfo>
#include <cstdio>

namespace cli {

namespace {

struct DeviceInfo {
    std::string description, maker, usbId;
};

DeviceInfo infoFor(const QString &path) {
    for (const QSerialPortInfo &p : QSerialPortInfo::availablePorts()) {
        if (p.systemLocation() != path)
            continue;
        DeviceInfo d{p.description().toStdString(), p.manufacturer().toStdString(), {}};
        if (p.hasVendorIdentifier() && p.hasProductIdentifier()) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "%04x:%04x", p.vendorIdentifier(),
                          p.productIdentifier());
            d.usbId = buf;
        }
        return d;
    }
    return {};
}

std::string orDash(const std::string &s) {
    return s.empty() ? "-" : s;
}

} // namespace

int portsCommand(const Args &args, Console &console) {
    CommandSession session(args, console);
    cps::Cps &c = session.c;

    const QStringList devices = cps::systemSerialDevices();
    const auto map = cps::mapComPorts(c.ini(), devices);
    QStringList listed;
    QJsonArray json;
    const bool asJson = args.has("--json");
    if (!asJson)
        console.out << "COM\tDEVICE\tDESCRIPTION\tMAKER\tUSB\n";
    auto line = [&](const std::string &com, const QString &device) {
        const DeviceInfo d = infoFor(device);
        listed << device;
        if (asJson) {
            const auto orNull = [](const std::string &s) {
                return s.empty() ? QJsonValue() : QJsonValue(QString::fromStdString(s));
            };
            json.append(QJsonObject{{"com", com == "-" ? QJsonValue() : orNull(com)},
                                    {"device", device},
                                    {"description", orNull(d.description)},
                                    {"maker", orNull(d.maker)},
                                    {"usb", orNull(d.usbId)}});
            return;
        }
        console.out << com << '\t' << device.toStdString() << '\t' << orDash(d.description) << '\t'
                    << orDash(d.maker) << '\t' << orDash(d.usbId) << '\n';
    };
    for (int n = 1; n <= cps::kPortCount; ++n)
        if (const QString &device = map[static_cast<std::size_t>(n - 1)]; !device.isEmpty())
            line("COM" + std::to_string(n), device);
    for (const QString &device : devices)
        if (!listed.contains(device))
            line("-", device);
    if (asJson)
        console.out << QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString() << '\n';
    if (listed.isEmpty())
        console.err << "no serial devices found\n";
    return kExitOk;
}

} // namespace cli
