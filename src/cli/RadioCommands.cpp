// Commands on radios: read and write.
#include "cli/Commands.h"
#include "cli/DevicePort.h"
#include "cli/PlanFile.h"
#include "cli/RadioLink.h"
#include "cli/StreamSink.h"
#include "core/DataFile.h"

namespace cli {

namespace {

constexpr int kTextReadOk = 165, kTextWriteOk = 424, kTextWriteFailed = 425;

std::vector<std::string> requiredPorts(const Args &args) {
    auto ports = args.values("--port");
    if (ports.empty())
        throw UsageError(args.command() + ": --port DEV is required");
    return ports;
}

} // namespace

int readCommand(const Args &args, Console &console) {
    const auto ports = requiredPorts(args);
    if (ports.size() > 1)
        throw UsageError("read: one --port only");
    if (!args.has("-o"))
        throw UsageError("read: -o OUT.dat is required");

    CommandSession session(args, console);
    cps::Cps &c = session.c;
    // Checked before the radio is asked, so a whole read is not lost to a bad -o.
    const OutputFile output(args.value("-o"));
    const QString device = resolveDevice(c, ports[0]);
    ConsoleTransferUi ui(console.err, console.progressBar, console.verbose, ports[0]);
    cps::TimeoutMark mark;
    std::vector<uint8_t> asRead;
    const LinkResult r = readRadio(c, device, ui, mark, &asRead);
    if (!r.ok)
        throw CliFailure(kExitRadio, ports[0] + ": " + r.failure);
    saveFile(c, cps::imageToFileBytes(asRead), output, console);
    // With -o - the plan is on standard output: the confirmation goes with the messages.
    (output.toStdout() ? console.err : console.out)
        << ports[0] << ": " << c.text(kTextReadOk) << " -> " << output.path() << '\n';
    return kExitOk;
}

int writeCommand(const Args &args, Console &console) {
    const auto ports = requiredPorts(args);

    CommandSession session(args, console);
    cps::Cps &c = session.c;
    openPlan(c, args.positionals()[0], console.err);
    refuseChannelsOutsideBand(c, args);

    std::vector<std::string> failed;
    for (const auto &port : ports) {
        LinkResult r;
        try {
            const QString device = resolveDevice(c, port);
            ConsoleTransferUi ui(console.err, console.progressBar, console.verbose, port);
            cps::TimeoutMark mark;
            const cps::WriteChecks checks{args.has("--verify"),
                                          QString::fromStdString(args.value("--backup")),
                                          QString::fromStdString(port)};
            r = writeRadio(c, device, ui, mark, checks);
        } catch (const CliFailure &e) {
            r = {false, e.what(), {}};
        }
        if (!r.backupFile.empty())
            console.out << port << ": backup " << r.backupFile << '\n' << std::flush;
        if (r.ok) {
            console.out << port << ": " << c.text(kTextWriteOk) << '\n' << std::flush;
        } else {
            failed.push_back(port);
            console.out << port << ": " << c.text(kTextWriteFailed) << " - " << r.failure << '\n'
                        << std::flush;
        }
    }
    if (ports.size() > 1) {
        console.out << ports.size() - failed.size() << " of " << ports.size() << " radios written";
        if (!failed.empty()) {
            console.out << "; failed:";
            for (const auto &p : failed)
                console.out << ' ' << p;
        }
        console.out << '\n';
    }
    const int failures = static_cast<int>(failed.size());
    return failures ? kExitRadio : kExitOk;
}

} // namespace cli
