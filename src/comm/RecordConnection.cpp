#include "comm/RecordConnection.h"

#include <QThread>
#include <atomic>

namespace cps {

namespace sqlite {
int primaryCode(const QSqlError &error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xFF : 0; // extended codes keep the primary one in their low byte
}
} // namespace sqlite

namespace {
QString uniqueConnectionName() {
    static std::atomic<quint64> next{0};
    return QStringLiteral("brenvik-record-%1").arg(++next);
}
} // namespace

RecordConnection::RecordConnection(const QString &path, Mode mode, int busyTimeoutMs)
    : name_(uniqueConnectionName()),
      db_(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_)) {
    db_.setDatabaseName(path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
    if (mode == Mode::ReadOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db_.setConnectOptions(options);
}

RecordConnection::~RecordConnection() {
    close();
    db_ = QSqlDatabase(); // no handle may remain when the connection is removed
    QSqlDatabase::removeDatabase(name_);
}

bool RecordConnection::open() {
    return db_.isValid() && db_.open();
}

void RecordConnection::close() {
    if (db_.isOpen())
        db_.close();
}

} // namespace cps
