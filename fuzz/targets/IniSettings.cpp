// The settings layer on any INI text: reading any section and key into a
// buffer of any size, converting any value as the start-up does, and writing
// one key while every other line of the file stays as it was.
#include "FuzzSupport.h"
#include "Targets.h"

#include "core/Ini.h"

#include <cctype>

namespace fuzz {

// Helpers of this target, named so that several targets can share one test file.
namespace iniSettings {

// Lines as the layer sees them: split at line feeds, one trailing carriage return dropped.
std::vector<std::string> linesOf(const std::string &text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// A name a program would write: letters and digits only, never empty.
std::string nameFrom(const std::string &raw) {
    std::string name;
    for (char ch : raw)
        if (std::isalnum(static_cast<unsigned char>(ch)))
            name += ch;
    return name.empty() ? std::string("Key") : name;
}

bool isBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

void checkConversions(const std::string &value) {
    try {
        const int16_t v = cps::toInt16(value);
        (void)v;
    } catch (const cps::RunError &e) {
        require(e.number == cps::err::TypeMismatch || e.number == cps::err::Overflow,
                "a settings number fails only as type mismatch or overflow");
    }
    try {
        const int16_t v = cps::hexToInt16(value);
        const std::string t = cps::trimSpaces(value);
        // One to four hexadecimal digits read as the 16-bit word they spell.
        if (t.size() <= 4)
            require(static_cast<uint16_t>(v) == std::stoul(t, nullptr, 16),
                    "an address key's value is its hexadecimal digits");
    } catch (const cps::RunError &e) {
        require(e.number == cps::err::TypeMismatch || e.number == cps::err::Overflow,
                "an address fails only as type mismatch or overflow");
    }
}

} // namespace iniSettings

int fuzzIniSettings(const uint8_t *data, std::size_t size) {
    using namespace iniSettings;
    Cursor in(data, size);
    const std::size_t bufferSize = in.byte();
    const std::string section = in.text(), key = in.text(), def = in.text();
    const std::string writeSection = nameFrom(in.text(40)), writeKey = nameFrom(in.text(40));
    std::string writeValue = in.text();
    std::erase_if(writeValue, [](char ch) { return ch == '\r' || ch == '\n'; });
    const std::string text = in.rest();

    const auto path = Scratch::get().file("settings.ini");
    writeFile(path, text);
    const cps::IniFile ini(path.string());

    // Whatever the file holds, a read fits the caller's buffer and has no blanks at its ends.
    const std::string value = ini.read(section, key, def, bufferSize);
    require(value.size() + 1 <= std::max<std::size_t>(bufferSize, 1),
            "a read returns at most buffer size - 1 characters");
    // Blanks around the value are removed before it is cut to the buffer, so only
    // a cut value may end in a blank.
    require(value.empty() || !isBlank(value.front()), "a read value has no leading blank");
    require(value.empty() || !isBlank(value.back()) || value.size() + 1 == bufferSize,
            "a read value has no trailing blank unless it was cut");
    checkConversions(value);

    // Writing one key changes one place of the file and reads back.
    require(static_cast<bool>(ini.write(writeSection, writeKey, writeValue)),
            "the settings file can be written");
    constexpr std::size_t kLargeBuffer = 1024;
    require(ini.read(writeSection, writeKey, "<default>", kLargeBuffer) ==
                cps::trimSpaces(writeValue),
            "a written key reads back as written");
    const auto before = linesOf(text), after = linesOf(readFile(path));
    std::size_t same = 0; // common first lines, then common last lines
    while (same < before.size() && same < after.size() && before[same] == after[same])
        ++same;
    std::size_t tail = 0;
    while (tail < before.size() - same && tail < after.size() - same &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const std::size_t removed = before.size() - same - tail, added = after.size() - same - tail;
    // The key's line replaced in place, or inserted (with "[section]" and a blank line before it).
    require(removed <= 1 && added <= 3 && added >= removed,
            "a write keeps every other line of the file in its order");
    return 0;
}

} // namespace fuzz
