// Commands on data files: new, show, export-csv, import-csv.
#include "cli/Commands.h"
#include "cli/CsvPlan.h"
#include "cli/PlanFile.h"
#include "cli/ShowPlan.h"
#include "cli/StreamSink.h"
#include "core/DataFile.h"
#include "core/MemoryImage.h"

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
    args.allowOnly({"-o", "--lang", "--program-dir"});
    args.expectPositionals(1, 1);
    CommandSession session(args, console);
    cps::Cps &c = session.c;
    openPlan(c, args.positionals()[0]);
    const std::string csv = exportCsv(c);
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
    args.allowOnly({"-o", "--lang", "--program-dir"});
    args.expectPositionals(2, 2);
    const std::string out = requiredOutput(args);
    CommandSession session(args, console);
    cps::Cps &c = session.c;
    openPlan(c, args.positionals()[0]);
    const std::string csv = readTextFile(args.positionals()[1]);
    try {
        importCsv(c, csv);
    } catch (const CliFailure &e) {
        throw CliFailure(e.status, args.positionals()[1] + ": " + e.what());
    }
    savePlan(c, out);
    return kExitOk;
}

} // namespace cli
