#include "platform/FileAccess.h"

#include "platform/Branch.h"

#include <cerrno>

#if BRENVIK_POSIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <cstdio>
#include <filesystem>
#include <fstream>
#endif

namespace platform {

#if BRENVIK_POSIX

namespace {

// Reads at most limit + 1 bytes.
InputBytes readUpTo(int fd, std::size_t limit) {
    InputBytes in;
    uint8_t buf[65536];
    while (in.bytes.size() <= limit) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            in.error = errno;
            break;
        }
        in.bytes.insert(in.bytes.end(), buf, buf + n);
    }
    return in;
}

} // namespace

FileStatus fileStatus(const std::string &path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {errno, FileType::Other, false};
    const FileType type = S_ISREG(st.st_mode)   ? FileType::Regular
                          : S_ISDIR(st.st_mode) ? FileType::Directory
                          : S_ISCHR(st.st_mode) ? FileType::CharacterDevice
                                                : FileType::Other;
    return {0, type, (st.st_mode & 0222) != 0};
}

bool sameFile(const std::string &a, const std::string &b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

int writeAccess(const std::string &path, bool folder) {
    return ::access(path.c_str(), folder ? W_OK | X_OK : W_OK) == 0 ? 0 : errno;
}

InputBytes readStandardInput(std::size_t limit) {
    return readUpTo(STDIN_FILENO, limit);
}

InputBytes readFile(const std::string &path, std::size_t limit) {
    // Not blocking in open(): a FIFO without a writer reads as empty instead
    // of waiting for ever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {{}, errno, false};
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return {{}, errno, false};
    if (S_ISDIR(st.st_mode))
        return {{}, EISDIR, false};
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) > limit)
        return {{}, 0, true};
    return readUpTo(fd, limit);
}

int writeToDevice(const std::string &path, const std::vector<uint8_t> &bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int e = n < 0 ? errno : EIO;
            ::close(fd);
            return e;
        }
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return 0;
}

#else

namespace fs = std::filesystem;

namespace {

int errorNumber(const std::error_code &ec) {
    const int e = ec.default_error_condition().value();
    return e ? e : EIO;
}

InputBytes readStream(std::FILE *in, std::size_t limit) {
    InputBytes result;
    uint8_t buf[65536];
    while (result.bytes.size() <= limit) {
        const std::size_t n = std::fread(buf, 1, sizeof buf, in);
        result.bytes.insert(result.bytes.end(), buf, buf + n);
        if (n < sizeof buf) {
            if (std::ferror(in))
                result.error = errno ? errno : EIO;
            break;
        }
    }
    return result;
}

} // namespace

FileStatus fileStatus(const std::string &path) {
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (ec || !fs::exists(st))
        return {ec ? errorNumber(ec) : ENOENT, FileType::Other, false};
    const FileType type = fs::is_regular_file(st)     ? FileType::Regular
                          : fs::is_directory(st)      ? FileType::Directory
                          : fs::is_character_file(st) ? FileType::CharacterDevice
                                                      : FileType::Other;
    const auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return {0, type, (st.permissions() & write) != fs::perms::none};
}

bool sameFile(const std::string &a, const std::string &b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

int writeAccess(const std::string &path, bool) {
    std::error_code ec;
    const auto perms = fs::status(path, ec).permissions();
    if (ec)
        return errorNumber(ec);
    return (perms & fs::perms::owner_write) != fs::perms::none ? 0 : EACCES;
}

InputBytes readStandardInput(std::size_t limit) {
    // Bytes as they come, without a text mode's line-end translation.
    std::FILE *in = std::freopen(nullptr, "rb", stdin);
    return readStream(in ? in : stdin, limit);
}

InputBytes readFile(const std::string &path, std::size_t limit) {
    const FileStatus st = fileStatus(path);
    if (st.error)
        return {{}, st.error, false};
    if (st.type == FileType::Directory)
        return {{}, EISDIR, false};
    std::error_code ec;
    if (st.type == FileType::Regular && fs::file_size(path, ec) > limit && !ec)
        return {{}, 0, true};
    std::FILE *in = std::fopen(path.c_str(), "rb");
    if (!in)
        return {{}, errno ? errno : EACCES, false};
    InputBytes result = readStream(in, limit);
    std::fclose(in);
    return result;
}

int writeToDevice(const std::string &path, const std::vector<uint8_t> &bytes) {
    std::FILE *out = std::fopen(path.c_str(), "wb");
    if (!out)
        return errno ? errno : EACCES;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const int e = errno;
    const bool closed = std::fclose(out) == 0;
    return written && closed ? 0 : (e ? e : EIO);
}

#endif

} // namespace platform
