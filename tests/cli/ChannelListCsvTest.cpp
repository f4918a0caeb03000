// The common channel-list CSV of repeater directories: a 16-row repeater list
// with every tone mode imported and exported, the rows the radio cannot hold,
// and --skip-bad-rows.
#include "CliHarness.h"

#include "cli/Console.h"
#include "cli/CsvPlan.h"
#include "core/ChannelCodec.h"
#include "core/ChannelCsv.h"
#include "core/ChannelEntry.h"

using clitest::CliFixture;
using clitest::CliRun;

namespace {

const char *kHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                      "DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,"
                      "RPT1CALL,RPT2CALL,DVCODE\n";

// As such tools write it: every tone column filled whether used or not, power
// in watts or words, names and comments.
// clang-format off
const char *kRepeaterList =
    "1,W7ABC,442.100000,+,5.000000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,Portland,,,,\n"
    "2,K7XYZ,442.275000,+,5.000000,TSQL,88.5,123.0,023,NN,023,Tone->Tone,FM,12.50,,50W,\"Mt. Hood, north\",,,,\n"
    "3,DCS RPT,443.050000,+,5.000000,DTCS,107.2,88.5,023,NN,023,Tone->Tone,FM,12.50,,4.0W,,,,,\n"
    "4,REV DCS,443.450000,+,5.000000,DTCS,88.5,88.5,754,RN,023,Tone->Tone,NFM,12.50,,High,,,,,\n"
    "5,X TT,444.100000,+,5.000000,Cross,100.0,131.8,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\n"
    "6,X TD,444.225000,+,5.000000,Cross,88.5,88.5,023,NR,125,Tone->DTCS,FM,12.50,,5.0W,,,,,\n"
    "7,X DT,444.475000,+,5.000000,Cross,88.5,151.4,411,RN,023,DTCS->Tone,FM,12.50,,5.0W,,,,,\n"
    "8,X DD,444.650000,+,5.000000,Cross,88.5,88.5,051,NR,712,DTCS->DTCS,FM,12.50,,5.0W,,,,,\n"
    "9,RX TONE,444.800000,+,5.000000,Cross,88.5,67.0,023,NN,023,->Tone,FM,12.50,,5.0W,,,,,\n"
    "10,RX DCS,444.925000,+,5.000000,Cross,88.5,88.5,023,NN,245,->DTCS,FM,12.50,,5.0W,,,,,\n"
    "11,TX DCS,449.125000,-,5.000000,Cross,88.5,88.5,365,RN,023,DTCS->,FM,12.50,,5.0W,,,,,\n"
    "12,SIMPLEX,446.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,12.50,,1.0W,,,,,\n"
    "13,NO SCAN,446.500000,,0.000000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,S,Low,,,,,\n"
    "14,SPLIT,447.000000,split,442.000000,TSQL,88.5,103.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\n"
    "15,LISTEN,447.250000,off,0.000000,TSQL,88.5,162.2,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\n"
    "16,PMR 1,446.006250,,0.000000,TSQL,88.5,67.0,023,NN,023,Tone->Tone,NFM,6.25,,0.5W,,,,,\n";
// clang-format on

// What the radio holds for each row: receive, transmit (-1 none), decode,
// encode, Tx Power (1 High), Bandwidth (1 Narrow), Scan Add (1 On).
struct Channel {
    int32_t rx, tx;
    const char *decode, *encode;
    int power, narrow, scan;
};
const Channel kChannels[16] = {
    {44210000, 44710000, "None", "100.0", 1, 0, 1},
    {44227500, 44727500, "123.0", "123.0", 1, 0, 1},
    {44305000, 44805000, "D023N", "D023N", 1, 0, 1},
    {44345000, 44845000, "D754N", "D754I", 1, 1, 1},
    {44410000, 44910000, "131.8", "100.0", 1, 0, 1},
    {44422500, 44922500, "D125I", "88.5", 1, 0, 1},
    {44447500, 44947500, "151.4", "D411I", 1, 0, 1},
    {44465000, 44965000, "D712I", "D051N", 1, 0, 1},
    {44480000, 44980000, "67.0", "None", 1, 0, 1},
    {44492500, 44992500, "D245N", "None", 1, 0, 1},
    {44912500, 44412500, "None", "D365I", 1, 0, 1},
    {44600000, 44600000, "None", "None", 0, 1, 1},
    {44650000, 44650000, "None", "88.5", 0, 0, 0},
    {44700000, 44200000, "103.5", "103.5", 1, 0, 1},
    {44725000, -1, "162.2", "", 1, 0, 1},
    {44600625, 44600625, "67.0", "67.0", 0, 1, 1},
};

// The same list as the export writes it: unused tones 88.5, codes 023,
// polarity NN, cross mode Tone->Tone, power 5.0W or 1.0W, a TSQL tone in both
// tone columns, TStep 12.50 unless it does not divide the frequency.
const char *kExported =
    "1,,442.100000,+,5.000000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\n"
    "2,,442.275000,+,5.000000,TSQL,123.0,123.0,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\n"
    "3,,443.050000,+,5.000000,DTCS,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\n"
    "4,,443.450000,+,5.000000,DTCS,88.5,88.5,754,RN,023,Tone->Tone,NFM,12.50,,5.0W,,,,,\n"
    "5,,444.100000,+,5.000000,Cross,100.0,131.8,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\n"
    "6,,444.225000,+,5.000000,Cross,88.5,88.5,023,NR,125,Tone->DTCS,FM,12.50,,5.0W,,,,,\n"
    "7,,444.475000,+,5.000000,Cross,88.5,151.4,411,RN,023,DTCS->Tone,FM,12.50,,5.0W,,,,,\n"
    "8,,444.650000,+,5.000000,Cross,88.5,88.5,051,NR,712,DTCS->DTCS,FM,12.50,,5.0W,,,,,\n"
    "9,,444.800000,+,5.000000,Cross,88.5,67.0,023,NN,023,->Tone,FM,12.50,,5.0W,,,,,\n"
    "10,,444.925000,+,5.000000,Cross,88.5,88.5,023,NN,245,->DTCS,FM,12.50,,5.0W,,,,,\n"
    "11,,449.125000,-,5.000000,Cross,88.5,88.5,365,RN,023,DTCS->,FM,12.50,,5.0W,,,,,\n"
    "12,,446.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,12.50,,1.0W,,,,,\n"
    "13,,446.500000,,0.000000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,S,1.0W,,,,,\n"
    "14,,447.000000,-,5.000000,TSQL,103.5,103.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\n"
    "15,,447.250000,off,0.000000,Cross,88.5,162.2,023,NN,023,->Tone,FM,12.50,,5.0W,,,,,\n"
    "16,,446.006250,,0.000000,TSQL,67.0,67.0,023,NN,023,Tone->Tone,NFM,6.25,,1.0W,,,,,\n";

struct ChannelListImport : ::testing::Test {
    ChannelListImport() { testsupport::initCps(c, folder, 3, &sink); }
    testsupport::ProgramFolder folder;
    cps::CollectingSink sink;
    cps::Cps c;
};

} // namespace

