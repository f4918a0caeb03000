#pragma once
// Writing files so that nothing is ever half written: the new contents go to a
// temporary file in the target's folder, which is then renamed over the target.
// A reader sees the old file or the new one, never a cut one; a write that
// fails (full disk, no permission) leaves the old file as it was.
//
// Every byte is checked to have reached the disk before the rename (a full
// disk accepts part of a write and refuses the rest; that is a failure, not a
// shorter file). A symlink is followed and its target replaced; the target
// keeps its permission bits. An existing target that is not a regular file (a folder, a
// device node) is refused rather than replaced.
//
// FileLock serialises writers across processes: a lock file beside the target,
// waited for a bounded time; a lock left by a process that has died is taken over.
#include <memory>
#include <string>
#include <string_view>

class QLockFile;

namespace cps {

// Replaces the contents of `path` with `bytes`. Returns an empty text when the
// file was written, else why not, with the system's reason
// (e.g. "No space left on device").
std::string saveFileAtomically(const std::string &path, std::string_view bytes);

// The path a write to `path` really replaces: symlinks followed to their end.
std::string resolvedWriteTarget(const std::string &path);

class FileLock {
public:
    static constexpr int kDefaultWaitMs = 5000;
    // Takes the lock "<path>.lock", waiting at most `waitMs`.
    explicit FileLock(const std::string &path, int waitMs = kDefaultWaitMs);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool locked() const { return error_.empty(); }
    // Why the lock could not be taken; empty when it was.
    const std::string &error() const { return error_; }

private:
    std::unique_ptr<QLockFile> lock_;
    std::string error_;
};

} // namespace cps
