// Channel lists as people bring them, through import-csv: more fields than
// the header (a decimal comma), out-of-band rows, lists longer than the radio,
// --start, lists where nothing fits, receive-only tone modes, foreign and
// lower-case headers, columns under their common and Chinese names, UTF-16
// without a byte order mark, a settings file with renamed grid captions. Each case checks the
// exit status, the messages and the channels stored.
#include "CliHarness.h"

#include <QJsonDocument>
#include <QJsonObject>

using clitest::CliFixture;
using clitest::CliRun;

namespace {

const char *kOwnHeader =
    "Channel,Receive,Transmit,Decode,Encode,Tx Power,Bandwidth,Scan Add,Busy Lock\n";
const char *kListHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                          "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power\n";

// A channel-list row on 446 MHz + n * 12.5 kHz, simplex, no tone.
int hzOf(int location) {
    return 446000000 + 12500 * location;
}
std::string listRow(int location) {
    char buf[160];
    std::snprintf(buf, sizeof buf,
                  "%d,R%d,%d.%06d,,0.000000,,88.5,88.5,023,NN,023,"
                  "Tone->Tone,FM,12.50,,5.0W\n",
                  location, location, hzOf(location) / 1000000, hzOf(location) % 1000000);
    return buf;
}

std::string listOf(int first, int last) {
    std::string rows = kListHeader;
    for (int n = first; n <= last; ++n)
        rows += listRow(n);
    return rows;
}

// The own-layout line export-csv writes for a row made by listRow.
std::string storedRow(int channel, int location) {
    const int mhz = hzOf(location) / 1000000, rest = hzOf(location) % 1000000 / 10;
    char buf[120];
    std::snprintf(buf, sizeof buf, "%d,%d.%05d,%d.%05d,None,None,High,Wide,On,Off\n", channel, mhz,
                  rest, mhz, rest);
    return buf;
}

struct ListCase {
    const char *name;
    std::string csv;
    QStringList options;
    int status;
    std::vector<std::string> messages; // each a part of standard error
    std::string stored;                // export-csv of the saved plan; "" nothing saved
    std::vector<std::string> absent{}; // parts standard error must not have
};

std::vector<ListCase> listCases() {
    std::string sixteen;
    for (int n = 1; n <= 16; ++n)
        sixteen += storedRow(n, n);
    std::string fromFive;
    for (int n = 1; n <= 16; ++n)
        fromFive += storedRow(n, n + 4);
    return {
        {"decimal comma, own layout",
         "Channel,Name,Transmit,Receive\n1,A,446.5,446.5\n2,B,446.1,446,1\n",
         {},
         3,
         {"CSV line 3: 5 fields, the header names 4; \"446,1\" looks like a number with a "
          "decimal comma in a comma-separated file: write 446.1, quote it (\"446,1\"), or "
          "separate the fields with ;\n",
          "1 row(s) refused, nothing written"},
         ""},
        {"decimal comma, own layout, other rows imported",
         "Channel,Name,Receive,Transmit\n1,A,446.5,446.5\n2,B,446,1,446.1\n3,C,446.2,,\n",
         {"--skip-bad-rows"},
         0,
         {"left out: CSV line 3: 5 fields, the header names 4; \"446,1\" looks like",
          "channels imported: 1, 3 (2)\n", "rows refused: 1 (1 wrong number of fields)\n"},
         std::string(kOwnHeader) + "1,446.50000,446.50000,None,None,High,Wide,On,Off\n" +
             "3,446.20000,,None,None,High,Wide,On,Off\n"},
        {"decimal comma, channel list",
         "Location,Name,Frequency,Mode\n1,A,446.5,FM\n2,B,446,1,FM\n",
         {},
         3,
         {"CSV line 3: 5 fields, the header names 4; \"446,1\" looks like a number with a "
          "decimal comma"},
         ""},
        {"decimal comma pushing a value into the next column",
         "Location,Name,Frequency,Duplex\n1,A,446.5,\n2,B,446,1,\n",
         {},
         3,
         {"CSV line 3: Duplex \"1\" must be empty, +, -, split or off; \"446,1\" looks like a "
          "number with a decimal comma"},
         ""},
        {"semicolon file with decimal commas",
         "Location;Name;Frequency\n1;A;446,5\n",
         {},
         0,
         {"channels imported: 1 (1)\n"},
         std::string(kOwnHeader) + "1,446.50000,446.50000,None,None,High,Wide,On,Off\n"},
        {"out of band, channel list",
         std::string(kListHeader) + listRow(1) +
             "2,B,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W\n",
         {},
         3,
         {"CSV line 3: Frequency 146.52000 is outside the band 400.00000 - 470.00000\n",
          "rows refused: 1 (1 outside the band)\n"},
         ""},
        {"out of band, own layout",
         std::string(kOwnHeader) + "1,446.1,446.1,None,None,High,Wide,On,Off\n" +
             "2,446.2,174,None,None,High,Wide,On,Off\n",
         {},
         3,
         {"CSV line 3: Transmit 174 is outside the band 400.00000 - 470.00000\n"},
         ""},
        {"longer than the radio",
         listOf(1, 20),
         {},
         0,
         {"note: 4 row(s) past channel 16 left out (lines 18-21); --start chooses",
          "channels imported: 1-16 (16)\n"},
         kOwnHeader + sixteen},
        {"longer than the radio, from location 5",
         listOf(1, 20),
         {"--start", "5"},
         0,
         {"note: 4 row(s) before the first channel left out (lines 2-5)\n",
          "channels imported: 1-16 (16)\n"},
         kOwnHeader + fromFive},
        {"from a location past the others",
         listOf(1, 20),
         {"--start", "30"},
         3,
         {"20 row(s) before the first channel left out", "no row to import, nothing written"},
         ""},
        {"own layout from channel 3",
         std::string(kOwnHeader) + "3,446.1,,None,None,Low,Wide,On,Off\n" +
             "4,446.2,446.2,None,None,High,Wide,On,Off\n",
         {"--start", "3"},
         0,
         {"channels imported: 1-2 (2)\n"},
         std::string(kOwnHeader) + "1,446.10000,,None,None,Low,Wide,On,Off\n" +
             "2,446.20000,446.20000,None,None,High,Wide,On,Off\n"},
        {"nothing fits, even skipping",
         std::string(kListHeader) +
             "1,A,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,5.0W\n" +
             "2,B,446.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,12.50,,5.0W\n",
         {"--skip-bad-rows"},
         3,
         {"CSV line 2: Frequency 146.52000 is outside the band",
          "CSV line 3: Mode \"AM\" is not possible on this radio", "no channel imported\n",
          "rows refused: 2 (1 not possible on this radio, 1 outside the band)\n",
          "no row to import, nothing written"},
         ""},
        {"header only", kListHeader, {"--skip-bad-rows"}, 3, {"no row to import"}, ""},
        {"receive-only tone modes and Auto",
         std::string(kListHeader) +
             "1,A,446.100000,,0.000000,TSQL-R,88.5,100.0,023,NN,023,Tone->Tone,Auto,12.50,,5.0W\n" +
             "2,B,446.200000,,0.000000,DTCS-R,88.5,88.5,754,NR,023,Tone->Tone,NFM,12.50,,5.0W\n",
         {},
         0,
         {"channels imported: 1-2 (2)\n"},
         std::string(kOwnHeader) + "1,446.10000,446.10000,100.0,None,High,Wide,On,Off\n" +
             "2,446.20000,446.20000,D754I,None,High,Narrow,On,Off\n"},
        {"a header of neither layout",
         "Memory,Freq,Tone\n1,446.1,\n",
         {},
         3,
         {"the header fits neither layout this tool reads: its own needs at least the columns "
          "Channel and Receive",
          "the channel-list layout at least Location and Frequency"},
         ""},
        {"common column names",
         "CH,RX Freq,TX Freq,RX Tone,TX Tone,Pwr,BW,Scan,BCL\n1,446.1,446.2,67,D023N,Low,Narrow,"
         "Off,Carrier\n",
         {},
         0,
         {"channels imported: 1 (1)\n"},
         std::string(kOwnHeader) + "1,446.10000,446.20000,67.0,D023N,Low,Narrow,Off,Carrier\n"},
        {"lower-case header",
         "channel,receive,transmit,tx power\n1,446.1,446.1,low\n",
         {},
         0,
         {"channels imported: 1 (1)\n"},
         std::string(kOwnHeader) + "1,446.10000,446.10000,None,None,Low,Wide,On,Off\n"},
        {"Power is the radio's Tx Power",
         "Channel,Receive,Transmit,Power,Bandwidth\n1,446.1,446.1,Low,Narrow\n",
         {},
         0,
         {"channels imported: 1 (1)\n"},
         std::string(kOwnHeader) + "1,446.10000,446.10000,None,None,Low,Narrow,On,Off\n",
         {"columns ignored"}},
        {"Simplified Chinese header, units in brackets",
         "信道,接收频率(MHz),发射频率[MHz],接收亚音,发射亚音,功率,带宽,扫描,繁忙锁定\n"
         "1,446.1,446.2,67.0,D023N,低,窄带,关,载波\n",
         {},
         0,
         {"channels imported: 1 (1)\n"},
         std::string(kOwnHeader) + "1,446.10000,446.20000,67.0,D023N,Low,Narrow,Off,Carrier\n",
         {"note:"}},
        {"Traditional Chinese header",
         "頻道,接收頻率,發射頻率,發射功率,頻寬,掃描加入,遇忙禁發\n2,446.2,,高,窄頻,開,亞音\n",
         {},
         0,
         {"channels imported: 2 (1)\n"},
         std::string(kOwnHeader) + "2,446.20000,,None,None,High,Narrow,On,Tone\n",
         {"note:"}},
        {"Skip says the opposite of Scan Add",
         "Ch,Rx,Tx,Skip\n1,446.1,446.1,S\n2,446.2,446.2,\n",
         {},
         0,
         {"channels imported: 1-2 (2)\n"},
         std::string(kOwnHeader) + "1,446.10000,446.10000,None,None,High,Wide,Off,Off\n" +
             "2,446.20000,446.20000,None,None,High,Wide,On,Off\n"},
        {"columns without a place and columns not recognised",
         "Channel,Receive,Transmit,Colour,Name\n1,446.1,446.1,red,A\n",
         {},
         0,
         {"note: columns ignored (no place in this radio): Name\n",
          "note: columns not recognised, ignored: Colour (this radio's columns are Channel, "
          "Receive, Transmit, Decode, Encode, Tx Power, Bandwidth, Scan Add, Busy Lock"},
         std::string(kOwnHeader) + "1,446.10000,446.10000,None,None,High,Wide,On,Off\n"},
        {"a channel-list column not recognised",
         "Location,Frequency,Name,Colour\n1,446.1,A,red\n",
         {},
         0,
         {"note: columns ignored (no place in this radio): Name\n",
          "note: columns not recognised, ignored: Colour (this layout's columns read here are "
          "Location, Frequency, Duplex"},
         std::string(kOwnHeader) + "1,446.10000,446.10000,None,None,High,Wide,On,Off\n"},
    };
}

// The text as UTF-16 little-endian without a byte order mark (ASCII only).
QByteArray utf16Le(const std::string &ascii) {
    QByteArray out;
    for (char ch : ascii) {
        out += ch;
        out += '\0';
    }
    return out;
}

} // namespace