using ChannelListCommands = CliFixture;

TEST_F(ChannelListImport, ARepeaterListWithEveryToneModeBecomesThePlan) {
    const auto messages = cli::importCsv(c, std::string(kHeader) + kRepeaterList);
    EXPECT_EQ(messages.notes,
              (std::vector<std::string>{"columns ignored (no place in this radio): Name, TStep, "
                                        "Comment, URCALL, RPT1CALL, RPT2CALL, DVCODE"}));
    EXPECT_TRUE(messages.warnings.empty());
    for (int n = 1; n <= 16; ++n) {
        const Channel &want = kChannels[n - 1];
        const auto &f = c.ch.ChInfo[static_cast<std::size_t>(n)];
        SCOPED_TRACE("channel " + std::to_string(n));
        EXPECT_EQ(f[cps::field::Rx], want.rx);
        EXPECT_EQ(f[cps::field::Tx], want.tx);
        EXPECT_EQ(c.ch.decText[static_cast<std::size_t>(n)], want.decode);
        EXPECT_EQ(c.ch.encText[static_cast<std::size_t>(n)], want.encode);
        EXPECT_EQ((std::vector<int32_t>{f[5], f[6], f[7]}),
                  (std::vector<int32_t>{want.power, want.narrow, want.scan}));
    }
}

