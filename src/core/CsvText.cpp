#include "core/CsvText.h"
#include "core/MessageText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace cps {

CsvError::CsvError(int lineNumber, const std::string &why)
    : std::runtime_error(
          filled(translated("Csv", "CSV line %1: %2"), {std::to_string(lineNumber), why})),
      line(lineNumber) {}

namespace {

constexpr const char *kByteOrderMark = "\xEF\xBB\xBF";
constexpr const char *kNoBreakSpace = "\xC2\xA0";

bool isBlank(const std::string &s) {
    return trimField(s).empty();
}

void appendUtf8(std::string &out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Spreadsheets save "Unicode text" as UTF-16 with a byte order mark; the rest
// of the reader works on UTF-8. A lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(const std::string &bytes, bool littleEndian, std::size_t from) {
    std::string out;
    auto unit = [&](std::size_t i) -> uint32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return littleEndian ? a | (b << 8) : (a << 8) | b;
    };
    for (std::size_t i = from; i + 1 < bytes.size(); i += 2) {
        uint32_t cp = unit(i);
        if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;
        }
        appendUtf8(out, cp);
    }
    return out;
}

// The text as UTF-8 from its first record on: byte order marks dropped, UTF-16
// converted, and a first line "sep=;" (which spreadsheets write and read to
// fix the separator) taken as the separator.
struct Prepared {
    std::string text;
    std::size_t start = 0;
    int firstLine = 1;
    char separator = 0; // 0: detect from the header line
};

// Some tools write UTF-16 without a byte order mark. A header is ASCII, so
// such a text has a zero byte in every other place of its first characters:
// at odd offsets little-endian, at even offsets big-endian. UTF-8 text never
// holds zero bytes.
std::optional<bool> utf16WithoutMarkIsLittleEndian(const std::string &raw) {
    const std::size_t n = std::min<std::size_t>(raw.size() & ~std::size_t{1}, 64);
    if (n < 4)
        return std::nullopt;
    int evenZeros = 0, oddZeros = 0;
    for (std::size_t i = 0; i < n; ++i)
        (i % 2 ? oddZeros : evenZeros) += raw[i] == '\0';
    const int units = static_cast<int>(n / 2);
    if (oddZeros * 4 >= units * 3 && evenZeros == 0)
        return true;
    if (evenZeros * 4 >= units * 3 && oddZeros == 0)
        return false;
    return std::nullopt;
}

Prepared prepare(const std::string &raw) {
    Prepared p;
    if (raw.rfind("\xFF\xFE", 0) == 0 || raw.rfind("\xFE\xFF", 0) == 0)
        p.text = utf16ToUtf8(raw, raw[0] == '\xFF', 2);
    else if (const auto little = utf16WithoutMarkIsLittleEndian(raw))
        p.text = utf16ToUtf8(raw, *little, 0);
    else if (raw.find('\0') != std::string::npos)
        throw CsvError(1, translated("Csv", "the file holds zero bytes: it is not text in UTF-8 "
                                            "or UTF-16; save it as CSV in UTF-8"));
    else
        p.text = raw.rfind(kByteOrderMark, 0) == 0 ? raw.substr(3) : raw;
    const std::size_t end = p.text.find('\n');
    std::string line = p.text.substr(0, end);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    line = trimField(line);
    if (line.size() == 5 && asciiLower(line.substr(0, 4)) == "sep=") {
        p.separator = line[4];
        p.start = end == std::string::npos ? p.text.size() : end + 1;
        p.firstLine = 2;
    }
    return p;
}

