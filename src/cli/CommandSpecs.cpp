#include "cli/CommandSpecs.h"

#include "cli/Console.h"

#include <QCoreApplication>

#include <algorithm>
#include <sstream>

#ifndef BRENVIK_VERSION
#define BRENVIK_VERSION "unknown"
#endif

namespace cli {

namespace {

const OptionSpec kPort{
    "--port", "DEV", QT_TRANSLATE_NOOP("CliHelp", "the radio's port: a device path or COMn"), true};
const OptionSpec kVerify{
    "--verify", "", QT_TRANSLATE_NOOP("CliHelp", "read the written range back and compare it")};
const OptionSpec kBackup{
    "--backup", "DIR",
    QT_TRANSLATE_NOOP("CliHelp",
                      "save each radio's memory as DIR/<yyyyMMdd-HHmmss>-<port>.dat before "
                      "writing to it")};
const OptionSpec kForce{
    "--force", "",
    QT_TRANSLATE_NOOP("CliHelp",
                      "write even when channel frequencies lie outside the plan's band")};

} // namespace

const std::vector<OptionSpec> &commonOptions() {
    static const std::vector<OptionSpec> options{
        {"--lang", "1|2|3",
         QT_TRANSLATE_NOOP(
             "CliHelp",
             "interface language: 1 Simplified Chinese, 2 Traditional Chinese, 3 English (default: "
             "the settings file's)")},
        {"--program-dir", "DIR",
         QT_TRANSLATE_NOOP("CliHelp",
                           "program folder with selvarn.exe and dhcpqec.exe (default: the "
                           "program's own folder)")},
        {"--verbose", "",
         QT_TRANSLATE_NOOP("CliHelp", "traffic log of transfers and full error-log entries")},
        {"--help", "", QT_TRANSLATE_NOOP("CliHelp", "this help")},
    };
    return options;
}

namespace {

const std::pair<int, std::string> kOk{kExitOk, QT_TRANSLATE_NOOP("CliHelp", "success")};
const std::pair<int, std::string> kUsage{kExitUsage, QT_TRANSLATE_NOOP("CliHelp", "usage error")};
const std::pair<int, std::string> kFile{
    kExitFile, QT_TRANSLATE_NOOP("CliHelp", "file error (the OS reason follows the message)")};

std::vector<CommandSpec> buildSpecs() {
    std::vector<CommandSpec> s;
    s.push_back(
        {"new",
         "new -o OUT.dat [--band N]",
         QT_TRANSLATE_NOOP("CliHelp", "new plan from the default image, saved"),
         QT_TRANSLATE_NOOP(
             "CliHelp", "The default image's channels are kept; those outside the chosen band are "
                        "counted on stderr (write and program refuse them unless --force)."),
         {{"-o", "OUT.dat",
           QT_TRANSLATE_NOOP("CliHelp", "the data file to save ('-' = standard output)")},
          {"--band", "N",
           QT_TRANSLATE_NOOP("CliHelp", "band number 0..13 (see 'brenvik-cli bands'), default 7")}},
         0,
         0,
         {"brenvik-cli new --band 3 -o vhf.dat"},
         {kOk, kUsage, kFile}});
    s.push_back({"show",
                 "show FILE.dat [--json]",
                 QT_TRANSLATE_NOOP("CliHelp", "the decoded plan: model, band, channels, options"),
                 QT_TRANSLATE_NOOP(
                     "CliHelp",
                     "FILE.dat '-' reads the plan from standard input. Channels outside the band "
                     "are counted on stderr."),
                 {{"--json", "",
                   QT_TRANSLATE_NOOP("CliHelp", "one JSON object (docs/show-json.schema.json)")}},
                 1,
                 1,
                 {"brenvik-cli show plan.dat", "brenvik-cli show plan.dat --json"},
                 {kOk, kUsage, kFile}});
    s.push_back({"export-csv",
                 "export-csv FILE.dat [-o OUT.csv] [--format brenvik|chirp]",
                 QT_TRANSLATE_NOOP("CliHelp", "channel table as CSV (standard output by default)"),
                 QT_TRANSLATE_NOOP(
                     "CliHelp",
                     "The own layout has English captions and words unless --lang is given; chirp "
                     "is the common channel-list layout of repeater directories."),
                 {{"-o", "OUT.csv",
                   QT_TRANSLATE_NOOP("CliHelp", "the CSV file to write ('-' = standard output)")},
                  {"--format", "brenvik|chirp",
                   QT_TRANSLATE_NOOP("CliHelp", "the CSV layout (default brenvik)")}},
                 1,
                 1,
                 {"brenvik-cli export-csv plan.dat -o plan.csv",
                  "brenvik-cli export-csv plan.dat --format chirp -o channels.csv"},
                 {kOk, kUsage, kFile}});
    s.push_back(
        {"import-csv",
         "import-csv FILE.dat IN.csv -o OUT.dat [--skip-bad-rows] [--start LOCATION]",
         QT_TRANSLATE_NOOP("CliHelp", "apply the CSV rows to a plan as grid entries, save"),
         QT_TRANSLATE_NOOP(
             "CliHelp",
             "Either layout, told apart by the header. IN.csv '-' reads standard input; at "
             "most 1 MiB is read. Every row is checked first: a refused row changes nothing "
             "unless --skip-bad-rows. Rows past the last channel are left out with a note. "
             "A file without a row to import writes nothing. --verbose lists every refused "
             "row."),
         {{"-o", "OUT.dat",
           QT_TRANSLATE_NOOP("CliHelp", "the data file to save ('-' = standard output)")},
          {"--skip-bad-rows", "",
           QT_TRANSLATE_NOOP("CliHelp", "import the other rows and list the refused ones")},
          {"--start", "LOCATION",
           QT_TRANSLATE_NOOP("CliHelp",
                             "the Location (or Channel) number that becomes channel 1")}},
         2,
         2,
         {"brenvik-cli import-csv plan.dat channels.csv -o new.dat"},
         {kOk, kUsage, kFile}});
    s.push_back(
        {"read",
         "read --port DEV -o OUT.dat",
         QT_TRANSLATE_NOOP("CliHelp", "read a radio into a data file"),
         QT_TRANSLATE_NOOP(
             "CliHelp",
             "OUT.dat is checked before the radio is asked; it may not be the port. Ctrl-C, "
             "SIGTERM or SIGHUP stops the read after the frame on the wire; nothing is saved."),
         {kPort,
          {"-o", "OUT.dat",
           QT_TRANSLATE_NOOP("CliHelp", "the data file to save ('-' = standard output)")}},
         0,
         0,
         {"brenvik-cli read --port /dev/ttyUSB0 -o radio.dat"},
         {kOk,
          {kExitRadio, QT_TRANSLATE_NOOP("CliHelp", "the radio could not be read")},
          kUsage,
          {kExitFile, QT_TRANSLATE_NOOP("CliHelp", "file error, or OUT.dat is the port")},
          {kExitStopped,
           QT_TRANSLATE_NOOP("CliHelp",
                             "stopped by SIGINT, SIGTERM or SIGHUP; nothing was saved")}}});
    s.push_back(
        {"write",
         "write FILE.dat --port DEV [--port DEV ...] [--verify] [--backup DIR] [--force]",
         QT_TRANSLATE_NOOP("CliHelp", "write a plan to each radio in turn"),
         QT_TRANSLATE_NOOP(
             "CliHelp",
             "A plan with a receive or transmit frequency outside its band is refused "
             "(exit 3, the channels named) unless --force is given. A write cut off after "
             "its first data block says the radio holds part of the plan. Ctrl-C, SIGTERM "
             "or SIGHUP stops after the block on the wire; later radios are not written."),
         {kPort, kVerify, kBackup, kForce},
         1,
         1,
         {"brenvik-cli write plan.dat --port /dev/ttyUSB0 --verify",
          "brenvik-cli write plan.dat --port COM1 --port COM2 --backup backups"},
         {kOk,
          {kExitRadio,
           QT_TRANSLATE_NOOP(
               "CliHelp", "a radio could not be written (or its verify could not read it back)")},
          kUsage,
          {kExitFile,
           QT_TRANSLATE_NOOP("CliHelp",
                             "file error, channels outside the band without --force, or a "
                             "--backup folder that is an input, a port, or cannot be written")},
          {kExitStopped,
           QT_TRANSLATE_NOOP("CliHelp",
                             "stopped by SIGINT, SIGTERM or SIGHUP: the radio being written "
                             "holds part of the plan and must be written again")}}});
    s.push_back(
        {"diff",
         "diff A B",
         QT_TRANSLATE_NOOP("CliHelp", "compare two plans; A and B are each FILE.dat or --port DEV"),
         QT_TRANSLATE_NOOP(
             "CliHelp",
             "Prints one line per difference: model, band, channel cells, options, then raw "
             "address ranges."),
         {kPort},
         0,
         2,
         {"brenvik-cli diff old.dat new.dat", "brenvik-cli diff plan.dat --port COM1"},
         {{0, QT_TRANSLATE_NOOP("CliHelp", "the plans are the same")},
          {1, QT_TRANSLATE_NOOP("CliHelp", "the plans differ")},
          kUsage,
          kFile,
          {kExitRadioUnread, QT_TRANSLATE_NOOP("CliHelp", "the radio could not be read")}}});
    s.push_back(
        {"program",
         "program FILE.dat --port DEV [--port DEV ...] [--verify] [--backup DIR] "
         "[--log FILE.csv] [--count N] [--operator NAME] [--force]",
         QT_TRANSLATE_NOOP(
             "CliHelp",
             "programming line: radio after radio on every port, until Ctrl-C or --count"),
         QT_TRANSLATE_NOOP(
             "CliHelp", "Each port is checked first: a port that cannot be opened ends the command "
                        "before any radio is programmed. One line per radio with its result and "
                        "duration on standard output. Every result is also kept in the record of "
                        "programmed radios (see 'brenvik-cli history'); a result that cannot be "
                        "recorded is still printed and logged, with a warning on stderr. Ctrl-C, "
                        "SIGTERM or SIGHUP ends the line once the radios being programmed are "
                        "finished and logged."),
         {kPort,
          kVerify,
          kBackup,
          {"--log", "FILE.csv", QT_TRANSLATE_NOOP("CliHelp", "append one CSV line per radio")},
          {"--count", "N", QT_TRANSLATE_NOOP("CliHelp", "stop after N radios passed")},
          {"--operator", "NAME",
           QT_TRANSLATE_NOOP("CliHelp", "who programs the radios, kept in the record")},
          kForce},
         1,
         1,
         {"brenvik-cli program plan.dat --port COM1 --port COM2 --verify --log line.csv",
          "brenvik-cli program plan.dat --port /dev/ttyUSB0 --count 10"},
         {{kExitOk, QT_TRANSLATE_NOOP("CliHelp", "every radio passed")},
          {kExitRadio, QT_TRANSLATE_NOOP("CliHelp", "a radio failed")},
          {kExitUsage, QT_TRANSLATE_NOOP(
                           "CliHelp", "usage error, or a port that cannot be opened at the start")},
          {kExitFile, QT_TRANSLATE_NOOP(
                          "CliHelp", "file error, channels outside the band without --force, or a "
                                     "--log or --backup that is the plan or a port")}}});
    s.push_back(
        {"ports",
         "ports [--json] [--watch]",
         QT_TRANSLATE_NOOP("CliHelp", "list serial devices and their COM numbers"),
         QT_TRANSLATE_NOOP(
             "CliHelp",
             "With --watch, prints a line for each serial device that appears or "
             "disappears (plug the cable in or pull it out to see which it is), with the "
             "same columns after an EVENT column (added or removed), until Ctrl-C, SIGTERM "
             "or SIGHUP; with --json one JSON object a line, with the keys of the list "
             "plus \"event\": \"added\" or \"removed\". The system is asked every half "
             "second."),
         {{"--json", "",
           QT_TRANSLATE_NOOP("CliHelp", "one JSON array (with --watch: one object a line)")},
          {"--watch", "",
           QT_TRANSLATE_NOOP("CliHelp", "report devices as they come and go, until Ctrl-C")}},
         0,
         0,
         {"brenvik-cli ports", "brenvik-cli ports --json", "brenvik-cli ports --watch"},
         {kOk,
          kUsage,
          {kExitFile,
           QT_TRANSLATE_NOOP("CliHelp", "the program folder's settings cannot be used")}}});
    s.push_back(
        {"cable-check",
         "cable-check --port DEV",
         QT_TRANSLATE_NOOP("CliHelp", "check the programming cable and the radio behind it"),
         QT_TRANSLATE_NOOP(
             "CliHelp",
             "Asks the radio who it is (the same short exchange the programming line "
             "uses, which leaves the radio as it was) and prints one line each: whether "
             "the port opened (or why not and what to do), whether the cable echoes what "
             "is sent, which radio answered and whether this tool supports it, and the "
             "reply latency with the time a full read would take at 9600 baud; then the "
             "verdict. Replies slower than 5 ms point at the cable chip's USB latency "
             "timer."),
         {{"--port", "DEV",
           QT_TRANSLATE_NOOP("CliHelp", "the cable's port: a device path or COMn")}},
         0,
         0,
         {"brenvik-cli cable-check --port /dev/ttyUSB0"},
         {{kExitOk, QT_TRANSLATE_NOOP("CliHelp", "a radio this tool supports answered")},
          {kExitRadio, QT_TRANSLATE_NOOP(
                           "CliHelp", "no radio answered, the radio is not supported, or the cable "
                                      "echoes")},
          {kExitUsage,
           QT_TRANSLATE_NOOP("CliHelp", "usage error, or the port cannot be opened")}}});
    s.push_back(
        {"history",
         "history [--since DATE] [--until DATE] [--port DEV] [--plan NAME] "
         "[--result pass|fail] [--operator NAME] [--limit N] [--json|--csv]",
         QT_TRANSLATE_NOOP("CliHelp", "list the radios programmed, newest first"),
         QT_TRANSLATE_NOOP(
             "CliHelp",
             "Every result of a programming line ('brenvik-cli program' or the desktop "
             "tool's Production Line) and every single Write of the desktop tool is kept "
             "in the record of programmed radios, history.sqlite beside the program (in "
             "the user's data folder when installed). DATE is a day (2026-12-11, in local "
             "time: --until includes that whole day) or a date and time in ISO 8601 "
             "(2026-12-11T08:00, 2026-12-11T08:00:00Z). The table's count goes to stderr. "
             "With --json one JSON array of objects with the keys time (ISO 8601, UTC), "
             "port, plan, planSha256, ident (hex), result (PASS or FAIL), failedStep, "
             "message, durationMs, backupFile and operator."),
         {{"--since", "DATE", QT_TRANSLATE_NOOP("CliHelp", "records from DATE on")},
          {"--until", "DATE", QT_TRANSLATE_NOOP("CliHelp", "records up to DATE")},
          {"--port", "DEV",
           QT_TRANSLATE_NOOP("CliHelp", "records of this port only, as the line named it")},
          {"--plan", "NAME", QT_TRANSLATE_NOOP("CliHelp", "records of this plan file name only")},
          {"--result", "pass|fail", QT_TRANSLATE_NOOP("CliHelp", "passed or failed radios only")},
          {"--operator", "NAME", QT_TRANSLATE_NOOP("CliHelp", "records of this operator only")},
          {"--limit", "N", QT_TRANSLATE_NOOP("CliHelp", "the newest N records only")},
          {"--json", "", QT_TRANSLATE_NOOP("CliHelp", "one JSON array")},
          {"--csv", "", QT_TRANSLATE_NOOP("CliHelp", "CSV with a header line, for spreadsheets")}},
         0,
         0,
         {"brenvik-cli history --since 2026-12-01 --result fail",
          "brenvik-cli history --plan plan.dat --json"},
         {kOk, kUsage, {kExitFile, QT_TRANSLATE_NOOP("CliHelp", "the record cannot be read")}}});
    s.push_back({"bands",
                 "bands [--json]",
                 QT_TRANSLATE_NOOP("CliHelp", "list the band numbers, captions and limits"),
                 {},
                 {{"--json", "", QT_TRANSLATE_NOOP("CliHelp", "one JSON array")}},
                 0,
                 0,
                 {"brenvik-cli bands", "brenvik-cli bands --json"},
                 {kOk, kUsage}});
    s.push_back({"help",
                 "help [COMMAND]",
                 QT_TRANSLATE_NOOP("CliHelp", "general help, or one command's help"),
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
// indented by `indent`. Chinese has no spaces between words: its lines break
// between any two of its characters, each two columns wide; a closing mark
// (，。、）…) never starts a line, it hangs past the edge instead.
std::string wrapped(const std::string &text, std::size_t indent, std::size_t first) {
    std::string result;
    std::size_t column = first;
    bool placed = false, spaceBefore = false;
    const auto put = [&](const QString &token, std::size_t width) {
        std::size_t gap = placed && spaceBefore ? 1 : 0;
        const bool closingMark = QStringLiteral("，。、；：！？）」』》").contains(token);
        if (placed && column + gap + width > 79 && !closingMark) {
            result += "\n" + std::string(indent, ' ');
            column = indent;
            gap = 0;
        }
        result += std::string(gap, ' ') + token.toStdString();
        column += gap + width;
        placed = true;
        spaceBefore = false;
    };
    QString word;
    const auto endWord = [&] {
        if (!word.isEmpty())
            put(word, static_cast<std::size_t>(word.size()));
        word.clear();
    };
    for (const QChar ch : QString::fromStdString(text)) {
        if (ch.isSpace()) {
            endWord();
            spaceBefore = true;
        } else if (ch.unicode() >= 0x2E80) {
            endWord();
            put(QString(ch), 2);
        } else {
            word += ch;
        }
    }
    endWord();
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
            << wrapped(optionHelp(o), indent, indent) << '\n';
    }
}

std::string usageLine(const std::string &synopsis) {
    return QCoreApplication::translate("CliHelp", "Usage: %1")
        .arg(QString::fromStdString(synopsis))
        .toStdString();
}

void exitLines(std::ostringstream &out, const std::vector<ExitCode> &codes) {
    out << '\n' << helpText(QT_TRANSLATE_NOOP("CliHelp", "Exit status:")) << '\n';
    for (const auto &[code, meaning] : codes)
        out << "  " << code << "  " << wrapped(helpText(meaning), 5, 5) << '\n';
}

} // namespace

std::string helpText(const std::string &english) {
    return QCoreApplication::translate("CliHelp", english.c_str()).toStdString();
}

std::string optionHelp(const OptionSpec &o) {
    std::string text = helpText(o.help);
    if (o.repeatable)
        text += helpText(QT_TRANSLATE_NOOP("CliHelp", " (repeatable)"));
    return text;
}

std::string summarySentence(const CommandSpec &cmdSpec) {
    std::string s = helpText(cmdSpec.summary);
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z')
        s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s + helpText(QT_TRANSLATE_NOOP("CliHelp", "."));
}

const std::vector<OptionSpec> &generalOptions() {
    static const std::vector<OptionSpec> options = [] {
        auto o = commonOptions();
        o.push_back({"--version", "", QT_TRANSLATE_NOOP("CliHelp", "the program's version")});
        return o;
    }();
    return options;
}

const std::vector<std::string> &generalParagraphs() {
    static const std::vector<std::string> paragraphs{
        QT_TRANSLATE_NOOP("CliHelp",
                          "Reads, writes and edits the channel plans of Brenvik handheld radios "
                          "without a window: the desktop tool's engine for scripts and batch "
                          "work."),
        QT_TRANSLATE_NOOP("CliHelp",
                          "A FILE.dat or CSV argument '-' reads standard input; -o - writes "
                          "standard output. DEV is a device path (/dev/ttyUSB0) or COMn as the "
                          "settings file's [Ports] section and this machine's serial devices map "
                          "it (see 'brenvik-cli ports')."),
    };
    return paragraphs;
}

const std::vector<ExitCode> &generalExitCodes() {
    static const std::vector<ExitCode> codes{
        {kExitOk, QT_TRANSLATE_NOOP("CliHelp", "success (diff: the plans are the same)")},
        {kExitRadio,
         QT_TRANSLATE_NOOP("CliHelp", "a radio or port failed (diff: the plans differ)")},
        {kExitUsage,
         QT_TRANSLATE_NOOP("CliHelp", "usage error; program: a port that cannot be opened at "
                                      "the start")},
        {kExitFile,
         QT_TRANSLATE_NOOP("CliHelp", "file error, or a plan with channels outside its band "
                                      "(write, program)")},
        {kExitRadioUnread, QT_TRANSLATE_NOOP("CliHelp", "diff: the radio could not be read")},
        {kExitStopped,
         QT_TRANSLATE_NOOP("CliHelp", "read, write: stopped by SIGINT, SIGTERM or SIGHUP "
                                      "(write: the radio holds part of the plan)")},
    };
    return codes;
}

std::vector<std::string> generalExamples() {
    std::vector<std::string> examples;
    for (const char *name : {"new", "write", "diff", "program"})
        examples.push_back(findCommand(name)->examples.front());
    return examples;
}

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
    out << usageLine("brenvik-cli " + cmdSpec.synopsis) << "\n\n"
        << wrapped(summarySentence(cmdSpec), 0, 0) << '\n';
    if (!cmdSpec.details.empty())
        out << wrapped(helpText(cmdSpec.details), 0, 0) << '\n';
    out << '\n' << helpText(QT_TRANSLATE_NOOP("CliHelp", "Options:")) << '\n';
    optionLines(out, cmdSpec.options);
    exitLines(out, cmdSpec.exitCodes);
    out << '\n'
        << (cmdSpec.examples.size() > 1 ? helpText(QT_TRANSLATE_NOOP("CliHelp", "Examples:"))
                                        : helpText(QT_TRANSLATE_NOOP("CliHelp", "Example:")))
        << '\n';
    for (const auto &e : cmdSpec.examples)
        out << "  " << e << '\n';
    return out.str();
}

std::string generalHelp() {
    std::ostringstream out;
    out << usageLine("brenvik-cli COMMAND [ARGUMENTS] [OPTIONS]") << "\n\n"
        << wrapped(helpText(generalParagraphs()[0]), 0, 0) << "\n\n"
        << helpText(QT_TRANSLATE_NOOP("CliHelp", "Commands:")) << '\n';
    std::size_t width = 0;
    for (const auto &s : commandSpecs())
        width = std::max(width, s.name.size());
    for (const auto &s : commandSpecs())
        out << "  " << s.name << std::string(width - s.name.size() + 2, ' ')
            << wrapped(helpText(s.summary), width + 4, width + 4) << '\n';
    out << '\n' << helpText(QT_TRANSLATE_NOOP("CliHelp", "Common options:")) << '\n';
    optionLines(out, generalOptions());
    out << '\n' << wrapped(helpText(generalParagraphs()[1]), 0, 0) << '\n';
    exitLines(out, generalExitCodes());
    out << '\n' << helpText(QT_TRANSLATE_NOOP("CliHelp", "Examples:")) << '\n';
    for (const auto &e : generalExamples())
        out << "  " << e << '\n';
    out << '\n'
        << wrapped(
               helpText(QT_TRANSLATE_NOOP("CliHelp", "'brenvik-cli help COMMAND' or 'brenvik-cli "
                                                     "COMMAND --help' shows a command's options.")),
               0, 0)
        << '\n';
    return out.str();
}

std::string versionText() {
    return "brenvik-cli " BRENVIK_VERSION "\n";
}

} // namespace cli
