#pragma once
// The record database's tables and their versions. The version lives in the
// file's header (PRAGMA user_version); each later version adds one step that
// brings the version before it up, so a database of any earlier version is
// carried forward in order and nothing already recorded is lost.
#include <QSqlDatabase>
#include <QSqlError>

namespace cps {

inline constexpr int kRecordSchemaVersion = 1;

enum class SchemaState { Current, Newer, Failed };

struct SchemaCheck {
    SchemaState state = SchemaState::Failed;
    QSqlError error; // Failed: why
};

// The file's version; -1 with `error` set when it cannot be read.
int recordSchemaVersion(QSqlDatabase &db, QSqlError &error);

// Brings the database up to kRecordSchemaVersion (a new file starts at 0).
// Two writers may arrive at once: the steps run inside one write transaction
// that looks at the version again first.
SchemaCheck upgradeRecordSchema(QSqlDatabase &db);

} // namespace cps
