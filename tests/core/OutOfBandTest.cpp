#include "core/OutOfBand.h"
#include "core/ChannelCodec.h"
#include "support/ProgramFolder.h"

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

} // namespace
