#include "cli/CliFiles.h"

#include "core/DataFile.h"
#include "core/MessageText.h"
#include "platform/FileAccess.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>

namespace cli {

using cps::filled;
using cps::shownName;
using cps::translated;

namespace {

[[noreturn]] void fail(const std::string &path, const std::string &what) {
    throw CliFailure(kExitFile, shownName(path) + ": " + what);
}

std::string cannotBeWritten(const std::string &reason) {
    return filled(translated("Files", "cannot be written (%1)"), {reason});
}

std::string cannotBeCreated(const std::string &reason) {
    return filled(translated("Files", "cannot be created (%1)"), {reason});
}

// The reason an input cannot be used.
struct InputProblem {
    std::string reason;
};

std::vector<uint8_t> readOrThrow(const std::string &path, std::size_t maxBytes) {
    platform::InputBytes in =
        isStdin(path) ? platform::readStandardInput(maxBytes) : platform::readFile(path, maxBytes);
    if (in.error)
        throw InputProblem{osReason(in.error)};
    if (in.tooLarge || in.bytes.size() > maxBytes)
        throw InputProblem{filled(translated("Files", "too large: more than %1 KiB"),
                                  {std::to_string(maxBytes / 1024)})};
    return std::move(in.bytes);
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
        fail(isStdin(path) ? translated("Files", "standard input") : path,
             filled(translated("Files", "cannot be read (%1)"), {reason}));
    return bytes;
}

OutputFile::OutputFile(const std::string &path, const std::vector<std::string> &inputs)
    : path_(path) {
    if (isStdout(path)) {
        toStdout_ = true;
        return;
    }
    target_ = followLinks(path);
    using platform::FileType;
    const platform::FileStatus st = platform::fileStatus(target_);
    if (st.error == 0) {
        // Before the type: a port is a character device too.
        refuseOutputOnInput(path, target_, inputs);
        if (st.type == FileType::CharacterDevice) {
            device_ = true;
            return;
        }
        if (st.type == FileType::Directory)
            fail(path, cannotBeWritten(osReason(EISDIR)));
        if (st.type != FileType::Regular)
            fail(path, cannotBeWritten(translated("Files", "not a regular file")));
        if (!st.writeBits || platform::writeAccess(target_, false) != 0)
            fail(path, cannotBeWritten(translated("Files", "read-only file")));
        return;
    }
    if (st.error != ENOENT)
        fail(path, cannotBeWritten(osReason(st.error)));
    std::string folder = std::filesystem::path(target_).parent_path().string();
    if (folder.empty())
        folder = ".";
    const platform::FileStatus dir = platform::fileStatus(folder);
    if (dir.error != 0)
        fail(path, cannotBeCreated(osReason(dir.error)));
    if (dir.type != FileType::Directory)
        fail(path, cannotBeCreated(osReason(ENOTDIR)));
    if (const int e = platform::writeAccess(folder, true); e != 0)
        fail(path, cannotBeCreated(osReason(e)));
}

void OutputFile::write(const std::vector<uint8_t> &bytes, Console &console,
                       const std::string &failedText) const {
    if (toStdout_) {
        console.out.write(reinterpret_cast<const char *>(bytes.data()),
                          static_cast<std::streamsize>(bytes.size()));
        console.out.flush();
        if (!console.out)
            fail(translated("Files", "standard output"),
                 failedText + " (" + outputErrorText(console) + ")");
        return;
    }
    if (device_) {
        if (const int e = platform::writeToDevice(target_, bytes); e != 0)
            fail(path_, failedText + " (" + osReason(e) + ")");
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

void refuseOutputOnInput(const std::string &output, const std::string &target,
                         const std::vector<std::string> &inputs) {
    for (const auto &input : inputs)
        if (!input.empty() && !isStdin(input) && platform::sameFile(target, input))
            fail(output,
                 translated("Files", "is also an input of this command; choose another output"));
}

void checkBackupFolder(const std::string &dir, const std::vector<std::string> &inputs) {
    using platform::FileType;
    refuseOutputOnInput(dir, dir, inputs);
    // The folder, or the nearest folder above it that exists (the backup creates the rest).
    std::filesystem::path at = std::filesystem::absolute(dir);
    platform::FileStatus st = platform::fileStatus(at.string());
    while (st.error == ENOENT && at.has_relative_path()) {
        at = at.parent_path();
        st = platform::fileStatus(at.string());
    }
    const auto refuse = [&](int error) {
        fail(dir, filled(translated("Files", "cannot be used as the backup folder (%1)"),
                         {osReason(error)}));
    };
    if (st.error != 0)
        refuse(st.error);
    if (st.type != FileType::Directory)
        refuse(ENOTDIR);
    if (const int e = platform::writeAccess(at.string(), true); e != 0)
        refuse(e);
}

std::string outputErrorText(const Console &console) {
    const int e = console.outError ? console.outError() : 0;
    return e ? osReason(e) : translated("Files", "write error");
}

int finishOutput(Console &console, int status) {
    console.out.flush();
    if (console.out)
        return status;
    if (status == kExitFile)
        return status; // the command's own failure message said it
    console.err << "brenvik-cli: "
                << filled(translated("Files", "standard output cannot be written (%1)"),
                          {outputErrorText(console)})
                << '\n';
    return kExitFile;
}

} // namespace cli