using ListsAsTheyCome = CliFixture;

TEST_F(ListsAsTheyCome, EachListImportsWhatFitsOrNothingWithTheReason) {
    const QString base = newPlan("base.dat"); // 400 - 470 MHz, channel 1 in use
    for (const ListCase &k : listCases()) {
        SCOPED_TRACE(k.name);
        const QString in = path("in.csv"), out = path("out.dat");
        QFile::remove(out);
        clitest::writeAll(in, QByteArray::fromStdString(k.csv));
        const CliRun r = cli(QStringList{"import-csv", base, in, "-o", out} + k.options);
        EXPECT_EQ(r.status, k.status) << r.err.toStdString();
        for (const auto &part : k.messages)
            EXPECT_TRUE(r.err.contains(QString::fromStdString(part)))
                << "missing: " << part << "\nin: " << r.err.toStdString();
        for (const auto &part : k.absent)
            EXPECT_FALSE(r.err.contains(QString::fromStdString(part)))
                << "unexpected: " << part << "\nin: " << r.err.toStdString();
        if (k.stored.empty()) {
            EXPECT_FALSE(QFile::exists(out));
            continue;
        }
        const CliRun shown = cli({"export-csv", out});
        EXPECT_EQ(shown.out.toStdString(), k.stored);
    }
}

