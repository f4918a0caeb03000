#include "cli/Cli.h"

#include "cli/Args.h"
#include "cli/Commands.h"

#include <functional>
#include <map>

namespace cli {

namespace {

// Options that take a value, and flags, across all commands; each command
// then accepts only its own.
const std::vector<std::string> kValued{"-o",       "--band", "--lang", "--port", "--program-dir",
                                       "--backup", "--log", "--format"};
const std::vector<std::string> kFlags{"--json", "--verbose", "--verify", "--help", "-h",
                                      "--skip-bad-rows"};

} // namespace

std::string usageText() {
    return R"(Usage: brenvik-cli COMMAND [ARGUMENTS] [OPTIONS]

  new -o OUT.dat [--band 0..13]          new plan from the default image, saved
  show FILE.dat [--json]                 the decoded plan
  export-csv FILE.dat [-o OUT.csv] [--format brenvik|chirp]
                                         channel table as CSV (stdout by default);
                                         chirp: the common channel-list layout
  import-csv FILE.dat IN.csv -o OUT.dat [--skip-bad-rows]
                                         apply the CSV rows (either layout) as grid
                                         entries, save; refused rows stop it unless
                                         --skip-bad-rows
  read --port DEV -o OUT.dat             read a radio into a data file
  write --port DEV [--port DEV2 ...] [--verify] [--backup DIR] FILE.dat
                                         write a plan to each radio in turn
  diff A B                               compare two plans; A and B are each
                                         FILE.dat or --port DEV (a radio)
  program FILE.dat --port DEV [--port DEV2 ...] [--verify] [--backup DIR]
          [--log FILE.csv]               programming line: radio after radio on
                                         every port, until Ctrl-C
  ports                                  list serial devices and their COM numbers

DEV is a device path (/dev/ttyUSB0) or COMn as the settings file maps it.
--verify reads the written range back and compares it; --backup DIR saves each
radio's memory as DIR/<yyyyMMdd-HHmmss>-<port>.dat before writing to it.
Common options: --lang 1|2|3 (interface language), --program-dir DIR,
--verbose (traffic log of read and write).
Exit status: 0 success, 1 radio or port failure (diff: the plans differ),
2 usage error, 3 file error.
)";
}

int run(const std::vector<std::string> &words, Console &console) {
    static const std::map<std::string, std::function<int(const Args &, Console &)>> commands{
        {"new", newCommand},
        {"show", showCommand},
        {"export-csv", exportCsvCommand},
        {"import-csv", importCsvCommand},
        {"read", readCommand},
        {"write", writeCommand},
        {"ports", portsCommand},
        {"diff", diffCommand},
        {"program", programCommand},
    };
    try {
        const Args args(words, kValued, kFlags);
        if (args.has("--help") || args.has("-h") || args.command() == "help") {
            console.out << usageText();
            return kExitOk;
        }
        const auto it = commands.find(args.command());
        if (it == commands.end())
            throw UsageError(args.command().empty() ? "no command given"
                                                    : "unknown command " + args.command());
        console.verbose = args.has("--verbose");
        return it->second(args, console);
    } catch (const UsageError &e) {
        console.err << "brenvik-cli: " << e.what() << "\n\n" << usageText();
        return kExitUsage;
    } catch (const CliFailure &e) {
        console.err << e.what() << '\n';
        return e.status;
    }
}

} // namespace cli
