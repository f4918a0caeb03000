#include "core/ChannelCodec.h"
#include "core/Ctdcs.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

namespace {

// A decoded default plan with every slot under the test's control.
struct Codec : ::testing::Test {
    testsupport::ProgramFolder folder;
    cps::Cps c;
    cps::CollectingSink sink;
    void SetUp() override { testsupport::initCps(c, folder, 3, &sink); sink.entries.clear(); }
    void putSlot(int n, std::vector<uint8_t> bytes) {
        for (std::size_t i = 0; i < bytes.size(); ++i) c.IicDat[cps::slotAddress(n) + i] = bytes[i];
    }
    std::vector<uint8_t> slot(int n) {
        auto b = c.IicDat.begin() + cps::slotAddress(n);
        return {b, b + 16};
    }
    int32_t f(int n, int field) { return c.ch.ChInfo[n][field]; }
};

TEST_F(Codec, FrequenciesAreBcdLeastSignificantByteFirst) {
    putSlot(1, {0x00, 0x25, 0x51, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0x9E, 0x02, 0x13, 0xA8, 0x00, 0x00});
    cps::IicDatToChInfo(c);
    EXPECT_EQ(f(1, 1), 14512500);
    EXPECT_EQ(f(1, 2), -1); // transmit absent
    EXPECT_EQ(c.ch.decText[1], "67.0");
    EXPECT_EQ(c.ch.encText[1], "D023I");
    cps::ChInfoToIicDat(c);
    EXPECT_EQ(slot(1), (std::vector<uint8_t>{0x00, 0x25, 0x51, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0x9E,
                                             0x02, 0x13, 0xA8, 0x00, 0x00, slot(1)[14], slot(1)[15]}));
    EXPECT_TRUE(sink.entries.empty());
}

TEST_F(Codec, EmptySlotsByByteThree) {
    for (uint8_t b3 : {0x00, 0xFF, 0x9A}) {
        putSlot(2, {0x11, 0x22, 0x33, b3});
        c.cols.items[5][2] = "1";
        cps::IicDatToChInfo(c);
        EXPECT_EQ(f(2, 1), -1) << int(b3);
        EXPECT_EQ(f(2, 2), -1);
        EXPECT_EQ(f(2, 5), 1); // the column's default
    }
}

TEST_F(Codec, ParameterBitsAndTheChannelListWord) {
    putSlot(16, {0x00, 0x00, 0x50, 0x44, 0x00, 0x00, 0x50, 0x44, 0xFF, 0xFF, 0xFF, 0xFF, 0x18 | 0x41, 0x30});
    c.IicDat[0x17E] = 0x00;
    c.IicDat[0x17F] = 0x80;
    cps::IicDatToChInfo(c);
    EXPECT_EQ(f(16, 8), 0); // both bits set reads as 0
    EXPECT_EQ(f(16, 5), 1);
    EXPECT_EQ(f(16, 6), 1);
    EXPECT_EQ(f(16, 7), 1); // channel 16 = bit 7 of 0x017F
    c.ch.ChInfo[16][6] = 0;
    c.ch.ChInfo[16][7] = 0;
    cps::ChInfoToIicDat(c);
    EXPECT_EQ(c.IicDat[cps::slotAddress(16) + 12], 0x41); // bits 3-4 cleared, others kept
    EXPECT_EQ(c.IicDat[cps::slotAddress(16) + 13], 0x20);
    EXPECT_EQ(c.IicDat[0x17F], 0x00);
    c.ch.ChInfo[16][8] = 2;
    cps::ChInfoToIicDat(c);
    EXPECT_EQ(c.IicDat[cps::slotAddress(16) + 12], 0x51);
}

TEST_F(Codec, BadReceiveNibbleReportsAndSets120MHz) {
    putSlot(3, {0x0A, 0x00, 0x50, 0x44, 0x0B, 0x00, 0x50, 0x44});
    c.ch.ChInfo[3][2] = 777;
    cps::IicDatToChInfo(c);
    EXPECT_EQ(f(3, 1), 12000000);
    EXPECT_EQ(f(3, 2), 777); // transmit left unchanged
    EXPECT_EQ(sink.places(), (std::vector<std::string>{"modChMem->IcRxFreSol", "modChMem->IcTxFreSol"}));
}

TEST_F(Codec, ChannelsAboveSixteenFailAtTheListWord) {
    c.cols.channelCount = 17;
    putSlot(17, {0x00, 0x00, 0x50, 0x44, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x08, 0x20});
    c.ch.ChInfo[17][8] = 2;
    cps::IicDatToChInfo(c);
    EXPECT_EQ(f(17, 5), 1); // byte 13 converted first
    EXPECT_EQ(f(17, 8), 2); // not reached
    EXPECT_EQ(f(17, 1), 44500000); // the next step still runs
    EXPECT_EQ(sink.places(), std::vector<std::string>{"modChMem->IcChParaSol"});
}

TEST_F(Codec, NonNumericColumnDefaultStopsTheDecoding) {
    putSlot(1, {0xFF, 0xFF, 0xFF, 0xFF});
    c.ch.ChInfo[2][1] = 555;
    c.cols.items[5][2] = "abc";
    cps::IicDatToChInfo(c);
    EXPECT_EQ(f(2, 1), 555); // later channels not decoded
    EXPECT_EQ(sink.places(), std::vector<std::string>{"modChMem->IicDatToChInfo"});
}

TEST_F(Codec, DeleteRestoresTheTemplateSlotAndEmptiesTexts) {
    cps::IicDatToChInfo(c);
    ASSERT_NE(f(1, 1), -1);
    cps::DelOneChannel(c, 1);
    EXPECT_EQ(f(1, 0), 1);
    EXPECT_EQ(f(1, 1), -1);
    auto tmpl = std::vector<uint8_t>(c.TempDat.begin() + 16, c.TempDat.begin() + 32);
    EXPECT_EQ(slot(1), tmpl);
    cps::ChInfoToIicDat(c);
    EXPECT_EQ(slot(1)[8], 0xFF);
    EXPECT_EQ(slot(1)[11], 0xFF);
    cps::DelOneChannel(c, 261);
    EXPECT_EQ(sink.places().back(), "modChMem->DelOneChannel");
}

TEST_F(Codec, DecodeEncodeKeepsUsedSlotsExceptTheListedCases) {
    putSlot(4, {0x00, 0x50, 0x21, 0x46, 0x12, 0x34, 0x56, 0x00, 0x00, 0x00, 0xEC, 0x29, 0x18, 0x00, 0xAB, 0xCD});
    const auto before = c.IicDat;
    cps::IicDatToChInfo(c);
    cps::ChInfoToIicDat(c);
    auto s = slot(4);
    EXPECT_EQ(std::vector<uint8_t>(s.begin(), s.begin() + 4), (std::vector<uint8_t>{0x00, 0x50, 0x21, 0x46}));
    EXPECT_EQ(std::vector<uint8_t>(s.begin() + 4, s.begin() + 8), std::vector<uint8_t>(4, 0xFF)); // no tx
    EXPECT_EQ(s[8], 0xFF); // word 0x0000 is no known form
    EXPECT_EQ(s[9], 0xFF);
    EXPECT_EQ(s[10], 0xEC); // D754N survives
    EXPECT_EQ(s[11], 0x29);
    EXPECT_EQ(s[12], 0x00); // both bits 3-4 lost
    EXPECT_EQ(s[14], 0xAB);
    EXPECT_EQ(s[15], 0xCD);
    for (int n : {1, 2, 3, 5, 6}) EXPECT_EQ(slot(n), std::vector<uint8_t>(before.begin() + 16 * n, before.begin() + 16 * n + 16)) << n;
}

} // namespace
