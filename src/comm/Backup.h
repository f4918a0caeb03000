#pragma once
// Backup before write: the radio's whole memory is read and kept as a data
// file DIR/<yyyyMMdd-HHmmss>-<port name>.dat before anything is written to it.
#include "comm/SerialPort.h"
#include "comm/TransferUi.h"
#include "core/Cps.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace cps {

// The port as a file name part: "/dev/ttyUSB0" -> "ttyUSB0", "/dev/pts/7" ->
// "pts-7", "COM3" -> "COM3"; characters a file name cannot hold become '-'.
QString portFileName(const QString &port);

// A backup path in `dir` for the port at `when` that names no existing file
// (a second backup within the same second gets "-2", "-3", ...).
QString backupPath(const QString &dir, const QString &port, const QDateTime &when);

// Reads the radio's whole memory (0x0000..0x1FFF) and saves it, atomically, in
// the data file layout under backupPath(dir, port, now). Returns the file's path;
// empty when the read or the save failed (then no file is left behind).
QString backupRadio(const Cps &c, SerialPort &port, TransferUi &ui, TimeoutMark &mark,
                    const QString &dir, const QString &portName);

} // namespace cps
