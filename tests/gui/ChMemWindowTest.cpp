// The channel and settings windows inside the main window: they stay until exit.
#include "ChMemFixture.h"

#include "editors/frmSysSet.h"

#include <QMdiSubWindow>

using ChMemWindow = ChMemFixture;

TEST_F(ChMemWindow, ChannelWindowStaysMaximisedAndClosesOnlyAtExit) {
    auto *frame = qobject_cast<QMdiSubWindow *>(ch->parentWidget());
    ASSERT_NE(frame, nullptr);
    frame->showNormal();
    settle();
    EXPECT_TRUE(frame->isMaximized());

    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(ch->isVisible());
    c().Closing = 1;
    EXPECT_TRUE(ch->close());
}

TEST_F(ChMemWindow, SettingsWindowHidesInsteadOfClosing) {
    w->showSysSet();
    frmSysSet *sysSet = w->sysSet();
    ASSERT_NE(sysSet, nullptr);
    auto *frame = qobject_cast<QMdiSubWindow *>(sysSet->parentWidget());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(sysSet->windowTitle(), "Optional Features");
    EXPECT_TRUE(frame->isVisible());

    EXPECT_FALSE(frame->close());
    EXPECT_FALSE(frame->isVisible());
    w->showSysSet(); // the same window comes back
    EXPECT_EQ(w->sysSet(), sysSet);
    EXPECT_TRUE(frame->isVisible());

    c().Closing = 1;
    EXPECT_TRUE(sysSet->close());
}
