#pragma once
// What each command of brenvik-cli takes: its options, how many plain
// arguments, and the help a user reads (synopsis, options, examples, exit
// codes). The parser, the help texts and the shell completion follow this one
// table.
#include <string>
#include <vector>

namespace cli {

struct OptionSpec {
    std::string name;      // "-o", "--band", "--json"
    std::string valueName; // "OUT.dat"; empty for a flag
    std::string help;
    bool repeatable = false;
};

struct CommandSpec {
    std::string name;
    std::string synopsis; // after "brenvik-cli "
    std::string summary;  // one line
    std::string details;  // further paragraphs, may be empty
    std::vector<OptionSpec> options;
    std::size_t minArgs = 0, maxArgs = 0;
    std::vector<std::string> examples;
    std::vector<std::pair<int, std::string>> exitCodes;
};

// Options every command takes (--lang, --program-dir, --verbose, --help).
const std::vector<OptionSpec> &commonOptions();

// Every command in the order the general help lists them.
const std::vector<CommandSpec> &commandSpecs();
// The command's entry; null for an unknown name.
const CommandSpec *findCommand(const std::string &name);

// brenvik-cli --help: every command, the common options, the exit codes, examples.
std::string generalHelp();
// brenvik-cli CMD --help / help CMD.
std::string commandHelp(const CommandSpec &cmdSpec);
// brenvik-cli --version.
std::string versionText();

} // namespace cli
