#include "cli/CommandSpecs.h"

#include "cli/Console.h"

#include <algorithm>
#include <sstream>

#ifndef BRENVIK_VERSION
#define BRENVIK_VERSION "unknown"
#endif

namespace cli {

namespace {

const OptionSpec kPort{"--port", "DEV", "the radio's port: a device path or COMn", true};
const OptionSpec kVerify{"--verify", "", "read the written range back and compare it"};
const OptionSpec kBackup{"--backup", "DIR",
                         "save each radio's memory as DIR/<yyyyMMdd-HHmmss>-<port>.dat before "
                         "writing to it"};
const OptionSpec kForce{"--force", "",
                        "write even when channel frequencies lie outside the plan's band"};

} // namespace

const std::vector<OptionSpec> &commonOptions() {
    static const std::vector<OptionSpec> options{
        {"--lang", "1|2|3",
         "interface language: 1 Simplified Chinese, 2 Traditional Chinese, 3 English (default: "
         "the settings file's)"},
        {"--program-dir", "DIR",
         "program folder with selvarn.exe and dhcpqec.exe (default: the "
         "program's own folder)"},
        {"--verbose", "", "traffic log of transfers and full error-log entries"},
        {"--help", "", "this help"},
    };
    return options;
}

namespace {

const std::pair<int, std::string> kOk{kExitOk, "success"};
const std::pair<int, std::string> kUsage{kExitUsage, "usage error"};
const std::pair<int, std::string> kFile{kExitFile,
                                        "file error (the OS reason follows the message)"};

std::vector<CommandSpec> buildSpecs() {
    std::vector<CommandSpec> s;
    s.push_back({"new",
                 "new -o OUT.dat [--band N]",
                 "new plan from the default image, saved",
                 "The default image's channels are kept; those outside the chosen band are "
                 "counted on stderr (write and program refuse them unless --force).",
                 {{"-o", "OUT.dat", "the data file to save ('-' = standard output)"},
                  {"--band", "N", "band number 0..13 (see 'brenvik-cli bands'), default 7"}},
                 0,
                 0,
                 {"brenvik-cli new --band 3 -o vhf.dat"},
                 {kOk, kUsage, kFile}});
    s.push_back({"show",
                 "show FILE.dat [--json]",
                 "the decoded plan: model, band, channels, options",
                 "FILE.dat '-' reads the plan from standard input. Channels outside the band "
                 "are counted on stderr.",
                 {{"--json", "", "one JSON object (docs/show-json.schema.json)"}},
                 1,
                 1,
                 {"brenvik-cli show plan.dat", "brenvik-cli show plan.dat --json"},
                 {kOk, kUsage, kFile}});
    s.push_back({"export-csv",
                 "export-csv FILE.dat [-o OUT.csv] [--format brenvik|chirp]",
                 "channel table as CSV (standard output by default)",
                 "The own layout has English captions and words unless --lang is given; chirp "
                 "is the common channel-list layout of repeater directories.",
                 {{"-o", "OUT.csv", "the CSV file to write ('-' = standard output)"},
                  {"--format", "brenvik|chirp", "the CSV layout (default brenvik)"}},
                 1,
                 1,
                 {"brenvik-cli export-csv plan.dat -o plan.csv",
                  "brenvik-cli export-csv plan.dat --format chirp -o channels.csv"},
                 {kOk, kUsage, kFile}});
    s.push_back(
        {"import-csv",
         "import-csv FILE.dat IN.csv -o OUT.dat [--skip-bad-rows] [--start LOCATION]",
         "apply the CSV rows to a plan as grid entries, save",
         "Either layout, told apart by the header. IN.csv '-' reads standard input; at "
         "most 1 MiB is read. Every row is checked first: a refused row changes nothing "
         "unless --skip-bad-rows. Rows past the last channel are left out with a note. "
         "A file without a row to import writes nothing. --verbose lists every refused "
         "row.",
         {{"-o", "OUT.dat", "the data file to save ('-' = standard output)"},
          {"--skip-bad-rows", "", "import the other rows and list the refused ones"},
          {"--start", "LOCATION", "the Location (or Channel) number that becomes channel 1"}},
         2,
         2,
         {"brenvik-cli import-csv plan.dat channels.csv -o new.dat"},
         {kOk, kUsage, kFile}});
    s.push_back({"read",
                 "read --port DEV -o OUT.dat",
                 "read a radio into a data file",
                 "OUT.dat is checked before the radio is asked; it may not be the port. Ctrl-C, "
                 "SIGTERM or SIGHUP stops the read after the frame on the wire; nothing is saved.",
                 {kPort, {"-o", "OUT.dat", "the data file to save ('-' = standard output)"}},
                 0,
                 0,
                 {"brenvik-cli read --port /dev/ttyUSB0 -o radio.dat"},
                 {kOk,
                  {kExitRadio, "the radio could not be read"},
                  kUsage,
                  {kExitFile, "file error, or OUT.dat is the port"},
                  {kExitStopped, "stopped by SIGINT, SIGTERM or SIGHUP; nothing was saved"}}});
    s.push_back(
        {"write",
         "write FILE.dat --port DEV [--port DEV ...] [--verify] [--backup DIR] [--force]",
         "write a plan to each radio in turn",
         "A plan with a receive or transmit frequency outside its band is refused "
         "(exit 3, the channels named) unless --force is given. A write cut off after "
         "its first data block says the radio holds part of the plan. Ctrl-C, SIGTERM "
         "or SIGHUP stops after the block on the wire; later radios are not written.",
         {kPort, kVerify, kBackup, kForce},
         1,
         1,
         {"brenvik-cli write plan.dat --port /dev/ttyUSB0 --verify",
          "brenvik-cli write plan.dat --port COM1 --port COM2 --backup backups"},
         {kOk,
          {kExitRadio, "a radio could not be written (or its verify could not read it back)"},
          kUsage,
          {kExitFile, "file error, channels outside the band without --force, or a "
                      "--backup folder that is an input, a port, or cannot be written"},
          {kExitStopped, "stopped by SIGINT, SIGTERM or SIGHUP: the radio being written "
                         "holds part of the plan and must be written again"}}});
    s.push_back({"diff",
                 "diff A B",
                 "compare two plans; A and B are each FILE.dat or --port DEV",
                 "Prints one line per difference: model, band, channel cells, options, then raw "
                 "address ranges.",
                 {kPort},
                 0,
                 2,
                 {"brenvik-cli diff old.dat new.dat", "brenvik-cli diff plan.dat --port COM1"},
                 {{0, "the plans are the same"},
                  {1, "the plans differ"},
                  kUsage,
                  kFile,
                  {kExitRadioUnread, "the radio could not be read"}}});
    s.push_back({"program",
                 "program FILE.dat --port DEV [--port DEV ...] [--verify] [--backup DIR] "
                 "[--log FILE.csv] [--count N] [--operator NAME] [--force]",
                 "programming line: radio after radio on every port, until Ctrl-C or --count",
                 "Each port is checked first: a port that cannot be opened ends the command "
                 "before any radio is programmed. One line per radio with its result and "
                 "duration on standard output. Every result is also kept in the record of "
                 "programmed radios (see 'brenvik-cli history'); a result that cannot be "
                 "recorded is still printed and logged, with a warning on stderr. Ctrl-C, "
                 "SIGTERM or SIGHUP ends the line once the radios being programmed are "
                 "finished and logged.",
                 {kPort,
                  kVerify,
                  kBackup,
                  {"--log", "FILE.csv", "append one CSV line per radio"},
                  {"--count", "N", "stop after N radios passed"},
                  {"--operator", "NAME", "who programs the radios, kept in the record"},
                  kForce},
                 1,
                 1,
                 {"brenvik-cli program plan.dat --port COM1 --port COM2 --verify --log line.csv",
                  "brenvik-cli program plan.dat --port /dev/ttyUSB0 --count 10"},
                 {{kExitOk, "every radio passed"},
                  {kExitRadio, "a radio failed"},
                  {kExitUsage, "usage error, or a port that cannot be opened at the start"},
                  {kExitFile, "file error, channels outside the band without --force, or a "
                              "--log or --backup that is the plan or a port"}}});
    s.push_back({"ports",
                 "ports [--json] [--watch]",
                 "list serial devices and their COM numbers",
                 "With --watch, prints a line for each serial device that appears or "
                 "disappears (plug the cable in or pull it out to see which it is), with the "
                 "same columns after an EVENT column (added or removed), until Ctrl-C, SIGTERM "
                 "or SIGHUP; with --json one JSON object a line, with the keys of the list "
                 "plus \"event\": \"added\" or \"removed\". The system is asked every half "
                 "second.",
                 {{"--json", "", "one JSON array (with --watch: one object a line)"},
                  {"--watch", "", "report devices as they come and go, until Ctrl-C"}},
                 0,
                 0,
                 {"brenvik-cli ports", "brenvik-cli ports --json", "brenvik-cli ports --watch"},
                 {kOk, kUsage, {kExitFile, "the program folder's settings cannot be used"}}});
    s.push_back({"cable-check",
                 "cable-check --port DEV",
                 "check the programming cable and the radio behind it",
                 "Asks the radio who it is (the same short exchange the programming line "
                 "uses, which leaves the radio as it was) and prints one line each: whether "
                 "the port opened (or why not and what to do), whether the cable echoes what "
                 "is sent, which radio answered and whether this tool supports it, and the "
                 "reply latency with the time a full read would take at 9600 baud; then the "
                 "verdict. Replies slower than 5 ms point at the cable chip's USB latency "
                 "timer.",
                 {{"--port", "DEV", "the cable's port: a device path or COMn"}},
                 0,
                 0,
                 {"brenvik-cli cable-check --port /dev/ttyUSB0"},
                 {{kExitOk, "a radio this tool supports answered"},
                  {kExitRadio, "no radio answered, the radio is not supported, or the cable "
                               "echoes"},
                  {kExitUsage, "usage error, or the port cannot be opened"}}});
    s.push_back({"history",
                 "history [--since DATE] [--until DATE] [--port DEV] [--plan NAME] "
                 "[--result pass|fail] [--operator NAME] [--limit N] [--json|--csv]",
                 "list the radios programmed, newest first",
                 "Every result of a programming line ('brenvik-cli program' or the desktop "
                 "tool's Production Line) and every single Write of the desktop tool is kept "
                 "in the record of programmed radios, history.sqlite beside the program (in "
                 "the user's data folder when installed). DATE is a day (2026-12-11, in local "
                 "time: --until includes that whole day) or a date and time in ISO 8601 "
                 "(2026-12-11T08:00, 2026-12-11T08:00:00Z). The table's count goes to stderr. "
                 "With --json one JSON array of objects with the keys time (ISO 8601, UTC), "
                 "port, plan, planSha256, ident (hex), result (PASS or FAIL), failedStep, "
                 "message, durationMs, backupFile and operator.",
                 {{"--since", "DATE", "records from DATE on"},
                  {"--until", "DATE", "records up to DATE"},
                  {"--port", "DEV", "records of this port only, as the line named it"},
                  {"--plan", "NAME", "records of this plan file name only"},
                  {"--result", "pass|fail", "passed or failed radios only"},
                  {"--operator", "NAME", "records of this operator only"},
                  {"--limit", "N", "the newest N records only"},
                  {"--json", "", "one JSON array"},
                  {"--csv", "", "CSV with a header line, for spreadsheets"}},
                 0,
                 0,
                 {"brenvik-cli history --since 2026-12-01 --result fail",
                  "brenvik-cli history --plan plan.dat --json"},
                 {kOk, kUsage, {kExitFile, "the record cannot be read"}}});
    s.push_back({"bands",
                 "bands [--json]",
                 "list the band numbers, captions and limits",
                 {},
                 {{"--json", "", "one JSON array"}},
                 0,
                 0,
                 {"brenvik-cli bands", "brenvik-cli bands --json"},
                 {kOk, kUsage}});
    s.push_back({"help",
                 "help [COMMAND]",
                 "general help, or one command's help",
                 {},
                 {},
                 0,
                 1,
                 {"brenvik-cli help write"},
                 {kOk, kUsage}});
    for (auto &cmdSpec : s)
        for (const auto &o : commonOptions())
            cmdSpec.options.push_back(o);
    return s;
}

std::string optionLabel(const OptionSpec &o) {
    std::string label = o.name == "--help" ? "-h, --help" : o.name;
    if (!o.valueName.empty())
        label += " " + o.valueName;
    return label;
}

// Words of `text` on lines of at most 79 columns, every line after the first
// indented by `indent`.
std::string wrapped(const std::string &text, std::size_t indent, std::size_t first) {
    std::istringstream words(text);
    std::string word, result;
    std::size_t column = first;
    while (words >> word) {
        if (!result.empty() && column + 1 + word.size() > 79) {
            result += "\n" + std::string(indent, ' ');
            column = indent;
        } else if (!result.empty()) {
            result += ' ';
            ++column;
        }
        result += word;
        column += word.size();
    }
    return result;
}

// "  label   help" with the help column aligned and long lines wrapped.
void optionLines(std::ostringstream &out, const std::vector<OptionSpec> &options) {
    std::size_t width = 0;
    for (const auto &o : options)
        width = std::max(width, optionLabel(o).size());
    const std::size_t indent = width + 4;
    for (const auto &o : options) {
        const std::string label = optionLabel(o);
        out << "  " << label << std::string(width - label.size() + 2, ' ')
            << wrapped(o.help + (o.repeatable ? " (repeatable)" : ""), indent, indent) << '\n';
    }
}

std::string sentence(std::string s) {
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z')
        s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s + ".";
}

void exitLines(std::ostringstream &out, const CommandSpec &cmdSpec) {
    out << "\nExit status:\n";
    for (const auto &[code, meaning] : cmdSpec.exitCodes)
        out << "  " << code << "  " << meaning << '\n';
}

} // namespace

const std::vector<CommandSpec> &commandSpecs() {
    static const std::vector<CommandSpec> specs = buildSpecs();
    return specs;
}

const CommandSpec *findCommand(const std::string &name) {
    for (const auto &s : commandSpecs())
        if (s.name == name)
            return &s;
    return nullptr;
}

std::string commandHelp(const CommandSpec &cmdSpec) {
    std::ostringstream out;
    out << "Usage: brenvik-cli " << cmdSpec.synopsis << "\n\n" << sentence(cmdSpec.summary) << '\n';
    if (!cmdSpec.details.empty())
        out << wrapped(cmdSpec.details, 0, 0) << '\n';
    out << "\nOptions:\n";
    optionLines(out, cmdSpec.options);
    exitLines(out, cmdSpec);
    out << "\nExample" << (cmdSpec.examples.size() > 1 ? "s" : "") << ":\n";
    for (const auto &e : cmdSpec.examples)
        out << "  " << e << '\n';
    return out.str();
}

std::string generalHelp() {
    std::ostringstream out;
    out << "Usage: brenvik-cli COMMAND [ARGUMENTS] [OPTIONS]\n\n"
           "Reads, writes and edits the channel plans of Brenvik handheld radios without a\n"
           "window: the desktop tool's engine for scripts and batch work.\n\n"
           "Commands:\n";
    std::size_t width = 0;
    for (const auto &s : commandSpecs())
        width = std::max(width, s.name.size());
    for (const auto &s : commandSpecs())
        out << "  " << s.name << std::string(width - s.name.size() + 2, ' ') << s.summary << '\n';
    out << "\nCommon options:\n";
    auto options = commonOptions();
    options.push_back({"--version", "", "the program's version"});
    optionLines(out, options);
    out << "\nA FILE.dat or CSV argument '-' reads standard input; -o - writes standard output.\n"
           "DEV is a device path (/dev/ttyUSB0) or COMn as the settings file's [Ports] section\n"
           "and this machine's serial devices map it (see 'brenvik-cli ports').\n"
           "\nExit status:\n"
           "  0  success (diff: the plans are the same)\n"
           "  1  a radio or port failed (diff: the plans differ)\n"
           "  2  usage error; program: a port that cannot be opened at the start\n"
           "  3  file error, or a plan with channels outside its band (write, program)\n"
           "  4  diff: the radio could not be read\n"
           "  5  read, write: stopped by SIGINT, SIGTERM or SIGHUP (write: the radio holds\n"
           "     part of the plan)\n"
           "\nExamples:\n";
    for (const char *name : {"new", "write", "diff", "program"})
        out << "  " << findCommand(name)->examples.front() << '\n';
    out << "\n'brenvik-cli help COMMAND' or 'brenvik-cli COMMAND --help' shows a command's "
           "options.\n";
    return out.str();
}

std::string versionText() {
    return std::string("brenvik-cli ") + BRENVIK_VERSION + "\n";
}

} // namespace cli
