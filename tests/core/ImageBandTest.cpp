#include "core/ErrorLog.h"
#include "core/MemoryImage.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(Band, EveryRowStoresAndDecodesBackToItself) {
    testsupport::ProgramFolder folder;
    cps::Cps c;
    cps::CollectingSink sink;
    testsupport::initCps(c, folder, 3, &sink);
    for (int i = 0; i < 14; ++i) {
        cps::selectBand(c, i);
        const auto &row = cps::bandTable()[static_cast<std::size_t>(i)];
        EXPECT_EQ(c.IicDat[0x37A], cps::bandEdgeBytes(row.low)[0]);
        c.bandIndex = -1;
        cps::decodeModelBand(c);
        EXPECT_EQ(c.bandIndex, i) << row.caption;
        EXPECT_EQ(c.bandLow, row.low);
        EXPECT_EQ(c.bandHigh, row.high);
    }
    cps::selectBand(c, 13);
    EXPECT_EQ((std::vector<int>{c.IicDat[0x37A], c.IicDat[0x37B], c.IicDat[0x37C], c.IicDat[0x37D]}),
              (std::vector<int>{0x12, 0x00, 0x52, 0x00}));
    EXPECT_TRUE(sink.entries.empty());
}

TEST(Band, UnknownPairIsCustomAndModelIsRepaired) {
    testsupport::ProgramFolder folder;
    cps::Cps c;
    testsupport::initCps(c, folder);
    c.IicDat[0x379] = 5;
    c.IicDat[0x37A] = 0x13, c.IicDat[0x37B] = 0x40, c.IicDat[0x37C] = 0x17, c.IicDat[0x37D] = 0x50;
    cps::decodeModelBand(c);
    EXPECT_EQ(c.modelIndex, 0);
    EXPECT_EQ(c.IicDat[0x379], 0);
    EXPECT_EQ(c.bandIndex, cps::kCustomBand);
    EXPECT_EQ(c.bandLow, 13400000);
    EXPECT_EQ(c.bandHigh, 17500000);
    EXPECT_EQ(cps::bandCaption(c, c.bandIndex, c.bandLow, c.bandHigh), "Custom  134 - 175 MHz");
}

TEST(Band, EdgesRoundHalfToEvenIn100kHz) {
    EXPECT_EQ(cps::bandEdgeBytes(13605000), (std::array<uint8_t, 2>{0x13, 0x60})); // 1360.5 -> 1360
    EXPECT_EQ(cps::bandEdgeBytes(13615000), (std::array<uint8_t, 2>{0x13, 0x62})); // 1361.5 -> 1362
    EXPECT_EQ(cps::bandEdgeValue(0x40, 0x00), 40000000);
}

TEST(ColumnTable, FiftyItemsAndTerminatorReadWholeAFiftyFirstFails) {
    for (bool terminated : {true, false}) {
        testsupport::ProgramFolder folder;
        auto ini = folder.ini();
        ini.write("ChInfo", "3002", "1");
        for (int k = 0; k < 50; ++k)
            ini.write("ChInfo", std::to_string(3200 + k), "item" + std::to_string(k));
        ini.write("ChInfo", "3250", terminated ? "*EndOfThisItem*" : "item50");
        cps::Cps c;
        cps::CollectingSink sink;
        c.files = cps::portableLocations(folder.path().toStdString());
        c.SettingsFile = folder.settingsFile().toStdString();
        c.sink = &sink;
        cps::ReadChInfo(c);
        ASSERT_EQ(c.cols.itemCount(1), 50); // values read before a failure stay
        EXPECT_EQ(c.cols.item(1, 49), "item49");
        EXPECT_EQ(sink.places(), terminated ? std::vector<std::string>{}
                                            : std::vector<std::string>{"modChMem->ReadChInfo"});
    }
}

TEST(ErrorLog, LinesCarryTheExactLabels) {
    EXPECT_EQ(cps::errorLogRuntimeLine("modChMem->IcRxFreSol", 9, "BrenvikCPS"),
              "         错误:  modChMem->IcRxFreSol     出错号:   9     出错点:  BrenvikCPS"
              "     出错描述:  数组索引超出范围");
    const auto unknown = cps::errorLogRuntimeLine("x", 32, "s");
    EXPECT_EQ(unknown.substr(unknown.size() - std::string("     出错描述:  ").size()),
              "     出错描述:  ");
    EXPECT_EQ(cps::errorLogOptionLine("r"), "        可选功能项:   r");
    const auto first = cps::errorLogFirstLine();
    EXPECT_EQ(first.substr(0, 9), "---------");
    EXPECT_EQ(first.substr(first.size() - 8), "--------");
}

} // namespace
