// Read and write scripts: lines, block addresses and sizes, progress marks and
// the paged wire address.
#include "CommFixture.h"
#include "comm/ProtocolScripts.h"
#include "comm/WireFormat.h"

#include <gtest/gtest.h>

namespace cps {
namespace {

std::string repeat(const std::string &s, int n) {
    std::string r;
    for (int i = 0; i < n; ++i)
        r += s;
    return r;
}

struct ScriptTest : ::testing::Test {
    void SetUp() override {
        c.sink = &sink;
        scripts.startUp();
    }
    void setRanges(int rs, int re, int ws, int we) {
        c.settings.readStart = static_cast<int16_t>(rs);
        c.settings.readEnd = static_cast<int16_t>(re);
        c.settings.writeStart = static_cast<int16_t>(ws);
        c.settings.writeEnd = static_cast<int16_t>(we);
    }
    CollectingSink sink;
    Cps c;
    ProtocolScripts scripts{c};
};

TEST_F(ScriptTest, DefaultRangesUnderTheAlternativeSet) {
    for (int s : {kReadScript, kWriteScript}) {
        ASSERT_EQ(scripts.lineCount(s), 514);
        EXPECT_EQ(scripts.line(s, 1).text, kHandshakeLine);
        EXPECT_EQ(scripts.line(s, 1).blockSize, 0);
        EXPECT_EQ(scripts.line(s, 1).progressMark, 3);
        EXPECT_EQ(scripts.line(s, 514).progressMark, 100);
        EXPECT_EQ(scripts.line(s, 514).blockSize, 0);
    }
    EXPECT_EQ(scripts.line(kReadScript, 2).text, "TX23000010RX28000010" + repeat("VA", 16) + "EN");
    EXPECT_EQ(scripts.line(kWriteScript, 2).text, "TX28000010" + repeat("VA", 16) + "RX06EN");
    EXPECT_EQ(scripts.line(kReadScript, 514).text, "TX455AA5322345F2EN");
    EXPECT_EQ(scripts.line(kWriteScript, 514).text, "TX06RX06EN");

    // 0x0400 is line 66: the page digit jumps to 1.
    const ScriptLine &page1 = scripts.line(kReadScript, 66);
    EXPECT_EQ(page1.blockAddress, 0x0400);
    EXPECT_EQ(page1.text.substr(0, 12), "TX23100010RX");
    const ScriptLine &last = scripts.line(kWriteScript, 513);
    EXPECT_EQ(last.blockAddress, 0x1FF0);
    EXPECT_EQ(last.text.substr(0, 10), "TX2873F010");

    int previous = 0;
    for (int i = 2; i <= 513; ++i) {
        const ScriptLine &l = scripts.line(kReadScript, i);
        EXPECT_EQ(l.blockAddress, (i - 2) * 16);
        EXPECT_EQ(l.blockSize, 16);
        EXPECT_GE(l.progressMark, previous);
        previous = l.progressMark;
    }
    EXPECT_EQ(scripts.line(kReadScript, 2).progressMark, 3);
    EXPECT_EQ(scripts.line(kReadScript, 513).progressMark, 97);
}

TEST_F(ScriptTest, StandardSetChangesOnlyTheCommandBytes) {
    setRanges(0x0010, 0x001F, 0x0010, 0x001F);
    scripts.SelectStdCommandSet();
    EXPECT_EQ(scripts.readCommand(), 0x52);
    EXPECT_EQ(scripts.writeCommand(), 0x57);
    EXPECT_EQ(scripts.line(kReadScript, 1).text, kHandshakeLine);
    EXPECT_EQ(scripts.line(kReadScript, 2).text, "TX52001010RX57001010" + repeat("VA", 16) + "EN");
    EXPECT_EQ(scripts.line(kWriteScript, 2).text, "TX57001010" + repeat("VA", 16) + "RX06EN");
}

struct RangeCase {
    int start, end;
    std::vector<int> sizes; // block size of each data line
    std::vector<int> marks; // progress mark of each data line
};

TEST_F(ScriptTest, RangeShapes) {
    const std::vector<RangeCase> cases = {
        {0x0000, 0x0014, {16, 5}, {97, 97}}, // N = round(20/16) = 1
        {0x0010, 0x0000, {}, {}},            // start above end: no data lines
        {0x0123, 0x0123, {1}, {97}},         // one byte, N = 1
        {0x0000,
         0x0040,
         {16, 16, 16, 16, 1},
         {26, 50, 74, 97, 97}}, // N = 4: 26.5 -> 26, 73.5 -> 74
    };
    for (const auto &rc : cases) {
        setRanges(rc.start, rc.end, rc.start, rc.end);
        scripts.SelectAltCommandSet();
        SCOPED_TRACE(rc.start * 100000 + rc.end);
        const int dataLines = static_cast<int>(rc.sizes.size());
        for (int s : {kReadScript, kWriteScript}) {
            ASSERT_EQ(scripts.lineCount(s), dataLines + 2);
            int address = rc.start;
            for (int k = 0; k < dataLines; ++k) {
                const ScriptLine &l = scripts.line(s, k + 2);
                EXPECT_EQ(l.blockAddress, address);
                EXPECT_EQ(l.blockSize, rc.sizes[k]);
                EXPECT_EQ(l.progressMark, rc.marks[k]);
                EXPECT_NE(l.text.find(hexByte(rc.sizes[k]) + (s == kReadScript ? "RX" : "VA")),
                          std::string::npos);
                EXPECT_EQ(l.text.find(repeat("VA", rc.sizes[k] + 1)), std::string::npos);
                address += rc.sizes[k];
            }
            EXPECT_EQ(scripts.line(s, dataLines + 2).progressMark, 100);
        }
    }
    EXPECT_TRUE(sink.entries.empty());
}

TEST_F(ScriptTest, ShortLastBlock) {
    setRanges(0x0000, 0x0014, 0, 0x0014);
    scripts.SelectAltCommandSet();
    EXPECT_EQ(scripts.line(kReadScript, 3).text, "TX23001005RX28001005" + repeat("VA", 5) + "EN");
}

TEST_F(ScriptTest, RangeBeyondTheImageKeepsTheScriptsAndIsLogged) {
    const ScriptLine before = scripts.line(kReadScript, 2);
    setRanges(0x0000, 0x2000, 0, 0x1FFF);
    scripts.SelectAltCommandSet();
    setRanges(0x0000, -1 /* "FFFF" */, 0, 0x1FFF);
    scripts.SelectStdCommandSet();
    EXPECT_FALSE(scripts.lastBuildOk());
    EXPECT_EQ(sink.places(),
              (std::vector<std::string>{"modCommun->InitProtocol", "modCommun->InitProtocol"}));
    EXPECT_EQ(scripts.lineCount(kReadScript), 514);
    EXPECT_EQ(scripts.line(kReadScript, 2).text, before.text);

    setRanges(0, 0x1FFF, 0, 0x1FFF);
    scripts.SelectAltCommandSet();
    EXPECT_TRUE(scripts.lastBuildOk());
}

TEST(WireAddress, PagesOfOneKilobyte) {
    const std::vector<std::pair<int, std::string>> cases = {
        {0x0000, "0000"}, {0x03FF, "03FF"}, {0x0400, "1000"}, {0x0800, "2000"},
        {0x0B10, "2310"}, {0x1FF0, "73F0"}, {0x1FFF, "73FF"}};
    for (const auto &[address, digits] : cases)
        EXPECT_EQ(wireAddressDigits(address), digits);
    for (int a = 0; a <= kImageTop; ++a) {
        const auto w = wireAddress(a);
        ASSERT_EQ(imageAddressFromWire(w[0], w[1]), a);
    }
    EXPECT_EQ(imageAddressFromWire(0x04, 0x00), -1); // quarter 4 names no address
    EXPECT_EQ(imageAddressFromWire(0x80, 0x00), -1); // beyond 0x1FFF
}

} // namespace
} // namespace cps