TEST_F(ChannelListCommands, APlanGoesBothWaysThroughTheChannelList) {
    const QString base = newPlan("base.dat");
    clitest::writeAll(path("list.csv"), QByteArray(kHeader) + kRepeaterList);
    const CliRun in = cli({"import-csv", base, path("list.csv"), "-o", path("plan.dat")});
    ASSERT_EQ(in.status, 0) << in.err.toStdString();

    const CliRun out = cli({"export-csv", path("plan.dat"), "--format", "chirp"});
    ASSERT_EQ(out.status, 0) << out.err.toStdString();
    EXPECT_EQ(out.out.toStdString(), std::string(kHeader) + kExported);

    clitest::writeAll(path("again.csv"), out.out.toUtf8());
    const CliRun back = cli({"import-csv", base, path("again.csv"), "-o", path("again.dat")});
    ASSERT_EQ(back.status, 0) << back.err.toStdString();
    EXPECT_EQ(clitest::imageOf(path("again.dat")), clitest::imageOf(path("plan.dat")));
}

// One bad row among good ones: refused with its line and reason, the plan untouched.
TEST_F(ChannelListImport, RowsTheRadioCannotHoldAreRefusedByLine) {
    const std::string good =
        "1,A,446.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\n";
    const std::pair<std::string, std::string> cases[] = {
        {"x,B,446.1,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,",
         "Location \"x\" is not a channel number"},
        {"2,B,446.1,,0,,88.5,88.5,023,NN,023,Tone->Tone,AM,12.50,,5.0W,,,,,",
         "Mode \"AM\" is not possible on this radio (FM or NFM)"},
        {"2,B,446.1,,0,,88.5,88.5,023,NN,023,Tone->Tone,DV,12.50,,5.0W,,,,,", "Mode \"DV\""},
        {"2,B,446.1,,0,Tone,100.1,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,",
         "rToneFreq \"100.1\" is not a CTCSS tone of this radio"},
        {"2,B,446.1,,0,TSQL,88.5,,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,",
         "cToneFreq \"\" is not a CTCSS tone"},
        {"2,B,446.1,,0,DTCS,88.5,88.5,024,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,",
         "DtcsCode \"024\" is not a DCS code of this radio"},
        {"2,B,446.1,,0,Cross,88.5,88.5,023,NN,089,Tone->DTCS,FM,12.50,,5.0W,,,,,",
         "RxDtcsCode \"089\" is not a DCS code"},
        {"2,B,446.1,,0,DTCS,88.5,88.5,023,NX,023,Tone->Tone,FM,12.50,,5.0W,,,,,",
         "DtcsPolarity \"NX\" must be two letters N or R"},
        {"2,B,446.1,,0,Cross,88.5,88.5,023,NN,023,Tone->,FM,12.50,,5.0W,,,,,",
         "CrossMode \"Tone->\" is not a cross mode"},
        {"2,B,446.1,,0,DCS,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,",
         "Tone \"DCS\" must be empty, Tone, TSQL, DTCS, TSQL-R, DTCS-R or Cross"},
        {"2,B,146.52,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,",
         "Frequency 146.52000 is outside the band 400.00000 - 470.00000"},
        {"2,B,466.1,+,10,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,",
         "Frequency + Offset 476.10000 is outside the band"},
        {"2,B,446.1,-,500,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,",
         "Frequency - Offset -53.90000 is outside the band"},
        {"2,B,446.1,split,,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,",
         "Offset \"\" is not a frequency in MHz"},
        {"2,B,446.1,x,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,",
         "Duplex \"x\" must be empty, +, -, split or off"},
        {"2,B,446.1,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,Q,5.0W,,,,,",
         "Skip \"Q\" must be empty, S or P"},
        {"2,B,446.1,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,lots,,,,,",
         "Power \"lots\" must be High, Low or watts such as 5.0W"},
        {good.substr(0, good.size() - 1), "channel 1 is listed twice"},
    };
    for (const auto &[row, why] : cases) {
        const cps::Cps before = c;
        try {
            cli::importCsv(c, kHeader + good + row + "\n");
            ADD_FAILURE() << "accepted: " << row;
        } catch (const cli::CliFailure &e) {
            EXPECT_NE(std::string(e.what()).find("CSV line 3: " + why), std::string::npos)
                << e.what();
        }
        EXPECT_EQ(c.ch.ChInfo, before.ch.ChInfo) << row;
    }
}

