#pragma once
// The file system calls of a command-line program that takes paths, '-' and
// devices: what a path is, whether it may be written, reading with a bound, and
// writing a device. Failures are the system's error numbers (errno values, for
// std::strerror).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class FileType { Regular, Directory, CharacterDevice, Other };

struct FileStatus {
    int error = 0; // why the path cannot be examined; ENOENT: there is nothing
    FileType type = FileType::Other;
    bool writeBits = false; // some write permission bit is set
};

// What `path` names, symlinks followed.
FileStatus fileStatus(const std::string &path);

// Whether `a` and `b` name one file (through links or other spellings).
bool sameFile(const std::string &a, const std::string &b);

// 0 when this process may write `path` (a folder: create files in it), else why not.
int writeAccess(const std::string &path, bool folder);

struct InputBytes {
    std::vector<uint8_t> bytes; // at most limit + 1, so a caller sees the limit passed
    int error = 0;              // why it could not be read; EISDIR for a folder
    bool tooLarge = false;      // a regular file larger than the limit, left unread
};

InputBytes readStandardInput(std::size_t limit);
// A FIFO without a writer reads as empty instead of waiting for one.
InputBytes readFile(const std::string &path, std::size_t limit);

// Writes `bytes` to the device `path` (/dev/null, a terminal): 0, or why not.
int writeToDevice(const std::string &path, const std::vector<uint8_t> &bytes);

} // namespace platform
