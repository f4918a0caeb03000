// The program command: the programming line of a dealer's bench. One plan,
// written to radio after radio on every port given, until Ctrl-C.
#include "cli/Commands.h"
#include "cli/CsvPlan.h"
#include "cli/DevicePort.h"
#include "cli/PlanFile.h"
#include "cli/RadioLink.h"
#include "cli/StreamSink.h"
#include "comm/LineLog.h"
#include "comm/PortTrouble.h"
#include "comm/ProgrammingLine.h"
#include "core/MessageText.h"
#include "platform/StopWaiter.h"

#include <QFileInfo>
#include <QSerialPort>
#include <atomic>
#include <fstream>
#include <mutex>
#include <set>
#include <thread>

namespace cli {

using cps::filled;
using cps::shownName;
using cps::translated;

namespace {

using cps::identText;

QString seconds(qint64 ms) {
    return cps::secondsText(ms);
}

// Every port must open before the line starts: a wrong device name is
// reported at once instead of waiting for a radio for ever.
void checkPortsOpen(const cps::Cps &c, const std::vector<std::string> &names) {
    for (const auto &name : names) {
        QString device;
        try {
            device = resolveDevice(c, name);
        } catch (const CliFailure &e) {
            throw CliFailure(kExitUsage, e.what());
        }
        QSerialPort probe(device);
        if (!probe.open(QIODevice::ReadWrite))
            throw CliFailure(
                kExitUsage,
                shownName(name) + ": " +
                    cannotBeOpened(
                        device.toStdString() == name ? std::string() : device.toStdString(),
                        cps::portTroubleText(c, platform::diagnoseFailedOpen(device.toStdString()))
                            .toStdString()) +
                    translated("ProgrammingLine", " No radio was programmed."));
        probe.close();
    }
}

// The log and the backups never land on the plan or a port: checked before
// anything runs (a log line appended to the plan would change every radio
// programmed after it).
void refuseOutputsOnInputs(const cps::Cps &c, const Args &args,
                           const std::vector<std::string> &portNames) {
    std::vector<std::string> inputs{args.positionals()[0]};
    for (const auto &name : portNames) {
        try {
            inputs.push_back(resolveDevice(c, name).toStdString());
        } catch (const CliFailure &) {
            // a COM number without a device: checkPortsOpen names it
        }
    }
    if (args.has("--log"))
        refuseOutputOnInput(args.value("--log"), args.value("--log"), inputs);
    if (args.has("--backup"))
        checkBackupFolder(args.value("--backup"), inputs);
}

} // namespace

int programCommand(const Args &args, Console &console) {
    const auto portNames = args.values("--port");
    if (portNames.empty())
        throw UsageError(translated("Usage", "--port DEV is required"), "program");
    if (std::set<std::string>(portNames.begin(), portNames.end()).size() != portNames.size())
        throw UsageError(translated("Usage", "each port may be given once"), "program");

    const int count = args.intValue("--count", 1, 1000000, 0);

    CommandSession session(args, console);
    cps::Cps &c = session.c;
    refuseOutputsOnInputs(c, args, portNames);
    openPlan(c, args.positionals()[0], console.err);
    refuseChannelsOutsideBand(c, args);
    checkPortsOpen(c, portNames);
    cps::LineLog log;
    if (!log.open(args.value("--log")))
        throw CliFailure(kExitFile, shownName(args.value("--log")) + ": " +
                                        translated("ProgrammingLine", "the log cannot be written"));

    cps::LineSettings settings;
    settings.verify = args.has("--verify");
    settings.backupDir = QString::fromStdString(args.value("--backup"));
    settings.recordDatabase = QString::fromStdString(c.files.historyDatabase);
    settings.planName = QFileInfo(QString::fromStdString(args.positionals()[0])).fileName();
    settings.operatorName = QString::fromStdString(args.value("--operator"));
    cps::ProgrammingLine line(c, settings);

    std::mutex outputLock;
    int passed = 0, failed = 0;
    line.onResult = [&](const cps::LineResult &r) {
        std::lock_guard lock(outputLock);
        (r.pass ? passed : failed)++;
        if (count && passed >= count)
            line.requestStop(); // the ports finish the radios they are programming
        // PASS and FAIL stay as they are in every language: scripts look for them.
        std::string text =
            (r.pass ? "PASS " : "FAIL ") +
            filled(translated("ProgrammingLine", "%1 ident %2 in %3 s"),
                   {shownName(r.port.toStdString()), identText(r.ident).toStdString(),
                    seconds(r.durationMs).toStdString()});
        if (!r.pass)
            text += ": " + stepText(r.failedStep) + ": " + r.message.toStdString();
        if (!r.backupFile.isEmpty())
            text += filled(translated("ProgrammingLine", " (backup %1)"),
                           {shownName(r.backupFile.toStdString())});
        console.out << text << '\n' << std::flush;
        log.append(r);
        if (!r.recordWarning.isEmpty())
            console.err << shownName(r.port.toStdString()) << ": " << r.recordWarning.toStdString()
                        << '\n'
                        << std::flush;
    };
    line.onState = [&](const QString &port, cps::LineState state) {
        static const char *const texts[] = {
            QT_TRANSLATE_NOOP("ProgrammingLine", "waiting for a radio"),
            QT_TRANSLATE_NOOP("ProgrammingLine", "programming"),
            QT_TRANSLATE_NOOP("ProgrammingLine", "done: take the radio away")};
        std::lock_guard lock(outputLock);
        console.err << shownName(port.toStdString()) << ": "
                    << translated("ProgrammingLine", texts[static_cast<int>(state)]) << '\n'
                    << std::flush;
    };
    if (console.verbose)
        line.onTraffic = [&](const QString &port, const QString &entry) {
            std::lock_guard lock(outputLock);
            console.err << shownName(port.toStdString()) << ": " << entry.toStdString() << '\n';
        };

    std::vector<cps::LinePort> ports;
    for (const auto &name : portNames)
        ports.push_back(
            {QString::fromStdString(name), [&c, name]() -> std::unique_ptr<cps::SerialPort> {
                 try {
                     return std::make_unique<DevicePort>(c, resolveDevice(c, name));
                 } catch (const CliFailure &) {
                     return nullptr; // a COM number without a device, for now
                 }
             }});

    // Ctrl-C, SIGTERM and SIGHUP (a closed terminal) are taken by this thread
    // alone; the ports keep running until the radios being programmed are done.
    platform::StopWaiter stop;
    std::atomic<bool> ended{false}; // the line ended by itself (--count)
    std::thread runner([&] {
        line.run(ports);
        ended = true;
        stop.wake();
    });
    stop.wait();
    if (!ended) {
        std::lock_guard lock(outputLock);
        console.err << translated("ProgrammingLine", "stopping after the radios being programmed")
                    << '\n'
                    << std::flush;
    }
    line.requestStop();
    runner.join();
    console.out << filled(translated("ProgrammingLine", "%1 passed, %2 failed"),
                          {std::to_string(passed), std::to_string(failed)})
                << '\n'
                << std::flush;
    return failed ? kExitRadio : kExitOk;
}

} // namespace cli