char detectIn(const std::string &text, std::size_t i) {
    // Skip blank lines before the header.
    while (i < text.size()) {
        const std::size_t end = text.find('\n', i);
        const std::string line = text.substr(i, end == std::string::npos ? end : end - i);
        if (!isBlank(line) && line != "\r")
            break;
        i = end == std::string::npos ? text.size() : end + 1;
    }
    const std::array<char, 3> candidates{',', ';', '\t'};
    std::array<int, 3> counts{};
    bool quoted = false;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '"')
            quoted = !quoted;
        else if (!quoted && (ch == '\n' || ch == '\r'))
            break;
        else if (!quoted)
            for (std::size_t k = 0; k < candidates.size(); ++k)
                counts[k] += ch == candidates[k];
    }
    const auto best = std::max_element(counts.begin(), counts.end()) - counts.begin();
    return counts[static_cast<std::size_t>(best)] ? candidates[static_cast<std::size_t>(best)]
                                                  : ',';
}

} // namespace

std::string trimField(const std::string &s) {
    std::size_t b = 0, e = s.size();
    auto blankAt = [&](std::size_t i, bool forward) -> std::size_t {
        if (s[i] == ' ' || s[i] == '\t')
            return 1;
        if (forward ? s.compare(i, 2, kNoBreakSpace) == 0
                    : i >= 1 && s.compare(i - 1, 2, kNoBreakSpace) == 0)
            return 2;
        return 0;
    };
    while (b < e) {
        const std::size_t n = blankAt(b, true);
        if (!n)
            break;
        b += n;
    }
    while (e > b) {
        const std::size_t n = blankAt(e - 1, false);
        if (!n || e - n < b)
            break;
        e -= n;
    }
    return s.substr(b, e - b);
}

std::string asciiLower(std::string s) {
    for (char &ch : s)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    return s;
}

std::string decimalPointText(const std::string &text, char separator) {
    if (separator == ',' || std::count(text.begin(), text.end(), ',') != 1 ||
        text.find('.') != std::string::npos)
        return text;
    std::string r = text;
    r[r.find(',')] = '.';
    return r;
}

char detectCsvSeparator(const std::string &text) {
    const Prepared p = prepare(text);
    return p.separator ? p.separator : detectIn(p.text, p.start);
}

CsvTable parseCsvText(const std::string &raw) {
    CsvTable table;
    const Prepared p = prepare(raw);
    const std::string &text = p.text;
    table.separator = p.separator ? p.separator : detectIn(text, p.start);
    const char sep = table.separator;
    std::size_t i = p.start;
    int line = p.firstLine;
    while (i < text.size()) {
        CsvRecord record{line, {}};
        std::string cur;
        bool quoted = false, endOfRecord = false;
        while (i < text.size() && !endOfRecord) {
            const char ch = text[i++];
            if (quoted) {
                if (ch == '"' && i < text.size() && text[i] == '"') {
                    cur += '"';
                    ++i;
                } else if (ch == '"') {
                    quoted = false;
                } else {
                    line += ch == '\n';
                    cur += ch;
                }
            } else if (ch == '"' && isBlank(cur)) {
                quoted = true;
                cur.clear();
            } else if (ch == sep) {
                record.fields.push_back(trimField(cur));
                cur.clear();
            } else if (ch == '\n' || ch == '\r') {
                if (ch == '\r' && i < text.size() && text[i] == '\n')
                    ++i;
                ++line;
                endOfRecord = true;
            } else {
                cur += ch;
            }
        }
        if (quoted)
            throw CsvError(record.line, translated("Csv", "unterminated quoted field"));
        record.fields.push_back(trimField(cur));
        // A line of separators only is an empty spreadsheet row.
        const bool blank = std::all_of(record.fields.begin(), record.fields.end(),
                                       [](const std::string &f) { return f.empty(); });
        if (!blank)
            table.records.push_back(std::move(record));
    }
    return table;
}

std::string csvField(const std::string &s, char separator) {
    const bool edgeBlank = !s.empty() && (trimField(s).size() != s.size());
    if (s.find_first_of(std::string("\"\r\n") + separator) == std::string::npos && !edgeBlank)
        return s;
    std::string r = "\"";
    for (char ch : s)
        r += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return r + "\"";
}

} // namespace cps
