#pragma once
// The channel table as CSV, in two layouts:
//
// The tool's own, one row per channel in use, columns found by their header
// (any order, any letter case; unknown columns are ignored):
//
//   Channel,Receive,Transmit,Decode,Encode,Tx Power,Bandwidth,Scan Add,Busy Lock
//   1,146.52000,146.52000,67.0,67.0,High,Wide,On,Off
//
// Receive/Transmit in MHz (Transmit empty: receive only), Decode/Encode a
// signalling text ("67.0", "D023N", "None"), the parameter columns a choice word
// of any interface language or its index. Columns are also found under their
// Chinese names and the common names other sheets use (core/ChannelColumnNames.h);
// the old header "P5..P8" (indexes) is still read. The names and words are
// fixed: the settings file's captions only label the grid.
//
// The common channel-list layout of repeater directories and other radio tools
// (Location,Name,Frequency,Duplex,Offset,Tone,...), see ChannelListCsv.h.
//
// Reading gives typed entries; entering them goes through the grid's entry
// rules (core/ChannelEntry.h) exactly as if they were typed.
#include "core/Cps.h"
#include "core/CsvText.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace cps {

// One channel as the grid would have it typed. An absent column leaves that
// part of the channel as the plan has it.
struct ChannelEntryRow {
    int line = 0;
    int channel = 0;
    std::optional<std::string> rx, tx, decode, encode;
    std::map<int, int> parameters; // parameter column (5..) -> choice index
    std::string rxColumn = "Receive", txColumn = "Transmit"; // as the file names them
};

// The kinds of refusal an import counts.
enum class RefusalKind { Unreadable, OutsideBand, NotOnThisRadio, ListedTwice, FieldCount };

struct CsvRowProblem {
    int line;
    std::string message;
    int channel = 0;      // the channel the row would have filled; 0 when unknown
    std::string reason{}; // the kind in English words ("outside the band", ...)
    RefusalKind kind = RefusalKind::Unreadable;
};

struct ChannelCsvRead {
    std::vector<ChannelEntryRow> rows;  // the rows that can be entered, in file order
    std::vector<CsvRowProblem> refused; // the rows that cannot, with the reason
    std::vector<std::string> notes;     // what was ignored or reinterpreted
    std::vector<int> pastLastChannel;   // lines of rows that fall past the last channel
    std::vector<int> beforeStart;       // lines of rows before the first one taken
};

struct ChannelCsvOptions {
    // The Location (or Channel) number that becomes channel 1; the rows after it
    // fill on from there. None: the numbers are the channels (a channel list
    // counting from 0 is shifted up by one).
    std::optional<int> start;
};

// Reads either layout (told apart by the header). Throws CsvError when the text
// cannot be a channel table at all: no header, a header without the needed
// columns, an unterminated quote.
ChannelCsvRead readChannelCsv(const Cps &c, const std::string &text,
                              const ChannelCsvOptions &options = {});

// The channel a row numbered `number` fills: `number` itself, or counted from
// options.start. Outside 1..channel count the row is not taken.
int channelOfNumber(const ChannelCsvOptions &options, int number);

// Why a row with more fields than the header is refused, or none when it has
// not (or only empty ones). A number of a `decimalFields` column split by a
// decimal comma in a comma-separated file ("446,1") is named with the way to
// fix it.
std::optional<std::string> extraFieldsText(const CsvRecord &r, std::size_t headerFields,
                                           char separator,
                                           const std::vector<std::size_t> &decimalFields);

// A refused row of the given kind.
CsvRowProblem rowProblem(int line, std::string message, int channel, RefusalKind kind);

// "; \"446,1\" looks like a number with a decimal comma ..." when the row has
// more fields than the header and two of them look like one number split by a
// decimal comma in a comma-separated file; "" otherwise.
std::string decimalCommaHint(const CsvRecord &r, std::size_t headerFields, char separator,
                             const std::vector<std::size_t> &decimalFields);

// Ranges of numbers as people write them: "1-5, 7, 9-16".
std::string rangesText(std::vector<int> numbers);

// Enters the rows in channel order by the grid's rules and deletes every
// channel not among them (unless `deleteOthers` is false: they stay as they are). Reading refuses a
// frequency outside the band; should rows made elsewhere hold one, the entry rule clamps it and
// this returns one warning for each ("CSV line 4: Receive 500 is outside the band 136.00000 -
// 174.00000; stored as 174.00000").
std::vector<std::string> enterChannelRows(Cps &c, const std::vector<ChannelEntryRow> &rows,
                                          bool deleteOthers = true);

struct ChannelCsvImport {
    ChannelCsvRead read;
    std::vector<std::string> warnings;
    // false: refused rows and no skipping, or no row to enter at all; the plan
    // is untouched
    bool entered = false;
};

// readChannelCsv, then enterChannelRows when no row was refused or when
// `skipBadRows` is set (the refused rows are then left out). A file without a
// row to enter is never entered: it would leave a plan without channels.
ChannelCsvImport importChannelCsv(Cps &c, const std::string &text, bool skipBadRows,
                                  const ChannelCsvOptions &options = {});

// The closing lines of an import: the channels imported as ranges, the rows
// refused counted by reason.
std::vector<std::string> importSummary(const ChannelCsvImport &import);

// The tool's own layout. `lang` 3 (and any number but 1 and 2) writes the
// English names and words whatever the session's language; 1 and 2 the names
// and words of Simplified or Traditional Chinese.
std::string exportChannelCsv(const Cps &c, int lang = 3);

// The header of the tool's own layout in that language (as exportChannelCsv).
std::string channelCsvHeader(const Cps &c, int lang = 3);

// A frequency in 10 Hz units as MHz with five decimals ("446.00625"); "" for -1.
std::string mhzText5(int32_t tenHz);

// "<what> is outside the band 400.00000 - 470.00000": why a row is refused.
std::string outsideBandText(const Cps &c, const std::string &what);

// "CSV line N: message".
std::string csvLineText(int line, const std::string &message);

} // namespace cps
