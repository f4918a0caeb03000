#include "core/SafeFile.h"

#include "platform/AtomicFile.h"

#include <QFileInfo>
#include <QLockFile>

namespace cps {

namespace {

QString qt(const std::string &s) {
    return QString::fromStdString(s);
}

} // namespace

std::string resolvedWriteTarget(const std::string &path) {
    QFileInfo info(qt(path));
    // Bounded, so a symlink loop ends in a refusal of its own below.
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.filePath().toStdString();
}

std::string saveFileAtomically(const std::string &path, std::string_view bytes) {
    return platform::replaceFileAtomically(resolvedWriteTarget(path), bytes);
}

FileLock::FileLock(const std::string &path, int waitMs)
    : lock_(std::make_unique<QLockFile>(qt(resolvedWriteTarget(path) + ".lock"))) {
    // A holder writes for milliseconds; a lock this old was left by a process
    // that hung or died on another machine sharing the folder.
    lock_->setStaleLockTime(30000);
    if (lock_->tryLock(waitMs))
        return;
    switch (lock_->error()) {
    case QLockFile::LockFailedError:
        error_ = "another program kept " + path + " locked for more than " +
                 (waitMs % 1000 == 0 ? std::to_string(waitMs / 1000) + " s"
                                     : std::to_string(waitMs) + " ms") +
                 " (lock file " + lock_->fileName().toStdString() + ")";
        break;
    case QLockFile::PermissionError:
        error_ = "cannot create the lock file " + lock_->fileName().toStdString() +
                 ": Permission denied";
        break;
    default:
        error_ = "cannot create the lock file " + lock_->fileName().toStdString();
        break;
    }
}

FileLock::~FileLock() = default;

} // namespace cps
