// Commands on data files: new, show, export-csv, import-csv.
#include "cli/Commands.h"
#include "cli/CsvPlan.h"
#include "cli/PlanFile.h"
#include "cli/ShowPlan.h"
#include "cli/StreamSink.h"
#include "core/DataFile.h"
#include "core/MemoryImage.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace cli {

namespace {

std::string requiredOutput(const Args &args) {
    if (!args.has("-o"))
        throw UsageError(args.command() + ": -o OUT is required");
    return args.value("-o");
}

std::string readTextFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw CliFailure(kExitFile, path + ": cannot be read");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw CliFailure(kExitFile, path + ": cannot be read");
    return text;
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

} // namespace

int newCommand(const Args &args, Console &console) {
    args.allowOnly({"-o", "--band", "--lang", "--program-dir"});
    args.expectPositionals(0, 0);
    const std::string out = requiredOutput(args);
    const int band = args.intValue("--band", 0, cps::kCustomBand - 1, cps::kDefaultBand);
    CommandSession session(args, console);
    cps::Cps &c = session.c;
    cps::selectBand(c, band);
    savePlan(c, out);
    return kExitOk;
}

int showCommand(const Args &args, Console &console) {
    args.allowOnly({"--json", "--lang", "--program-dir"});
    args.expectPositionals(1, 1);
    CommandSession session(args, console);
    cps::Cps &c = session.c;
    openPlan(c, args.positionals()[0]);
    console.out << (args.has("--json") ? planJson(c) : planTable(c)) << std::flush;
    return kExitOk;
}

int exportCsvCommand(const Args &args, Console &console) {
    args.allowOnly({"-o", "--lang", "--program-dir", "--format"});
    args.expectPositionals(1, 1);
    const std::string format = args.value("--format", "brenvik");
    if (format != "brenvik" && format != "chirp")
        throw UsageError("export-csv: --format must be brenvik or chirp");
    CommandSession session(args, console);
    cps::Cps &c = session.c;
    openPlan(c, args.positionals()[0]);
    const std::string csv =
        exportCsv(c, format == "chirp" ? CsvFormat::ChannelList : CsvFormat::Own,
                  args.has("--lang") ? c.lang() : 3);
    if (!args.has("-o")) {
        console.out << csv << std::flush;
        return kExitOk;
    }
    try {
        cps::writeFileAtomically(args.value("-o"), std::vector<uint8_t>(csv.begin(), csv.end()));
    } catch (const std::exception &) {
        throw CliFailure(kExitFile, args.value("-o") + ": " + c.text(86));
    }
    return kExitOk;
}

int importCsvCommand(const Args &args, Console &console) {
    args.allowOnly({"-o", "--lang", "--program-dir", "--skip-bad-rows"});
    args.expectPositionals(2, 2);
    const std::string out = requiredOutput(args);
    CommandSession session(args, console);
    cps::Cps &c = session.c;
    openPlan(c, args.positionals()[0]);
    const std::string &csvPath = args.positionals()[1];
    const std::string csv = readTextFile(csvPath);
    CsvImportMessages messages;
    try {
        messages = importCsv(c, csv, args.has("--skip-bad-rows"));
    } catch (const CliFailure &e) {
        throw CliFailure(e.status, prefixLines(csvPath, e.what()));
    }
    for (const auto &line : messages.notes)
        console.err << csvPath << ": note: " << line << '\n';
    for (const auto &line : messages.warnings)
        console.err << csvPath << ": warning: " << line << '\n';
    for (const auto &line : messages.leftOut)
        console.err << csvPath << ": left out: " << line << '\n';
    savePlan(c, out);
    return kExitOk;
}

} // namespace cli
