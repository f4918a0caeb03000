// The channel table as CSV in the tool's own layout: export, import by the
// grid's entry rules, CSV as spreadsheets write it, and the rows refused.
#include "CliHarness.h"

#include "cli/Console.h"
#include "cli/CsvPlan.h"
#include "core/ChannelCodec.h"

using clitest::CliFixture;
using clitest::CliRun;

namespace {

const char *kHeader =
    "Channel,Receive,Transmit,Decode,Encode,Tx Power,Bandwidth,Scan Add,Busy Lock\n";
const char *kOldHeader = "Channel,Receive,Transmit,Decode,Encode,P5,P6,P7,P8\n";

// A plan as import leaves it: channels with tones, DCS both ways, a receive-only
// channel and gaps between channels.
const char *kPlanRows = "1,146.52000,146.52000,67.0,67.0,High,Wide,On,Off\n"
                        "2,145.50000,145.00000,D023N,D754I,Low,Narrow,Off,Tone\n"
                        "5,150.00625,,None,None,High,Narrow,On,Carrier\n"
                        "16,173.99375,173.99375,254.1,None,Low,Wide,Off,Off\n";

struct DirectImport : ::testing::Test {
    DirectImport() { testsupport::initCps(c, folder, 3, &sink); }
    cli::CsvImportMessages importRows(const std::string &rows) {
        return cli::importCsv(c, kOldHeader + rows);
    }
    int32_t field(int n, int f) const { return c.ch.ChInfo[n][f]; }

    testsupport::ProgramFolder folder;
    cps::CollectingSink sink;
    cps::Cps c;
};

} // namespace

using CsvCommands = CliFixture;

TEST_F(CsvCommands, ExportThenImportGivesTheSameFileForACanonicalPlan) {
    const QString base = newPlan("base.dat", 0);
    clitest::writeAll(path("plan.csv"), QByteArray(kHeader) + kPlanRows);
    ASSERT_EQ(cli({"import-csv", base, path("plan.csv"), "-o", path("plan.dat")}).status, 0);

    const CliRun exported = cli({"export-csv", path("plan.dat")});
    ASSERT_EQ(exported.status, 0) << exported.err.toStdString();
    EXPECT_EQ(exported.out.toStdString(), std::string(kHeader) + kPlanRows);

    ASSERT_EQ(cli({"export-csv", path("plan.dat"), "-o", path("again.csv")}).status, 0);
    ASSERT_EQ(
        cli({"import-csv", path("plan.dat"), path("again.csv"), "-o", path("again.dat")}).status,
        0);
    EXPECT_EQ(clitest::readAll(path("again.dat")), clitest::readAll(path("plan.dat")));
    EXPECT_EQ(clitest::readAll(path("again.csv")).toStdString(), exported.out.toStdString());
}

// The export speaks English whatever the interface language; --lang chooses
// another language's captions and words, and that file reads back the same.
TEST_F(CsvCommands, ExportWordsAreEnglishUnlessALanguageIsChosen) {
    folder.set("Language", "1");
    const QString base = newPlan("base.dat", 0);
    clitest::writeAll(path("plan.csv"), QByteArray(kHeader) + kPlanRows);
    ASSERT_EQ(cli({"import-csv", base, path("plan.csv"), "-o", path("plan.dat")}).status, 0);
    EXPECT_EQ(cli({"export-csv", path("plan.dat")}).out.toStdString(),
              std::string(kHeader) + kPlanRows);

    const CliRun chinese = cli({"export-csv", path("plan.dat"), "--lang", "1"});
    ASSERT_EQ(chinese.status, 0) << chinese.err.toStdString();
    EXPECT_EQ(chinese.out.toStdString(),
              "信道,接收频率[MHz],发射频率[MHz],接收亚音,发射亚音,发射功率,带宽,扫描添加,遇忙禁发\n"
              "1,146.52000,146.52000,67.0,67.0,高,宽带,开,关\n"
              "2,145.50000,145.00000,D023N,D754I,低,窄带,关,亚音\n"
              "5,150.00625,,无,无,高,窄带,开,载波\n"
              "16,173.99375,173.99375,254.1,无,低,宽带,关,关\n");

    clitest::writeAll(path("chinese.csv"), chinese.out.toUtf8());
    const CliRun back =
        cli({"import-csv", base, path("chinese.csv"), "-o", path("back.dat"), "--lang", "3"});
    ASSERT_EQ(back.status, 0) << back.err.toStdString();
    EXPECT_EQ(clitest::imageOf(path("back.dat")), clitest::imageOf(path("plan.dat")));
}

