// The command line's own messages in the three languages, run as a user runs
// it: the same commands give the same exit statuses and JSON keys in each, and
// text from the user's files comes out escaped in every one.
#include "CliHarness.h"
#include "comm/RadioRecord.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

using clitest::CliFixture;
using clitest::CliRun;
using clitest::SimRadio;

namespace {

// Texts expected in each language: Simplified Chinese, Traditional Chinese, English.
using Three = std::array<QString, 3>;

struct CliLanguages : CliFixture {
    CliRun inLanguage(int lang, QStringList args) const {
        args << "--lang" << QString::number(lang);
        return cli(args);
    }

    // Every key of a JSON document, with its path.
    static QSet<QString> keys(const QJsonValue &v, const QString &at = {}) {
        QSet<QString> all;
        if (v.isObject()) {
            const QJsonObject object = v.toObject();
            for (auto it = object.begin(); it != object.end(); ++it) {
                all << at + "/" + it.key();
                all += keys(it.value(), at + "/" + it.key());
            }
        }
        if (v.isArray())
            for (const QJsonValue &item : v.toArray())
                all += keys(item, at + "[]");
        return all;
    }
};

bool hasRawControl(const QString &text) {
    for (const QChar ch : text)
        if ((ch.unicode() < 0x20 && ch != '\n') || (ch.unicode() >= 0x7f && ch.unicode() < 0xa0))
            return true;
    return false;
}

} // namespace

TEST_F(CliLanguages, OwnMessagesInEachLanguage) {
    const QString plan = newPlan("plan.dat");
    const QString vhf = path("vhf.dat");
    ASSERT_EQ(cli({"new", "--band", "3", "-o", vhf}).status, 0);
    // A terminal title change, a C1 control (CSI) and a cell far too long to echo whole.
    QByteArray csv = "Channel,Receive\n1,\x1b]0;owned\x07\n2,44\xc2\x9b"
                     "6\n3," +
                     QByteArray(5000, '7') + "x\n4,446.00000\n";
    clitest::writeAll(path("bad.csv"), csv);
    const QString cut = "\"" + QString(60, '7') + "…\"";

    struct Case {
        const char *what;
        QStringList args;
        int status;
        std::vector<Three> texts; // each expected on stderr
    } cases[] = {
        {"usage error",
         {"sh\x1bow", plan},
         2,
         {{"brenvik-cli: 未知命令 'sh\\x1bow'", "brenvik-cli: 未知的命令 'sh\\x1bow'",
           "brenvik-cli: unknown command 'sh\\x1bow'"},
          {"参见 'brenvik-cli --help'", "請參閱 'brenvik-cli --help'",
           "see 'brenvik-cli --help'"}}},
        {"usage error of a command",
         {"export-csv", plan, "--format", "xml"},
         2,
         {{"export-csv: --format 必须是 brenvik 或 chirp",
           "export-csv: --format 必須是 brenvik 或 chirp",
           "export-csv: --format must be brenvik or chirp"},
          {"参见 'brenvik-cli export-csv --help'", "請參閱 'brenvik-cli export-csv --help'",
           "see 'brenvik-cli export-csv --help'"}}},
        {"usage error of history",
         {"history", "--since", "yesterday"},
         2,
         {{"history: --since 需要日期（2026-12-11）或日期和时间（2026-12-11T08:00），而不是 "
           "'yesterday'",
           "history: --since 需要日期（2026-12-11）或日期與時間（2026-12-11T08:00），而非 "
           "'yesterday'",
           "history: --since takes a date (2026-12-11) or a date and time (2026-12-11T08:00), "
           "not 'yesterday'"},
          {"参见 'brenvik-cli history --help'", "請參閱 'brenvik-cli history --help'",
           "see 'brenvik-cli history --help'"}}},
        {"missing file",
         {"import-csv", plan, path("missing.csv"), "-o", path("out.dat")},
         3,
         {{path("missing.csv") + ": 无法读取（No such file or directory）",
           path("missing.csv") + ": 無法讀取（No such file or directory）",
           path("missing.csv") + ": cannot be read (No such file or directory)"}}},
        {"refused CSV rows",
         {"import-csv", plan, path("bad.csv"), "-o", path("out.dat")},
         3,
         {{"CSV 第 2 行：Receive \"\\x1b]0;owned\\x07\" 不是以 MHz 为单位的频率",
           "CSV 第 2 列：Receive \"\\x1b]0;owned\\x07\" 不是以 MHz 為單位的頻率",
           "CSV line 2: Receive \"\\x1b]0;owned\\x07\" is not a frequency in MHz"},
          {"\"44\\u009b6\"", "\"44\\u009b6\"", "\"44\\u009b6\""},
          {"CSV 第 4 行：Receive " + cut, "CSV 第 4 列：Receive " + cut,
           "CSV line 4: Receive " + cut},
          {"拒绝的行：3（3 行数值无法读取）", "拒絕的列：3（3 列數值無法讀取）",
           "rows refused: 3 (3 value not readable)"},
          {"拒绝了 3 行，未写入任何内容（--skip-bad-rows 可导入其余各行）",
           "拒絕了 3 列，未寫入任何內容（--skip-bad-rows 可匯入其餘各列）",
           "3 row(s) refused, nothing written (--skip-bad-rows imports the other rows)"}}},
        {"band guard",
         {"write", vhf, "--port", path("no-radio")},
         3,
         {{vhf + ": 信道 1-", vhf + ": 頻道 1-", vhf + ": channels 1-"},
          {"；未写入任何内容（--force 可照样写入）", "；未寫入任何內容（--force 可照樣寫入）",
           "; nothing was written (--force writes them all the same)"}}},
    };
    for (const auto &k : cases)
        for (int lang = 1; lang <= 3; ++lang) {
            const CliRun r = inLanguage(lang, k.args);
            const std::string where = std::string(k.what) + ", language " + std::to_string(lang);
            EXPECT_EQ(r.status, k.status) << where << '\n' << r.err.toStdString();
            for (const Three &t : k.texts)
                EXPECT_TRUE(r.err.contains(t[static_cast<std::size_t>(lang - 1)]))
                    << where << ": " << t[static_cast<std::size_t>(lang - 1)].toStdString()
                    << "\nin\n"
                    << r.err.toStdString();
            EXPECT_FALSE(hasRawControl(r.err)) << where << '\n' << r.err.toStdString();
            EXPECT_FALSE(r.err.contains(QString(61, '7'))) << where;
        }
}

