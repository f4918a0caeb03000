#include "core/ChannelCodec.h"
#include "core/ChannelEntry.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(ChannelEntry, RasterSnapsToTheNearerStepAndTiesGoTo625) {
    const std::pair<long long, int32_t> cases[] = {
        {14652100, 14652000}, {14651875, 14651875}, {14652250, 14652500},
        {1200, 1250},         {44600625, 44600625}, {43000000, 43000000}};
    for (auto [in, want] : cases) EXPECT_EQ(cps::ModifyTxRxFre(in), want) << in;
    EXPECT_THROW(cps::ModifyTxRxFre(3000000000LL), cps::RunError);
}

struct Entry : ::testing::Test {
    testsupport::ProgramFolder folder;
    cps::Cps c;
    void SetUp() override {
        testsupport::initCps(c, folder);
        cps::selectBand(c, 0); // 134 - 174 MHz
        cps::DelOneChannel(c, 3);
    }
    int32_t f(int field) { return c.ch.ChInfo[3][field]; }
};

TEST_F(Entry, TypedFrequenciesAreExactSnappedAndClamped) {
    const std::pair<const char *, int32_t> cases[] = {
        {"146.52", 14652000},  {"146.521", 14652000}, {"146.51875", 14651875},
        {"146.5225", 14652500}, {"180", 17400000},    {"100", 13400000},
        {"146.525000000000001", 14652500}, {"99999999999", 13400000}};
    for (auto [text, want] : cases) EXPECT_EQ(cps::frequencyFromEntry(c, text), want) << text;
    EXPECT_FALSE(cps::frequencyFromEntry(c, "abc"));
}

TEST_F(Entry, ANewChannelTakesNoneTextTransmitCopyAndDefaults) {
    c.ch.ChInfo[3][5] = -1;
    cps::enterReceive(c, 3, "146.52");
    EXPECT_EQ(f(1), 14652000);
    EXPECT_EQ(f(2), 14652000);
    EXPECT_EQ(c.ch.decText[3], "None");
    EXPECT_EQ(c.ch.encText[3], "None");
    EXPECT_EQ(f(5), cps::toInt16(c.cols.item(5, 2)));
    cps::enterTransmit(c, 3, "");
    EXPECT_EQ(f(2), -1);
    EXPECT_EQ(c.ch.encText[3], "");
    cps::enterReceive(c, 3, "147"); // an existing receive-only channel stays receive-only
    EXPECT_EQ(f(2), -1);
    cps::enterSignalling(c, 3, 3, "023");
    EXPECT_EQ(c.ch.decText[3], "D023N");
    EXPECT_EQ(c.ch.encText[3], ""); // no transmit frequency, no encode
    cps::enterReceive(c, 3, "x");
    EXPECT_EQ(f(1), -1);
    EXPECT_EQ(f(5), -1);
    EXPECT_EQ(c.ch.decText[3], "");
}

} // namespace