// A frequency outside the band is refused with its line, column, value and
// band, never moved to the band edge: an import must not change a licensed
// frequency without a word. Inside the band's edge value is taken.
TEST_F(CsvCommands, FrequenciesOutsideTheBandAreRefusedNotClamped) {
    const QString base = newPlan("base.dat"); // 400 - 470 MHz
    clitest::writeAll(path("in.csv"), "Name,Channel,Receive,Transmit,Comment\n"
                                      "Base,1,480,446.00625,x\n"
                                      "Field,2,446.1,390.5,y\n"
                                      "Edge,3,470,400,z\n");
    const QString in = path("in.csv");
    const CliRun refused = cli({"import-csv", base, in, "-o", path("out.dat")});
    EXPECT_EQ(refused.status, 3);
    EXPECT_TRUE(refused.err.contains(
        in + ": CSV line 2: Receive 480 is outside the band 400.00000 - 470.00000\n" + in +
        ": CSV line 3: Transmit 390.5 is outside the band 400.00000 - 470.00000\n"))
        << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("out.dat")));

    const CliRun skipped = cli({"import-csv", base, in, "-o", path("out.dat"), "--skip-bad-rows"});
    ASSERT_EQ(skipped.status, 0) << skipped.err.toStdString();
    EXPECT_EQ(
        skipped.err.toStdString(),
        (in + ": note: columns ignored (no place in this radio): Name, Comment\n" + in +
         ": left out: CSV line 2: Receive 480 is outside the band 400.00000 - 470.00000\n" + in +
         ": left out: CSV line 3: Transmit 390.5 is outside the band 400.00000 - "
         "470.00000\n" +
         in + ": channels imported: 3 (1)\n" + in + ": rows refused: 2 (2 outside the band)\n")
            .toStdString());
    const CliRun shown = cli({"export-csv", path("out.dat")});
    EXPECT_EQ(shown.out.toStdString(),
              std::string(kHeader) + "3,470.00000,400.00000,None,None,High,Wide,On,Off\n");
}

TEST_F(CsvCommands, AMalformedRowWritesNothing) {
    const QString base = newPlan("base.dat");
    clitest::writeAll(path("bad.csv"), QByteArray(kOldHeader) + "1,446.1,446.1,None,None,1,0,1,0\n"
                                                                "1,446.2,,,,1,0,1,0\n"
                                                                "2,446.3,,23,,1,0,1,0\n");
    const CliRun r = cli({"import-csv", base, path("bad.csv"), "-o", path("out.dat")});
    EXPECT_EQ(r.status, 3);
    const QString bad = path("bad.csv");
    EXPECT_TRUE(r.err.contains(bad + ": CSV line 3: channel 1 is listed twice\n" + bad +
                               ": CSV line 4: Decode \"23\": DCS codes need the D prefix, e.g. "
                               "D023N\n"))
        << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("out.dat")));

    const CliRun missing = cli({"import-csv", base, path("none.csv"), "-o", path("out.dat")});
    EXPECT_EQ(missing.status, 3);
    EXPECT_FALSE(QFile::exists(path("out.dat")));
}

// Typed values end up as the grid makes them: snapped to the raster (inside
// the band 134 - 174 MHz), signalling by the grid's parser; channels not listed
// are deleted back to the template.
TEST_F(DirectImport, RowsAreEnteredAsTheGridTakesThem) {
    cps::selectBand(c, 0);
    importRows("3,146.5281,173.99999,67,D023i,0,1,1,2\n"
               "4,\"134\",,023,,1,0,0,1\n");
    EXPECT_EQ(field(3, cps::field::Rx), 14653000);
    EXPECT_EQ(field(3, cps::field::Tx), 17400000);
    EXPECT_EQ(c.ch.decText[3], "67.0");
    EXPECT_EQ(c.ch.encText[3], "D023I");
    EXPECT_EQ((std::vector<int32_t>{field(3, 5), field(3, 6), field(3, 7), field(3, 8)}),
              (std::vector<int32_t>{0, 1, 1, 2}));
    EXPECT_EQ(field(4, cps::field::Rx), 13400000);
    EXPECT_EQ(field(4, cps::field::Tx), -1);
    EXPECT_EQ(c.ch.decText[4], "D023N");
    EXPECT_EQ(c.ch.encText[4], "");
    for (int n : {1, 2, 5, 16}) {
        EXPECT_EQ(field(n, cps::field::Rx), -1) << n;
        EXPECT_EQ(c.ch.decText[n], "") << n;
        for (int i = 0; i < cps::kSlotSize; ++i)
            EXPECT_EQ(c.at(cps::slotAddress(n) + i), c.tmpl(cps::slotAddress(n) + i)) << n;
    }
}

