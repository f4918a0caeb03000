// Commands on data files: new, show, export-csv, import-csv.
#include "cli/CliFiles.h"
#include "cli/Commands.h"
#include "cli/CsvPlan.h"
#include "cli/PlanFile.h"
#include "cli/ShowPlan.h"
#include "cli/StreamSink.h"
#include "core/MemoryImage.h"
#include "core/MessageText.h"

#include <algorithm>

namespace cli {

using cps::shownName;
using cps::translated;

namespace {

constexpr int kTextSaveFailed = 86;

std::string requiredOutput(const Args &args) {
    if (!args.has("-o"))
        throw UsageError(translated("Usage", "-o OUT is required"), args.command());
    return args.value("-o");
}

// Every line of a multi-line message names the file it is about.
std::string prefixLines(const std::string &prefix, const std::string &text) {
    std::string r;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        r += (r.empty() ? "" : "\n") + prefix + ": " + text.substr(start, end - start);
        start = end + 1;
    }
    return r;
}

// Two arguments cannot both be standard input.
void oneStdin(const Args &args) {
    int count = 0;
    for (const auto &p : args.positionals())
        count += isStdin(p) ? 1 : 0;
    if (count > 1)
        throw UsageError(translated("Usage", "only one argument can be standard input"),
                         args.command());
}

} // namespace

int newCommand(const Args &args, Console &console) {
    const std::string out = requiredOutput(args);
    const int band = args.intValue("--band", 0, cps::kCustomBand - 1, cps::kDefaultBand);
    CommandSession session(args, console);
    cps::Cps &c = session.c;
    const OutputFile output(out);
    cps::selectBand(c, band);
    saveFile(c, planFileBytes(c), output, console);
    reportChannelsOutsideBand(c, console.err);
    return kExitOk;
}

int showCommand(const Args &args, Console &console) {
    CommandSession session(args, console);
    cps::Cps &c = session.c;
    openPlan(c, args.positionals()[0], console.err);
    console.out << (args.has("--json") ? planJson(c) : planTable(c)) << std::flush;
    reportChannelsOutsideBand(c, console.err);
    return kExitOk;
}

int exportCsvCommand(const Args &args, Console &console) {
    const std::string format = args.value("--format", "brenvik");
    if (format != "brenvik" && format != "chirp")
        throw UsageError(translated("Usage", "--format must be brenvik or chirp"), "export-csv");
    CommandSession session(args, console);
    cps::Cps &c = session.c;
    const std::string &plan = args.positionals()[0];
    const OutputFile output(args.value("-o", "-"), {plan});
    openPlan(c, plan, console.err);
    const std::string csv =
        exportCsv(c, format == "chirp" ? CsvFormat::ChannelList : CsvFormat::Own,
                  args.has("--lang") ? c.lang() : 3);
    output.write(std::vector<uint8_t>(csv.begin(), csv.end()), console, c.text(kTextSaveFailed));
    return kExitOk;
}

int importCsvCommand(const Args &args, Console &console) {
    const std::string out = requiredOutput(args);
    oneStdin(args);
    CommandSession session(args, console);
    cps::Cps &c = session.c;
    const std::string &plan = args.positionals()[0], &csvPath = args.positionals()[1];
    const OutputFile output(out, {plan, csvPath});
    openPlan(c, plan, console.err);
    CsvImportOptions options;
    options.skipBadRows = args.has("--skip-bad-rows");
    options.listEveryRefusal = args.has("--verbose");
    if (args.has("--start"))
        options.start = args.intValue("--start", 0, 1000000, 1);
    const auto csvBytes = readInput(csvPath);
    const std::string csvName =
        isStdin(csvPath) ? translated("Files", "standard input") : shownName(csvPath);
    CsvImportMessages messages;
    try {
        messages = importCsv(c, std::string(csvBytes.begin(), csvBytes.end()), options);
    } catch (const CliFailure &e) {
        throw CliFailure(e.status, prefixLines(csvName, e.what()));
    }
    for (const auto &line : messages.notes)
        console.err << csvName << ": " << translated("Csv", "note: ") << line << '\n';
    for (const auto &line : messages.warnings)
        console.err << csvName << ": " << translated("Csv", "warning: ") << line << '\n';
    for (const auto &line : messages.leftOut)
        console.err << csvName << ": " << translated("Csv", "left out: ") << line << '\n';
    for (const auto &line : messages.summary)
        console.err << csvName << ": " << line << '\n';
    saveFile(c, planFileBytes(c), output, console);
    return kExitOk;
}

} // namespace cli
