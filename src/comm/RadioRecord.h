#pragma once
// The record of every radio programmed: one row per result of the programming
// line (desktop window or command line) and per single Write of the read/write
// window, kept in an SQLite database (FileLocations::historyDatabase) so a
// dealer can tell later which plan went into which radio.
//
// Any number of processes and threads may write at once: every call opens its
// own connection (WAL, busy timeout). Recording never stops programming: a
// record that cannot be stored comes back as a warning, and the caller still
// has the result for its CSV log and its window.
#include "core/Cps.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace cps {

struct RecordEntry {
    qint64 id = 0;      // the row's number (set by queryRecords)
    QDateTime time;     // when the radio answered; stored as UTC
    QString port;       // "COM3", "/dev/ttyUSB0", as the line named it
    QString plan;       // the plan's file name (no folder)
    QString planSha256; // lowercase hex SHA-256 of the image sent (planImageSha256)
    QByteArray ident;   // the radio's identification bytes
    bool pass = false;
    QString failedStep; // "backup", "write", "verify" (stepName); empty on a pass
    QString message;
    qint64 durationMs = 0;
    QString backupFile;
    QString operatorName; // may be empty
};

// Why a record was not stored (or what happened to the database on the way).
enum class RecordTrouble {
    None,
    Busy,        // another writer held the database beyond the busy timeout
    ReadOnly,    // the folder or the file cannot be written
    WriteFailed, // the disk is full or refused the write
    Corrupt,     // the file is not a sound database: kept aside, a new one started
    NewerSchema, // made by a newer version of the tool: left untouched
    CannotOpen,  // anything else that stops the database from opening
};

struct RecordOutcome {
    bool stored = false;
    RecordTrouble trouble = RecordTrouble::None;
    QString detail;    // the database's own words ("database is locked", ...)
    QString keptAside; // Corrupt: where the damaged file now is
    // With `stored` a note (the damaged file kept aside), without it a
    // warning; empty when there is nothing to say. In the interface language.
    QString warning;
};

// How long a writer waits for another one before giving up on its record.
inline constexpr int kRecordBusyTimeoutMs = 5000;

// Adds one record. Creates the database (and its folder) or brings an older
// one up to date first.
RecordOutcome appendRecord(const Cps &c, const QString &databasePath, const RecordEntry &entry,
                           int busyTimeoutMs = kRecordBusyTimeoutMs);

struct RecordFilter {
    QDateTime since;      // records at or after this instant; invalid: no bound
    QDateTime until;      // records before this instant; invalid: no bound
    QString port;         // exact; empty: any
    QString plan;         // exact file name; empty: any
    QString operatorName; // exact; empty: any
    QByteArray ident;     // exact; empty: any
    std::optional<bool> pass;
    int limit = 0; // newest first, at most this many; 0: all
};

// Records matching `filter`, newest first. Reads only: a database that is not
// there yet has no records and is not created. `error` (when given) gets the
// reason a database that is there could not be read.
std::vector<RecordEntry> queryRecords(const QString &databasePath, const RecordFilter &filter,
                                      QString *error = nullptr);

// The SHA-256 (lowercase hex) of the image a write of `plan` sends: the plan
// after the conversion step. `plan` itself is left as it is.
QString planImageSha256(const Cps &plan);

// The stored form of the time: ISO 8601 in UTC with milliseconds
// ("2026-12-11T08:15:02.123Z").
QString recordTimeText(const QDateTime &time);

} // namespace cps