// What spreadsheets and people write gives exactly the plan of the plain file:
// other separators, decimal commas, any column order and letter case, extra
// and empty columns, blanks around fields, lower-case DCS codes, the words of
// each language or the indexes, the grid's captions and the old header.
TEST_F(DirectImport, CsvAsPeopleWriteItGivesTheSamePlan) {
    const std::string plain = std::string(kHeader) +
                              "1,446.00625,446.00625,67.0,67.0,Low,Narrow,On,Carrier\n"
                              "2,445.50000,440.00000,D023N,D754I,High,Wide,Off,Tone\n"
                              "3,430.00000,,None,None,High,Wide,On,Off\n";
    const cps::Cps base = c;
    cli::importCsv(c, plain);
    const cps::Cps want = c;

    const std::string variants[] = {
        // semicolons and decimal commas, as many European spreadsheets save
        "Channel;Receive;Transmit;Decode;Encode;Tx Power;Bandwidth;Scan Add;Busy Lock\n"
        "1;446,00625;446,00625;67,0;67;Low;Narrow;On;Carrier\n"
        "2;445,5;440;d023n;d754i;High;Wide;Off;Tone\n"
        "3;430;;none;;High;Wide;On;Off\n",
        // tabs, lower case, another order, extra columns, a trailing separator
        "name\tbusy lock\tscan add\tbandwidth\ttx power\tencode\tdecode\ttransmit\treceive\t"
        "channel\tcomment\t\n"
        "A\tcarrier\ton\tnarrow\tlow\t67.0\t67.0\t446.00625\t446.00625\t1\tx\t\n"
        "B\tTONE\tOFF\tWIDE\tHIGH\tD754I\tD023N\t440\t445.5\t2\t\t\n"
        "C\tOff\tOn\tWide\tHigh\t\tNone\t\t430\t3\t\t\n",
        // blanks around every field, a byte order mark and CRLF line ends
        "\xEF\xBB\xBF Channel , Receive , Transmit , Decode , Encode , Tx Power , Bandwidth , "
        "Scan Add , Busy Lock \r\n"
        " 1 , 446.00625 , 446.00625 , 67.0 , 67.0 , Low , Narrow , On , Carrier \r\n"
        " 2 , 445.5 , 440 , D023N , D754I , High , Wide , Off , Tone \r\n"
        " 3 , 430 , , None , None , High , Wide , On , Off \r\n",
        // the old index header
        std::string(kOldHeader) + "1,446.00625,446.00625,67.0,67.0,0,1,1,1\n"
                                  "2,445.5,440,D023N,D754I,1,0,0,2\n"
                                  "3,430,,None,None,1,0,1,0\n",
        // Simplified Chinese captions and words
        "信道,接收频率[MHz],发射频率[MHz],接收亚音,发射亚音,发射功率,带宽,扫描添加,遇忙禁发\n"
        "1,446.00625,446.00625,67.0,67.0,低,窄带,开,载波\n"
        "2,445.5,440,D023N,D754I,高,宽带,关,亚音\n"
        "3,430,,无,无,高,宽带,开,关\n",
        // English grid captions, Traditional Chinese words mixed with indexes
        "CH,Rx Freq [MHz],Tx Freq [MHz],Decode (CTCSS/DCS),Encode (CTCSS/DCS),Tx Power,"
        "Bandwidth,Scan Add,Busy Lock\n"
        "1,446.00625,446.00625,67.0,67.0,低,窄頻,開,1\n"
        "2,445.5,440,D023N,D754I,高,0,關,亞音\n"
        "3,430,,無,無,1,寬頻,開,關\n",
    };
    for (const auto &csv : variants) {
        c = base;
        try {
            const auto messages = cli::importCsv(c, csv);
            EXPECT_TRUE(messages.warnings.empty()) << csv;
        } catch (const cli::CliFailure &e) {
            ADD_FAILURE() << e.what() << " for\n" << csv;
            continue;
        }
        EXPECT_EQ(c.ch.ChInfo, want.ch.ChInfo) << csv;
        EXPECT_EQ(c.ch.decText, want.ch.decText) << csv;
        EXPECT_EQ(c.ch.encText, want.ch.encText) << csv;
    }
}

