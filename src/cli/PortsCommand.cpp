// The ports command: which device each COM number stands for, and every
// serial device of the machine with its description, maker, USB ids, serial
// number and cable chip.
#include "cli/Commands.h"
#include "cli/PlanFile.h"
#include "cli/StreamSink.h"
#include "comm/PortMap.h"
#include "comm/SerialDeviceFacts.h"
#include "comm/SerialPort.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {

namespace {

std::string orDash(const std::string &s) {
    return s.empty() ? "-" : s;
}

QJsonObject factsJson(const cps::SerialDeviceFacts &d, const std::string &com) {
    const auto orNull = [](const QString &s) { return s.isEmpty() ? QJsonValue() : QJsonValue(s); };
    return QJsonObject{{"com", com == "-" ? QJsonValue() : QJsonValue(QString::fromStdString(com))},
                       {"device", d.device},
                       {"description", orNull(d.description)},
                       {"maker", orNull(d.maker)},
                       {"usb", orNull(d.usbId())},
                       {"vid", orNull(d.vidHex())},
                       {"pid", orNull(d.pidHex())},
                       {"serialNumber", orNull(d.serialNumber)},
                       {"chip", orNull(d.chip)}};
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
        console.out << "COM\tDEVICE\tDESCRIPTION\tMAKER\tUSB\tSERIAL\tCHIP\n";
    auto line = [&](const std::string &com, const QString &device) {
        const cps::SerialDeviceFacts d = cps::serialDeviceFacts(device);
        listed << device;
        if (asJson) {
            json.append(factsJson(d, com));
            return;
        }
        console.out << com << '\t' << device.toStdString() << '\t'
                    << orDash(d.description.toStdString()) << '\t' << orDash(d.maker.toStdString())
                    << '\t' << orDash(d.usbId().toStdString()) << '\t'
                    << orDash(d.serialNumber.toStdString()) << '\t' << orDash(d.chip.toStdString())
                    << '\n';
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
