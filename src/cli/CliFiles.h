#pragma once
// The files a command reads and writes, named on the command line: '-' for the
// standard streams, checks made before anything runs, and failures that carry
// the system's reason ("Permission denied", "Is a directory").
#include "cli/Console.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace cli {

// The most a CSV or plan read from a file or a stream may hold: a full
// channel table is a few kB, so anything larger is not one (and /dev/zero
// must not fill the memory).
constexpr std::size_t kMaxInputBytes = 1 << 20;

// Whether an argument names standard input or output ("-", /dev/stdin, /dev/stdout).
bool isStdin(const std::string &path);
bool isStdout(const std::string &path);

// The system's text for an errno value ("No such file or directory").
std::string osReason(int error);

// Reads an input file, or standard input for '-' and /dev/stdin. A folder, a
// missing or unreadable file, or more than `maxBytes` is a CliFailure (file
// error) naming `path` and the reason.
std::vector<uint8_t> readInput(const std::string &path, std::size_t maxBytes = kMaxInputBytes);
// The same without the failure: false with the reason ("Is a directory").
bool readInput(const std::string &path, std::vector<uint8_t> &bytes, std::string &reason,
               std::size_t maxBytes = kMaxInputBytes);

// An output named by -o, checked before the command does its work:
//   '-', /dev/stdout      standard output
//   a character device    written directly (/dev/null, a terminal)
//   a regular file        replaced atomically, symlinks followed, mode kept;
//                         a read-only one is refused
//   a new file            its folder must exist and be writable
// Anything else (a folder, a FIFO, a socket), and an output that is one of
// the command's inputs, is a CliFailure (file error).
class OutputFile {
  public:
    OutputFile(const std::string &path, const std::vector<std::string> &inputs = {});

    const std::string &path() const { return path_; }
    bool toStdout() const { return toStdout_; }

    // Writes the bytes; a failure is a CliFailure (file error) with
    // `failedText` (the interface's "Save file failed!") and the reason.
    void write(const std::vector<uint8_t> &bytes, Console &console,
               const std::string &failedText) const;

  private:
    std::string path_;   // as given
    std::string target_; // symlinks followed
    bool toStdout_ = false, device_ = false;
};

// An output (`output` as given, `target` the file it names) that is the same
// file as one of `inputs` (plans, CSV files, port devices; compared by the
// file itself, not by name) is a CliFailure (file error).
void refuseOutputOnInput(const std::string &output, const std::string &target,
                         const std::vector<std::string> &inputs);

// A --backup folder: one of `inputs`, or a folder that cannot be created or
// written (the OS reason: "Permission denied", "Not a directory"), is a
// CliFailure (file error).
void checkBackupFolder(const std::string &dir, const std::vector<std::string> &inputs);

// Why the console's standard output could not be written ("No space left on device").
std::string outputErrorText(const Console &console);

// Ends a command's output: flushes it and turns a failed write (a full disk)
// into exit status 3 with the reason on the error stream.
int finishOutput(Console &console, int status);

} // namespace cli
