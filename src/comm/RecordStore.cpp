// Adding records: one connection per call, WAL so the desktop tool and a
// command-line line write at the same time, and every failure turned into a
// reason instead of an interruption of the programming.
#include "comm/RadioRecord.h"
#include "comm/RecordConnection.h"
#include "comm/RecordSchema.h"
#include "comm/RecordWarning.h"
#include "core/Plan.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>
#include <algorithm>

namespace cps {

namespace {

struct Attempt {
    RecordTrouble trouble = RecordTrouble::None;
    QSqlError error;
};

bool writable(const QString &path) {
    const QFileInfo file(path);
    return file.exists() ? file.isWritable() : QFileInfo(file.absolutePath()).isWritable();
}

Attempt failure(const QString &path, const QSqlError &error) {
    Attempt a;
    a.error = error;
    switch (sqlite::primaryCode(error)) {
    case sqlite::kBusy:
    case sqlite::kLocked:
        a.trouble = RecordTrouble::Busy;
        break;
    case sqlite::kReadOnly:
    case sqlite::kPerm:
        a.trouble = RecordTrouble::ReadOnly;
        break;
    case sqlite::kFull:
    case sqlite::kIoErr:
        a.trouble = RecordTrouble::WriteFailed;
        break;
    case sqlite::kCorrupt:
    case sqlite::kNotADb:
        a.trouble = RecordTrouble::Corrupt;
        break;
    case sqlite::kCantOpen:
        // A file or a folder it may not touch is what a user calls read-only.
        a.trouble = writable(path) && writable(path + QStringLiteral("-wal"))
                        ? RecordTrouble::CannotOpen
                        : RecordTrouble::ReadOnly;
        break;
    default:
        a.trouble = RecordTrouble::CannotOpen;
    }
    return a;
}

// Opens the database for writing with its journal in WAL mode and its tables
// up to date; on failure `attempt` says why.
bool openForWriting(RecordConnection &conn, const QString &path, Attempt &attempt) {
    if (!conn.open()) {
        attempt = failure(path, conn.lastError());
        return false;
    }
    {
        // Readers never wait for a writer, and writers wait for each other
        // only as long as one commit takes. (The pragma answers with a row:
        // its statement must be done before a transaction can commit.)
        QSqlQuery wal(conn.db());
        if (!wal.exec(QStringLiteral("PRAGMA journal_mode")) || !wal.next()) {
            attempt = failure(path, wal.lastError());
            return false;
        }
        if (wal.value(0).toString() != QLatin1String("wal") &&
            !wal.exec(QStringLiteral("PRAGMA journal_mode = WAL"))) {
            attempt = failure(path, wal.lastError());
            return false;
        }
    }
    const SchemaCheck schema = upgradeRecordSchema(conn.db());
    if (schema.state == SchemaState::Newer) {
        attempt.trouble = RecordTrouble::NewerSchema;
        return false;
    }
    if (schema.state == SchemaState::Failed) {
        attempt = failure(path, schema.error);
        return false;
    }
    return true;
}

Attempt tryAppend(const QString &path, const RecordEntry &e, int busyTimeoutMs) {
    RecordConnection conn(path, RecordConnection::Mode::ReadWrite, busyTimeoutMs);
    Attempt attempt;
    if (!openForWriting(conn, path, attempt))
        return attempt;
    QSqlQuery q(conn.db());
    q.prepare(QStringLiteral(
        "INSERT INTO radios (time, port, plan, plan_sha256, ident, result, failed_step, message,"
        " duration_ms, backup_file, operator) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const auto text = [](const QString &s) { return s.isNull() ? QString(QLatin1String("")) : s; };
    q.addBindValue(recordTimeText(e.time.isValid() ? e.time : QDateTime::currentDateTimeUtc()));
    q.addBindValue(text(e.port));
    q.addBindValue(text(e.plan));
    q.addBindValue(text(e.planSha256));
    q.addBindValue(e.ident.isNull() ? QByteArray("") : e.ident);
    q.addBindValue(e.pass ? QStringLiteral("PASS") : QStringLiteral("FAIL"));
    q.addBindValue(text(e.failedStep));
    q.addBindValue(text(e.message));
    q.addBindValue(e.durationMs);
    q.addBindValue(text(e.backupFile));
    q.addBindValue(text(e.operatorName));
    if (!q.exec())
        return failure(path, q.lastError());
    return attempt;
}

// SQLite answers "busy" at once, without its busy wait, in a few moments
// (another connection turning a new file to WAL, a snapshot that went stale):
// such a try is repeated, with growing pauses, until the busy timeout is spent.
Attempt appendWithin(const QString &path, const RecordEntry &e, int busyTimeoutMs) {
    QElapsedTimer clock;
    clock.start();
    for (int pause = 5;; pause = std::min(pause * 2, 100)) {
        const Attempt attempt = tryAppend(path, e, busyTimeoutMs);
        if (attempt.trouble != RecordTrouble::Busy || clock.elapsed() + pause >= busyTimeoutMs)
            return attempt;
        QThread::msleep(static_cast<unsigned long>(pause));
    }
}

// Whether the file at `path` is damaged, looked at afresh (another writer may
// have set it aside and started a new one meanwhile).
bool stillDamaged(const QString &path, int busyTimeoutMs) {
    if (!QFileInfo::exists(path))
        return false;
    RecordConnection conn(path, RecordConnection::Mode::ReadWrite, busyTimeoutMs);
    Attempt attempt;
    if (!openForWriting(conn, path, attempt))
        return attempt.trouble == RecordTrouble::Corrupt;
    QSqlQuery check(conn.db());
    if (!check.exec(QStringLiteral("PRAGMA quick_check")) || !check.next())
        return failure(path, check.lastError()).trouble == RecordTrouble::Corrupt;
    return check.value(0).toString() != QLatin1String("ok");
}

// A free name beside `path` for the damaged file: nothing is ever overwritten.
QString asideName(const QString &path) {
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QString name = path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = path + QStringLiteral(".damaged-%1-%2").arg(stamp).arg(n);
    return name;
}

// Renames the damaged database (and its journal files) aside; the name it now
// has, or empty when it could not be moved. One process at a time decides.
QString setAsideDamaged(const QString &path, int busyTimeoutMs) {
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(busyTimeoutMs))
        return {};
    if (!stillDamaged(path, busyTimeoutMs))
        return path; // someone else already did it: the new file is sound
    const QString aside = asideName(path);
    if (!QFile::rename(path, aside))
        return {};
    for (const char *journal : {"-wal", "-shm"})
        if (QFileInfo::exists(path + QLatin1String(journal)))
            QFile::rename(path + QLatin1String(journal), aside + QLatin1String(journal));
    return aside;
}

} // namespace

QString recordTimeText(const QDateTime &time) {
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QString planImageSha256(const Cps &plan) {
    Cps c = plan;
    c.view = nullptr;
    SetConvIicDat(c);
    const QByteArray image(reinterpret_cast<const char *>(c.IicDat.data()),
                           static_cast<qsizetype>(c.IicDat.size()));
    return QString::fromLatin1(QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex());
}

RecordOutcome appendRecord(const Cps &c, const QString &databasePath, const RecordEntry &entry,
                           int busyTimeoutMs) {
    RecordOutcome out;
    Attempt attempt;
    if (!QDir().mkpath(QFileInfo(databasePath).absolutePath())) {
        attempt.trouble = RecordTrouble::ReadOnly;
    } else {
        attempt = appendWithin(databasePath, entry, busyTimeoutMs);
        if (attempt.trouble == RecordTrouble::Corrupt) {
            const QString aside = setAsideDamaged(databasePath, busyTimeoutMs);
            if (!aside.isEmpty()) {
                if (aside != databasePath)
                    out.keptAside = aside;
                attempt = appendWithin(databasePath, entry, busyTimeoutMs);
            }
        }
    }
    out.stored = attempt.trouble == RecordTrouble::None;
    out.trouble = out.stored && !out.keptAside.isEmpty() ? RecordTrouble::Corrupt : attempt.trouble;
    out.detail = attempt.error.databaseText().isEmpty() ? attempt.error.driverText()
                                                        : attempt.error.databaseText();
    out.warning = recordWarningText(c, databasePath, out);
    return out;
}

} // namespace cps
