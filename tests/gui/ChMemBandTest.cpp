// Model and band selectors of the channel window.
#include "ChMemFixture.h"

#include "core/MemoryImage.h"
#include "core/Plan.h"
#include "editors/frmMemDat.h"

#include <array>

using ChMemBand = ChMemFixture;

namespace {
std::array<uint8_t, 4> bandBytes(cps::Cps &c) {
    return {c.IicDat[0x37A], c.IicDat[0x37B], c.IicDat[0x37C], c.IicDat[0x37D]};
}
} // namespace

TEST_F(ChMemBand, StartUpSelectsModelZeroAndBandSeven) {
    EXPECT_EQ(ch->cboModel->count(), 1);
    EXPECT_EQ(ch->cboModel->currentText(), "Brenvik");
    EXPECT_EQ(ch->cboFrequency->count(), 15);
    EXPECT_EQ(ch->cboFrequency->currentIndex(), 7);
    EXPECT_EQ(ch->cboFrequency->itemText(14), "Custom");
    EXPECT_EQ(c().IicDat[0x379], 0);
    EXPECT_EQ(bandBytes(c()), (std::array<uint8_t, 4>{0x40, 0x00, 0x47, 0x00}));
    EXPECT_EQ(ch->windowTitle(), "400 - 470 MHz");
}

TEST_F(ChMemBand, ChoosingABandWritesItsBytesAndStartsANewPlan) {
    struct Case {
        int index;
        std::array<uint8_t, 4> bytes;
        int32_t low, high;
        const char *caption;
    } cases[] = {
        {0, {0x13, 0x40, 0x17, 0x40}, 13400000, 17400000, "134 - 174 MHz"},
        {3, {0x15, 0x00, 0x17, 0x40}, 15000000, 17400000, "150 - 174 MHz"},
        {5, {0x24, 0x50, 0x24, 0x60}, 24500000, 24600000, "245 - 246 MHz"},
        {13, {0x12, 0x00, 0x52, 0x00}, 12000000, 52000000, "120 - 520 MHz"},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.index);
        // An edit made before the band change is discarded by the new plan.
        c().ch.ChInfo[2][cps::field::Rx] = 15000000;
        grid->setText(2, 1, "150.00000");
        chooseBand(k.index);
        EXPECT_EQ(bandBytes(c()), k.bytes);
        EXPECT_EQ(c().bandLow, k.low);
        EXPECT_EQ(c().bandHigh, k.high);
        EXPECT_EQ(ch->windowTitle(), k.caption);
        EXPECT_EQ(c().ch.ChInfo[2][cps::field::Rx], 44601875);
        EXPECT_EQ(grid->text(2, 1), "446.01875");
    }
}

TEST_F(ChMemBand, BandFromTheImageSetsTheSelectorsWithoutANewPlan) {
    struct Case {
        std::array<uint8_t, 4> bytes;
        int index;
        const char *caption;
    } cases[] = {
        {{0x12, 0x00, 0x52, 0x00}, 13, "120 - 520 MHz"},
        {{0x13, 0x40, 0x17, 0x50}, 14, "Custom  134 - 175 MHz"},
        {{0x44, 0x00, 0x48, 0x00}, 10, "440 - 480 MHz"},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.index);
        for (int i = 0; i < 4; ++i)
            c().IicDat[0x37A + i] = k.bytes[i];
        c().IicDat[0x379] = 5; // an unknown model falls back to the only one
        c().IicDat[16 + 0] = 0x00;
        c().IicDat[16 + 1] = 0x25;
        c().IicDat[16 + 2] = 0x51;
        c().IicDat[16 + 3] = 0x14; // channel 1 at 145.125 MHz, as a file would bring it
        cps::SoftDisplay(c());
        settle();
        EXPECT_EQ(ch->cboFrequency->currentIndex(), k.index);
        EXPECT_EQ(ch->cboModel->currentIndex(), 0);
        EXPECT_EQ(c().IicDat[0x379], 0);
        EXPECT_EQ(ch->windowTitle(), k.caption);
        EXPECT_EQ(bandBytes(c()), k.bytes); // no band selection ran
        EXPECT_EQ(grid->text(1, 1), "145.12500");
    }
}

TEST_F(ChMemBand, ModelFrameClicksToggleTheMemoryView) {
    QWidget *view = w->memDat();
    ASSERT_NE(view, nullptr);
    std::vector<int> shownAt;
    for (int click = 1; click <= 26; ++click) {
        QTest::mouseClick(ch->fraModel, Qt::LeftButton, {}, QPoint(4, 4));
        if (view->isVisible())
            shownAt.push_back(click);
    }
    EXPECT_EQ(shownAt, (std::vector<int>{6, 16, 26}));
}