// Every refused row for a channel is listed before the counted rest; --verbose
// lists them all.
TEST_F(ListsAsTheyCome, RefusalsForTheRadiosChannelsComeFirstAndVerboseListsAll) {
    const QString base = newPlan("base.dat");
    std::string csv = kOwnHeader;
    for (int line = 2; line <= 40; ++line)
        csv += "x,446.1,,,,High,Wide,On,Off\n";
    csv += "7,146.1,,,,High,Wide,On,Off\n"; // line 41
    clitest::writeAll(path("in.csv"), QByteArray::fromStdString(csv));

    const CliRun brief = cli({"import-csv", base, path("in.csv"), "-o", path("out.dat")});
    EXPECT_EQ(brief.status, 3);
    const QString err = brief.err;
    const auto at = [&](const QString &part) { return err.indexOf(part); };
    ASSERT_GE(at("CSV line 41: Receive 146.1 is outside the band"), 0) << err.toStdString();
    EXPECT_LT(at("CSV line 41:"), at("CSV line 2:"));
    EXPECT_GE(at("CSV line 21:"), 0);
    EXPECT_LT(at("CSV line 22:"), 0);
    EXPECT_GE(at("... and 19 more rows (--verbose lists them all)"), 0);
    EXPECT_GE(at("rows refused: 40 (1 outside the band, 39 value not readable)"), 0);

    const CliRun verbose =
        cli({"import-csv", base, path("in.csv"), "-o", path("out.dat"), "--verbose"});
    EXPECT_EQ(verbose.status, 3);
    EXPECT_GE(verbose.err.indexOf("CSV line 40: Channel must be a number"), 0);
    EXPECT_LT(verbose.err.indexOf("more rows"), 0);
    EXPECT_FALSE(QFile::exists(path("out.dat")));
}

