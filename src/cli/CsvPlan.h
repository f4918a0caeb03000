#pragma once
// The channel table as CSV for brenvik-cli: the tool's own layout (English
// names and words by default) or the common channel-list layout; import takes
// either, told apart by the header (see core/ChannelCsv.h, core/ChannelListCsv.h).
#include "core/Cps.h"

#include <optional>
#include <string>
#include <vector>

namespace cli {

// One CSV field, quoted when it holds a comma, a quote, a line break or edge spaces.
std::string csvField(const std::string &s);

enum class CsvFormat { Own, ChannelList };

// `lang` chooses the words of the own layout (3 English, 1 and 2 Chinese).
std::string exportCsv(const cps::Cps &c, CsvFormat format = CsvFormat::Own, int lang = 3);

// What an import has to tell besides failing, each line "CSV line N: ..." or a note.
struct CsvImportMessages {
    std::vector<std::string> notes;    // ignored columns, shifted locations, rows past the end
    std::vector<std::string> warnings; // values clamped into the band
    std::vector<std::string> leftOut;  // refused rows skipped with skipBadRows
    std::vector<std::string> summary;  // channels imported, rows refused by reason
};

struct CsvImportOptions {
    bool skipBadRows = false;
    bool listEveryRefusal = false; // else the rows for channels in range and 20 more
    std::optional<int> start;      // the Location/Channel number that becomes channel 1
};

// Enters every row as the channel grid takes typed values and deletes every
// channel not listed. A refused row (or a file that is no channel table, or
// one without any row to enter) throws CliFailure (file error) listing the
// refused lines and the summary, and the plan is left untouched; with
// `skipBadRows` the other rows are entered and the refused ones come back in
// leftOut. The refusals of rows that would fill a channel come first, all of
// them.
CsvImportMessages importCsv(cps::Cps &c, const std::string &csvText,
                            const CsvImportOptions &options = {});

} // namespace cli
