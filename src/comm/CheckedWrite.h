#pragma once
// A write with its optional companions, in the order a dealer wants them:
//
//   1. backup   read the whole radio and keep it as a data file; a failed
//               backup writes nothing to that radio
//   2. write    the plan, as the read/write window writes it
//   3. verify   read the write range back and compare (see WriteVerify.h)
//
// The read/write window, the command line's write and the programming line
// all run this one procedure.
#include "comm/RadioTransfer.h"
#include "comm/SerialPort.h"
#include "comm/TransferUi.h"
#include "core/Cps.h"

#include <QString>
#include <functional>
#include <vector>

namespace cps {

// Interface texts of the checks.
constexpr int kTextVerifyAfterWrite = 420, kTextBackupBeforeWrite = 421, kTextVerifyFailedAt = 422,
              kTextBackupFailed = 423, kTextWriteOk = 424, kTextWriteFailed = 425;
constexpr int kTextPartlyWritten = 500, kTextReadBackFailed = 501, kTextStoppedBy = 504,
              kTextNothingWritten = 505;

enum class WriteStep { None, Backup, Write, Verify };

struct WriteChecks {
    bool verify = false;
    QString backupDir; // empty: no backup
    QString portName;  // names the backup file
    // Told as each step begins (for a window that shows where a radio is).
    std::function<void(WriteStep)> onStep;
};

struct CheckedWriteResult {
    bool ok = false;
    WriteStep failedStep = WriteStep::None;
    // In the interface language. A write that ended after its first data block
    // adds that the radio holds part of the plan (partlyWrittenText).
    QString message;
    bool portOpenFailed = false; // the port could not be opened: nothing was exchanged
    // Why the port could not be opened at the last open of the backup, write
    // or verify, and what to do (empty when it opened).
    QString portTrouble;
    bool stopped = false;        // ended at a stop request (TransferUi::stopRequested)
    bool readBackFailed = false; // verify: written, but the radio could not be read back
    BlocksWritten blocks;        // the write's acknowledged data blocks
    QString backupFile;          // the backup written, if any
    QByteArray ident;            // the radio's identification bytes, when it gave them
    std::vector<int> mismatches; // verify: every differing address
};

// "The radio now holds part of the new plan (the last block written is
// 0x03F0) ...": what a write that ended after `blocks` leaves on the radio.
QString partlyWrittenText(const Cps &c, const BlocksWritten &blocks);

// Short English name of a step for logs ("backup", "write", "verify").
QString stepName(WriteStep step);

CheckedWriteResult writeWithChecks(Cps &c, SerialPort &port, TransferUi &ui, TimeoutMark &mark,
                                   const WriteChecks &checks);

} // namespace cps
