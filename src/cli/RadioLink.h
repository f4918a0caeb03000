#pragma once
// One radio on one port, read or written through the same procedures as the
// read/write window (RadioTransfer), with the command line's blocking wait.
#include "cli/ConsoleTransferUi.h"
#include "comm/CheckedWrite.h"
#include "comm/TransferUi.h"
#include "core/Cps.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cli {

struct LinkResult {
    bool ok = false;
    std::string failure;    // what went wrong, in the interface language where it has a text
    std::string backupFile; // the backup made before a write
    bool stopped = false;   // ended at a stop request (a signal)
    // A write went through but its verify could not read the radio back.
    bool readBackFailed = false;
};

// The step of a checked write in the message language: backup, write, verify.
std::string stepText(cps::WriteStep step);

// "DEVICE cannot be opened: REASON" (without a device: "cannot be opened: REASON").
std::string cannotBeOpened(const std::string &device, const std::string &reason);

// Reads the radio on `device` into `c` (the image changes only when the whole
// read succeeded). On success `asRead` receives the image exactly as read,
// before the redisplay's decoding touches it.
LinkResult readRadio(cps::Cps &c, const QString &device, ConsoleTransferUi &ui,
                     cps::TimeoutMark &mark, std::vector<uint8_t> *asRead = nullptr);

// Writes the plan in `c` to the radio on `device` (conversion step, write
// script, fixed frames), with the backup before and the verify after it that
// `checks` asks for.
LinkResult writeRadio(cps::Cps &c, const QString &device, ConsoleTransferUi &ui,
                      cps::TimeoutMark &mark, const cps::WriteChecks &checks);

} // namespace cli
