#include "comm/UserFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace cps {

UserFolders standardUserFolders() {
    auto folder = [](QStandardPaths::StandardLocation kind, const QString &fallback) {
        const QString found = QStandardPaths::writableLocation(kind);
        return (found.isEmpty() ? QDir::home().filePath(fallback) : found).toStdString();
    };
    // The generic config folder + our own name is the application's config
    // folder whatever name the running program gives itself, so the desktop
    // tool and the command line share one settings file.
    return {folder(QStandardPaths::GenericConfigLocation, QStringLiteral(".config")),
            folder(QStandardPaths::DocumentsLocation, QStringLiteral("Documents")),
            folder(QStandardPaths::GenericDataLocation, QStringLiteral(".local/share"))};
}

FileLocations locateProgramFiles(const QString &programDir) {
    return locateFiles(QDir(programDir).absolutePath().toStdString(), standardUserFolders());
}

} // namespace cps
