#include "cli/RadioLink.h"

#include "cli/DevicePort.h"
#include "cli/PlanFile.h"
#include "comm/RadioTransfer.h"
#include "core/MessageText.h"
#include "core/Plan.h"

namespace cli {

using cps::filled;
using cps::shownName;
using cps::translated;

namespace {

LinkResult outcome(const cps::Cps &c, const cps::RadioTransfer &transfer, cps::TransferResult r,
                   const QString &device, const ConsoleTransferUi &ui) {
    if (r == cps::TransferResult::Succeeded)
        return {true, {}, {}};
    const std::string commFailed = c.text(cps::kTextCommFailed);
    if (r == cps::TransferResult::NotStarted && transfer.portOpenFailed())
        return {false,
                cannotBeOpened(device.toStdString(), transfer.openFailureText().toStdString()),
                {}};
    if (r == cps::TransferResult::NotStarted)
        return {false, cannotBeOpened(device.toStdString(), commFailed), {}};
    return {false, ui.lastMessage().empty() ? commFailed : ui.lastMessage(), {}};
}

} // namespace

std::string stepText(cps::WriteStep step) {
    switch (step) {
    case cps::WriteStep::Backup:
        return translated("Radio", "backup");
    case cps::WriteStep::Write:
        return translated("Radio", "write");
    case cps::WriteStep::Verify:
        return translated("Radio", "verify");
    case cps::WriteStep::None:
        break;
    }
    return {};
}

std::string cannotBeOpened(const std::string &device, const std::string &reason) {
    if (device.empty())
        return filled(translated("Radio", "cannot be opened: %1"), {reason});
    return filled(translated("Radio", "%1 cannot be opened: %2"), {shownName(device), reason});
}

LinkResult readRadio(cps::Cps &c, const QString &device, ConsoleTransferUi &ui,
                     cps::TimeoutMark &mark, std::vector<uint8_t> *asRead) {
    DevicePort port(c, device);
    cps::RadioTransfer transfer(c, port, ui, mark);
    transfer.softDisplay = [&] {
        if (asRead)
            *asRead = c.IicDat;
        cps::SoftDisplay(c);
    };
    ui.clearMessage();
    const auto r = transfer.read();
    ui.finishProgress();
    LinkResult result = outcome(c, transfer, r, device, ui);
    result.stopped = transfer.stopped();
    return result;
}

LinkResult writeRadio(cps::Cps &c, const QString &device, ConsoleTransferUi &ui,
                      cps::TimeoutMark &mark, const cps::WriteChecks &checks) {
    DevicePort port(c, device);
    const cps::CheckedWriteResult r = cps::writeWithChecks(c, port, ui, mark, checks);
    ui.finishProgress();
    LinkResult result{r.ok, {}, r.backupFile.toStdString(), r.stopped, r.readBackFailed};
    if (r.ok)
        return result;
    result.failure = r.message.toStdString();
    if (r.stopped && !r.readBackFailed)
        return result; // the message says what the radio holds
    if (r.portOpenFailed)
        result.failure = cannotBeOpened(device.toStdString(), result.failure);
    else if (r.failedStep != cps::WriteStep::Write)
        result.failure = stepText(r.failedStep) + ": " + result.failure;
    return result;
}

} // namespace cli
