#include "core/Ini.h"

#include "core/Failure.h"
#include "core/Numeric.h"

#include "core/SafeFile.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>

namespace cps {

namespace {

using Lines = std::vector<std::string>;

std::string lower(std::string s) {
    for (auto &c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

Lines splitLines(const std::string &text) {
    Lines lines;
    std::size_t at = 0;
    while (at < text.size()) {
        auto end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        at = end + 1;
    }
    return lines;
}

// The file's lines. A missing file has none; a file that exists but cannot be
// read sets `error` (and must then not be replaced by a writer).
Lines readLines(const std::string &path, std::string *error = nullptr) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) return {};
    auto fail = [&](const std::string &why) {
        if (error) *error = "cannot read " + path + ": " + why;
        return Lines{};
    };
    if (std::filesystem::is_directory(status)) return fail(std::strerror(EISDIR));
    std::unique_ptr<FILE, int (*)(FILE *)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!in) return fail(std::strerror(errno));
    std::string text;
    char buf[16384];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, in.get())) > 0) text.append(buf, n);
    if (std::ferror(in.get())) return fail(std::strerror(errno));
    return splitLines(text);
}

// A start-up reads hundreds of keys; the file's lines are kept while its size
// and modification time stay the same, so each read does not parse it again.
// A write renames a new file into place, which always changes the time.
struct CachedFile {
    std::filesystem::file_time_type time;
    std::uintmax_t size = 0;
    std::shared_ptr<const Lines> lines;
};
std::mutex cacheMutex;
std::map<std::string, CachedFile> cache;

std::shared_ptr<const Lines> loadLines(const std::string &path) {
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(path, ec);
    const auto size = ec ? 0 : std::filesystem::file_size(path, ec);
    if (ec) return std::make_shared<const Lines>(readLines(path));
    std::lock_guard lock(cacheMutex);
    auto &entry = cache[path];
    if (!entry.lines || entry.time != time || entry.size != size)
        entry = {time, size, std::make_shared<const Lines>(readLines(path))};
    return entry.lines;
}

void forget(const std::string &path) {
    std::lock_guard lock(cacheMutex);
    cache.erase(path);
}

// "[name]" -> name, else empty optional marker via bool.
bool sectionName(const std::string &line, std::string &name) {
    auto t = trimSpaces(line);
    if (t.size() < 2 || t.front() != '[') return false;
    auto close = t.find(']');
    if (close == std::string::npos) return false;
    name = trimSpaces(t.substr(1, close - 1));
    return true;
}

bool keyValue(const std::string &line, std::string &key, std::string &value) {
    auto t = trimSpaces(line);
    if (t.empty() || t[0] == ';' || t[0] == '#') return false;
    auto eq = line.find('=');
    if (eq == std::string::npos) return false;
    key = trimSpaces(line.substr(0, eq));
    value = trimSpaces(line.substr(eq + 1));
    return true;
}

} // namespace

std::string trimSpaces(const std::string &s) {
    auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t b = 0, e = s.size();
    while (b < e && isSpace(s[b])) ++b;
    while (e > b && isSpace(s[e - 1])) --e;
    return s.substr(b, e - b);
}

namespace {

std::optional<std::string> lookup(const Lines &lines, const std::string &section,
                                  const std::string &key) {
    const auto wantSection = lower(section), wantKey = lower(key);
    bool inSection = false;
    for (const auto &line : lines) {
        std::string name, k, v;
        if (sectionName(line, name))
            inSection = lower(name) == wantSection;
        else if (inSection && keyValue(line, k, v) && lower(k) == wantKey)
            return v;
    }
    return std::nullopt;
}

// Sets (or removes) one key: the first matching line of the section is
// replaced in place; a new key goes after the section's last non-blank line, a
// new section at the end of the file.
void apply(Lines &lines, const IniEntry &entry) {
    const auto wantSection = lower(entry.section), wantKey = lower(entry.key);
    bool inSection = false;
    std::size_t lastOfSection = std::string::npos; // last non-blank line of the section
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string name, k, v;
        if (sectionName(lines[i], name)) {
            if (inSection) break; // section ended without the key
            inSection = lower(name) == wantSection;
            if (inSection) lastOfSection = i;
        } else if (inSection) {
            if (keyValue(lines[i], k, v) && lower(k) == wantKey) {
                if (entry.value)
                    lines[i] = entry.key + "=" + *entry.value;
                else
                    lines.erase(lines.begin() + static_cast<long>(i));
                return;
            }
            if (!trimSpaces(lines[i]).empty()) lastOfSection = i;
        }
    }
    if (!entry.value) return; // nothing to remove
    const std::string newLine = entry.key + "=" + *entry.value;
    if (lastOfSection != std::string::npos) {
        lines.insert(lines.begin() + static_cast<long>(lastOfSection) + 1, newLine);
    } else {
        if (!lines.empty() && !trimSpaces(lines.back()).empty()) lines.emplace_back();
        lines.push_back("[" + entry.section + "]");
        lines.push_back(newLine);
    }
}

} // namespace

std::string IniFile::read(const std::string &section, const std::string &key,
                          const std::string &def, std::size_t bufferSize) const {
    const auto lines = loadLines(path_); // held while it is searched
    std::string value = trimSpaces(lookup(*lines, section, key).value_or(def));
    if (bufferSize == 0) return {};
    if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
    return value;
}

IniWrite IniFile::write(const std::string &section, const std::string &key,
                        const std::string &value) const {
    return write({{section, key, value}});
}

IniWrite IniFile::write(const std::vector<IniEntry> &entries) const {
    return edit([&](const Lookup &) { return entries; });
}

IniWrite IniFile::edit(const std::function<std::vector<IniEntry>(const Lookup &)> &change) const {
    const FileLock lock(path_);
    if (!lock.locked()) return {lock.error()};
    std::string error;
    const Lines before = readLines(path_, &error);
    if (!error.empty()) return {error};
    Lines lines = before;
    const auto entries =
        change([&](const std::string &section, const std::string &key) {
            return lookup(before, section, key);
        });
    for (const auto &entry : entries) apply(lines, entry);
    if (lines == before) return {};
    std::string text;
    for (const auto &l : lines) text += l + "\r\n";
    forget(path_);
    const std::string reason = saveFileAtomically(path_, text);
    if (!reason.empty()) return {"cannot write " + path_ + ": " + reason};
    return {};
}

void IniFile::store(const std::string &section, const std::string &key,
                    const std::string &value) const {
    store({{section, key, value}});
}

void IniFile::store(const std::vector<IniEntry> &entries) const {
    const IniWrite result = write(entries);
    if (!result) throw RunError(err::PathFileAccess, "BrenvikCPS", result.error);
}

int16_t toInt16(const std::string &text) {
    auto t = trimSpaces(text);
    long long v = 0;
    if (t.size() > 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h')) return hexToInt16(t.substr(2));
    auto scaled = decimalToScaled(t, 0);
    if (!scaled) raise(err::TypeMismatch);
    v = *scaled;
    if (v < -32768 || v > 32767) raise(err::Overflow);
    return static_cast<int16_t>(v);
}

int16_t hexToInt16(const std::string &text) {
    auto t = trimSpaces(text);
    if (t.empty()) raise(err::TypeMismatch);
    unsigned long long v = 0;
    for (char c : t) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else raise(err::TypeMismatch);
        v = v * 16 + static_cast<unsigned>(d);
        if (v > 0xFFFF) raise(err::Overflow);
    }
    return static_cast<int16_t>(static_cast<uint16_t>(v));
}

} // namespace cps
