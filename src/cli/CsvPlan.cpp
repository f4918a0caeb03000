#include "cli/CsvPlan.h"

#include "cli/Console.h"
#include "core/ChannelCsv.h"
#include "core/ChannelListCsv.h"
#include "core/CsvText.h"
#include "core/MessageText.h"

#include <set>

namespace cli {

using cps::filled;
using cps::translated;

std::string csvField(const std::string &s) {
    return cps::csvField(s, ',');
}

std::string exportCsv(const cps::Cps &c, CsvFormat format, int lang) {
    return format == CsvFormat::ChannelList ? cps::exportChannelListCsv(c)
                                            : cps::exportChannelCsv(c, lang);
}

CsvImportMessages importCsv(cps::Cps &c, const std::string &csvText,
                            const CsvImportOptions &options) {
    cps::ChannelCsvImport result;
    try {
        result = cps::importChannelCsv(c, csvText, options.skipBadRows, {options.start});
    } catch (const cps::CsvError &e) {
        throw CliFailure(kExitFile, e.what());
    }
    CsvImportMessages messages;
    messages.notes = result.read.notes;
    messages.warnings = result.warnings;
    messages.summary = cps::importSummary(result);

    // The rows meant for a channel matter most: the first refusal of every
    // channel comes first. A file of thousands of bad rows (not a channel
    // table at all) lists a few more in file order, as the rest would only
    // bury them.
    std::vector<const cps::CsvRowProblem *> first, rest;
    std::set<int> channelsNamed;
    for (const auto &row : result.read.refused)
        (row.channel > 0 && channelsNamed.insert(row.channel).second ? first : rest)
            .push_back(&row);
    constexpr std::size_t kListedOthers = 20;
    std::vector<std::string> listed;
    for (const auto *row : first)
        listed.push_back(cps::csvLineText(row->line, row->message));
    for (std::size_t i = 0; i < rest.size(); ++i)
        if (options.listEveryRefusal || i < kListedOthers)
            listed.push_back(cps::csvLineText(rest[i]->line, rest[i]->message));
    if (rest.size() > kListedOthers && !options.listEveryRefusal)
        listed.push_back(
            filled(translated("Csv", "... and %1 more rows (--verbose lists them all)"),
                   {std::to_string(rest.size() - kListedOthers)}));
    if (result.entered) {
        messages.leftOut = std::move(listed);
        return messages;
    }
    std::string text;
    for (const auto &line : listed)
        text += line + '\n';
    for (const auto &line : messages.notes)
        text += translated("Csv", "note: ") + line + '\n';
    for (const auto &line : messages.summary)
        text += line + '\n';
    if (result.read.rows.empty())
        text += translated("Csv", "no row to import, nothing written");
    else
        text += filled(translated("Csv", "%1 row(s) refused, nothing written "
                                         "(--skip-bad-rows imports the other rows)"),
                       {std::to_string(result.read.refused.size())});
    throw CliFailure(kExitFile, text);
}

} // namespace cli
