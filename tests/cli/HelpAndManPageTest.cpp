// brenvik-cli's help and the three programs' manual pages in the three
// languages: the same commands, options, exit statuses and examples in each,
// lines that fit a terminal, and pages that groff sets without a warning.
#include "CliHarness.h"
#include "cli/CliManPage.h"
#include "cli/CommandSpecs.h"
#include "cli/MessageLanguage.h"

#include <QRegularExpression>

using clitest::CliFixture;
using clitest::CliRun;

namespace helptest {

// Headings expected in each language: Simplified Chinese, Traditional Chinese, English.
using Words = std::array<const char *, 3>;

// Terminal columns of a line: a Chinese character or mark takes two.
int columns(const QString &line) {
    int n = 0;
    for (const QChar ch : line)
        n += ch.unicode() >= 0x2E80 ? 2 : 1;
    return n;
}

// groff's rendering of a page, and what it warned about.
struct Rendered {
    QString text, warnings;
};

Rendered groff(const std::string &page) {
    QProcess p;
    p.start("groff", {"-ww", "-k", "-man", "-Tutf8", "-P-cbou", "-rLL=80n"});
    p.write(QByteArray::fromStdString(page));
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(60000));
    return {QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QString sourceFile(const QString &relative) {
    return QString::fromUtf8(clitest::readAll(QString(BRENVIK_SOURCE_DIR "/") + relative));
}

} // namespace helptest

using namespace helptest;
using HelpAndManPage = CliFixture;

// `help CMD` and --help in each language: the words are translated, the
// command and option names, the exit statuses and the examples are not, and
// Chinese lines wrap within the terminal without a mark starting a line.
TEST_F(HelpAndManPage, HelpInEachLanguage) {
    const Words usage{"用法：brenvik-cli ", "用法：brenvik-cli ", "Usage: brenvik-cli "};
    const Words options{"\n选项：\n", "\n選項：\n", "\nOptions:\n"};
    const Words exits{"\n退出状态：\n", "\n結束狀態：\n", "\nExit status:\n"};
    const Words lang{"界面语言", "介面語言", "interface language"};
    for (int l = 1; l <= 3; ++l) {
        SCOPED_TRACE("language " + std::to_string(l));
        const CliRun general = cli({"--lang", QString::number(l), "--help"});
        ASSERT_EQ(general.status, 0) << general.err.toStdString();
        EXPECT_TRUE(general.out.startsWith(QString::fromUtf8(usage[l - 1])))
            << general.out.toStdString();
        for (const auto &cmdSpec : cli::commandSpecs()) {
            SCOPED_TRACE(cmdSpec.name);
            const QString name = QString::fromStdString(cmdSpec.name);
            EXPECT_TRUE(general.out.contains("\n  " + name + " "));
            const CliRun help = cli({"--lang", QString::number(l), "help", name});
            ASSERT_EQ(help.status, 0);
            EXPECT_EQ(help.out, cli({name, "--help", "--lang", QString::number(l)}).out);
            EXPECT_TRUE(help.out.startsWith(QString::fromUtf8(usage[l - 1]) + name))
                << help.out.toStdString();
            for (const char *part : {options[l - 1], exits[l - 1], lang[l - 1]})
                EXPECT_TRUE(help.out.contains(QString::fromUtf8(part))) << part;
            for (const auto &o : cmdSpec.options)
                EXPECT_TRUE(help.out.contains(QString::fromStdString(" " + o.name))) << o.name;
            for (const auto &[code, meaning] : cmdSpec.exitCodes)
                EXPECT_TRUE(help.out.contains(QString("\n  %1  ").arg(code))) << code;
            for (const auto &e : cmdSpec.examples)
                EXPECT_TRUE(help.out.contains(QString::fromStdString("\n  " + e + "\n"))) << e;
            // The synopsis stays one line, to be copied whole.
            for (const QString &line : help.out.split('\n').mid(1)) {
                EXPECT_LE(columns(line), 81) << line.toStdString();
                EXPECT_FALSE(QString::fromUtf8("，、。；）").contains(line.trimmed().left(1)) &&
                             !line.trimmed().isEmpty())
                    << line.toStdString();
            }
        }
    }
}

// The manual page carries each command's part with all its options, its exit
// statuses and each example on a line of its own, in each language.
TEST_F(HelpAndManPage, CliManPageInEachLanguage) {
    const Words section{".SH 命令\n", ".SH 命令\n", ".SH COMMANDS\n"};
    const Words commonOptions{"通用选项", "通用選項", "COMMON OPTIONS"};
    for (int l = 1; l <= 3; ++l) {
        SCOPED_TRACE("language " + std::to_string(l));
        cli::useMessageLanguage(l);
        const std::string page = cli::cliManPage("1.3", l != 3);
        EXPECT_NE(page.find(section[l - 1]), std::string::npos);
        const Rendered shown = groff(page);
        EXPECT_TRUE(shown.warnings.isEmpty()) << shown.warnings.toStdString();
        EXPECT_TRUE(shown.text.contains(QString::fromUtf8(commonOptions[l - 1])));
        for (const auto &cmdSpec : cli::commandSpecs()) {
            SCOPED_TRACE(cmdSpec.name);
            const std::string heading = ".SS " + cli::roffText(cmdSpec.name) + "\n";
            const std::size_t start = page.find(heading);
            ASSERT_NE(start, std::string::npos);
            const std::string part = page.substr(start, page.find(".SS ", start + 1) - start);
            // A command's own options in its part; the common ones in their section.
            for (const auto &o : cmdSpec.options) {
                bool common = false;
                for (const auto &c : cli::commonOptions())
                    common = common || c.name == o.name;
                EXPECT_NE((common ? page : part).find(cli::roffText(o.name)), std::string::npos)
                    << o.name;
            }
            for (const auto &[code, meaning] : cmdSpec.exitCodes)
                EXPECT_NE(part.find(".B " + std::to_string(code) + "\n"), std::string::npos);
            // Set as typed: each example alone on its rendered line.
            for (const auto &e : cmdSpec.examples) {
                EXPECT_NE(part.find("\n" + cli::roffText(e) + "\n"), std::string::npos) << e;
                EXPECT_TRUE(shown.text.contains(QRegularExpression(
                    "\\n +" + QRegularExpression::escape(QString::fromStdString(e)) + "\\n")))
                    << e;
            }
        }
    }
    cli::useMessageLanguage(3);
}

TEST(RoffText, NothingOfOursIsReadAsARequest) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {".dat files", "\\&.dat files"},  {"'quoted' at the start", "\\&'quoted' at the start"},
        {"a\n.line", "a\n\\&.line"},      {"C:\\plans -o --port", "C:\\eplans \\-o \\-\\-port"},
        {"mid.dot it's", "mid.dot it's"},
    };
    for (const auto &[text, roff] : cases)
        EXPECT_EQ(cli::roffText(text), roff) << text;
}

