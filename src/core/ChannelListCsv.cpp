#include "core/ChannelListCsv.h"

#include "core/ChannelCodec.h"
#include "core/ChannelColumnNames.h"
#include "core/ChannelEntry.h"
#include "core/Ctdcs.h"
#include "core/MessageText.h"
#include "core/Numeric.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>
#include <sstream>
#include <variant>

namespace cps {

namespace {

constexpr long long kHighPowerCentiwatts = 200; // 2 W and more is High
// The stored choices of the parameter columns (core/ChannelColumnNames.h).
constexpr int kLow = 0, kHigh = 1, kWide = 0, kNarrow = 1, kNotScanned = 0, kScanned = 1;

const char *const kHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                            "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,"
                            "Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";
// The columns a row is read from; any other column is ignored with a note.
const char *const kUsedColumns[] = {
    "Location", "Frequency",    "Duplex",     "Offset",    "Tone", "rToneFreq", "cToneFreq",
    "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode", "Skip",      "Power"};
// Columns of this layout with no place in this radio.
const char *const kWithoutPlace[] = {"name",     "tstep",    "comment", "urcall",
                                     "rpt1call", "rpt2call", "dvcode"};

// A value of the file inside a message: escaped and cut (MessageText.h).
std::string quoted(const std::string &s) {
    return "\"" + shownText(s) + "\"";
}

// MHz with six decimals, as these files carry frequencies and offsets.
std::string mhz6(int32_t tenHz) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%05d0", tenHz / 100000, tenHz % 100000);
    return buf;
}

// A computed frequency that may not even fit the channel table (10 Hz units).
std::string anyMhz(long long tenHz) {
    const unsigned long long a = tenHz < 0 ? 0ULL - static_cast<unsigned long long>(tenHz)
                                           : static_cast<unsigned long long>(tenHz);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s%llu.%05llu", tenHz < 0 ? "-" : "", a / 100000, a % 100000);
    return buf;
}

// One side of a channel's signalling.
struct Signal {
    enum Kind { None, Tone, Dcs } kind = None;
    std::string tone;    // "88.5"
    std::string code;    // "023"
    char polarity = 'N'; // N or R, as these files write it
};

Signal signalOf(const std::string &text) {
    Signal s;
    if (text.size() == 5 && text[0] == 'D' && (text[4] == 'N' || text[4] == 'I')) {
        s.kind = Signal::Dcs;
        s.code = text.substr(1, 3);
        s.polarity = text[4] == 'I' ? 'R' : 'N';
    } else if (isNumeric(text)) {
        s.kind = Signal::Tone;
        s.tone = text;
    }
    return s;
}

// Throws the reason a row is refused.
struct Refusal {
    std::string why;
    RefusalKind kind;
};
// Throws that a row falls outside the channels taken.
struct OutsideRow {
    bool pastLast;
};

class RowReader {
  public:
    RowReader(const Cps &c, const CsvTable &table, const std::map<std::string, std::size_t> &at)
        : c_(c), separator_(table.separator), headerFields_(table.records[0].fields.size()),
          at_(at) {}

    // The channel the row fills (throws OutsideRow when none, Refusal when the
    // Location is no number).
    int channel(const CsvRecord &r, const ChannelCsvOptions &options) {
        record_ = &r;
        const auto location = whole(value("location"));
        if (!location)
            refuse(filled(translated("Csv", "Location %1 is not a channel number"),
                          {quoted(value("location"))}));
        const int n = channelOfNumber(options, *location);
        if (n > c_.cols.channelCount)
            throw OutsideRow{true};
        if (n < 1 && options.start)
            throw OutsideRow{false};
        if (n < 1)
            refuse(filled(translated("Csv", "Location %1 is not a channel number"),
                          {shownText(value("location"))}));
        return n;
    }

