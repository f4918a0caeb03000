#include "cli/Cli.h"

#include "cli/Args.h"
#include "cli/Commands.h"

#include <functional>
#include <map>

namespace cli {

namespace {

int helpCommand(const Args &args, Console &console) {
    if (args.positionals().empty()) {
        console.out << generalHelp();
        return kExitOk;
    }
    const CommandSpec *cmdSpec = findCommand(args.positionals()[0]);
    if (!cmdSpec)
        throw UsageError("help: unknown command '" + args.positionals()[0] + "'");
    console.out << commandHelp(*cmdSpec);
    return kExitOk;
}

std::string firstLower(std::string s) {
    if (!s.empty() && s[0] >= 'A' && s[0] <= 'Z')
        s[0] = static_cast<char>(s[0] - 'A' + 'a');
    return s;
}

// A command that succeeded despite run-time errors names the first one.
void reportHeldFaults(Console &console) {
    std::lock_guard lock(console.faults.mutex);
    if (console.faults.count == 0)
        return;
    console.err << console.faults.first;
    if (console.faults.count > 1)
        console.err << " (+" << console.faults.count - 1 << ")";
    console.err << "; --verbose shows the error log entries\n";
}

} // namespace

int run(const std::vector<std::string> &words, Console &console) {
    static const std::map<std::string, std::function<int(const Args &, Console &)>> commands{
        {"new", newCommand},
        {"show", showCommand},
        {"export-csv", exportCsvCommand},
        {"import-csv", importCsvCommand},
        {"read", readCommand},
        {"write", writeCommand},
        {"ports", portsCommand},
        {"bands", bandsCommand},
        {"diff", diffCommand},
        {"program", programCommand},
        {"cable-check", cableCheckCommand},
        {"history", historyCommand},
        {"help", helpCommand},
    };
    std::string current; // the command, once known
    try {
        const Args args(words);
        current = args.command();
        if (args.has("--help")) {
            console.out << (args.cmdSpec() ? commandHelp(*args.cmdSpec()) : generalHelp());
            return kExitOk;
        }
        if (args.has("--version")) {
            console.out << versionText();
            return kExitOk;
        }
        if (!args.cmdSpec())
            throw UsageError("no command given");
        console.verbose = args.has("--verbose");
        const int status = commands.at(args.command())(args, console);
        if (status == kExitOk || (args.command() == "diff" && status == kExitDiffers))
            reportHeldFaults(console);
        return status;
    } catch (const UsageError &e) {
        const std::string command = e.command.empty() ? current : e.command;
        const std::string where = command.empty() ? "" : command + ": ";
        std::string message = firstLower(e.what());
        if (!where.empty() && message.rfind(where, 0) == 0)
            message = message.substr(where.size());
        console.err << "brenvik-cli: " << where << message << "\n"
                    << "see 'brenvik-cli " << (command.empty() ? "" : command + " ") << "--help'\n";
        return kExitUsage;
    } catch (const CliFailure &e) {
        console.err << e.what() << '\n';
        return e.status;
    }
}

} // namespace cli