// A programming line result against the virtual radio: PASS stays PASS, the
// rest of the line and the summary speak the language.
TEST_F(CliLanguages, ProgrammingLineResultInEachLanguage) {
    const QString plan = newPlan("plan.dat");
    const Three resultWords{" 机型标识 ", " 機型識別 ", " ident "};
    const Three summaries{"1 台成功，0 台失败\n", "1 台成功，0 台失敗\n", "1 passed, 0 failed\n"};
    for (int lang = 1; lang <= 3; ++lang) {
        SimRadio radio({});
        ASSERT_FALSE(radio.pty().isEmpty());
        const CliRun r = inLanguage(lang, {"program", plan, "--port", radio.pty(), "--count", "1"});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        const auto i = static_cast<std::size_t>(lang - 1);
        EXPECT_TRUE(r.out.startsWith("PASS " + radio.pty() + resultWords[i]))
            << r.out.toStdString();
        EXPECT_TRUE(r.out.endsWith(summaries[i])) << r.out.toStdString();
    }
}

// Machine-readable output does not change with the language: the same keys
// (the values of captions may be translated), and tab tables keep their columns.
TEST_F(CliLanguages, JsonKeysAndColumnsAreTheSameInEveryLanguage) {
    const QString plan = newPlan("plan.dat");
    for (const QStringList &args :
         {QStringList{"show", plan, "--json"}, QStringList{"bands", "--json"}}) {
        std::array<QSet<QString>, 3> seen;
        for (int lang = 1; lang <= 3; ++lang) {
            const CliRun r = inLanguage(lang, args);
            ASSERT_EQ(r.status, 0) << r.err.toStdString();
            const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8());
            seen[static_cast<std::size_t>(lang - 1)] =
                keys(doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object()));
            EXPECT_FALSE(seen[static_cast<std::size_t>(lang - 1)].isEmpty())
                << args.join(' ').toStdString();
        }
        EXPECT_EQ(seen[0], seen[2]) << args.join(' ').toStdString();
        EXPECT_EQ(seen[1], seen[2]) << args.join(' ').toStdString();
    }
    const Three heads{"频段\t范围\n", "頻段\t範圍\n", "BAND\tRANGE\n"};
    for (int lang = 1; lang <= 3; ++lang) {
        const CliRun r = inLanguage(lang, {"bands"});
        EXPECT_TRUE(r.out.startsWith(heads[static_cast<std::size_t>(lang - 1)]))
            << r.out.toStdString();
        EXPECT_EQ(r.out.section('\n', 1, 1).count('\t'), 1) << r.out.toStdString();
    }
}

