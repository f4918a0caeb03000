#include "cli/RadioLink.h"

#include "cli/DevicePort.h"
#include "cli/PlanFile.h"
#include "comm/RadioTransfer.h"
#include "core/Plan.h"

namespace cli {

namespace {

LinkResult outcome(const cps::Cps &c, const cps::RadioTransfer &transfer, cps::TransferResult r,
                   const QString &device, const ConsoleTransferUi &ui) {
    if (r == cps::TransferResult::Succeeded)
        return {true, {}, {}};
    const std::string commFailed = c.text(cps::kTextCommFailed);
    if (r == cps::TransferResult::NotStarted && transfer.portOpenFailed())
        return {false,
                device.toStdString() +
                    " cannot be opened: " + transfer.openFailureText().toStdString(),
                {}};
    if (r == cps::TransferResult::NotStarted)
        return {false, device.toStdString() + " cannot be opened: " + commFailed, {}};
    return {false, ui.lastMessage().empty() ? commFailed : ui.lastMessage(), {}};
}

} // namespace

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
        result.failure = device.toStdString() + " cannot be opened: " + result.failure;
    else if (r.failedStep != cps::WriteStep::Write)
        result.failure = cps::stepName(r.failedStep).toStdString() + ": " + result.failure;
    return result;
}

} // namespace cli
