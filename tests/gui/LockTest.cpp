// The channel-interface lock: both menu marks, the status notices and their
// timers (driven by the test), the key, and a grid that refuses edits.
#include "app/mdifrmMain.h"
#include "editors/frmChMem.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct Lock : ::testing::Test {
    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<mdifrmMain> w;
    void SetUp() override { start(); }
    void start() {
        w = std::make_unique<mdifrmMain>(folder.path());
        ASSERT_TRUE(w->MDIForm_Load());
    }
    bool marks(bool on) {
        return w->action("mnuLockFace")->isChecked() == on && w->action("mnuChLock")->isChecked() == on;
    }
};

TEST_F(Lock, BothEntriesToggleOneStateAndTheKeySurvivesARestart) {
    w->action("mnuLockFace")->trigger();
    EXPECT_TRUE(marks(true));
    EXPECT_EQ(w->cps().LockState, "ShowLock");
    EXPECT_EQ(w->panel(1), "Interface Locked");
    EXPECT_EQ(folder.ini().read("Setting", "ChannelLock", "", 15), "ShowLock");
    w->action("mnuPopChLock")->trigger(); // the grid's pop-up unlocks
    EXPECT_TRUE(marks(false));
    EXPECT_EQ(w->panel(1), "Ready");
    EXPECT_EQ(folder.ini().read("Setting", "ChannelLock", "", 15), "ShowNo");
    w->mnuChLock_Click();
    start();
    EXPECT_TRUE(marks(true));
    EXPECT_EQ(w->cps().LockState, "ShowLock");
    folder.set("ChannelLock", "ShowLock123456789"); // cut to 14 characters: unlocked
    start();
    EXPECT_TRUE(marks(false));
}

TEST_F(Lock, NoticeAndBlinkFollowThePanelRules) {
    w->mnuLockFace_Click();
    w->lockNoticeTick(); // already showing the notice: stays
    EXPECT_EQ(w->panel(1), "Interface Locked");
    EXPECT_FALSE(w->tmrChLockBlink()->isActive());
    w->setPanel(1, "Ready"); // another notice put "Ready" back
    w->lockNoticeTick();
    EXPECT_EQ(w->panel(1), "Interface Locked");
    EXPECT_TRUE(w->tmrChLockBlink()->isActive());
    w->lockBlinkTick();
    EXPECT_EQ(w->panel(1), "Interface Locked");
    w->lockBlinkTick();
    EXPECT_EQ(w->panel(1), "Ready");
    w->setPanel(1, "Printing");
    w->lockBlinkTick();
    EXPECT_EQ(w->panel(1), "Printing"); // other texts are left alone
    w->mnuLockFace_Click();
    EXPECT_EQ(w->panel(1), "Ready");
    EXPECT_FALSE(w->tmrChLockBlink()->isActive());
}

TEST_F(Lock, DeleteOneAndAllRestoreTemplateSlots) {
    auto &c = w->cps();
    w->currentChannel = 2;
    w->mnuDelOne_Click();
    EXPECT_EQ(c.ch.ChInfo[2][1], -1);
    EXPECT_EQ(c.ch.ChInfo[2][0], 1);
    EXPECT_NE(c.ch.ChInfo[3][1], -1);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(c.IicDat[32 + i], c.TempDat[32 + i]);
    w->currentChannel = 100;
    w->mnuDelOne_Click(); // row 100 does nothing
    w->mnuDelAll_Click();
    for (int n = 1; n <= c.cols.channelCount; ++n) EXPECT_EQ(c.ch.ChInfo[n][1], -1) << n;
    EXPECT_TRUE(w->chMem()->vsfgGridCh->item(1, 1) == nullptr ||
                w->chMem()->vsfgGridCh->item(1, 1)->text().isEmpty());
}

} // namespace
