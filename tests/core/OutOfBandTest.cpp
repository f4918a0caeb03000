#include "core/OutOfBand.h"
#include "core/ChannelCodec.h"
#include "support/ProgramFolder.h"

#include <optional>

#include <gtest/gtest.h>

namespace {

using cps::field::Rx;
using cps::field::Tx;

TEST(OutOfBand, NewPlanOnAnotherBandKeepsTheDefaultChannelsOutside) {
    testsupport::ProgramFolder folder;
    cps::Cps c;
    testsupport::initCps(c, folder);
    EXPECT_TRUE(cps::channelsOutsideBand(c).empty()); // 400-470 MHz, default channels inside
    std::vector<int> inUse;
    for (int n = 1; n <= c.cols.channelCount; ++n)
        if (c.ch.ChInfo[n][Rx] != -1)
            inUse.push_back(n);
    ASSERT_FALSE(inUse.empty());
    cps::selectBand(c, 3); // 150-174 MHz
    EXPECT_EQ(cps::channelsOutsideBand(c), inUse);
}

TEST(OutOfBand, EdgesAreInsideAndEitherFrequencyCounts) {
    testsupport::ProgramFolder folder;
    cps::Cps c;
    testsupport::initCps(c, folder);
    struct Case {
        int32_t rx, tx;
        bool outside;
    } cases[] = {
        {40000000, 47000000, false}, // both exactly on the edges
        {39999999, 40000000, true},  // receive 10 Hz below
        {40000000, 47000001, true},  // transmit 10 Hz above
        {45000000, -1, false},       // receive only
        {47000001, -1, true},
        {-1, 10000000, false}, // not in use: a stale transmit value does not count
    };
    for (const auto &k : cases) {
        for (int n = 1; n <= c.cols.channelCount; ++n)
            c.ch.ChInfo[n][Rx] = c.ch.ChInfo[n][Tx] = -1;
        c.ch.ChInfo[5][Rx] = k.rx;
        c.ch.ChInfo[5][Tx] = k.tx;
        EXPECT_EQ(cps::channelsOutsideBand(c), k.outside ? std::vector<int>{5} : std::vector<int>{})
            << k.rx << " / " << k.tx;
    }
    // Rows past the channel count are not channels of this plan.
    c.ch.ChInfo[c.cols.channelCount + 1][Rx] = 10000000;
    EXPECT_TRUE(cps::channelsOutsideBand(c).empty());
}

// A frequency entered in bulk snaps as a typed one does but is never clamped:
// outside the band (400-470 MHz) there is no frequency.
TEST(OutOfBand, BulkFrequenciesSnapButAreNotClamped) {
    testsupport::ProgramFolder folder;
    cps::Cps c;
    testsupport::initCps(c, folder);
    const struct {
        const char *mhz;
        std::optional<int32_t> stored;
    } cases[] = {
        {"446.00625", 44600625},
        {"446.001", 44600000},
        {"400", 40000000},
        {"470", 47000000},
        {"470.001", 47000000}, // snaps onto the edge
        {"470.004", {}},
        {"999.0", {}},
        {"146.52", {}},
        {"399.997", {}},
        {"-446", {}},
        {"99999999999999", {}},
        {"abc", {}},
        {"", {}},
    };
    for (const auto &k : cases)
        EXPECT_EQ(cps::frequencyInBand(c, k.mhz), k.stored) << k.mhz;
}

TEST(OutOfBand, ChannelsWithNonStandardTonesAndTheirRanges) {
    testsupport::ProgramFolder folder;
    cps::Cps c;
    testsupport::initCps(c, folder);
    for (int n = 1; n <= c.cols.channelCount; ++n)
        c.ch.ChInfo[n][Rx] = c.ch.ChInfo[n][Tx] = -1;
    const auto channel = [&](int n, int32_t tx, const char *dec, const char *enc) {
        c.ch.ChInfo[n][Rx] = 44600000;
        c.ch.ChInfo[n][Tx] = tx;
        c.ch.decText[n] = dec;
        c.ch.encText[n] = enc;
    };
    channel(1, 44600000, "88.0", "88.0"); // decode
    channel(2, 44600000, "88.5", "71.0"); // encode
    channel(3, 44600000, "88.5", "D023N");
    channel(4, -1, "67.0", "71.0"); // receive only: the encode is never sent
    channel(5, 44600000, "None", "None");
    channel(7, 44600000, "150.0", "150.0");
    c.ch.decText[8] = "88.0"; // not in use
    EXPECT_EQ(cps::channelsWithNonStandardTones(c), (std::vector<int>{1, 2, 7}));

    EXPECT_EQ(cps::channelRanges({}), "");
    EXPECT_EQ(cps::channelRanges({5}), "5");
    EXPECT_EQ(cps::channelRanges({1, 2, 7}), "1-2, 7");
    EXPECT_EQ(cps::channelRanges({1, 2, 3, 5, 7, 8, 9, 16}), "1-3, 5, 7-9, 16");
}

} // namespace
