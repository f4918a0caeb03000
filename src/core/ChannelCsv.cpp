#include "core/ChannelCsv.h"

#include "core/ChannelCodec.h"
#include "core/ChannelColumnNames.h"
#include "core/ChannelColumns.h"
#include "core/ChannelEntry.h"
#include "core/ChannelListCsv.h"
#include "core/Ctdcs.h"
#include "core/FaceText.h"
#include "core/MessageText.h"
#include "core/Numeric.h"
#include "core/OutOfBand.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <set>
#include <sstream>
#include <variant>

namespace cps {

namespace {

constexpr int kChannelColumn = 0;
constexpr int kFirstParameter = 5;
constexpr int kEnglish = 3;

std::optional<int> wholeNumber(const std::string &t) {
    int v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size())
        return std::nullopt;
    return v;
}

// A value of the file inside a message: escaped and cut (MessageText.h).
std::string quoted(const std::string &s) {
    return "\"" + shownText(s) + "\"";
}

std::string notFrequencyText(const std::string &column, const std::string &value) {
    return filled(translated("Csv", "%1 %2 is not a frequency in MHz"),
                  {shownText(column), quoted(value)});
}

// The column role a header name means: the fixed names and common names of
// the columns (core/ChannelColumnNames.h), and the old "P5".."Pn"; -1 when none.
int roleOfName(const std::string &name, int columnCount) {
    const int role = channelColumnOfName(name);
    if (role == kSkipColumn)
        return columnCount >= field::ListFlag ? role : -1;
    if (role >= 0)
        return role <= columnCount ? role : -1;
    const std::string lower = asciiLower(trimField(name));
    const auto f =
        lower.size() >= 2 && lower[0] == 'p' ? wholeNumber(lower.substr(1)) : std::nullopt;
    return f && *f >= kFirstParameter && *f <= columnCount ? *f : -1;
}

std::string joined(const std::vector<std::string> &names) {
    std::string list;
    for (const auto &name : names)
        list += (list.empty() ? "" : ", ") + shownText(name);
    return list;
}

struct OwnLayout {
    std::map<int, std::size_t> fieldOfRole; // column role -> field index in a row
    std::map<int, std::string> nameOfRole;  // as the header writes it
    std::size_t headerFields = 0;
};

OwnLayout readHeader(const Cps &c, const CsvRecord &header, std::vector<std::string> &notes) {
    OwnLayout layout;
    layout.headerFields = header.fields.size();
    std::vector<std::string> withoutPlace, unknown, ignored; // ignored: both, in header order
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string &name = header.fields[i];
        if (name.empty())
            continue; // e.g. the empty column a trailing separator makes
        const int role = roleOfName(name, c.cols.columnCount);
        if (role < 0) {
            (isColumnWithoutPlace(name) ? withoutPlace : unknown).push_back(name);
            ignored.push_back(name);
            continue;
        }
        if (!layout.fieldOfRole.emplace(role, i).second)
            throw CsvError(header.line,
                           filled(translated("Csv", "column %1 appears twice"), {quoted(name)}));
        layout.nameOfRole[role] = name;
    }
    if (layout.fieldOfRole.count(field::ListFlag) && layout.fieldOfRole.count(kSkipColumn))
        throw CsvError(header.line,
                       filled(translated("Csv", "columns %1 and %2 both say whether a channel is "
                                                "scanned: keep one"),
                              {quoted(layout.nameOfRole[field::ListFlag]),
                               quoted(layout.nameOfRole[kSkipColumn])}));
    if (!layout.fieldOfRole.count(kChannelColumn) || !layout.fieldOfRole.count(field::Rx))
        throw CsvError(
            header.line,
            filled(translated("Csv", "the header fits neither layout this tool reads: its own "
                                     "needs at least the columns Channel and Receive (e.g. %1), "
                                     "the channel-list layout at least Location and Frequency "
                                     "(e.g. Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,"
                                     "cToneFreq,...); column names in any letter case"),
                   {channelCsvHeader(c, kEnglish)}) +
                (ignored.empty()
                     ? ""
                     : filled(translated("Csv", " (not known here: %1)"), {joined(ignored)})));
    if (!withoutPlace.empty())
        notes.push_back(filled(translated("Csv", "columns ignored (no place in this radio): %1"),
                               {joined(withoutPlace)}));
    if (!unknown.empty())
        notes.push_back(
            filled(translated("Csv", "columns not recognised, ignored: %1 (this radio's "
                                     "columns are %2, also under common names such as Rx, "
                                     "Tx, Pwr, BW, Scan, Skip, BCL)"),
                   {joined(unknown), channelColumnNamesText()}));
    return layout;
}

