#include "HelpFile.h"

#include <chm_lib.h>

#include <stdexcept>

namespace {

uint32_t get32(const std::string &b, size_t at) {
    if (at + 4 > b.size())
        throw std::runtime_error("a help table ends early");
    uint32_t v = 0;
    for (int k = 3; k >= 0; --k)
        v = v << 8 | uint8_t(b[at + k]);
    return v;
}

std::string lowerAscii(std::string s) {
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c | 0x20);
    return s;
}

bool endsWith(const std::string &s, const std::string &tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

HelpFile::HelpFile(const std::string &path) : file_(chm_open(path.c_str())) {
    if (file_ == nullptr)
        throw std::runtime_error("cannot open " + path + " as a compiled help file");
}

HelpFile::~HelpFile() {
    chm_close(file_);
}

std::optional<std::string> HelpFile::object(const std::string &name) const {
    chmUnitInfo unit{};
    if (chm_resolve_object(file_, name.c_str(), &unit) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    std::string bytes(unit.length, '\0');
    if (unit.length != 0 &&
        chm_retrieve_object(file_, &unit, reinterpret_cast<unsigned char *>(bytes.data()), 0,
                            LONGINT64(unit.length)) != LONGINT64(unit.length))
        throw std::runtime_error("cannot read " + name);
    return bytes;
}

// #SYSTEM: a version (4 bytes), then records of a code (2), a length (2) and
// that many bytes; record 4 starts with the language.
uint32_t HelpFile::language() const {
    const std::string system = object("/#SYSTEM").value_or("");
    constexpr uint16_t kLanguageRecord = 4;
    size_t at = 4;
    while (at + 4 <= system.size()) {
        const uint32_t head = get32(system, at);
        const uint16_t code = head & 0xFFFF, length = uint16_t(head >> 16);
        if (code == kLanguageRecord && length >= 4)
            return get32(system, at + 4);
        at += 4 + length;
    }
    throw std::runtime_error("the help file names no language");
}

// #TOPICS: 16 bytes a topic; at +4 its title's place in #STRINGS, at +8 its
// entry in #URLTBL. #URLTBL:
// at +8 of an entry the address's place in #URLSTR. #URLSTR: at +8 of that
// place the address, ending in a zero byte, relative to the file's root.
std::vector<HelpFile::Topic> HelpFile::topics() const {
    const std::string topics = object("/#TOPICS").value_or("");
    const std::string urlTable = object("/#URLTBL").value_or("");
    const std::string urlStrings = object("/#URLSTR").value_or("");
    std::vector<Topic> found;
    for (size_t at = 0; at + 16 <= topics.size(); at += 16) {
        const size_t text = size_t(get32(urlTable, get32(topics, at + 8) + 8)) + 8;
        if (text > urlStrings.size())
            throw std::runtime_error("a topic's address lies outside #URLSTR");
        std::string url = urlStrings.substr(text, urlStrings.find('\0', text) - text);
        const std::string lower = lowerAscii(url);
        const bool page = url.find_first_of("#:") == std::string::npos &&
                          (endsWith(lower, ".htm") || endsWith(lower, ".html"));
        found.push_back({page ? (url.starts_with('/') ? url : "/" + url) : std::string(),
                         get32(topics, at + 4)});
    }
    return found;
}
