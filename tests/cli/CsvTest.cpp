// The channel table as CSV: export, import by the grid's entry rules, and the
// rows that are refused.
#include "CliHarness.h"

#include "cli/Console.h"
#include "cli/CsvPlan.h"
#include "core/ChannelCodec.h"

using clitest::CliFixture;
using clitest::CliRun;

namespace {

const char *kHeader = "Channel,Receive,Transmit,Decode,Encode,P5,P6,P7,P8\n";

// A plan as import leaves it: channels with tones, DCS both ways, a receive-only
// channel and gaps between channels.
const char *kPlanRows = "1,146.52000,146.52000,67.0,67.0,1,0,1,0\n"
                        "2,145.50000,145.00000,D023N,D754I,0,1,0,2\n"
                        "5,150.00625,,None,,1,1,1,1\n"
                        "16,173.99375,173.99375,254.1,None,0,0,0,0\n";

struct DirectImport : ::testing::Test {
    DirectImport() { testsupport::initCps(c, folder, 3, &sink); }
    void importRows(const std::string &rows) { cli::importCsv(c, kHeader + rows); }
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
    EXPECT_EQ(exported.out.toStdString(), std::string(kHeader) +
                                              "1,146.52000,146.52000,67.0,67.0,1,0,1,0\n"
                                              "2,145.50000,145.00000,D023N,D754I,0,1,0,2\n"
                                              "5,150.00625,,None,None,1,1,1,1\n"
                                              "16,173.99375,173.99375,254.1,None,0,0,0,0\n");

    ASSERT_EQ(cli({"export-csv", path("plan.dat"), "-o", path("again.csv")}).status, 0);
    ASSERT_EQ(
        cli({"import-csv", path("plan.dat"), path("again.csv"), "-o", path("again.dat")}).status,
        0);
    EXPECT_EQ(clitest::readAll(path("again.dat")), clitest::readAll(path("plan.dat")));
    EXPECT_EQ(clitest::readAll(path("again.csv")).toStdString(), exported.out.toStdString());
}

// Typed values end up as the grid makes them: snapped to the raster, clamped
// to the band (134 - 174 MHz), signalling by the grid's parser; channels not
// listed are deleted back to the template.
TEST_F(DirectImport, RowsAreEnteredAsTheGridTakesThem) {
    cps::selectBand(c, 0);
    importRows("3,146.5281,500,67,D023i,0,1,1,2\n"
               "4,\"100\",,023,,1,0,0,1\n");
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

// Every malformed row is refused with its line number (blank lines count) and
// the plan is left as it was.
TEST_F(DirectImport, MalformedRowsNameTheirLine) {
    const std::string good = "1,146.52,146.52,None,None,1,0,1,0\n";
    struct Case {
        std::string csv;
        std::string line;
    };
    const Case cases[] = {
        {"Channel,Rx,Tx,Decode,Encode,P5,P6,P7,P8\n" + good, "line 1"},
        {"", "line 1"},
        {kHeader + good + "2,146.52,146.52,None,None,1,0,1\n", "line 3"},
        {kHeader + good + "2,146.52,146.52,None,None,1,0,1,0,9\n", "line 3"},
        {kHeader + std::string("0,146.52,146.52,None,None,1,0,1,0\n"), "line 2"},
        {kHeader + std::string("17,146.52,146.52,None,None,1,0,1,0\n"), "line 2"},
        {kHeader + std::string("x,146.52,146.52,None,None,1,0,1,0\n"), "line 2"},
        {kHeader + std::string("1,,146.52,None,None,1,0,1,0\n"), "line 2"},
        {kHeader + std::string("1,146.5.2,146.52,None,None,1,0,1,0\n"), "line 2"},
        {kHeader + std::string("1,146.52,abc,None,None,1,0,1,0\n"), "line 2"},
        {kHeader + std::string("1,146.52,146.52,D999X,None,1,0,1,0\n"), "line 2"},
        {kHeader + std::string("1,146.52,146.52,None,abc,1,0,1,0\n"), "line 2"},
        {kHeader + std::string("1,146.52,146.52,None,None,2,0,1,0\n"), "line 2"},
        {kHeader + std::string("1,146.52,146.52,None,None,-1,0,1,0\n"), "line 2"},
        {kHeader + std::string("1,146.52,146.52,None,None,1,0,1,3\n"), "line 2"},
        {kHeader + std::string("1,146.52,146.52,None,None,1,0,1,\n"), "line 2"},
        {kHeader + good + "\n\n1,146.52,146.52,None,None,1,0,1,0\n", "line 5"},
        {kHeader + std::string("1,\"146.52,146.52,None,None,1,0,1,0\n"), "line 2"},
    };
    for (const auto &k : cases) {
        cps::Cps before = c;
        try {
            cli::importCsv(c, k.csv);
            ADD_FAILURE() << "accepted: " << k.csv;
        } catch (const cli::CliFailure &e) {
            EXPECT_EQ(e.status, cli::kExitFile);
            EXPECT_NE(std::string(e.what()).find(k.line), std::string::npos)
                << e.what() << " for " << k.csv;
        }
        EXPECT_EQ(c.IicDat, before.IicDat);
        EXPECT_EQ(c.ch.ChInfo, before.ch.ChInfo);
    }
}

TEST_F(CsvCommands, AMalformedRowWritesNothing) {
    const QString base = newPlan("base.dat");
    clitest::writeAll(path("bad.csv"), QByteArray(kHeader) +
                                           "1,446.1,446.1,None,None,1,0,1,0\n1,446.2,,,,1,0,1,0\n");
    const CliRun r = cli({"import-csv", base, path("bad.csv"), "-o", path("out.dat")});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains("bad.csv: CSV line 3: channel 1 is listed twice"))
        << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("out.dat")));

    const CliRun missing = cli({"import-csv", base, path("none.csv"), "-o", path("out.dat")});
    EXPECT_EQ(missing.status, 3);
    EXPECT_FALSE(QFile::exists(path("out.dat")));
}
