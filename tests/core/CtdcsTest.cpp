#include "core/Ctdcs.h"

#include <gtest/gtest.h>

namespace {

struct Sig : ::testing::Test {
    cps::Cps c;
    cps::CollectingSink sink;
    void SetUp() override {
        c.sink = &sink;
        c.CurLang = 3;
        cps::GenCtdcsList(c);
    }
    uint16_t word(const std::string &text) {
        cps::QtDqtCharToIic(c, text);
        return static_cast<uint16_t>(c.convBuf[1] << 8 | c.convBuf[0]);
    }
};

TEST_F(Sig, TheListHasNoneTonesThenNormalThenInverted) {
    ASSERT_EQ(c.ctdcsList.size(), 261u);
    EXPECT_EQ(c.ctdcsList[0], "None");
    EXPECT_EQ(c.ctdcsList[1], "67.0");
    EXPECT_EQ(c.ctdcsList[50], "254.1");
    EXPECT_EQ(c.ctdcsList[51], "D023N");
    EXPECT_EQ(c.ctdcsList[155], "D754N");
    EXPECT_EQ(c.ctdcsList[156], "D023I");
    EXPECT_EQ(c.ctdcsList[260], "D754I");
    for (int lang : {1, 2}) {
        c.CurLang = static_cast<int16_t>(lang);
        cps::GenCtdcsList(c);
        EXPECT_EQ(c.ctdcsList[0], lang == 1 ? "无" : "無");
    }
}

TEST_F(Sig, WordsAndTextsBothWays) {
    struct Case {
        uint16_t w;
        const char *text;
        bool roundTrips;
    } cases[] = {
        {0x029E, "67.0", true},  {0x0258, "60.0", true},  {0x0A5A, "265.0", true},
        {0x0257, "None", false}, {0x0A5B, "None", false}, {0x29FF, "D777N", true},
        {0x2813, "D023N", true}, {0xA813, "D023I", true}, {0x29EC, "D754N", true},
        {0x0000, "None", false},
    };
    for (const auto &k : cases) {
        EXPECT_EQ(cps::QtDqtIicToChar(c, k.w >> 8, k.w & 0xFF), k.text) << std::hex << k.w;
        if (k.roundTrips) EXPECT_EQ(word(k.text), k.w) << k.text;
    }
    EXPECT_EQ(word("None"), 0xFFFF);
    EXPECT_EQ(word(""), 0xFFFF);
    for (std::size_t i = 0; i < c.ctdcsList.size(); ++i) {
        const auto w = word(c.ctdcsList[i]);
        EXPECT_EQ(cps::QtDqtIicToChar(c, w >> 8, w & 0xFF), c.ctdcsList[i]);
    }
    EXPECT_TRUE(sink.entries.empty());
}

TEST_F(Sig, BadTextsFailBeforeWritingTheBuffer) {
    for (const char *text : {"D023NN", "DX23N"}) {
        c.convBuf = {0x11, 0x22, 0x33, 0x44};
        cps::QtDqtCharToIic(c, text);
        EXPECT_EQ(c.convBuf[0], 0x11) << text;
        EXPECT_EQ(c.convBuf[1], 0x22) << text;
    }
    c.convBuf = {0x11, 0x22, 0, 0};
    cps::QtDqtCharToIic(c, "6553.6"); // tenfold 65536: low byte written, then the failure
    EXPECT_EQ(c.convBuf[0], 0x00);
    EXPECT_EQ(c.convBuf[1], 0x22);
    EXPECT_EQ(sink.entries.size(), 3u);
    EXPECT_EQ(sink.places()[0], "modChMem->QtDqtCharToIic");
}

TEST(CtdcsEntry, TheGridParsesTypedSignalling) {
    const std::pair<const char *, const char *> cases[] = {
        {"67", "67.0"},     {"59.9", "None"},   {"265", "265.0"},  {"88.54", "88.5"},
        {"100", "100.0"},   {"023", "D023N"},   {"D023i", "D023I"}, {"023I", "D023I"},
        {"D754", "D754N"},  {"d023i", "None"},  {"D089", "None"},   {"None", "None"},
        {"", "None"},       {"D023n", "D023N"}, {"D023X", "D023N"}};
    for (auto [in, want] : cases) EXPECT_EQ(cps::parseCtdcsEntry(in, "None"), want) << in;
}

// What is standard comes from the radio's own tone list: a tone between two
// of them names the nearer, the ends name the end tones, and neither none nor a
// DCS code is a tone at all.
TEST(CtdcsEntry, NonStandardTonesNameTheNearestStandardTone) {
    const struct {
        const char *text;
        bool nonStandard;
        const char *nearest;
    } cases[] = {
        {"88.0", true, "88.5"},   {"88.5", false, "88.5"},  {"67.0", false, "67.0"},
        {"60.0", true, "67.0"},   {"68.1", true, "67.0"},   {"68.2", true, "69.3"},
        {"265.0", true, "254.1"}, {"100.1", true, "100.0"}, {"254.1", false, "254.1"},
        {"D023N", false, ""},     {"D754I", false, ""},     {"None", false, ""},
        {"", false, ""},          {"59.9", false, ""},      {"265.1", false, ""},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.text);
        EXPECT_EQ(cps::isNonStandardTone(k.text), k.nonStandard);
        EXPECT_EQ(cps::nearestStandardTone(k.text), k.nearest);
    }
    // Every tone of the list is standard and its own nearest.
    for (const char *tone : cps::ctcssTones()) {
        EXPECT_FALSE(cps::isNonStandardTone(tone)) << tone;
        EXPECT_EQ(cps::nearestStandardTone(tone), tone);
    }
}

} // namespace