// Whether a signalling text means "none" on purpose (rather than a typo the
// grid would quietly turn into none).
bool isNoneWord(const Cps &c, const std::string &t) {
    if (t.empty() || t == c.noneText)
        return true;
    for (int lang = 1; lang <= 3; ++lang)
        if (t == noneTextFor(lang))
            return true;
    const std::string lower = asciiLower(t);
    return lower == "none" || lower == "off";
}

// A spreadsheet reads "023" as the number 23: such a code comes back without
// its leading zero and would otherwise be lost.
bool looksLikeStrippedDcsCode(const std::string &t) {
    if (t.empty() || t.size() > 2 ||
        !std::all_of(t.begin(), t.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        return false;
    const std::string code = std::string(3 - t.size(), '0') + t;
    const auto &codes = dcsCodes();
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

std::string upperAscii(std::string s) {
    for (char &ch : s)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    return s;
}

// The signalling text to enter for a field, or an empty optional and the reason.
std::optional<std::string> signallingEntry(const Cps &c, const std::string &field, char separator,
                                           std::string &why) {
    const std::string t = decimalPointText(field, separator);
    if (isNoneWord(c, t))
        return c.noneText;
    if (looksLikeStrippedDcsCode(t)) {
        why = translated("Csv", "DCS codes need the D prefix, e.g. D023N");
        return std::nullopt;
    }
    const std::string entry = parseCtdcsEntry(upperAscii(t), c.noneText);
    if (entry == c.noneText) {
        why = translated("Csv", "unknown CTCSS/DCS setting");
        return std::nullopt;
    }
    return entry;
}

struct RowRefusal {
    std::string why;
    int channel; // 0: unknown
    RefusalKind kind;
};
enum class Outside { PastLast, BeforeStart };
using RowResult = std::variant<ChannelEntryRow, RowRefusal, Outside>;

struct RowReader {
    const Cps &c;
    const OwnLayout &layout;
    char separator;
    const ChannelCsvOptions &options;

    const std::string &field(const CsvRecord &r, int role) const {
        return r.fields[layout.fieldOfRole.at(role)];
    }

    // Choices of parameter column f: its fixed words, or for a column past
    // them the count the settings give.
    int choices(int f) const {
        const int n = parameterChoiceCount(f);
        return n ? n : choiceCount(c.cols, f);
    }

    std::optional<int> choice(int f, const std::string &value) const {
        if (const int k = parameterChoiceOfWord(f, value); k >= 0)
            return k;
        const auto index = wholeNumber(trimField(value));
        if (index && *index >= 0 && *index < choices(f))
            return index;
        return std::nullopt;
    }

    std::string choiceList(int f) const {
        std::string words;
        for (int k = 0; k < parameterChoiceCount(f); ++k)
            words += (k ? ", " : "") + parameterWord(f, k);
        const std::string index = filled(translated("Csv", "a choice index from 0 to %1"),
                                         {std::to_string(choices(f) - 1)});
        return words.empty() ? index : filled(translated("Csv", "%1 or %2"), {words, index});
    }

    // The row as entries, or the reason it cannot be entered, or where it
    // falls when that is no channel.
    RowResult read(const CsvRecord &r) const {
        const std::size_t channelField = layout.fieldOfRole.at(kChannelColumn);
        const auto n =
            channelField < r.fields.size() ? wholeNumber(r.fields[channelField]) : std::nullopt;
        const int channel = n ? channelOfNumber(options, *n) : 0;
        if (n && channel > c.cols.channelCount)
            return Outside::PastLast;
        if (n && options.start && channel < 1)
            return Outside::BeforeStart;
        std::vector<std::size_t> decimalFields;
        for (int role :
             {int(field::Rx), int(field::Tx), int(field::DecChoice), int(field::EncChoice)})
            if (layout.fieldOfRole.count(role))
                decimalFields.push_back(layout.fieldOfRole.at(role));
        std::sort(decimalFields.begin(), decimalFields.end());
        // A row longer than the header (even by empty fields) may have a value
        // split by a decimal comma: whatever the refusal, say so.
        const std::string hint = decimalCommaHint(r, layout.headerFields, separator, decimalFields);
        const auto refused = [&](std::string why, RefusalKind kind = RefusalKind::Unreadable) {
            if (why.find(hint) == std::string::npos)
                why += hint;
            return RowRefusal{std::move(why), n && channel >= 1 ? channel : 0, kind};
        };

        std::size_t needed = 0;
        for (const auto &[role, index] : layout.fieldOfRole)
            needed = std::max(needed, index + 1);
        if (r.fields.size() < needed)
            return refused(filled(translated("Csv", "%1 fields expected, %2 found"),
                                  {std::to_string(needed), std::to_string(r.fields.size())}),
                           RefusalKind::FieldCount);
        if (auto why = extraFieldsText(r, layout.headerFields, separator, decimalFields))
            return refused(*why, RefusalKind::FieldCount);

        ChannelEntryRow row;
        row.line = r.line;
        row.rxColumn = layout.nameOfRole.at(field::Rx);
        if (!n || channel < 1)
            return refused(filled(translated("Csv", "%1 must be a number from 1 to %2"),
                                  {shownText(layout.nameOfRole.at(kChannelColumn)),
                                   std::to_string(c.cols.channelCount)}));
        row.channel = channel;

        // A frequency outside the band is refused, not moved to the band edge:
        // an import must not change a licensed frequency without a word.
        row.rx = decimalPointText(field(r, field::Rx), separator);
        if (!isNumeric(*row.rx))
            return refused(notFrequencyText(row.rxColumn, *row.rx));
        if (!frequencyInBand(c, *row.rx))
            return refused(outsideBandText(c, shownText(row.rxColumn) + " " + shownText(*row.rx)),
                           RefusalKind::OutsideBand);
        if (layout.fieldOfRole.count(field::Tx)) {
            row.txColumn = layout.nameOfRole.at(field::Tx);
            row.tx = decimalPointText(field(r, field::Tx), separator);
            if (!row.tx->empty() && !isNumeric(*row.tx))
                return refused(notFrequencyText(row.txColumn, *row.tx));
            if (!row.tx->empty() && !frequencyInBand(c, *row.tx))
                return refused(
                    outsideBandText(c, shownText(row.txColumn) + " " + shownText(*row.tx)),
                    RefusalKind::OutsideBand);
        }
        for (int role : {field::DecChoice, field::EncChoice}) {
            if (!layout.fieldOfRole.count(role))
                continue;
            std::string why;
            const auto entry = signallingEntry(c, field(r, role), separator, why);
            if (!entry)
                return refused(shownText(layout.nameOfRole.at(role)) + " " +
                               quoted(field(r, role)) + ": " + why);
            (role == field::DecChoice ? row.decode : row.encode) = *entry;
        }
        for (int f = kFirstParameter; f <= c.cols.columnCount; ++f) {
            if (!layout.fieldOfRole.count(f))
                continue;
            const auto k = choice(f, field(r, f));
            if (!k)
                return refused(filled(
                    translated("Csv", "%1 %2 must be %3"),
                    {shownText(layout.nameOfRole.at(f)), quoted(field(r, f)), choiceList(f)}));
            row.parameters[f] = *k;
        }
        if (layout.fieldOfRole.count(kSkipColumn)) {
            const std::string &value = field(r, kSkipColumn);
            const auto skipped = skipOfWord(value);
            if (!skipped)
                return refused(
                    filled(translated("Csv", "%1 %2 must be S (left out of the scan) or empty"),
                           {shownText(layout.nameOfRole.at(kSkipColumn)), quoted(value)}));
            row.parameters[field::ListFlag] = *skipped ? 0 : 1;
        }
        return row;
    }
};

ChannelCsvRead readOwnLayout(const Cps &c, const CsvTable &table,
                             const ChannelCsvOptions &options) {
    ChannelCsvRead result;
    const OwnLayout layout = readHeader(c, table.records[0], result.notes);
    const RowReader reader{c, layout, table.separator, options};
    for (std::size_t i = 1; i < table.records.size(); ++i) {
        const int line = table.records[i].line;
        auto row = reader.read(table.records[i]);
        if (auto *refusal = std::get_if<RowRefusal>(&row))
            result.refused.push_back(
                rowProblem(line, refusal->why, refusal->channel, refusal->kind));
        else if (auto *outside = std::get_if<Outside>(&row))
            (*outside == Outside::PastLast ? result.pastLastChannel : result.beforeStart)
                .push_back(line);
        else
            result.rows.push_back(std::get<ChannelEntryRow>(std::move(row)));
    }
    return result;
}

// A later row for a channel already listed is refused.
void refuseRepeatedChannels(ChannelCsvRead &read) {
    std::set<int> listed;
    std::vector<ChannelEntryRow> kept;
    for (auto &row : read.rows) {
        if (listed.insert(row.channel).second)
            kept.push_back(std::move(row));
        else
            read.refused.push_back(
                rowProblem(row.line,
                           filled(translated("Csv", "channel %1 is listed twice"),
                                  {std::to_string(row.channel)}),
                           row.channel, RefusalKind::ListedTwice));
    }
    read.rows = std::move(kept);
    std::stable_sort(
        read.refused.begin(), read.refused.end(),
        [](const CsvRowProblem &a, const CsvRowProblem &b) { return a.line < b.line; });
}

// The warning for a typed frequency that the band clamped, if it was.
std::optional<std::string> clampWarning(const Cps &c, const ChannelEntryRow &row,
                                        const std::string &column, const std::string &text) {
    const auto stored = frequencyFromEntry(c, text);
    if (!stored)
        return std::nullopt;
    std::optional<long long> snapped;
    if (const auto x = decimalToScaled(text, 5)) {
        try {
            snapped = ModifyTxRxFre(*x);
        } catch (const RunError &) {
        }
    }
    if (snapped && *snapped == *stored)
        return std::nullopt;
    return csvLineText(row.line,
                       filled(translated("Csv", "%1 %2 is outside the band %3 - %4; stored as %5"),
                              {shownText(column), shownText(text), mhzText5(c.bandLow),
                               mhzText5(c.bandHigh), mhzText5(*stored)}));
}

} // namespace

int channelOfNumber(const ChannelCsvOptions &options, int number) {
    return options.start ? number - *options.start + 1 : number;
}

namespace {

bool allDigits(const std::string &t) {
    return !t.empty() &&
           std::all_of(t.begin(), t.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

} // namespace

std::string decimalCommaHint(const CsvRecord &r, std::size_t headerFields, char separator,
                             const std::vector<std::size_t> &decimalFields) {
    if (separator != ',' || r.fields.size() <= headerFields)
        return {};
    for (const std::size_t i : decimalFields)
        if (i + 1 < r.fields.size() && allDigits(r.fields[i]) && allDigits(r.fields[i + 1])) {
            const std::string number = r.fields[i] + "," + r.fields[i + 1];
            return filled(translated("Csv", "; %1 looks like a number with a decimal comma in a "
                                            "comma-separated file: write %2, quote it (%1), or "
                                            "separate the fields with ;"),
                          {quoted(number), r.fields[i] + "." + r.fields[i + 1]});
        }
    return {};
}

std::optional<std::string> extraFieldsText(const CsvRecord &r, std::size_t headerFields,
                                           char separator,
                                           const std::vector<std::size_t> &decimalFields) {
    bool extra = false;
    for (std::size_t i = headerFields; i < r.fields.size(); ++i)
        extra = extra || !r.fields[i].empty();
    if (!extra)
        return std::nullopt;
    return filled(translated("Csv", "%1 fields, the header names %2"),
                  {std::to_string(r.fields.size()), std::to_string(headerFields)}) +
           decimalCommaHint(r, headerFields, separator, decimalFields);
}

namespace {

// The kind in English words, as the channel-list preview's state column shows it.
const char *kindEnglish(RefusalKind kind) {
    switch (kind) {
    case RefusalKind::OutsideBand:
        return "outside the band";
    case RefusalKind::NotOnThisRadio:
        return "not possible on this radio";
    case RefusalKind::ListedTwice:
        return "channel listed twice";
    case RefusalKind::FieldCount:
        return "wrong number of fields";
    case RefusalKind::Unreadable:
        break;
    }
    return "value not readable";
}

// The same in the message language, for the import's summary.
std::string kindText(RefusalKind kind) {
    switch (kind) {
    case RefusalKind::OutsideBand:
        return translated("Csv", "outside the band");
    case RefusalKind::NotOnThisRadio:
        return translated("Csv", "not possible on this radio");
    case RefusalKind::ListedTwice:
        return translated("Csv", "channel listed twice");
    case RefusalKind::FieldCount:
        return translated("Csv", "wrong number of fields");
    case RefusalKind::Unreadable:
        break;
    }
    return translated("Csv", "value not readable");
}

} // namespace

CsvRowProblem rowProblem(int line, std::string message, int channel, RefusalKind kind) {
    return {line, std::move(message), channel, kindEnglish(kind), kind};
}

std::string rangesText(std::vector<int> numbers) {
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    std::string text;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1)
            ++j;
        text += (text.empty() ? "" : ", ") + std::to_string(numbers[i]) +
                (j > i ? "-" + std::to_string(numbers[j]) : "");
        i = j + 1;
    }
    return text;
}

std::vector<std::string> importSummary(const ChannelCsvImport &import) {
    std::vector<std::string> lines;
    const ChannelCsvRead &read = import.read;
    std::vector<int> channels;
    if (import.entered)
        for (const auto &row : read.rows)
            channels.push_back(row.channel);
    if (!import.entered && !read.rows.empty()) {
        for (const auto &row : read.rows)
            channels.push_back(row.channel);
        lines.push_back(
            filled(translated("Csv", "no channel imported; rows that fit: channels %1 (%2)"),
                   {rangesText(channels), std::to_string(channels.size())}));
    } else {
        lines.push_back(channels.empty()
                            ? translated("Csv", "no channel imported")
                            : filled(translated("Csv", "channels imported: %1 (%2)"),
                                     {rangesText(channels), std::to_string(channels.size())}));
    }
    if (!read.refused.empty()) {
        // In the order of the English words, whatever the language.
        std::map<std::string, std::pair<RefusalKind, int>> byReason;
        for (const auto &p : read.refused)
            ++byReason.try_emplace(p.reason, p.kind, 0).first->second.second;
        std::string counts;
        for (const auto &[reason, kindCount] : byReason)
            counts += (counts.empty() ? "" : ", ") +
                      filled(translated("Csv", "%1 %2"),
                             {std::to_string(kindCount.second), kindText(kindCount.first)});
        lines.push_back(filled(translated("Csv", "rows refused: %1 (%2)"),
                               {std::to_string(read.refused.size()), counts}));
    }
    return lines;
}

std::string mhzText5(int32_t tenHz) {
    if (tenHz < 0)
        return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%05d", tenHz / 100000, tenHz % 100000);
    return buf;
}

std::string outsideBandText(const Cps &c, const std::string &what) {
    return filled(translated("Csv", "%1 is outside the band %2 - %3"),
                  {what, mhzText5(c.bandLow), mhzText5(c.bandHigh)});
}

std::string csvLineText(int line, const std::string &message) {
    return filled(translated("Csv", "CSV line %1: %2"), {std::to_string(line), message});
}

ChannelCsvRead readChannelCsv(const Cps &c, const std::string &text,
                              const ChannelCsvOptions &options) {
    const CsvTable table = parseCsvText(text);
    if (table.records.empty())
        throw CsvError(
            1, filled(translated("Csv", "empty file; the first line must be a header such as %1"),
                      {channelCsvHeader(c, kEnglish)}));
    ChannelCsvRead read = isChannelListHeader(table.records[0].fields)
                              ? readChannelListCsv(c, table, options)
                              : readOwnLayout(c, table, options);
    refuseRepeatedChannels(read);
    if (!read.pastLastChannel.empty())
        read.notes.push_back(
            filled(translated("Csv", "%1 row(s) past channel %2 left out (lines %3); "
                                     "--start chooses the row that becomes channel 1"),
                   {std::to_string(read.pastLastChannel.size()),
                    std::to_string(c.cols.channelCount), rangesText(read.pastLastChannel)}));
    if (!read.beforeStart.empty())
        read.notes.push_back(
            filled(translated("Csv", "%1 row(s) before the first channel left out (lines %2)"),
                   {std::to_string(read.beforeStart.size()), rangesText(read.beforeStart)}));
    return read;
}

std::vector<std::string> enterChannelRows(Cps &c, const std::vector<ChannelEntryRow> &rows,
                                          bool deleteOthers) {
    std::vector<const ChannelEntryRow *> order;
    for (const auto &row : rows)
        order.push_back(&row);
    std::sort(order.begin(), order.end(),
              [](const auto *a, const auto *b) { return a->channel < b->channel; });
    std::vector<std::string> warnings;
    std::set<int> listed;
    for (const ChannelEntryRow *row : order) {
        const int n = row->channel;
        listed.insert(n);
        if (row->rx) {
            if (auto w = clampWarning(c, *row, row->rxColumn, *row->rx))
                warnings.push_back(*w);
            enterReceive(c, n, *row->rx);
        }
        if (row->tx) {
            if (auto w = clampWarning(c, *row, row->txColumn, *row->tx))
                warnings.push_back(*w);
            enterTransmit(c, n, *row->tx);
        }
        if (row->decode)
            enterSignalling(c, n, field::DecChoice, *row->decode);
        if (row->encode)
            enterSignalling(c, n, field::EncChoice, *row->encode);
        for (const auto &[f, choice] : row->parameters)
            enterParameter(c, n, f, choice);
    }
    for (int n = 1; deleteOthers && n <= c.cols.channelCount; ++n)
        if (!listed.count(n))
            DelOneChannel(c, n);
    return warnings;
}

ChannelCsvImport importChannelCsv(Cps &c, const std::string &text, bool skipBadRows,
                                  const ChannelCsvOptions &options) {
    ChannelCsvImport result;
    result.read = readChannelCsv(c, text, options);
    if (result.read.rows.empty() || (!result.read.refused.empty() && !skipBadRows))
        return result;
    result.warnings = enterChannelRows(c, result.read.rows);
    result.entered = true;
    return result;
}

std::string channelCsvHeader(const Cps &c, int lang) {
    std::string header;
    for (int col = 0; col <= c.cols.columnCount; ++col) {
        std::string name = channelColumnName(col, lang);
        if (name.empty())
            name = "P" + std::to_string(col);
        header += (col ? "," : "") + csvField(name);
    }
    return header;
}

std::string exportChannelCsv(const Cps &c, int lang) {
    const int wordsLang = lang >= 1 && lang <= 2 ? lang : kEnglish;
    const auto signalling = [&](const std::string &text) {
        return text.empty() || text == c.noneText ? noneTextFor(wordsLang) : text;
    };
    std::ostringstream o;
    o << channelCsvHeader(c, wordsLang) << '\n';
    for (int n = 1; n <= c.cols.channelCount; ++n) {
        if (!channelInUse(c, n))
            continue;
        const auto &f = c.ch.ChInfo[static_cast<std::size_t>(n)];
        o << n << ',' << mhzText5(f[field::Rx]) << ',' << mhzText5(f[field::Tx]) << ','
          << csvField(signalling(c.ch.decText[static_cast<std::size_t>(n)])) << ','
          << csvField(signalling(c.ch.encText[static_cast<std::size_t>(n)]));
        for (int p = kFirstParameter; p <= c.cols.columnCount; ++p) {
            const int choice = f[static_cast<std::size_t>(p)];
            const std::string word = parameterWord(p, choice, wordsLang);
            o << ',' << csvField(!word.empty() ? word : choice < 0 ? "" : std::to_string(choice));
        }
        o << '\n';
    }
    return o.str();
}

} // namespace cps
