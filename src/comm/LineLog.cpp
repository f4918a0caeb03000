#include "comm/LineLog.h"

#include "core/CsvText.h"

namespace cps {

QString identText(const QByteArray &ident) {
    return QString::fromLatin1(ident.toHex(' ').toUpper());
}

QString secondsText(qint64 ms) {
    return QString::number(static_cast<double>(ms) / 1000.0, 'f', 1);
}

bool LineLog::open(const std::string &path) {
    if (path.empty())
        return true;
    file_.open(path, std::ios::app | std::ios::binary);
    if (!file_)
        return false;
    file_.seekp(0, std::ios::end);
    if (file_.tellp() == 0)
        file_ << "Time,Port,Ident,Result,Duration,FailedStep,Message,Backup\n" << std::flush;
    return static_cast<bool>(file_);
}

bool LineLog::append(const LineResult &r) {
    if (!file_.is_open())
        return true;
    const QString fields[] = {r.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                              r.port,
                              identText(r.ident),
                              r.pass ? QStringLiteral("PASS") : QStringLiteral("FAIL"),
                              secondsText(r.durationMs),
                              stepName(r.failedStep),
                              r.message,
                              r.backupFile};
    std::string line;
    for (const auto &f : fields)
        line += (line.empty() ? "" : ",") + csvField(f.toStdString());
    file_ << line << '\n' << std::flush;
    return static_cast<bool>(file_);
}

} // namespace cps
