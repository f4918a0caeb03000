#pragma once
// One connection to the record database for one call. Qt SQL connections
// belong to the thread that made them, so every call makes its own under a
// name no other one uses, and removes it when done.
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

namespace cps {

// SQLite's primary result codes that tell why a statement failed.
namespace sqlite {
inline constexpr int kPerm = 3, kBusy = 5, kLocked = 6, kReadOnly = 8, kIoErr = 10, kCorrupt = 11,
                     kFull = 13, kCantOpen = 14, kNotADb = 26;
// The primary code of an error from the SQLite driver (0 when it has none).
int primaryCode(const QSqlError &error);
} // namespace sqlite

class RecordConnection {
  public:
    enum class Mode { ReadWrite, ReadOnly };
    RecordConnection(const QString &path, Mode mode, int busyTimeoutMs);
    ~RecordConnection();
    RecordConnection(const RecordConnection &) = delete;
    RecordConnection &operator=(const RecordConnection &) = delete;

    // False with the reason in lastError() when the file cannot be opened.
    bool open();
    QSqlDatabase &db() { return db_; }
    QSqlError lastError() const { return db_.lastError(); }
    // Closes now (before the file is renamed, for instance).
    void close();

  private:
    QString name_;
    QSqlDatabase db_;
};

} // namespace cps
