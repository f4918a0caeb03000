// The memory data view inside the real main window: laid out at start-up,
// shown and hidden by the channel window's model frame.
#include "app/mdifrmMain.h"
#include "editors/frmChMem.h"
#include "editors/frmMemDat.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedDialogs.h"

#include <QGroupBox>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

TEST(MemDatMain, ModelFrameClicksShowTheViewOnCountsEndingInSix) {
    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    mdifrmMain main(folder.path());
    ASSERT_TRUE(main.MDIForm_Load());
    main.show();
    frmMemDat *view = main.memDat();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->dataRows(), 512) << "laid out at start-up";
    EXPECT_TRUE(view->vsfgGridMemDat->item(0, 0)->text().isEmpty()) << "filled on request only";
    EXPECT_FALSE(view->isVisible());
    EXPECT_TRUE(view->isWindow()) << "a window of its own beside the main window";

    for (int click = 1; click <= 16; ++click) {
        QTest::mouseClick(main.chMem()->fraModel, Qt::LeftButton, {}, QPoint(8, 8));
        const bool shown = click == 6 || click == 16;
        EXPECT_EQ(view->isVisible(), shown) << "click " << click;
    }

    // Its close box only hides it while the program runs.
    EXPECT_FALSE(view->close());
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(main.memDat(), view);
    main.showMemDat(true);
    EXPECT_TRUE(view->isVisible());
    main.cps().Closing = 1;
}
