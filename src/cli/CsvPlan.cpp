#include "cli/CsvPlan.h"

#include "cli/Console.h"
#include "cli/ShowPlan.h"
#include "core/ChannelCodec.h"
#include "core/ChannelEntry.h"
#include "core/Ctdcs.h"
#include "core/FaceText.h"
#include "core/Numeric.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <sstream>

namespace cli {

namespace {

constexpr int kFirstParameter = 5;

struct CsvRow {
    int line;
    std::vector<std::string> fields;
};

// RFC 4180 records; a quoted field may hold commas, quotes ("") and line breaks.
std::vector<CsvRow> parseCsv(const std::string &text) {
    std::vector<CsvRow> rows;
    std::size_t i = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    int line = 1;
    while (i < text.size()) {
        CsvRow row{line, {}};
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
                    if (ch == '\n')
                        ++line;
                    cur += ch;
                }
            } else if (ch == '"' && cur.empty()) {
                quoted = true;
            } else if (ch == ',') {
                row.fields.push_back(cur);
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
            throw CliFailure(kExitFile, "CSV line " + std::to_string(row.line) +
                                            ": unterminated quoted field");
        row.fields.push_back(cur);
        const bool blank = row.fields.size() == 1 && cps::trimSpaces(row.fields[0]).empty();
        if (!blank)
            rows.push_back(std::move(row));
    }
    return rows;
}

[[noreturn]] void malformed(int line, const std::string &why) {
    throw CliFailure(kExitFile, "CSV line " + std::to_string(line) + ": " + why);
}

std::optional<int> wholeNumber(const std::string &text) {
    const std::string t = cps::trimSpaces(text);
    int v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size())
        return std::nullopt;
    return v;
}

// Whether a signalling text means "none" on purpose (rather than a typo the
// grid would quietly turn into none).
bool isNoneWord(const cps::Cps &c, const std::string &text) {
    const std::string t = cps::trimSpaces(text);
    if (t.empty() || t == c.noneText)
        return true;
    for (int lang = 1; lang <= 3; ++lang)
        if (t == cps::noneTextFor(lang))
            return true;
    std::string lower = t;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return lower == "none" || lower == "off";
}

struct ChannelRow {
    int line, channel;
    std::string rx, tx, decode, encode;
    std::vector<int> parameters; // columns 5..column count
};

ChannelRow checkRow(const cps::Cps &c, const CsvRow &row, std::size_t columns) {
    if (row.fields.size() != columns)
        malformed(row.line, std::to_string(columns) + " fields expected, " +
                                std::to_string(row.fields.size()) + " found");
    ChannelRow r{row.line, 0, row.fields[1], row.fields[2], row.fields[3], row.fields[4], {}};
    const auto n = wholeNumber(row.fields[0]);
    if (!n || *n < 1 || *n > c.cols.channelCount)
        malformed(row.line,
                  "channel must be a number from 1 to " + std::to_string(c.cols.channelCount));
    r.channel = *n;
    if (!cps::isNumeric(r.rx))
        malformed(row.line, "receive frequency is not a number");
    if (!cps::trimSpaces(r.tx).empty() && !cps::isNumeric(r.tx))
        malformed(row.line, "transmit frequency is not a number");
    for (const auto *text : {&r.decode, &r.encode})
        if (cps::parseCtdcsEntry(*text, c.noneText) == c.noneText && !isNoneWord(c, *text))
            malformed(row.line, "unknown CTCSS/DCS setting \"" + *text + "\"");
    for (int f = kFirstParameter; f <= c.cols.columnCount; ++f) {
        const auto v = wholeNumber(row.fields[static_cast<std::size_t>(f)]);
        const int count = parameterChoiceCount(c, f);
        if (!v || *v < 0 || *v >= count)
            malformed(row.line, "P" + std::to_string(f) + " must be a choice index from 0 to " +
                                    std::to_string(count - 1));
        r.parameters.push_back(*v);
    }
    return r;
}

} // namespace

std::string csvField(const std::string &s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos &&
        (s.empty() || (s.front() != ' ' && s.back() != ' ')))
        return s;
    std::string r = "\"";
    for (char ch : s)
        r += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return r + "\"";
}

std::string csvHeader(const cps::Cps &c) {
    std::string h = "Channel,Receive,Transmit,Decode,Encode";
    for (int f = kFirstParameter; f <= std::max<int>(8, c.cols.columnCount); ++f)
        h += ",P" + std::to_string(f);
    return h;
}

std::string exportCsv(const cps::Cps &c) {
    std::ostringstream o;
    o << csvHeader(c) << '\n';
    for (int n = 1; n <= c.cols.channelCount; ++n) {
        if (!cps::channelInUse(c, n))
            continue;
        const auto &f = c.ch.ChInfo[static_cast<std::size_t>(n)];
        o << n << ',' << mhzText(f[cps::field::Rx]) << ',' << mhzText(f[cps::field::Tx]) << ','
          << csvField(c.ch.decText[static_cast<std::size_t>(n)]) << ','
          << csvField(c.ch.encText[static_cast<std::size_t>(n)]);
        for (int p = kFirstParameter; p <= std::max<int>(8, c.cols.columnCount); ++p)
            o << ','
              << (p <= c.cols.columnCount ? std::to_string(f[static_cast<std::size_t>(p)]) : "");
        o << '\n';
    }
    return o.str();
}

void importCsv(cps::Cps &c, const std::string &csvText) {
    const auto rows = parseCsv(csvText);
    const std::string header = csvHeader(c);
    if (rows.empty())
        malformed(1, "empty file; the first line must be " + header);
    std::string got;
    for (std::size_t i = 0; i < rows[0].fields.size(); ++i)
        got += (i ? "," : "") + cps::trimSpaces(rows[0].fields[i]);
    if (got != header)
        malformed(rows[0].line, "the header must be " + header);
    const std::size_t columns = rows[0].fields.size();

    std::vector<ChannelRow> channels;
    std::set<int> listed;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        auto r = checkRow(c, rows[i], columns);
        if (!listed.insert(r.channel).second)
            malformed(r.line, "channel " + std::to_string(r.channel) + " is listed twice");
        channels.push_back(std::move(r));
    }

    std::sort(channels.begin(), channels.end(),
              [](const ChannelRow &a, const ChannelRow &b) { return a.channel < b.channel; });
    for (const auto &r : channels) {
        cps::enterReceive(c, r.channel, r.rx);
        cps::enterTransmit(c, r.channel, r.tx);
        cps::enterSignalling(c, r.channel, 3, r.decode);
        cps::enterSignalling(c, r.channel, 4, r.encode);
        for (std::size_t k = 0; k < r.parameters.size(); ++k)
            cps::enterParameter(c, r.channel, kFirstParameter + static_cast<int>(k),
                                r.parameters[k]);
    }
    for (int n = 1; n <= c.cols.channelCount; ++n)
        if (!listed.count(n))
            cps::DelOneChannel(c, n);
}

} // namespace cli
