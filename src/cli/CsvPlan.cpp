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
    std::string refused;
    for (const auto &p : result.read.refused) {
        const std::string line = cps::csvLineText(p.line, p.message);
        if (result.entered)
            messages.leftOut.push_back(line);
        else
            refused += line + '\n';
    }
    if (!result.entered)
        throw CliFailure(kExitFile,
                         refused + std::to_string(result.read.refused.size()) +
                             " row(s) refused, nothing written (--skip-bad-rows imports the "
                             "other rows)");
    return messages;
}

} // namespace cli