// The virtual radio's and the desktop tool's pages, written by hand in three
// languages, name every option their --help names, and groff sets them
// cleanly; the radio's pages say it ends with the process that started it.
TEST_F(HelpAndManPage, HandWrittenPagesFollowTheProgramsHelp) {
    const Words endsWithParent{"启动它的进程结束", "啟動它的行程結束",
                               "the process that started it ends"};
    for (const char *program : {"brenvik-radio-sim", "brenvik-cps"}) {
        QProcess p;
        p.start(clitest::binary(program), {"--help"});
        ASSERT_TRUE(p.waitForFinished(60000));
        const QString help = QString::fromUtf8(p.readAllStandardOutput());
        QStringList optionNames;
        for (const auto &m : QRegularExpression("(?<![\\w-])--?[a-z][a-z0-9-]*").globalMatch(help))
            optionNames << m.captured(0);
        optionNames.removeDuplicates();
        ASSERT_GT(optionNames.size(), 1) << help.toStdString();
        const Words dirs{"zh_CN/", "zh_TW/", ""};
        for (int l = 1; l <= 3; ++l) {
            const QString file = QString("data/man/%1%2.1").arg(dirs[l - 1], program);
            SCOPED_TRACE(file.toStdString());
            const QString page = sourceFile(file);
            ASSERT_FALSE(page.isEmpty());
            for (const QString &name : optionNames)
                EXPECT_TRUE(page.contains(QString(name).replace("-", "\\-"))) << name.toStdString();
            const Rendered shown = groff(page.toStdString());
            EXPECT_TRUE(shown.warnings.isEmpty()) << shown.warnings.toStdString();
            if (QString(program) == "brenvik-radio-sim")
                EXPECT_TRUE(shown.text.simplified().remove(' ').contains(
                    QString::fromUtf8(endsWithParent[l - 1]).remove(' ')));
        }
    }
}