    ChannelEntryRow read(const CsvRecord &r, int channel) {
        record_ = &r;
        ChannelEntryRow row;
        row.line = r.line;
        row.rxColumn = "Frequency";
        row.txColumn = "Offset";
        row.channel = channel;
        if (auto why = extraFieldsText(r, headerFields_, separator_, decimalFields()))
            refuse(*why, RefusalKind::FieldCount);

        const int32_t rx = frequency("Frequency", tenHz("frequency"));
        row.rx = mhzText5(rx);
        const std::string duplex = asciiLower(value("duplex"));
        if (duplex.empty())
            row.tx = mhzText5(rx);
        else if (duplex == "+" || duplex == "-")
            row.tx = mhzText5(frequency("Frequency " + value("duplex") + " Offset",
                                        rx + (duplex == "+" ? 1 : -1) * tenHz("offset")));
        else if (duplex == "split")
            row.tx = mhzText5(frequency("Offset", tenHz("offset")));
        else if (duplex == "off")
            row.tx = "";
        else
            refuse(filled(translated("Csv", "Duplex %1 must be empty, +, -, split or off"),
                          {quoted(value("duplex"))}));

        const auto [transmit, receive] = signalling();
        row.encode = transmit;
        row.decode = receive;
        mode(row);
        skip(row);
        power(row);
        return row;
    }

    // The columns whose numbers a decimal comma could split.
    std::vector<std::size_t> decimalFields() const {
        std::vector<std::size_t> fields;
        for (const char *column : {"frequency", "offset", "rtonefreq", "ctonefreq", "power"})
            if (const auto it = at_.find(column); it != at_.end())
                fields.push_back(it->second);
        std::sort(fields.begin(), fields.end());
        return fields;
    }

    // A row longer than the header (even by empty fields) may have a value
    // split by a decimal comma: whatever the refusal, say so.
    std::string hint(const CsvRecord &r) const {
        return decimalCommaHint(r, headerFields_, separator_, decimalFields());
    }

  private:
    [[noreturn]] static void refuse(const std::string &why,
                                    RefusalKind kind = RefusalKind::Unreadable) {
        throw Refusal{why, kind};
    }

    std::string value(const std::string &column) const {
        const auto it = at_.find(column);
        if (it == at_.end() || it->second >= record_->fields.size())
            return {};
        return record_->fields[it->second];
    }

    static std::optional<int> whole(const std::string &t) {
        int v = 0;
        const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
        if (t.empty() || ec != std::errc() || end != t.data() + t.size())
            return std::nullopt;
        return v;
    }

    // A MHz column in 10 Hz units.
    long long tenHz(const std::string &column) const {
        const std::string t = decimalPointText(value(column), separator_);
        const auto v = decimalToScaled(t, 5);
        if (!v || *v < 0 || *v > 100000000000LL)
            refuse(filled(translated("Csv", "%1 %2 is not a frequency in MHz"),
                          {columnName(column), quoted(value(column))}));
        return *v;
    }

    static std::string columnName(const std::string &lower) {
        static const std::map<std::string, std::string> names{
            {"frequency", "Frequency"}, {"offset", "Offset"},     {"rtonefreq", "rToneFreq"},
            {"ctonefreq", "cToneFreq"}, {"dtcscode", "DtcsCode"}, {"rxdtcscode", "RxDtcsCode"}};
        const auto it = names.find(lower);
        return it == names.end() ? lower : it->second;
    }

    // A frequency on the raster, refused outside the band.
    int32_t frequency(const std::string &what, long long x) const {
        long long k = -1;
        try {
            k = ModifyTxRxFre(x);
        } catch (const RunError &) {
        }
        if (k < c_.bandLow || k > c_.bandHigh)
            refuse(outsideBandText(c_, what + " " +
                                           (k < 0 ? anyMhz(x) : mhzText5(static_cast<int32_t>(k)))),
                   RefusalKind::OutsideBand);
        return static_cast<int32_t>(k);
    }

    // A tone of the signalling list, as the grid shows it ("88.5").
    std::string tone(const std::string &column) const {
        const std::string typed = value(column);
        const auto tenths = decimalToScaled(decimalPointText(typed, separator_), 1);
        if (tenths && *tenths >= 0 && *tenths < 100000) {
            const std::string text =
                std::to_string(*tenths / 10) + "." + std::to_string(*tenths % 10);
            const auto &tones = ctcssTones();
            if (std::find(tones.begin(), tones.end(), text) != tones.end())
                return text;
        }
        refuse(filled(translated("Csv", "%1 %2 is not a CTCSS tone of this radio"),
                      {columnName(column), quoted(typed)}),
               RefusalKind::NotOnThisRadio);
    }