// Files that count memories from 0 are shifted up by one; unused tone columns
// and missing optional columns do not matter.
TEST_F(ChannelListImport, AFileCountingFromZeroIsShiftedWithANote) {
    const auto messages = cli::importCsv(c, "Location,Frequency,Duplex,Offset,Tone,cToneFreq\n"
                                            "0,446.1,,,,\n"
                                            "1,446.2,-,1.5,TSQL,71.9\n"
                                            "15,446.3,off,,,junk\n");
    EXPECT_EQ(messages.notes,
              (std::vector<std::string>{
                  "Location starts at 0: location 0 is channel 1, 1 is channel 2, ..."}));
    EXPECT_EQ(c.ch.ChInfo[1][cps::field::Rx], 44610000);
    EXPECT_EQ(c.ch.ChInfo[2][cps::field::Tx], 44470000);
    EXPECT_EQ(c.ch.decText[2], "71.9");
    EXPECT_EQ(c.ch.ChInfo[16][cps::field::Rx], 44630000);
    EXPECT_EQ(c.ch.ChInfo[16][cps::field::Tx], -1);
    EXPECT_FALSE(cps::channelInUse(c, 3));
}

TEST_F(ChannelListCommands, SkipBadRowsImportsTheRestAndListsWhatItLeftOut) {
    const QString base = newPlan("base.dat");
    clitest::writeAll(
        path("list.csv"),
        QByteArray(kHeader) +
            "1,A,446.1,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\n"
            "2,B,446.2,,0,,88.5,88.5,023,NN,023,Tone->Tone,AM,12.50,,5.0W,,,,,\n"
            "3,C,146.3,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\n"
            "4,D,446.4,,0,TSQL,88.5,100.0,023,NN,023,Tone->Tone,FM,12.50,,5.0W,,,,,\n");
    const QString list = path("list.csv");
    const QString refusedLines =
        list + ": CSV line 3: Mode \"AM\" is not possible on this radio (FM or NFM)\n" + list +
        ": CSV line 4: Frequency 146.30000 is outside the band 400.00000 - 470.00000\n";

    const CliRun strict = cli({"import-csv", base, list, "-o", path("out.dat")});
    EXPECT_EQ(strict.status, 3);
    EXPECT_TRUE(strict.err.contains(refusedLines)) << strict.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("out.dat")));

    const CliRun lenient =
        cli({"import-csv", base, list, "-o", path("out.dat"), "--skip-bad-rows"});
    ASSERT_EQ(lenient.status, 0) << lenient.err.toStdString();
    EXPECT_TRUE(lenient.err.contains(
        list + ": left out: CSV line 3: Mode \"AM\" is not possible on this radio (FM or NFM)\n" +
        list + ": left out: CSV line 4: Frequency 146.30000 is outside the band"))
        << lenient.err.toStdString();
    const CliRun shown = cli({"export-csv", path("out.dat")});
    EXPECT_EQ(shown.out.toStdString(),
              "Channel,Receive,Transmit,Decode,Encode,Tx Power,Bandwidth,Scan Add,Busy Lock\n"
              "1,446.10000,446.10000,None,None,High,Wide,On,Off\n"
              "4,446.40000,446.40000,100.0,100.0,High,Wide,On,Off\n");
}
