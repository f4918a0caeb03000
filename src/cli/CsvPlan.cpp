#include "cli/CsvPlan.h"

#include "cli/Console.h"
#include "core/ChannelCsv.h"
#include "core/ChannelListCsv.h"
#include "core/CsvText.h"

namespace cli {

std::string csvField(const std::string &s) {
    return cps::csvField(s, ',');
}

std::string exportCsv(const cps::Cps &c, CsvFormat format, int lang) {
    return format == CsvFormat::ChannelList ? cps::exportChannelListCsv(c)
                                            : cps::exportChannelCsv(c, lang);
}

CsvImportMessages importCsv(cps::Cps &c, const std::string &csvText, bool skipBadRows) {
    cps::ChannelCsvImport result;
    try {
        result = cps::importChannelCsv(c, csvText, skipBadRows);
    } catch (const cps::CsvError &e) {
        throw CliFailure(kExitFile, e.what());
    }
    CsvImportMessages messages;
    messages.notes = result.read.notes;
    messages.warnings = result.warnings;
    // A file of thousands of bad rows (not a channel table at all) lists the
    // first few, as the rest would only bury them.
    constexpr std::size_t kListedRefusals = 20;
    const auto &refusedRows = result.read.refused;
    std::string refused;
    for (std::size_t i = 0; i < refusedRows.size() && i < kListedRefusals; ++i) {
        const std::string line = cps::csvLineText(refusedRows[i].line, refusedRows[i].message);
        if (result.entered)
            messages.leftOut.push_back(line);
        else
            refused += line + '\n';
    }
    if (refusedRows.size() > kListedRefusals) {
        const std::string more =
            "... and " + std::to_string(refusedRows.size() - kListedRefusals) + " more rows";
        if (result.entered)
            messages.leftOut.push_back(more);
        else
            refused += more + '\n';
    }
    if (!result.entered)
        throw CliFailure(kExitFile,
                         refused + std::to_string(result.read.refused.size()) +
                             " row(s) refused, nothing written (--skip-bad-rows imports the "
                             "other rows)");
    return messages;
}

} // namespace cli