// The settings file's captions label the grid only: with every caption and
// word of [ChInfo] renamed, the files, their words and the JSON keys stay.
TEST_F(ListsAsTheyCome, RenamedGridCaptionsChangeNoFileOrKey) {
    for (const auto &[key, value] :
         {std::pair<std::string, std::string>{"3003", "#|RX|TX|Dec|Enc|TX Pwr|BW|Scn|BCL"},
          {"3403", "Lo"},
          {"3404", "Hi"},
          {"3453", "25k"},
          {"3454", "12.5k"},
          {"1003", "号|收|发|收音|发音|功|宽|扫|锁"}})
        folder.set(key, value, "ChInfo");
    const QString base = newPlan("base.dat");
    clitest::writeAll(path("in.csv"), "Channel,Receive,Transmit,Power,Bandwidth\n"
                                      "1,446.1,446.1,Low,Narrow\n");
    const CliRun imported = cli({"import-csv", base, path("in.csv"), "-o", path("out.dat")});
    ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_FALSE(imported.err.contains("note:")) << imported.err.toStdString();

    EXPECT_EQ(cli({"export-csv", path("out.dat")}).out.toStdString(),
              std::string(kOwnHeader) + "1,446.10000,446.10000,None,None,Low,Narrow,On,Off\n");
    EXPECT_EQ(cli({"export-csv", path("out.dat"), "--lang", "1"}).out.toStdString(),
              "信道,接收频率[MHz],发射频率[MHz],接收亚音,发射亚音,发射功率,带宽,扫描添加,遇忙禁发\n"
              "1,446.10000,446.10000,无,无,低,窄带,开,关\n");
    const QString list = cli({"export-csv", path("out.dat"), "--format", "chirp"}).out;
    EXPECT_TRUE(list.contains(",NFM,12.50,,1.0W,")) << list.toStdString();

    clitest::writeAll(path("list.csv"), "Location,Frequency,Mode,Skip,Power\n"
                                        "1,446.2,NFM,S,1.0W\n");
    ASSERT_EQ(cli({"import-csv", base, path("list.csv"), "-o", path("list.dat")}).status, 0);
    EXPECT_EQ(cli({"export-csv", path("list.dat")}).out.toStdString(),
              std::string(kOwnHeader) + "1,446.20000,446.20000,None,None,Low,Narrow,Off,Off\n");

    const QJsonObject shown =
        QJsonDocument::fromJson(cli({"show", path("out.dat"), "--json"}).out.toUtf8()).object();
    EXPECT_EQ(shown["channels"][0]["parameters"].toObject(), (QJsonObject{{"Tx Power", "Low"},
                                                                          {"Bandwidth", "Narrow"},
                                                                          {"Scan Add", "On"},
                                                                          {"Busy Lock", "Off"}}));
}

TEST_F(ListsAsTheyCome, Utf16WithoutAByteOrderMarkIsRead) {
    const QString base = newPlan("base.dat");
    clitest::writeAll(path("in.csv"),
                      utf16Le("Channel,Receive,Transmit\r\n1,446.1,446.1\r\n2,446.2,446.2\r\n"));
    const CliRun r = cli({"import-csv", base, path("in.csv"), "-o", path("out.dat")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(cli({"export-csv", path("out.dat")}).out.toStdString(),
              std::string(kOwnHeader) + "1,446.10000,446.10000,None,None,High,Wide,On,Off\n" +
                  "2,446.20000,446.20000,None,None,High,Wide,On,Off\n");

    clitest::writeAll(path("bin.csv"), QByteArray("Channel,Receive\n1,446\0\0\0x\n", 26));
    const CliRun binary = cli({"import-csv", base, path("bin.csv"), "-o", path("bin.dat")});
    EXPECT_EQ(binary.status, 3);
    EXPECT_TRUE(binary.err.contains("not text in UTF-8 or UTF-16")) << binary.err.toStdString();
}
