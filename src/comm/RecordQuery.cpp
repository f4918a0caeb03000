// Reading the record: newest first, filtered in the database so a bench's
// years of radios stay quick to look through.
#include "comm/RadioRecord.h"
#include "comm/RecordConnection.h"
#include "comm/RecordSchema.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace cps {

std::vector<RecordEntry> queryRecords(const QString &databasePath, const RecordFilter &filter,
                                      QString *error) {
    std::vector<RecordEntry> records;
    if (!QFileInfo::exists(databasePath))
        return records; // nothing recorded yet; a reader creates nothing
    const auto failed = [&](const QSqlError &e) {
        if (error)
            *error = e.databaseText().isEmpty() ? e.driverText() : e.databaseText();
        return std::vector<RecordEntry>();
    };

    RecordConnection conn(databasePath, RecordConnection::Mode::ReadOnly, kRecordBusyTimeoutMs);
    if (!conn.open())
        return failed(conn.lastError());
    QSqlError versionError;
    const int version = recordSchemaVersion(conn.db(), versionError);
    if (version < 0)
        return failed(versionError);
    if (version == 0)
        return records; // made, but nothing recorded in it yet

    QStringList where;
    QVariantList values;
    const auto require = [&](const char *condition, const QVariant &value) {
        where << QLatin1String(condition);
        values << value;
    };
    if (filter.since.isValid())
        require("time >= ?", recordTimeText(filter.since));
    if (filter.until.isValid())
        require("time < ?", recordTimeText(filter.until));
    if (!filter.port.isEmpty())
        require("port = ?", filter.port);
    if (!filter.plan.isEmpty())
        require("plan = ?", filter.plan);
    if (!filter.operatorName.isEmpty())
        require("operator = ?", filter.operatorName);
    if (!filter.ident.isEmpty())
        require("ident = ?", filter.ident);
    if (filter.pass)
        require("result = ?", *filter.pass ? QStringLiteral("PASS") : QStringLiteral("FAIL"));

    QString sql = QStringLiteral(
        "SELECT id, time, port, plan, plan_sha256, ident, result, failed_step, message,"
        " duration_ms, backup_file, operator FROM radios");
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY time DESC, id DESC");
    if (filter.limit > 0)
        sql += QStringLiteral(" LIMIT %1").arg(filter.limit);

    QSqlQuery q(conn.db());
    q.setForwardOnly(true);
    q.prepare(sql);
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        return failed(q.lastError());
    while (q.next()) {
        RecordEntry e;
        e.id = q.value(0).toLongLong();
        e.time = QDateTime::fromString(q.value(1).toString(), Qt::ISODateWithMs);
        e.port = q.value(2).toString();
        e.plan = q.value(3).toString();
        e.planSha256 = q.value(4).toString();
        e.ident = q.value(5).toByteArray();
        e.pass = q.value(6).toString() == QLatin1String("PASS");
        e.failedStep = q.value(7).toString();
        e.message = q.value(8).toString();
        e.durationMs = q.value(9).toLongLong();
        e.backupFile = q.value(10).toString();
        e.operatorName = q.value(11).toString();
        records.push_back(std::move(e));
    }
    if (q.lastError().isValid())
        return failed(q.lastError());
    return records;
}

} // namespace cps
