#pragma once
// What each command of brenvik-cli takes: its options, how many plain
// arguments, and the help a user reads (synopsis, options, examples, exit
// codes). The parser, the help texts, the manual page and the shell completion
// follow this one table. Its texts are English, marked for Qt's translation
// (context "CliHelp"); what a user reads goes through helpText(), which gives
// them in the language whose help translation is installed. The shell
// completion shows them untranslated.
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

using ExitCode = std::pair<int, std::string>;

// Options every command takes (--lang, --program-dir, --verbose, --help).
const std::vector<OptionSpec> &commonOptions();

// Every command in the order the general help lists them.
const std::vector<CommandSpec> &commandSpecs();
// The command's entry; null for an unknown name.
const CommandSpec *findCommand(const std::string &name);

// An English help text in the installed help language.
std::string helpText(const std::string &english);
// The option's help in the help language, "(repeatable)" added where it is.
std::string optionHelp(const OptionSpec &o);
// The command's summary as a sentence, in the help language.
std::string summarySentence(const CommandSpec &cmdSpec);

// What the general help tells besides the commands: the common options with
// --version, its paragraphs (what the tool is; the arguments '-' and DEV), the
// exit statuses of every command, and a few examples.
const std::vector<OptionSpec> &generalOptions();
const std::vector<std::string> &generalParagraphs();
const std::vector<ExitCode> &generalExitCodes();
std::vector<std::string> generalExamples();

// brenvik-cli --help: every command, the common options, the exit codes, examples.
std::string generalHelp();
// brenvik-cli CMD --help / help CMD.
std::string commandHelp(const CommandSpec &cmdSpec);
// brenvik-cli --version.
std::string versionText();

} // namespace cli