// The record's table is for people: its heads, the failed step and the count
// speak the language, while PASS/FAIL, the columns and the CSV's names stay;
// an operator name holding a terminal title change comes out escaped.
TEST_F(CliLanguages, HistoryTableInEachLanguage) {
    cps::Cps c;
    testsupport::initCps(c, folder);
    cps::RecordEntry e;
    e.time = QDateTime::currentDateTimeUtc();
    e.port = "COM3";
    e.plan = "plan.dat";
    e.ident = QByteArray::fromHex("5a2328");
    e.failedStep = "verify";
    e.message = "block 0010 differs";
    e.operatorName = "\x1b]0;owned\x07";
    ASSERT_TRUE(cps::appendRecord(c, folder.dir.filePath("history.sqlite"), e).stored);

    const Three heads{"时间\t端口\t写频数据\t机型标识\t结果\t秒数\t操作员\t失败步骤\t信息\n",
                      "時間\t連接埠\t寫頻資料\t機型識別\t結果\t秒數\t操作員\t失敗步驟\t訊息\n",
                      "TIME\tPORT\tPLAN\tIDENT\tRESULT\tSECONDS\tOPERATOR\tFAILED\tMESSAGE\n"};
    const Three steps{"\t校验\t", "\t驗證\t", "\tverify\t"};
    const Three counts{"1 条记录\n", "1 筆記錄\n", "1 record\n"};
    for (int lang = 1; lang <= 3; ++lang) {
        const auto i = static_cast<std::size_t>(lang - 1);
        const CliRun r = inLanguage(lang, {"history"});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith(heads[i])) << r.out.toStdString();
        const QString row = r.out.section('\n', 1, 1);
        EXPECT_EQ(row.count('\t'), 8) << row.toStdString();
        EXPECT_TRUE(row.contains("\tFAIL\t")) << row.toStdString();
        EXPECT_TRUE(row.contains(steps[i])) << row.toStdString();
        EXPECT_TRUE(row.contains("\\x1b]0;owned\\x07")) << row.toStdString();
        EXPECT_FALSE(r.out.contains(QChar(0x1b)) || r.out.contains(QChar(0x07)));
        EXPECT_EQ(r.err, counts[i]);

        const CliRun csv = inLanguage(lang, {"history", "--csv"});
        EXPECT_TRUE(csv.out.startsWith("Time,Port,Plan,PlanSha256,Ident,Result,FailedStep,"))
            << csv.out.toStdString();
        EXPECT_TRUE(csv.out.contains(",FAIL,verify,")) << csv.out.toStdString();
    }
}

// Without --lang the settings file's Language chooses, for a usage error too.
TEST_F(CliLanguages, SettingsFileChoosesWithoutLang) {
    folder.set("Language", "2");
    const CliRun r = cli({"frobnicate"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("brenvik-cli: 未知的命令 'frobnicate'")) << r.err.toStdString();
}
