// The navigation tree pane and the About box, inside the real main window.
#include "app/frmAboutSoft.h"
#include "app/frmTreeView.h"
#include "app/mdifrmMain.h"
#include "editors/frmChMem.h"
#include "editors/frmRadioInfo.h"
#include "editors/frmSysSet.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class TreeAbout : public ::testing::Test {
  protected:
    void start(int lang = 3) {
        folder.set("Language", std::to_string(lang));
        main = std::make_unique<mdifrmMain>(folder.path());
        ASSERT_TRUE(main->MDIForm_Load());
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    }
    frmTreeView *openTree() {
        main->showTreeView();
        return main->treeView();
    }
    void clickNode(frmTreeView *tree, const QString &key) {
        QTreeWidgetItem *node = tree->node(key);
        ASSERT_NE(node, nullptr) << key.toStdString();
        const QRect r = tree->treevMain->visualItemRect(node);
        ASSERT_TRUE(r.isValid()) << key.toStdString();
        QTest::mouseClick(tree->treevMain->viewport(), Qt::LeftButton, {}, r.center());
    }
    QWidget *activeChild() const {
        QMdiSubWindow *sub = main->mdiArea()->activeSubWindow();
        return sub ? sub->widget() : nullptr;
    }

    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<mdifrmMain> main;
};

} // namespace

TEST_F(TreeAbout, TreePaneDocksLeftWithTheRadioAndItsThreeWindows) {
    start();
    frmTreeView *tree = openTree();
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(tree->isVisible());
    EXPECT_EQ(main->dockWidgetArea(tree), Qt::LeftDockWidgetArea);
    ASSERT_EQ(tree->treevMain->topLevelItemCount(), 1);
    QTreeWidgetItem *root = tree->treevMain->topLevelItem(0);
    EXPECT_EQ(frmTreeView::keyOf(root), "Radio");
    EXPECT_EQ(root->text(0), "");
    EXPECT_TRUE(root->isExpanded());
    const struct {
        const char *key, *caption;
    } children[] = {
        {"RadioInfo", "Radio Info"}, {"ChInfo", "Channel Info"}, {"SysSet", "Optional Features"}};
    ASSERT_EQ(root->childCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(frmTreeView::keyOf(root->child(i)), children[i].key);
        EXPECT_EQ(root->child(i)->text(0), children[i].caption);
    }
    EXPECT_EQ(tree->treevMain->indentation(), 20); // 300 twips
    EXPECT_TRUE(tree->treevMain->rootIsDecorated());
    EXPECT_EQ(main->treeView(), openTree()) << "the pane is created once";
}

TEST_F(TreeAbout, NodesBringTheirWindowToTheFrontMaximisedAndTheRootNothing) {
    start();
    frmTreeView *tree = openTree();
    clickNode(tree, "RadioInfo");
    ASSERT_NE(main->radioInfo(), nullptr);
    ASSERT_EQ(activeChild(), main->radioInfo());
    // The root opens nothing: no window is created, none comes forward.
    clickNode(tree, "Radio");
    EXPECT_EQ(activeChild(), main->radioInfo());
    EXPECT_EQ(main->sysSet(), nullptr);

    const char *order[] = {"SysSet", "ChInfo", "RadioInfo", "ChInfo"};
    for (const char *key : order) {
        clickNode(tree, key);
        QWidget *expected = QString(key) == "RadioInfo" ? static_cast<QWidget *>(main->radioInfo())
                            : QString(key) == "SysSet"  ? static_cast<QWidget *>(main->sysSet())
                                                        : static_cast<QWidget *>(main->chMem());
        ASSERT_NE(expected, nullptr) << key;
        EXPECT_EQ(activeChild(), expected) << key;
        EXPECT_TRUE(main->mdiArea()->activeSubWindow()->isMaximized()) << key;
        EXPECT_TRUE(expected->isVisible()) << key;
        // And it stays on top once pending work has run (no other window pulls itself forward).
        QApplication::processEvents();
        EXPECT_EQ(main->mdiArea()->subWindowList(QMdiArea::StackingOrder).last()->widget(), expected)
            << key;
    }
}

TEST_F(TreeAbout, OpeningThePaneKeepsTheCurrentOptionSelections) {
    start();
    cps::Cps &c = main->cps();
    // A choice made in the option controls lives only in the selection table
    // until the next conversion; reloading the pane must not undo it.
    const auto defaults = c.opt.def;
    c.opt.sel[0] = static_cast<int16_t>(c.opt.sel[0] + 1);
    const auto chosen = c.opt.sel;
    openTree();
    EXPECT_EQ(c.opt.sel, chosen);
    EXPECT_EQ(c.opt.def, defaults);
}

TEST_F(TreeAbout, AboutBoxInEachLanguageAndOkClosesIt) {
    const struct {
        int lang;
        const char *caption, *title, *range, *version, *ok;
    } cases[] = {
        {1, "关于", "Tolsa系列对讲机编程软件", "用于Tolsa", "版本 1.3", "确定"},
        {2, "關於", "Tolsa系列對講機編程軟體", "用於Tolsa", "版本 1.3", "確定"},
        {3, "About", "Tolsa Radio Programming Software", "For Tolsa", "Version 1.3", "OK"},
    };
    for (const auto &tc : cases) {
        start(tc.lang);
        bool seen = false;
        // The box is modal: look at it and press OK from inside its loop.
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<frmAboutSoft *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = true;
            EXPECT_EQ(box->windowTitle(), QString::fromUtf8(tc.caption));
            EXPECT_EQ(box->lblTitle->text(), QString::fromUtf8(tc.title));
            EXPECT_EQ(box->lblUseRange->text(), QString::fromUtf8(tc.range));
            EXPECT_EQ(box->lblVersion->text(), QString::fromUtf8(tc.version));
            EXPECT_EQ(box->cmdOK->text(), QString::fromUtf8(tc.ok));
            EXPECT_FALSE(box->lblRelease->text().isEmpty());
            EXPECT_TRUE(box->lblDescription->isVisible());
            EXPECT_TRUE(box->lblRights->isVisible());
            EXPECT_FALSE(box->picAboutSoft->pixmap().isNull());
            EXPECT_EQ(box->lblTitle->font().pointSize(), 14);
            const QString font = QString::fromStdString(main->cps().CurFont);
            EXPECT_EQ(box->lblVersion->font().family(), font);
            EXPECT_EQ(box->cmdOK->font().family(), font);
            QTest::mouseClick(box->cmdOK, Qt::LeftButton);
        });
        main->showAbout(); // returns once OK has closed the box
        EXPECT_TRUE(seen) << tc.lang;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        main->cps().Closing = 1;
        main.reset();
    }
}