    // A DCS code of the signalling list with the polarity letter at `side` of
    // DtcsPolarity (0 transmit, 1 receive).
    std::string code(const std::string &column, int side) const {
        std::string typed = value(column);
        const std::string digits =
            std::string(typed.size() < 3 ? 3 - typed.size() : 0, '0') + typed;
        const auto &codes = dcsCodes();
        if (std::find(codes.begin(), codes.end(), digits) == codes.end())
            refuse(filled(translated("Csv", "%1 %2 is not a DCS code of this radio"),
                          {columnName(column), quoted(typed)}),
                   RefusalKind::NotOnThisRadio);
        const std::string polarity = value("dtcspolarity").empty() ? "NN" : value("dtcspolarity");
        const char letter = polarity.size() == 2 ? polarity[static_cast<std::size_t>(side)] : '?';
        if (letter != 'N' && letter != 'n' && letter != 'R' && letter != 'r')
            refuse(filled(translated("Csv", "DtcsPolarity %1 must be two letters N or R"),
                          {quoted(polarity)}));
        return "D" + digits + (letter == 'R' || letter == 'r' ? "I" : "N");
    }

    // (transmit, receive) signalling texts.
    std::pair<std::string, std::string> signalling() const {
        const std::string none = c_.noneText;
        const std::string mode = asciiLower(value("tone"));
        if (mode.empty())
            return {none, none};
        if (mode == "tone")
            return {tone("rtonefreq"), none};
        if (mode == "tsql") {
            const std::string t = tone("ctonefreq");
            return {t, t};
        }
        if (mode == "dtcs")
            return {code("dtcscode", 0), code("dtcscode", 1)};
        // Decode only: the tone or code on receive, nothing sent.
        if (mode == "tsql-r")
            return {none, tone("ctonefreq")};
        if (mode == "dtcs-r")
            return {none, code("dtcscode", 1)};
        if (mode != "cross")
            refuse(
                filled(translated("Csv", "Tone %1 must be empty, Tone, TSQL, DTCS, TSQL-R, DTCS-R "
                                         "or Cross"),
                       {quoted(value("tone"))}));
        const std::string cross = asciiLower(value("crossmode"));
        const auto arrow = cross.find("->");
        if (arrow == std::string::npos)
            refuse(filled(translated("Csv", "CrossMode %1 is not a cross mode"),
                          {quoted(value("crossmode"))}));
        const std::string tx = cross.substr(0, arrow), rx = cross.substr(arrow + 2);
        const bool known = (tx == "tone" || tx == "dtcs" || tx.empty()) &&
                           (rx == "tone" || rx == "dtcs" || rx.empty()) &&
                           !(tx.empty() && rx.empty()) && !(tx == "tone" && rx.empty());
        if (!known)
            refuse(filled(translated("Csv", "CrossMode %1 is not a cross mode"),
                          {quoted(value("crossmode"))}));
        const std::string transmit = tx == "tone"   ? tone("rtonefreq")
                                     : tx == "dtcs" ? code("dtcscode", 0)
                                                    : none;
        const std::string receive = rx == "tone"   ? tone("ctonefreq")
                                    : rx == "dtcs" ? code("rxdtcscode", 1)
                                                   : none;
        return {transmit, receive};
    }

    // A parameter column's choice, when the radio's table has that column.
    void setChoice(ChannelEntryRow &row, int column, int choice) const {
        if (column <= c_.cols.columnCount)
            row.parameters[column] = choice;
    }

    void mode(ChannelEntryRow &row) const {
        const std::string m = asciiLower(value("mode"));
        if (m == "fm" || m == "auto")
            setChoice(row, field::Bit4, kWide);
        else if (m == "nfm")
            setChoice(row, field::Bit4, kNarrow);
        else if (!m.empty())
            refuse(filled(translated("Csv", "Mode %1 is not possible on this radio (FM or NFM)"),
                          {quoted(value("mode"))}),
                   RefusalKind::NotOnThisRadio);
    }

