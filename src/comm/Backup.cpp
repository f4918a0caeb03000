#include "comm/Backup.h"

#include "comm/WireFormat.h"
#include "comm/WriteVerify.h"
#include "core/DataFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace cps {

QString portFileName(const QString &port) {
    QString name = port;
    if (name.startsWith(QStringLiteral("/dev/")))
        name = name.mid(5);
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._]+"));
    name.replace(unsafe, QStringLiteral("-"));
    while (name.startsWith(QLatin1Char('-')) || name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    return name.isEmpty() ? QStringLiteral("port") : name;
}

QString backupPath(const QString &dir, const QString &port, const QDateTime &when) {
    const QString stem =
        when.toString(QStringLiteral("yyyyMMdd-HHmmss")) + QLatin1Char('-') + portFileName(port);
    QString path = QDir(dir).filePath(stem + QStringLiteral(".dat"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(dir).filePath(stem + QStringLiteral("-%1.dat").arg(n));
    return path;
}

QString backupRadio(const Cps &c, SerialPort &port, TransferUi &ui, TimeoutMark &mark,
                    const QString &dir, const QString &portName) {
    const auto image = readRange(c, port, ui, mark, 0, kImageTop);
    if (!image)
        return {};
    if (!QDir().mkpath(dir))
        return {};
    const QString path = backupPath(dir, portName, QDateTime::currentDateTime());
    try {
        writeFileAtomically(path.toStdString(), imageToFileBytes(*image));
    } catch (const std::exception &) {
        return {};
    }
    return path;
}

} // namespace cps
