#include "core/Ini.h"

#include "core/Failure.h"
#include "core/Numeric.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <cctype>
#include <fstream>
#include <sstream>

namespace cps {

namespace {

std::string lower(std::string s) {
    for (auto &c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> readLines(const std::string &path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// A start-up reads hundreds of keys; the file's lines are kept while its size
// and modification time stay the same, so each read does not parse it again.
struct CachedFile {
    std::filesystem::file_time_type time;
    std::uintmax_t size = 0;
    std::shared_ptr<const std::vector<std::string>> lines;
};
std::mutex cacheMutex;
std::map<std::string, CachedFile> cache;

std::shared_ptr<const std::vector<std::string>> loadLines(const std::string &path) {
    std::error_code ec;
    const auto time = std::filesystem::last_write_time(path, ec);
    const auto size = ec ? 0 : std::filesystem::file_size(path, ec);
    if (ec) return std::make_shared<const std::vector<std::string>>(readLines(path));
    std::lock_guard lock(cacheMutex);
    auto &entry = cache[path];
    if (!entry.lines || entry.time != time || entry.size != size)
        entry = {time, size, std::make_shared<const std::vector<std::string>>(readLines(path))};
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

std::string IniFile::read(const std::string &section, const std::string &key,
                          const std::string &def, std::size_t bufferSize) const {
    std::string value = def;
    const auto wantSection = lower(section), wantKey = lower(key);
    bool inSection = false;
    for (const auto &line : *loadLines(path_)) {
        std::string name, k, v;
        if (sectionName(line, name)) {
            inSection = lower(name) == wantSection;
        } else if (inSection && keyValue(line, k, v) && lower(k) == wantKey) {
            value = v;
            break;
        }
    }
    value = trimSpaces(value);
    if (bufferSize == 0) return {};
    if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
    return value;
}

bool IniFile::write(const std::string &section, const std::string &key,
                    const std::string &value) const {
    auto lines = readLines(path_);
    const auto wantSection = lower(section), wantKey = lower(key);
    const std::string newLine = key + "=" + value;
    bool inSection = false, done = false;
    std::size_t lastOfSection = std::string::npos; // index of the last non-blank line of the section
    for (std::size_t i = 0; i < lines.size() && !done; ++i) {
        std::string name, k, v;
        if (sectionName(lines[i], name)) {
            if (inSection) break; // section ended without the key
            inSection = lower(name) == wantSection;
            if (inSection) lastOfSection = i;
        } else if (inSection) {
            if (keyValue(lines[i], k, v) && lower(k) == wantKey) {
                lines[i] = newLine;
                done = true;
            } else if (!trimSpaces(lines[i]).empty()) {
                lastOfSection = i;
            }
        }
    }
    if (!done) {
        if (lastOfSection != std::string::npos) {
            lines.insert(lines.begin() + static_cast<long>(lastOfSection) + 1, newLine);
        } else {
            if (!lines.empty() && !trimSpaces(lines.back()).empty()) lines.emplace_back();
            lines.push_back("[" + section + "]");
            lines.push_back(newLine);
        }
    }
    std::ostringstream out;
    for (const auto &l : lines) out << l << "\r\n";
    forget(path_);
    std::ofstream f(path_, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f << out.str();
    return static_cast<bool>(f);
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