    void skip(ChannelEntryRow &row) const {
        const std::string s = asciiLower(value("skip"));
        if (s == "s")
            setChoice(row, field::ListFlag, kNotScanned);
        else if (s.empty() || s == "p")
            setChoice(row, field::ListFlag, kScanned);
        else
            refuse(filled(translated("Csv", "Skip %1 must be empty, S or P"),
                          {quoted(value("skip"))}));
    }

    void power(ChannelEntryRow &row) const {
        const std::string typed = value("power");
        if (typed.empty())
            return;
        if (const int k = parameterChoiceOfWord(field::Bit5, typed); k >= 0) {
            setChoice(row, field::Bit5, k);
            return;
        }
        std::string number = typed;
        if (!number.empty() && (number.back() == 'W' || number.back() == 'w'))
            number.pop_back();
        const auto centiwatts = decimalToScaled(decimalPointText(trimField(number), separator_), 2);
        if (!centiwatts || *centiwatts < 0)
            refuse(filled(translated("Csv", "Power %1 must be High, Low or watts such as 5.0W"),
                          {quoted(typed)}));
        setChoice(row, field::Bit5, *centiwatts >= kHighPowerCentiwatts ? kHigh : kLow);
    }

    const Cps &c_;
    char separator_;
    std::size_t headerFields_;
    const std::map<std::string, std::size_t> &at_;
    const CsvRecord *record_ = nullptr;
};

// The tuning step (kHz) that divides the receive and transmit frequency, as
// readers of these files tune by it: 12.50 as most lists have it, else 5.00,
// 6.25 or 2.50.
const char *tuningStep(int32_t rx, int32_t tx) {
    for (const auto &[tenHz, text] :
         {std::pair{1250, "12.50"}, {500, "5.00"}, {625, "6.25"}, {250, "2.50"}})
        if (rx % tenHz == 0 && (tx < 0 || tx % tenHz == 0))
            return text;
    return "12.50";
}

} // namespace

bool isChannelListHeader(const std::vector<std::string> &header) {
    bool location = false, frequency = false;
    for (const auto &name : header) {
        location = location || asciiLower(name) == "location";
        frequency = frequency || asciiLower(name) == "frequency";
    }
    return location && frequency;
}

ChannelCsvRead readChannelListCsv(const Cps &c, const CsvTable &table,
                                  const std::array<ColumnDefs, 3> &,
                                  const ChannelCsvOptions &options) {
    return readChannelListCsv(c, table, options);
}

ChannelCsvRead readChannelListCsv(const Cps &c, const CsvTable &table,
                                  const ChannelCsvOptions &given) {
    ChannelCsvRead result;
    const CsvRecord &header = table.records[0];
    std::map<std::string, std::size_t> at;
    std::string withoutPlace, unknown, used;
    for (const char *name : kUsedColumns)
        used += (used.empty() ? "" : ", ") + std::string(name);
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = asciiLower(header.fields[i]);
        if (name.empty())
            continue;
        const auto isName = [&](const char *n) { return asciiLower(n) == name; };
        if (std::any_of(std::begin(kUsedColumns), std::end(kUsedColumns), isName)) {
            if (!at.emplace(name, i).second)
                throw CsvError(header.line, filled(translated("Csv", "column %1 appears twice"),
                                                   {quoted(header.fields[i])}));
        } else {
            const bool known =
                std::any_of(std::begin(kWithoutPlace), std::end(kWithoutPlace), isName);
            std::string &list = known ? withoutPlace : unknown;
            list += (list.empty() ? "" : ", ") + shownText(header.fields[i]);
        }
    }
    if (!withoutPlace.empty())
        result.notes.push_back(filled(
            translated("Csv", "columns ignored (no place in this radio): %1"), {withoutPlace}));
    if (!unknown.empty())
        result.notes.push_back(filled(translated("Csv", "columns not recognised, ignored: %1 (this "
                                                        "layout's columns read here are %2)"),
                                      {unknown, used}));

    // Most files count from 1; one whose first location is 0 counts from 0.
    ChannelCsvOptions options = given;
    if (!options.start && table.records.size() > 1 &&
        table.records[1].fields.size() > at["location"] &&
        table.records[1].fields[at["location"]] == "0") {
        options.start = 0;
        result.notes.push_back(translated(
            "Csv", "Location starts at 0: location 0 is channel 1, 1 is channel 2, ..."));
    }

    RowReader reader(c, table, at);
    for (std::size_t i = 1; i < table.records.size(); ++i) {
        const int line = table.records[i].line;
        int channel = 0;
        try {
            channel = reader.channel(table.records[i], options);
            result.rows.push_back(reader.read(table.records[i], channel));
        } catch (const Refusal &r) {
            const std::string hint = reader.hint(table.records[i]);
            result.refused.push_back(
                rowProblem(line, r.why.find(hint) == std::string::npos ? r.why + hint : r.why,
                           channel, r.kind));
        } catch (const OutsideRow &o) {
            (o.pastLast ? result.pastLastChannel : result.beforeStart).push_back(line);
        }
    }
    return result;
}