// Every malformed row is refused with its line number (blank lines count) and
// the plan is left as it was.
TEST_F(DirectImport, MalformedRowsNameTheirLine) {
    const std::string good = "1,446.52,446.52,None,None,1,0,1,0\n";
    const std::string h = kOldHeader;
    struct Case {
        std::string csv;
        std::string error;
    };
    const Case cases[] = {
        {"Memory,Freq,Encode\n" + good,
         "line 1: the header fits neither layout this tool reads: its own needs at least the "
         "columns Channel and Receive (e.g. "
         "Channel,Receive,Transmit,Decode,Encode,Tx Power,Bandwidth,Scan Add,Busy Lock), the "
         "channel-list layout at least Location and Frequency (e.g. "
         "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,...); column names in "
         "any letter case (not known here: Memory, Freq)"},
        {"Channel,Receive,receive\n" + good, "line 1: column \"receive\" appears twice"},
        {"", "line 1: empty file"},
        {h + good + "2,446.52,446.52,None,None,1,0,1\n", "line 3: 9 fields expected, 8 found"},
        {h + good + "2,446.52,446.52,None,None,1,0,1,0,9\n",
         "line 3: 10 fields, the header names 9\n"},
        {h + "0,446.52,446.52,None,None,1,0,1,0\n", "line 2: Channel must be a number from 1"},
        {h + "x,446.52,446.52,None,None,1,0,1,0\n", "line 2: Channel must"},
        {h + "1,,446.52,None,None,1,0,1,0\n", "line 2: Receive \"\" is not a frequency"},
        {h + "1,446.5.2,446.52,None,None,1,0,1,0\n", "line 2: Receive"},
        {h + "1,446.52,abc,None,None,1,0,1,0\n", "line 2: Transmit \"abc\""},
        {h + "1,146.52,446.52,None,None,1,0,1,0\n",
         "line 2: Receive 146.52 is outside the band 400.00000 - 470.00000"},
        {h + "1,446.52,470.004,None,None,1,0,1,0\n",
         "line 2: Transmit 470.004 is outside the band 400.00000 - 470.00000"},
        {h + "1,446.52,446.52,D999X,None,1,0,1,0\n", "line 2: Decode \"D999X\": unknown"},
        {h + "1,446.52,446.52,None,abc,1,0,1,0\n", "line 2: Encode \"abc\": unknown"},
        {h + "1,446.52,446.52,d089n,None,1,0,1,0\n", "line 2: Decode \"d089n\": unknown"},
        {h + "1,446.52,446.52,65,None,1,0,1,0\n", "line 2: Decode \"65\": DCS codes need"},
        {h + "1,446.52,446.52,None,31,1,0,1,0\n", "line 2: Encode \"31\": DCS codes need"},
        {h + "1,446.52,446.52,None,7,1,0,1,0\n", "line 2: Encode \"7\": unknown"},
        {h + "1,446.52,446.52,None,None,2,0,1,0\n",
         "line 2: P5 \"2\" must be Low, High or a choice index from 0 to 1"},
        {h + "1,446.52,446.52,None,None,-1,0,1,0\n", "line 2: P5"},
        {h + "1,446.52,446.52,None,None,1,0,1,3\n", "line 2: P8"},
        {h + "1,446.52,446.52,None,None,1,0,1,\n", "line 2: P8 \"\""},
        {h + "1,446.52,446.52,None,None,Hi,0,1,0\n", "line 2: P5 \"Hi\""},
        {h + good + "\n\n1,446.52,446.52,None,None,1,0,1,0\n", "line 5: channel 1 is listed twice"},
        {h + "1,\"446.52,446.52,None,None,1,0,1,0\n", "line 2: unterminated"},
    };
    for (const auto &k : cases) {
        cps::Cps before = c;
        try {
            cli::importCsv(c, k.csv);
            ADD_FAILURE() << "accepted: " << k.csv;
        } catch (const cli::CliFailure &e) {
            EXPECT_EQ(e.status, cli::kExitFile);
            EXPECT_NE(std::string(e.what()).find("CSV " + k.error), std::string::npos)
                << e.what() << " for " << k.csv;
        }
        EXPECT_EQ(c.IicDat, before.IicDat);
        EXPECT_EQ(c.ch.ChInfo, before.ch.ChInfo);
    }
}

// Thousands of bad rows list the first for each channel, twenty more and
// count the others.
TEST_F(DirectImport, ManyRefusedRowsListTheFirstTwenty) {
    std::string rows;
    for (int line = 2; line <= 1001; ++line)
        rows += "1,x,,,,1,0,1,0\n";
    try {
        importRows(rows);
        FAIL() << "accepted";
    } catch (const cli::CliFailure &e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("CSV line 22: Receive \"x\""), std::string::npos);
        EXPECT_EQ(what.find("CSV line 23:"), std::string::npos);
        EXPECT_NE(what.find("\n... and 979 more rows (--verbose lists them all)\nno channel "
                            "imported\nrows refused: 1000 (1000 value not readable)\nno row to "
                            "import, nothing written"),
                  std::string::npos)
            << what.substr(what.size() - 200);
    }
}

// A number the grid would take as a tone or a code keeps meaning that: only a
// one- or two-digit number that a spreadsheet made from a DCS code is refused.
TEST_F(DirectImport, OnlyStrippedDcsCodesNeedTheirPrefix) {
    const std::pair<const char *, const char *> accepted[] = {
        {"67", "67.0"},
        {"100", "100.0"},
        {"023", "D023N"},
        {"D023", "D023N"},
    };
    for (const auto &[typed, shown] : accepted) {
        importRows(std::string("1,446.1,446.1,") + typed + ",,1,0,1,0\n");
        EXPECT_EQ(c.ch.decText[1], shown) << typed;
    }
}
