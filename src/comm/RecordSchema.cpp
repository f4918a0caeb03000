#include "comm/RecordSchema.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <vector>

namespace cps {

namespace {

// Step n brings version n to version n + 1.
//
// Version 1, one row per radio:
//
//   radios  id           row number
//           time         ISO 8601 UTC with milliseconds ("2026-12-11T08:15:02.123Z"):
//                        text order is time order
//           port         "COM3", "/dev/ttyUSB0"
//           plan         the plan's file name
//           plan_sha256  lowercase hex SHA-256 of the image sent
//           ident        the radio's identification bytes (BLOB)
//           result       'PASS' or 'FAIL'
//           failed_step  'backup', 'write', 'verify' or ''
//           message, duration_ms, backup_file, operator
const std::vector<std::vector<const char *>> kSteps = {
    {R"(CREATE TABLE radios (
           id          INTEGER PRIMARY KEY,
           time        TEXT    NOT NULL,
           port        TEXT    NOT NULL,
           plan        TEXT    NOT NULL,
           plan_sha256 TEXT    NOT NULL,
           ident       BLOB    NOT NULL,
           result      TEXT    NOT NULL CHECK (result IN ('PASS', 'FAIL')),
           failed_step TEXT    NOT NULL,
           message     TEXT    NOT NULL,
           duration_ms INTEGER NOT NULL,
           backup_file TEXT    NOT NULL,
           operator    TEXT    NOT NULL))",
     "CREATE INDEX radios_by_time ON radios (time)"},
};
static_assert(kRecordSchemaVersion == 1, "one step per version after 0");

bool run(QSqlDatabase &db, const QString &sql, QSqlError &error) {
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    error = q.lastError();
    return false;
}

} // namespace

int recordSchemaVersion(QSqlDatabase &db, QSqlError &error) {
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        error = q.lastError();
        return -1;
    }
    return q.value(0).toInt();
}

SchemaCheck upgradeRecordSchema(QSqlDatabase &db) {
    SchemaCheck check;
    int version = recordSchemaVersion(db, check.error);
    if (version == kRecordSchemaVersion) {
        check.state = SchemaState::Current;
        return check;
    }
    if (version > kRecordSchemaVersion) {
        check.state = SchemaState::Newer;
        return check;
    }
    if (version < 0)
        return check;

    // IMMEDIATE takes the write lock at once: a second writer waits here
    // (busy timeout) and then finds the work done.
    if (!run(db, QStringLiteral("BEGIN IMMEDIATE"), check.error))
        return check;
    const auto fail = [&] {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        check.state = SchemaState::Failed;
        return check;
    };
    version = recordSchemaVersion(db, check.error);
    if (version < 0)
        return fail();
    if (version > kRecordSchemaVersion) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        check.state = SchemaState::Newer;
        return check;
    }
    for (int step = version; step < kRecordSchemaVersion; ++step)
        for (const char *sql : kSteps[static_cast<std::size_t>(step)])
            if (!run(db, QString::fromUtf8(sql), check.error))
                return fail();
    // The version is written in the same transaction as the steps.
    if (!run(db, QStringLiteral("PRAGMA user_version = %1").arg(kRecordSchemaVersion),
             check.error) ||
        !run(db, QStringLiteral("COMMIT"), check.error))
        return fail();
    check.state = SchemaState::Current;
    return check;
}

} // namespace cps
