#include "cli/CliFiles.h"

#include "core/DataFile.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {

namespace {

[[noreturn]] void fail(const std::string &path, const std::string &what) {
    throw CliFailure(kExitFile, path + ": " + what);
}

// The reason an input cannot be used.
struct InputProblem {
    std::string reason;
};

// Reads at most maxBytes + 1 bytes, so the caller sees that the limit was passed.
std::vector<uint8_t> readUpTo(int fd, std::size_t maxBytes) {
    std::vector<uint8_t> bytes;
    uint8_t buf[65536];
    while (bytes.size() <= maxBytes) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw InputProblem{osReason(errno)};
        }
        bytes.insert(bytes.end(), buf, buf + n);
    }
    return bytes;
}

void checkSize(std::size_t size, std::size_t maxBytes) {
    if (size > maxBytes)
        throw InputProblem{"too large: more than " + std::to_string(maxBytes / 1024) + " KiB"};
}

std::vector<uint8_t> readOrThrow(const std::string &path, std::size_t maxBytes) {
    if (isStdin(path)) {
        auto bytes = readUpTo(STDIN_FILENO, maxBytes);
        checkSize(bytes.size(), maxBytes);
        return bytes;
    }
    // Not blocking in open(): a FIFO without a writer reads as empty instead
    // of waiting for ever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw InputProblem{osReason(errno)};
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        throw InputProblem{osReason(errno)};
    if (S_ISDIR(st.st_mode))
        throw InputProblem{osReason(EISDIR)};
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (S_ISREG(st.st_mode))
        checkSize(static_cast<std::size_t>(st.st_size), maxBytes);
    auto bytes = readUpTo(fd, maxBytes);
    checkSize(bytes.size(), maxBytes);
    return bytes;
}

// Follows symlinks to the path a write really replaces (a dangling one: the
// file it points to, which the write then creates).
std::string followLinks(std::string path) {
    namespace fs = std::filesystem;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec)))
            break;
        const fs::path link = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = (link.is_absolute() ? link : fs::path(path).parent_path() / link).string();
    }
    return path;
}

bool sameFile(const struct stat &a, const std::string &other) {
    struct stat b {};
    return ::stat(other.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

bool isStdin(const std::string &path) {
    return path == "-" || path == "/dev/stdin";
}

bool isStdout(const std::string &path) {
    return path == "-" || path == "/dev/stdout";
}

std::string osReason(int error) {
    return std::strerror(error);
}

bool readInput(const std::string &path, std::vector<uint8_t> &bytes, std::string &reason,
               std::size_t maxBytes) {
    try {
        bytes = readOrThrow(path, maxBytes);
        return true;
    } catch (const InputProblem &p) {
        reason = p.reason;
        return false;
    }
}

std::vector<uint8_t> readInput(const std::string &path, std::size_t maxBytes) {
    std::vector<uint8_t> bytes;
    std::string reason;
    if (!readInput(path, bytes, reason, maxBytes))
        fail(isStdin(path) ? "standard input" : path, "cannot be read (" + reason + ")");
    return bytes;
}

OutputFile::OutputFile(const std::string &path, const std::vector<std::string> &inputs)
    : path_(path) {
    if (isStdout(path)) {
        toStdout_ = true;
        return;
    }
    target_ = followLinks(path);
    struct stat st {};
    if (::stat(target_.c_str(), &st) == 0) {
        if (S_ISCHR(st.st_mode)) {
            device_ = true;
            return;
        }
        if (S_ISDIR(st.st_mode))
            fail(path, "cannot be written (" + osReason(EISDIR) + ")");
        if (!S_ISREG(st.st_mode))
            fail(path, "cannot be written (not a regular file)");
        if ((st.st_mode & 0222) == 0 || ::access(target_.c_str(), W_OK) != 0)
            fail(path, "cannot be written (read-only file)");
        for (const auto &input : inputs)
            if (!isStdin(input) && sameFile(st, input))
                fail(path, "is also an input of this command; choose another output");
        return;
    }
    if (errno != ENOENT)
        fail(path, "cannot be written (" + osReason(errno) + ")");
    std::string folder = std::filesystem::path(target_).parent_path().string();
    if (folder.empty())
        folder = ".";
    struct stat dir {};
    if (::stat(folder.c_str(), &dir) != 0)
        fail(path, "cannot be created (" + osReason(errno) + ")");
    if (!S_ISDIR(dir.st_mode))
        fail(path, "cannot be created (" + osReason(ENOTDIR) + ")");
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        fail(path, "cannot be created (" + osReason(errno) + ")");
}

void OutputFile::write(const std::vector<uint8_t> &bytes, Console &console,
                       const std::string &failedText) const {
    if (toStdout_) {
        console.out.write(reinterpret_cast<const char *>(bytes.data()),
                          static_cast<std::streamsize>(bytes.size()));
        console.out.flush();
        if (!console.out)
            fail("standard output", failedText + " (" + outputErrorText(console) + ")");
        return;
    }
    if (device_) {
        const int fd = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0)
            fail(path_, failedText + " (" + osReason(errno) + ")");
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                const int e = n < 0 ? errno : EIO;
                ::close(fd);
                fail(path_, failedText + " (" + osReason(e) + ")");
            }
            done += static_cast<std::size_t>(n);
        }
        ::close(fd);
        return;
    }
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto oldPerms = fs::status(target_, ec).permissions();
    const bool existed = !ec && fs::exists(target_, ec);
    errno = 0;
    try {
        cps::writeFileAtomically(target_, bytes);
    } catch (const std::exception &) {
        const int e = errno;
        fail(path_, failedText + (e ? " (" + osReason(e) + ")" : std::string()));
    }
    if (existed)
        fs::permissions(target_, oldPerms, ec);
}

std::string outputErrorText(const Console &console) {
    const int e = console.outError ? console.outError() : 0;
    return e ? osReason(e) : "write error";
}

int finishOutput(Console &console, int status) {
    console.out.flush();
    if (console.out)
        return status;
    if (status == kExitFile)
        return status; // the command's own failure message said it
    console.err << "brenvik-cli: standard output cannot be written (" << outputErrorText(console)
                << ")\n";
    return kExitFile;
}

} // namespace cli
