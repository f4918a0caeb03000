#pragma once
// A small INI layer with the semantics of the classic profile-string calls:
// a read fetches the value (or the default) into an N-character buffer, so at
// most N-1 characters survive, with surrounding spaces removed; section and key
// names compare case-insensitively; a write changes one key and keeps every
// other line, comment and order of the file, creating the file or the section
// when missing.
#include <cstdint>
#include <string>
#include <vector>

namespace cps {

class IniFile {
public:
    explicit IniFile(std::string path = {}) : path_(std::move(path)) {}
    const std::string &path() const { return path_; }

    std::string read(const std::string &section, const std::string &key, const std::string &def,
                     std::size_t bufferSize) const;
    // Returns false when the file could not be written (callers do not report it).
    bool write(const std::string &section, const std::string &key, const std::string &value) const;

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
