// Commands on radios: read and write.
#include "cli/Commands.h"
#include "cli/DevicePort.h"
#include "cli/PlanFile.h"
#include "cli/RadioLink.h"
#include "cli/StopSignals.h"
#include "cli/StreamSink.h"
#include "comm/CheckedWrite.h"
#include "core/DataFile.h"
#include "core/MessageText.h"

namespace cli {

using cps::filled;
using cps::shownName;
using cps::translated;

namespace {

constexpr int kTextReadOk = 165, kTextWriteOk = 424, kTextWriteFailed = 425, kTextNothingRead = 506;

std::vector<std::string> requiredPorts(const Args &args) {
    auto ports = args.values("--port");
    if (ports.empty())
        throw UsageError(translated("Usage", "--port DEV is required"), args.command());
    return ports;
}

// The devices of the ports, for the outputs that must not land on them.
std::vector<std::string> portDevices(const cps::Cps &c, const std::vector<std::string> &ports) {
    std::vector<std::string> devices;
    for (const auto &port : ports) {
        try {
            devices.push_back(resolveDevice(c, port).toStdString());
        } catch (const CliFailure &) {
            // a COM number without a device: the transfer reports it
        }
    }
    return devices;
}

} // namespace

int readCommand(const Args &args, Console &console) {
    const auto ports = requiredPorts(args);
    if (ports.size() > 1)
        throw UsageError(translated("Usage", "one --port only"), "read");
    if (!args.has("-o"))
        throw UsageError(translated("Usage", "-o OUT.dat is required"), "read");

    CommandSession session(args, console);
    cps::Cps &c = session.c;
    // Checked before the radio is asked, so a whole read is not lost to a bad -o
    // (nor the image sent down the radio's own line).
    const OutputFile output(args.value("-o"), portDevices(c, ports));
    const QString device = resolveDevice(c, ports[0]);
    std::vector<uint8_t> asRead;
    LinkResult r;
    StopSignals stop;
    stop.run([&] {
        ConsoleTransferUi ui(console.err, console.progressBar, console.verbose, ports[0]);
        ui.setStopFlag(&stop.flag());
        cps::TimeoutMark mark;
        r = readRadio(c, device, ui, mark, &asRead);
    });
    if (stop.signal())
        throw CliFailure(kExitStopped, shownName(ports[0]) + ": " +
                                           stop.stoppedText(c.text(cps::kTextStoppedBy)) + " " +
                                           c.text(kTextNothingRead));
    if (!r.ok)
        throw CliFailure(kExitRadio, shownName(ports[0]) + ": " + r.failure);
    saveFile(c, cps::imageToFileBytes(asRead), output, console);
    // With -o - the plan is on standard output: the confirmation goes with the messages.
    (output.toStdout() ? console.err : console.out)
        << shownName(ports[0]) << ": " << c.text(kTextReadOk) << " -> " << shownName(output.path())
        << '\n';
    return kExitOk;
}

int writeCommand(const Args &args, Console &console) {
    const auto ports = requiredPorts(args);

    CommandSession session(args, console);
    cps::Cps &c = session.c;
    const std::string plan = args.positionals()[0];
    if (args.has("--backup")) {
        auto inputs = portDevices(c, ports);
        inputs.push_back(plan);
        checkBackupFolder(args.value("--backup"), inputs);
    }
    openPlan(c, plan, console.err);
    refuseChannelsOutsideBand(c, args);

    std::vector<std::string> failed;
    StopSignals stop;
    stop.run([&] {
        for (const auto &port : ports) {
            LinkResult r;
            if (stop.signal()) {
                r.stopped = true; // the radios after a stop are left alone
                r.failure = c.text(cps::kTextNothingWritten);
            } else {
                try {
                    const QString device = resolveDevice(c, port);
                    ConsoleTransferUi ui(console.err, console.progressBar, console.verbose, port);
                    ui.setStopFlag(&stop.flag());
                    cps::TimeoutMark mark;
                    const cps::WriteChecks checks{args.has("--verify"),
                                                  QString::fromStdString(args.value("--backup")),
                                                  QString::fromStdString(port),
                                                  {}};
                    r = writeRadio(c, device, ui, mark, checks);
                } catch (const CliFailure &e) {
                    r = {false, e.what(), {}};
                }
            }
            if (!r.backupFile.empty())
                console.out << shownName(port) << ": "
                            << filled(translated("Radio", "backup %1"), {shownName(r.backupFile)})
                            << '\n'
                            << std::flush;
            if (r.ok) {
                console.out << shownName(port) << ": " << c.text(kTextWriteOk) << '\n'
                            << std::flush;
                continue;
            }
            failed.push_back(port);
            if (r.stopped)
                console.out << shownName(port) << ": "
                            << stop.stoppedText(c.text(cps::kTextStoppedBy)) << ' ' << r.failure
                            << '\n';
            else if (r.readBackFailed) // written: the verify alone could not be made
                console.out << shownName(port) << ": " << r.failure << '\n';
            else
                console.out << shownName(port) << ": " << c.text(kTextWriteFailed) << " - "
                            << r.failure << '\n';
            console.out << std::flush;
        }
    });
    if (ports.size() > 1) {
        console.out << filled(
            translated("Radio", "%1 of %2 radios written"),
            {std::to_string(ports.size() - failed.size()), std::to_string(ports.size())});
        if (!failed.empty()) {
            console.out << translated("Radio", "; failed:");
            for (const auto &p : failed)
                console.out << ' ' << shownName(p);
        }
        console.out << '\n';
    }
    if (stop.signal())
        return kExitStopped;
    return failed.empty() ? kExitOk : kExitRadio;
}

} // namespace cli
