#include "core/CsvText.h"

#include <algorithm>
#include <array>

namespace cps {

namespace {

constexpr const char *kByteOrderMark = "\xEF\xBB\xBF";
constexpr const char *kNoBreakSpace = "\xC2\xA0";

bool isBlank(const std::string &s) {
    return trimField(s).empty();
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
    std::size_t i = text.rfind(kByteOrderMark, 0) == 0 ? 3 : 0;
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

CsvTable parseCsvText(const std::string &text) {
    CsvTable table;
    table.separator = detectCsvSeparator(text);
    const char sep = table.separator;
    std::size_t i = text.rfind(kByteOrderMark, 0) == 0 ? 3 : 0;
    int line = 1;
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
            throw CsvError(record.line, "unterminated quoted field");
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