std::string exportChannelListCsv(const Cps &c) {
    // A parameter's stored choice; the default when the table has no such column.
    const auto choice = [&](int n, int column, int byDefault) {
        return column <= c.cols.columnCount
                   ? c.ch.ChInfo[static_cast<std::size_t>(n)][static_cast<std::size_t>(column)]
                   : byDefault;
    };
    std::ostringstream o;
    o << kHeader << '\n';
    for (int n = 1; n <= c.cols.channelCount; ++n) {
        if (!channelInUse(c, n))
            continue;
        const auto &f = c.ch.ChInfo[static_cast<std::size_t>(n)];
        const int32_t rx = f[field::Rx], tx = f[field::Tx];
        std::string duplex, offset = mhz6(0);
        if (tx < 0)
            duplex = "off";
        else if (tx != rx) {
            duplex = tx > rx ? "+" : "-";
            offset = mhz6(tx > rx ? tx - rx : rx - tx);
        }
        const Signal receive = signalOf(c.ch.decText[static_cast<std::size_t>(n)]);
        const Signal transmit =
            tx < 0 ? Signal{} : signalOf(c.ch.encText[static_cast<std::size_t>(n)]);
        // Columns that are not used keep the values those tools fill in.
        std::string mode, rTone = "88.5", cTone = "88.5", code = "023", rxCode = "023",
                          cross = "Tone->Tone";
        std::string polarity = {transmit.kind == Signal::Dcs ? transmit.polarity : 'N',
                                receive.kind == Signal::Dcs ? receive.polarity : 'N'};
        using K = Signal::Kind;
        if (transmit.kind == K::None && receive.kind == K::None) {
        } else if (transmit.kind == K::Tone && receive.kind == K::None) {
            mode = "Tone";
            rTone = transmit.tone;
        } else if (transmit.kind == K::Tone && receive.kind == K::Tone &&
                   transmit.tone == receive.tone) {
            mode = "TSQL";
            rTone = cTone = receive.tone; // some readers take the tone from rToneFreq
        } else if (transmit.kind == K::Dcs && receive.kind == K::Dcs &&
                   transmit.code == receive.code) {
            mode = "DTCS";
            code = transmit.code;
        } else {
            mode = "Cross";
            const auto side = [](const Signal &s) {
                return s.kind == K::Tone ? "Tone" : s.kind == K::Dcs ? "DTCS" : "";
            };
            cross = std::string(side(transmit)) + "->" + side(receive);
            if (transmit.kind == K::Tone)
                rTone = transmit.tone;
            if (transmit.kind == K::Dcs)
                code = transmit.code;
            if (receive.kind == K::Tone)
                cTone = receive.tone;
            if (receive.kind == K::Dcs)
                rxCode = receive.code;
        }
        const bool narrow = choice(n, field::Bit4, kWide) == kNarrow;
        const bool low = choice(n, field::Bit5, kHigh) == kLow;
        o << n << ",," << mhz6(rx) << ',' << duplex << ',' << offset << ',' << mode << ',' << rTone
          << ',' << cTone << ',' << code << ',' << polarity << ',' << rxCode << ',' << cross << ','
          << (narrow ? "NFM" : "FM") << ',' << tuningStep(rx, tx) << ','
          << (choice(n, field::ListFlag, kScanned) == kNotScanned ? "S" : "") << ','
          << (low ? "1.0W" : "5.0W") << ",,,,,\n";
    }
    return o.str();
}

} // namespace cps
