#include "cli/CliManPage.h"

#include "cli/CommandSpecs.h"

#include <QCoreApplication>

#include <sstream>

namespace cli {

namespace {

// ".TP" with the option's label in bold (its value name in italics) and its help.
void optionItems(std::ostringstream &out, const std::vector<OptionSpec> &options) {
    for (const auto &o : options) {
        out << ".TP\n";
        const std::string name = o.name == "--help" ? "-h, --help" : o.name;
        if (o.valueName.empty())
            out << ".B " << roffText(name) << '\n';
        else
            out << ".BI \"" << roffText(name) << " \" \"" << roffText(o.valueName) << "\"\n";
        out << roffText(optionHelp(o)) << '\n';
    }
}

// One line per status, without a blank line between them.
void exitItems(std::ostringstream &out, const std::vector<ExitCode> &codes) {
    out << ".PD 0\n";
    for (const auto &[code, meaning] : codes)
        out << ".TP 4\n.B " << code << '\n' << roffText(helpText(meaning)) << '\n';
    out << ".PD\n";
}

// A heading inside a command's part: "Options:", "Exit status:", "Examples:".
void heading(std::ostringstream &out, const std::string &text) {
    out << ".PP\n.B " << roffText(text) << '\n';
}

// Each example on its own line, as typed.
void exampleLines(std::ostringstream &out, const std::vector<std::string> &examples) {
    out << ".RS\n.nf\n";
    for (const auto &e : examples)
        out << roffText(e) << '\n';
    out << ".fi\n.RE\n";
}

} // namespace

std::string roffText(const std::string &text) {
    std::string out;
    bool lineStart = true;
    for (const char ch : text) {
        if (lineStart && (ch == '.' || ch == '\''))
            out += "\\&";
        if (ch == '\\')
            out += "\\e";
        else if (ch == '-')
            out += "\\-";
        else
            out += ch;
        lineStart = ch == '\n';
    }
    return out;
}

std::string cliManPage(const std::string &version, bool chinese) {
    std::ostringstream out;
    // groff's Chinese rules break lines between characters; no hyphens, no
    // stretched spaces in text that has none.
    if (chinese)
        out << ".mso zh.tmac\n";
    out << ".TH BRENVIK\\-CLI 1 \"\" \"brenvik\\-cli " << roffText(version) << "\" \""
        << roffText(helpText(QT_TRANSLATE_NOOP("CliHelp", "User Commands"))) << "\"\n";
    if (chinese)
        out << ".nh\n.ad l\n";
    out << ".SH " << roffText(helpText(QT_TRANSLATE_NOOP("CliHelp", "NAME"))) << '\n'
        << "brenvik\\-cli \\- "
        << roffText(helpText(QT_TRANSLATE_NOOP(
               "CliHelp", "read, write and edit Brenvik radio plans from the command line")))
        << '\n';
    out << ".SH " << roffText(helpText(QT_TRANSLATE_NOOP("CliHelp", "SYNOPSIS"))) << '\n'
        << ".B brenvik\\-cli\n.I COMMAND\n[\\fIARGUMENTS\\fR] [\\fIOPTIONS\\fR]\n";
    out << ".SH " << roffText(helpText(QT_TRANSLATE_NOOP("CliHelp", "DESCRIPTION"))) << '\n';
    for (const auto &paragraph : generalParagraphs())
        out << (&paragraph == &generalParagraphs().front() ? "" : ".PP\n")
            << roffText(helpText(paragraph)) << '\n';

    out << ".SH " << roffText(helpText(QT_TRANSLATE_NOOP("CliHelp", "COMMANDS"))) << '\n';
    for (const auto &cmdSpec : commandSpecs()) {
        out << ".SS " << roffText(cmdSpec.name) << '\n'
            << ".B brenvik\\-cli " << roffText(cmdSpec.synopsis) << '\n'
            << ".PP\n"
            << roffText(summarySentence(cmdSpec));
        // One line: a line break would put a space between Chinese sentences.
        if (!cmdSpec.details.empty())
            out << (chinese ? "" : " ") << roffText(helpText(cmdSpec.details));
        out << '\n';
        // The common options are listed once, in their own section.
        std::vector<OptionSpec> own;
        for (const auto &o : cmdSpec.options) {
            bool common = false;
            for (const auto &c : commonOptions())
                common = common || c.name == o.name;
            if (!common)
                own.push_back(o);
        }
        if (!own.empty()) {
            heading(out, helpText(QT_TRANSLATE_NOOP("CliHelp", "Options:")));
            optionItems(out, own);
        }
        heading(out, helpText(QT_TRANSLATE_NOOP("CliHelp", "Exit status:")));
        exitItems(out, cmdSpec.exitCodes);
        heading(out, cmdSpec.examples.size() > 1
                         ? helpText(QT_TRANSLATE_NOOP("CliHelp", "Examples:"))
                         : helpText(QT_TRANSLATE_NOOP("CliHelp", "Example:")));
        exampleLines(out, cmdSpec.examples);
    }

    out << ".SH " << roffText(helpText(QT_TRANSLATE_NOOP("CliHelp", "COMMON OPTIONS"))) << '\n'
        << roffText(helpText(QT_TRANSLATE_NOOP("CliHelp", "Every command takes these options.")))
        << '\n';
    optionItems(out, generalOptions());
    out << ".SH " << roffText(helpText(QT_TRANSLATE_NOOP("CliHelp", "EXIT STATUS"))) << '\n';
    exitItems(out, generalExitCodes());
    out << ".SH " << roffText(helpText(QT_TRANSLATE_NOOP("CliHelp", "EXAMPLES"))) << '\n';
    exampleLines(out, generalExamples());
    out << ".SH " << roffText(helpText(QT_TRANSLATE_NOOP("CliHelp", "SEE ALSO"))) << '\n'
        << ".BR brenvik\\-cps (1),\n.BR brenvik\\-radio\\-sim (1)\n";
    return out.str();
}

} // namespace cli
