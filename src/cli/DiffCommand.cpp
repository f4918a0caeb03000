// The diff command: two plans, each a data file or a radio (--port DEV).
#include "cli/CliFiles.h"
#include "cli/Commands.h"
#include "cli/ConsoleTransferUi.h"
#include "cli/DevicePort.h"
#include "cli/PlanDiff.h"
#include "cli/PlanFile.h"
#include "cli/StreamSink.h"
#include "comm/WireFormat.h"
#include "comm/WriteVerify.h"
#include "core/MessageText.h"
#include "core/Plan.h"

namespace cli {

using cps::filled;
using cps::shownName;
using cps::translated;

namespace {

// One side of the comparison: a data file opened as Open does, or the radio's
// whole memory read (decoded later, by decodeRadio).
void loadSide(cps::Cps &c, const std::pair<std::string, std::string> &side, Console &console) {
    if (side.first.empty()) {
        openPlan(c, side.second, console.err);
        return;
    }
    const std::string &port = side.second;
    QString device;
    try {
        device = resolveDevice(c, port);
    } catch (const CliFailure &e) {
        throw CliFailure(e.status == kExitRadio ? kExitRadioUnread : e.status, e.what());
    }
    DevicePort link(c, device);
    ConsoleTransferUi ui(console.err, console.progressBar, console.verbose, port);
    cps::TimeoutMark mark;
    const auto image = cps::readRange(c, link, ui, mark, 0, cps::kImageTop);
    ui.finishProgress();
    if (!image)
        throw CliFailure(kExitRadioUnread, shownName(port) + ": " + c.text(79));
    c.IicDat = *image;
}

bool isRadio(const std::pair<std::string, std::string> &side) {
    return !side.first.empty();
}

} // namespace

int diffCommand(const Args &args, Console &console) {
    std::vector<std::pair<std::string, std::string>> sides;
    for (const auto &item : args.sequence())
        if (item.first.empty() || item.first == "--port")
            sides.push_back(item);
    if (sides.size() != 2)
        throw UsageError(translated("Usage", "give two plans, each FILE.dat or --port DEV"));
    if (isStdin(sides[0].second) && isStdin(sides[1].second) && sides[0].first.empty() &&
        sides[1].first.empty())
        throw UsageError(translated("Usage", "only one plan can be standard input"));

    CommandSession session(args, console);
    cps::Cps &base = session.c;
    cps::Cps a = base, b = base;
    loadSide(a, sides[0], console);
    loadSide(b, sides[1], console);
    // A plan against a radio: the bytes a write never sends (the radio's
    // identification, anything outside the write range) are listed apart and
    // do not count as a difference, so a write followed by diff is clean.
    if (isRadio(sides[0]) != isRadio(sides[1])) {
        cps::Cps &radio = isRadio(sides[0]) ? a : b;
        const cps::Cps &file = isRadio(sides[0]) ? b : a;
        for (const auto &line : takeUnwrittenDifferences(
                 file.IicDat, radio.IicDat, cps::addressesAWriteLeaves(base), !isRadio(sides[0])))
            console.err << filled(translated("Diff", "%1 (not written by a write)"), {line})
                        << '\n';
    }
    for (auto [c, side] : {std::pair{&a, &sides[0]}, std::pair{&b, &sides[1]}})
        if (isRadio(*side))
            cps::SoftDisplay(*c);

    const auto lines = planDifferences(a, b);
    for (const auto &line : lines)
        console.out << line << '\n';
    console.out << std::flush;
    return lines.empty() ? kExitOk : kExitDiffers;
}

} // namespace cli
