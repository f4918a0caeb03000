// The ports command: which device each COM number stands for, and every
// serial device of the machine with its description, maker, USB ids, serial
// number and cable chip. With --watch: a line for every device that comes or
// goes, until Ctrl-C.
#include "cli/Commands.h"
#include "cli/PlanFile.h"
#include "cli/StreamSink.h"
#include "comm/PortMap.h"
#include "comm/SerialDeviceFacts.h"
#include "comm/SerialDeviceWatcher.h"
#include "comm/SerialPort.h"
#include "core/MessageText.h"
#include "platform/StopWaiter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace cli {

using cps::translated;

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

std::string factsColumns(const cps::SerialDeviceFacts &d) {
    return orDash(d.description.toStdString()) + '\t' + orDash(d.maker.toStdString()) + '\t' +
           orDash(d.usbId().toStdString()) + '\t' + orDash(d.serialNumber.toStdString()) + '\t' +
           orDash(d.chip.toStdString());
}

// Test-only: tests cannot plug a USB cable in, and the system never lists a
// pseudo-terminal, so this variable points the watch at a file the test
// rewrites (one device a line, see FileSerialDeviceList).
constexpr const char *kTestDeviceListVariable = "BRENVIK_TEST_SERIAL_DEVICES";

std::unique_ptr<cps::SerialDeviceList> watchedDeviceList() {
    const QString testList = qEnvironmentVariable(kTestDeviceListVariable);
    if (!testList.isEmpty())
        return std::make_unique<cps::FileSerialDeviceList>(testList);
    return std::make_unique<cps::SystemSerialDeviceList>();
}

QStringList devicePaths(const std::vector<cps::SerialDeviceFacts> &devices) {
    QStringList paths;
    for (const auto &d : devices)
        paths << d.device;
    return cps::sortSerialDevices(paths);
}

// The COM number `device` has among `devices` ("-" when none).
std::string comOf(const cps::Cps &c, const QString &device, const QStringList &devices) {
    const auto map = cps::mapComPorts(c.ini(), devices);
    for (int n = 1; n <= cps::kPortCount; ++n)
        if (map[static_cast<std::size_t>(n - 1)] == device)
            return "COM" + std::to_string(n);
    return "-";
}

// Prints each device that comes or goes until a stop signal.
int watchPorts(const Args &args, Console &console, cps::Cps &c) {
    const bool asJson = args.has("--json");
    const std::unique_ptr<cps::SerialDeviceList> list = watchedDeviceList();
    // Ctrl-C, SIGTERM and SIGHUP reach only this thread's wait; the looking
    // goes on in a thread of its own.
    platform::StopWaiter stop;
    std::mutex lock;
    std::condition_variable wake;
    bool stopping = false;
    if (!asJson)
        console.out << translated("Ports",
                                  "EVENT\tCOM\tDEVICE\tDESCRIPTION\tMAKER\tUSB\tSERIAL\tCHIP")
                    << '\n'
                    << std::flush;
    std::thread looker([&] {
        cps::SerialDeviceWatcher watcher(*list);
        QStringList before = devicePaths(list->snapshot());
        console.err << translated("Ports", "watching for serial devices; Ctrl-C ends") << '\n'
                    << std::flush;
        std::unique_lock guard(lock);
        while (!wake.wait_for(guard, std::chrono::milliseconds(cps::kDeviceWatchIntervalMs),
                              [&] { return stopping; })) {
            const std::vector<cps::SerialDeviceChange> changes = watcher.poll();
            QStringList after = before;
            for (const auto &change : changes)
                if (change.kind == cps::SerialDeviceChange::Added)
                    after << change.facts.device;
                else
                    after.removeAll(change.facts.device);
            after = cps::sortSerialDevices(after);
            for (const auto &change : changes) {
                const bool added = change.kind == cps::SerialDeviceChange::Added;
                // A device that went is named by the number it had.
                const std::string com = comOf(c, change.facts.device, added ? after : before);
                const char *event = added ? "added" : "removed";
                if (asJson) {
                    QJsonObject json = factsJson(change.facts, com);
                    json.insert("event", QString::fromLatin1(event));
                    console.out << QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString();
                } else {
                    console.out << event << '\t' << com << '\t' << change.facts.device.toStdString()
                                << '\t' << factsColumns(change.facts);
                }
                console.out << '\n' << std::flush;
            }
            before = after;
            if (!console.out) { // nobody reads any more (a closed pipe): end as at Ctrl-C
                stop.wake();
                break;
            }
        }
    });
    stop.wait();
    {
        std::lock_guard guard(lock);
        stopping = true;
    }
    wake.notify_all();
    looker.join();
    return kExitOk;
}

} // namespace

int portsCommand(const Args &args, Console &console) {
    CommandSession session(args, console);
    cps::Cps &c = session.c;
    if (args.has("--watch"))
        return watchPorts(args, console, c);

    const QStringList devices = cps::systemSerialDevices();
    const auto map = cps::mapComPorts(c.ini(), devices);
    QStringList listed;
    QJsonArray json;
    const bool asJson = args.has("--json");
    if (!asJson)
        console.out << translated("Ports", "COM\tDEVICE\tDESCRIPTION\tMAKER\tUSB\tSERIAL\tCHIP")
                    << '\n';
    auto line = [&](const std::string &com, const QString &device) {
        const cps::SerialDeviceFacts d = cps::serialDeviceFacts(device);
        listed << device;
        if (asJson) {
            json.append(factsJson(d, com));
            return;
        }
        console.out << com << '\t' << device.toStdString() << '\t' << factsColumns(d) << '\n';
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
        console.err << translated("Ports", "no serial devices found") << '\n';
    return kExitOk;
}

} // namespace cli
