#pragma once
// A small INI layer with the semantics of the classic profile-string calls:
// a read fetches the value (or the default) into an N-character buffer, so at
// most N-1 characters survive, with surrounding spaces removed; section and key
// names compare case-insensitively; a write changes its keys and keeps every
// other line, comment and order of the file, creating the file or the section
// when missing.
//
// Writes are safe against other processes and faults: under a lock file
// beside the settings, the file is read, changed and renamed over the old one
// in one step (see SafeFile.h), and only when a value really changes. A file
// that exists but cannot be read is never replaced.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cps {

// One key to set, or to remove when `value` is empty.
struct IniEntry {
    std::string section, key;
    std::optional<std::string> value;
};

// Outcome of a write: empty `error` when the file holds the new values.
struct IniWrite {
    std::string error;
    explicit operator bool() const { return error.empty(); }
};

class IniFile {
public:
    explicit IniFile(std::string path = {}) : path_(std::move(path)) {}
    const std::string &path() const { return path_; }

    std::string read(const std::string &section, const std::string &key, const std::string &def,
                     std::size_t bufferSize) const;

    IniWrite write(const std::string &section, const std::string &key,
                   const std::string &value) const;
    // Several keys in one step: one lock, one read, one rename.
    IniWrite write(const std::vector<IniEntry> &entries) const;
    // Under the lock, `change` sees the file's current values (nullopt for a
    // missing key) and returns the entries to write; for read-then-change
    // steps that must not race with another writer.
    using Lookup = std::function<std::optional<std::string>(const std::string &section,
                                                            const std::string &key)>;
    IniWrite edit(const std::function<std::vector<IniEntry>(const Lookup &current)> &change) const;

    // write() that reports a failure as run-time error 75 (path/file access)
    // whose source names the file and the reason, for the caller's error entry.
    void store(const std::string &section, const std::string &key, const std::string &value) const;
    void store(const std::vector<IniEntry> &entries) const;

private:
    std::string path_;
};

// Text to 16-bit signed integer as the settings reader converts it: decimal,
// optionally with a fraction (rounded half to even), or "&H" hexadecimal.
// Throws RunError 13 for text that is not a number and 6 when it does not fit.
int16_t toInt16(const std::string &text);
// Hexadecimal text without prefix (as the address keys hold it) to 16 bits;
// values 8000..FFFF wrap to negative as a 16-bit integer does.
int16_t hexToInt16(const std::string &text);

std::string trimSpaces(const std::string &s);

} // namespace cps
