#pragma once
// The channel table as CSV for brenvik-cli: the tool's own layout (English
// names and words by default) or the common channel-list layout; import takes
// either, told apart by the header (see core/ChannelCsv.h, core/ChannelListCsv.h).
#include "core/Cps.h"

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
    std::vector<std::string> notes;    // ignored columns, shifted locations
    std::vector<std::string> warnings; // values clamped into the band
    std::vector<std::string> leftOut;  // refused rows skipped with skipBadRows
};

// Enters every row as the channel grid takes typed values and deletes every
// channel not listed. A refused row (or a file that is no channel table)
// throws CliFailure (file error) listing every refused line, and the plan is
// left untouched, unless `skipBadRows`: then the other rows are entered and
// the refused ones come back in leftOut.
CsvImportMessages importCsv(cps::Cps &c, const std::string &csvText, bool skipBadRows = false);

} // namespace cli
