#include "core/Options.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

namespace {

struct Options : ::testing::Test {
    testsupport::ProgramFolder folder;
    cps::Cps c;
    cps::CollectingSink sink;
    void SetUp() override {
        testsupport::initCps(c, folder, 3, &sink);
        sink.entries.clear();
    }
    int16_t shown(int k) { return c.opt.sel[static_cast<std::size_t>(k)]; }
};

TEST_F(Options, ImageBytesIntoSelections) {
    struct Case {
        int address;
        uint8_t byte;
        int option;
        int want; // -2: the option's default
    } cases[] = {
        {0x130, 21, cps::opt::Tot, -2},        {0x130, 20, cps::opt::Tot, 20},
        {0x130, 0, cps::opt::Tot, 0},          {0x3F6, 0x86, cps::opt::RadioSql, 0},
        {0x3F6, 0xA6, cps::opt::RadioSql, 32}, {0x3F6, 0x85, cps::opt::RadioSql, -2},
        {0x3F6, 0xA7, cps::opt::RadioSql, -2}, {0x3F7, 0xA7, cps::opt::RadioVolume, 7},
        {0x134, 10, cps::opt::Sql, -2},        {0x13B, 5, cps::opt::VoxDly, 5},
        {0x3FC, 0x80, cps::opt::EmergencyAlarm, 1}, {0x3FE, 0x04, cps::opt::LowBatTx, 1},
        {0x3FE, 0x03, cps::opt::AnChipSel, 1}, {0x135, 0xFE, cps::opt::BatSave, 0},
    };
    for (const auto &k : cases) {
        const auto saved = c.IicDat[static_cast<std::size_t>(k.address)];
        c.IicDat[static_cast<std::size_t>(k.address)] = k.byte;
        cps::SaveToOptSel(c);
        const int want = k.want == -2 ? c.opt.def[static_cast<std::size_t>(k.option)] : k.want;
        EXPECT_EQ(shown(k.option), want) << std::hex << k.address << " = " << int(k.byte);
        c.IicDat[static_cast<std::size_t>(k.address)] = saved;
    }
    const std::pair<uint8_t, uint8_t> crystal[] = {{0x49, 0x00}, {0x49, 0xC0}, {0x00, 0x80}, {0x75, 0}, {0x12, 0xC0}};
    const int wantCrystal[] = {2, 2, 2, 1, 3};
    for (int i = 0; i < 5; ++i) {
        c.IicDat[0x3D8] = crystal[i].first;
        c.IicDat[0x3D3] = crystal[i].second;
        cps::SaveToOptSel(c);
        EXPECT_EQ(shown(cps::opt::Crystal), wantCrystal[i]) << i;
    }
}

TEST_F(Options, SelectionsIntoImageBytes) {
    c.opt.sel[cps::opt::RadioVolume] = 7;
    c.opt.sel[cps::opt::EmergencyAlarm] = 1;
    c.opt.sel[cps::opt::LowBatTx] = 0;
    c.opt.sel[cps::opt::AnChipSel] = 1;
    c.opt.sel[cps::opt::Crystal] = 3;
    c.IicDat[0x3FC] = 0x7F;
    c.IicDat[0x3FE] = 0xFF;
    c.IicDat[0x3D8] = 0x5A;
    cps::OptSelToSave(c);
    EXPECT_EQ(c.IicDat[0x3F7], 0xA7);
    EXPECT_EQ(c.IicDat[0x3FC], 0xFF);
    EXPECT_EQ(c.IicDat[0x3FE], 0xFB); // only bit 2 changes; the voice chip is never written
    EXPECT_EQ(c.IicDat[0x3D8], 0x5A); // the crystal is never written
    EXPECT_TRUE(sink.entries.empty());
}

TEST_F(Options, AValueThatDoesNotFitAByteFailsThere) {
    c.opt.sel[cps::opt::Tot] = 3;
    c.opt.sel[cps::opt::Sql] = -1;
    c.opt.sel[cps::opt::Volume] = 9;
    c.IicDat[0x3FF] = 0;
    cps::OptSelToSave(c);
    EXPECT_EQ(c.IicDat[0x130], 3);
    EXPECT_EQ(c.IicDat[0x3FF], 0); // after the failure nothing more is written
    EXPECT_EQ(sink.places(), std::vector<std::string>{"modSysSet->OptSelToSave"});
}

TEST_F(Options, ShowingReplacesOutOfRangeValuesAndLogsTheRangeMessage) {
    c.IicDat[0x3FE] = 0x02; // voice chip 2: outside the two-entry list
    cps::SaveToOptSel(c);
    c.opt.sel[cps::opt::Beep] = 5;
    cps::InitOptValues(c);
    EXPECT_EQ(shown(cps::opt::AnChipSel), c.opt.def[cps::opt::AnChipSel]);
    EXPECT_EQ(shown(cps::opt::Beep), 1);
    ASSERT_EQ(sink.entries.size(), 1u);
    EXPECT_TRUE(sink.entries[0].optionRange);
    EXPECT_EQ(sink.entries[0].place,
              "出错位置: frmChMem->InitOpt->语音片选择     错误类型: 不在范围内");
    EXPECT_EQ(cps::optionRangeMessage(cps::opt::RadioSql),
              "出错位置: frmChMem->InitOpt->收音机静噪电平   错误类型: 不在范围内");
}

TEST_F(Options, NewPlanCopiesDefaultsAndWritesCurrentSelections) {
    folder.set("3001", "7", "Option");
    cps::OptNowDefSol(c, 0);
    cps::OptNowDefSol(c, 2);
    EXPECT_EQ(shown(0), 7);
    EXPECT_EQ(folder.ini().read("Option", "3501", "", 20), "7");
    folder.set("0", "101", "Option");
    cps::OptNowDefSol(c, 0);
    EXPECT_EQ(sink.places().back(), "modSysSet->OptNowDefSol");
}

// Without windows (the command line) the new selections stay in memory; a
// settings file that cannot take them is one error entry, not one per key.
TEST_F(Options, NewPlanWithoutWindowsOrWithAnUnwritableFile) {
    folder.set("3001", "7", "Option");
    folder.set("3502", "9", "Option");
    QFile settings(folder.settingsFile());
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray before = settings.readAll();
    settings.close();

    c.settingsReadOnly = true;
    cps::OptNowDefSol(c, 0);
    cps::OptNowDefSol(c, 2);
    EXPECT_EQ(shown(0), 7);
    EXPECT_EQ(shown(1), c.opt.def[1]);
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_EQ(settings.readAll(), before);
    settings.close();
    EXPECT_TRUE(sink.entries.empty());

    c.settingsReadOnly = false;
    c.SettingsFile = folder.path().toStdString() + "/Data"; // a folder: cannot be replaced
    QDir(folder.path()).mkdir("Data");
    cps::OptNowDefSol(c, 2);
    ASSERT_EQ(sink.entries.size(), 1u);
    EXPECT_EQ(sink.entries[0].place, "modSysSet->OptNowDefSol");
    EXPECT_EQ(sink.entries[0].number, 75);
}

} // namespace
