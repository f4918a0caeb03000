// cable-check: the port, the cable's echo, the radio and the reply latency,
// one line each, then the verdict.
#include "cli/Commands.h"
#include "cli/DevicePort.h"
#include "cli/PlanFile.h"
#include "cli/RadioLink.h"
#include "comm/CableCheck.h"
#include "core/MessageText.h"

namespace cli {

using cps::shownName;
using cps::translated;

int cableCheckCommand(const Args &args, Console &console) {
    const auto ports = args.values("--port");
    if (ports.size() != 1)
        throw UsageError(translated("Usage", "one --port DEV is required"), "cable-check");
    const std::string &port = ports[0];

    CommandSession session(args, console);
    const cps::Cps &c = session.c;
    QString device;
    try {
        device = resolveDevice(c, port);
    } catch (const CliFailure &e) {
        if (e.status == kExitUsage)
            throw;
        // A COM number without a device: a port that cannot be opened.
        throw CliFailure(kExitUsage, e.what());
    }

    DevicePort link(c, device);
    link.select(1);
    cps::BlockingWaiter waiter;
    const cps::CableCheck check = cps::checkCable(c, link, waiter);
    // A port that did not open reads as a read's does: "PORT: DEV cannot be opened: ...".
    const QString prefix = QString::fromStdString(
        shownName(port) + ": " + cannotBeOpened(device.toStdString(), std::string()));
    for (const QString &line : cps::cableCheckLines(c, check, prefix))
        console.out << line.toStdString() << '\n';
    return cps::cableCheckStatus(check);
}

} // namespace cli
