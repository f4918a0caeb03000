#include "platform/AtomicFile.h"

#include "platform/Branch.h"

#if BRENVIK_POSIX
#include "platform/Process.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QFileInfo>
#include <QSaveFile>
#endif

namespace platform {

#if BRENVIK_POSIX

namespace {

std::string systemReason() {
    return std::strerror(errno);
}

// Every byte or the reason why not: a disk that fills up takes part of a
// write and refuses the rest, which must not pass for success.
std::string writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? systemReason() : std::strerror(ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

// Whether a process with this number exists (one we may not signal counts).
bool processExists(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// A save killed between writing its temporary file and the rename leaves
// ".<name>.tmp-<pid>-<n>" behind. The next save of the same file removes those
// whose process is gone; one whose process still runs may be a save in flight.
void removeStaleTemporaries(const std::string &folder, const std::string &name) {
    const std::string prefix = "." + name + ".tmp-";
    DIR *dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string_view file = entry->d_name;
        if (file.substr(0, prefix.size()) != prefix)
            continue;
        const std::string rest(file.substr(prefix.size()));
        char *end = nullptr;
        const long pid = std::strtol(rest.c_str(), &end, 10);
        if (pid <= 0 || end == rest.c_str() || *end != '-' || pid == currentProcessId() ||
            processExists(pid))
            continue;
        ::unlink((folder + std::string(file)).c_str());
    }
    ::closedir(dir);
}

} // namespace

std::string replaceFileAtomically(const std::string &target, std::string_view bytes) {
    struct stat existing {};
    const bool exists = ::lstat(target.c_str(), &existing) == 0;
    if (exists && S_ISLNK(existing.st_mode))
        return std::strerror(ELOOP);
    if (exists && !S_ISREG(existing.st_mode))
        return S_ISDIR(existing.st_mode) ? std::strerror(EISDIR) : "not a regular file";

    const auto slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    // A new file gets the usual mode less the umask; an existing one keeps its own.
    const mode_t mode = exists ? (existing.st_mode & 07777) : 0666;
    removeStaleTemporaries(folder, name);
    std::string temp;
    int fd = -1;
    for (unsigned attempt = 0; fd < 0; ++attempt) {
        temp = folder + "." + name + ".tmp-" + std::to_string(currentProcessId()) + "-" +
               std::to_string(attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : mode);
        if (fd < 0 && (errno != EEXIST || attempt > 1000))
            return systemReason();
    }
    std::string reason = writeAll(fd, bytes);
    if (reason.empty() && exists && ::fchmod(fd, mode) != 0)
        reason = systemReason();
    if (reason.empty() && ::fsync(fd) != 0)
        reason = systemReason();
    if (::close(fd) != 0 && reason.empty())
        reason = systemReason();
    if (reason.empty() && ::rename(temp.c_str(), target.c_str()) != 0)
        reason = systemReason();
    if (!reason.empty())
        ::unlink(temp.c_str());
    return reason;
}

#else

// Qt's QSaveFile does the same steps with the system's own calls.
std::string replaceFileAtomically(const std::string &target, std::string_view bytes) {
    const QString path = QString::fromStdString(target);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return "not a regular file";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString().toStdString();
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        const std::string reason = file.errorString().toStdString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString().toStdString();
    return {};
}

#endif

} // namespace platform
