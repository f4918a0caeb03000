// The tool as a desktop application: window placement, Ctrl+W, the channel
// window that stays up, the error pane coming back, Enter and Escape in every
// dialog, Qt's own texts in the interface language, and the help window.
#include "app/QtTranslations.h"
#include "app/WindowIcon.h"
#include "app/WindowPlacement.h"
#include "app/frmHelp.h"
#include "app/frmShowErr.h"
#include "app/mdifrmMain.h"
#include "editors/ChMemGrid.h"
#include "editors/Dialogs.h"
#include "editors/frmChMem.h"
#include "editors/frmCommun.h"
#include "editors/frmCustomFre.h"
#include "editors/frmMemDat.h"
#include "editors/frmPartFill.h"
#include "editors/frmToolCom.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using placement::Placement;

TEST(WindowPlacement, ChoosesAPlaceThatFits) {
    const QRect laptop(0, 0, 1366, 740), wide(0, 0, 1920, 1050), second(1920, 0, 1280, 1024);
    const Placement saved{QRect(100, 80, 1000, 700), false};
    const Placement offScreen{QRect(3000, 80, 1000, 700), false};
    struct Case {
        const char *what;
        Placement saved;
        QList<QRect> screens;
        bool maximised;
        QRect geometry; // empty: only checked to lie on the first screen
    } cases[] = {
        {"nothing saved, small laptop", {}, {laptop}, true, laptop},
        {"nothing saved, 1280x800 less its panel", {}, {QRect(0, 0, 1280, 770)}, true, {}},
        {"nothing saved, large screen", {}, {wide}, false, QRect(320, 125, 1280, 800)},
        {"saved place still on screen", saved, {wide}, false, saved.geometry},
        {"saved maximised", {saved.geometry, true}, {wide}, true, saved.geometry},
        {"saved on a second screen",
         {QRect(2000, 50, 900, 600), false},
         {wide, second},
         false,
         QRect(2000, 50, 900, 600)},
        {"saved on a screen that is gone", offScreen, {wide}, false, QRect(320, 125, 1280, 800)},
        {"saved larger than the screen now", {QRect(0, 0, 1900, 1000), false}, {laptop}, true, {}},
    };
    for (const Case &tc : cases) {
        const Placement p = placement::choose(tc.saved, tc.screens);
        EXPECT_EQ(p.maximised, tc.maximised) << tc.what;
        if (!tc.geometry.isEmpty())
            EXPECT_EQ(p.geometry, tc.geometry) << tc.what;
        EXPECT_TRUE(tc.screens.first().contains(p.geometry) || tc.screens.size() > 1) << tc.what;
    }
    EXPECT_EQ(placement::fromText(placement::toText({QRect(-5, 7, 800, 600), true})).geometry,
              QRect(-5, 7, 800, 600));
    for (const char *bad : {"", "1,2,3", "a,b,c,d,e", "0,0,0,600,0", "0,0,800,-1,0"})
        EXPECT_FALSE(placement::fromText(QString::fromLatin1(bad)).geometry.isValid()) << bad;
}

struct Desktop : ::testing::Test {
    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<mdifrmMain> w;
    void SetUp() override { start(); }
    void start() {
        w = std::make_unique<mdifrmMain>(folder.path());
        ASSERT_TRUE(w->MDIForm_Load());
        w->show();
        QApplication::setActiveWindow(w.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
};

TEST_F(Desktop, OpensWithinTheScreenAndRemembersItsPlace) {
    const QRect screen = w->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(w->geometry())) << "offscreen screen is smaller than the design";
    w->showNormal();
    w->setGeometry(QRect(screen.topLeft() + QPoint(10, 20), QSize(600, 400)));
    const QRect placed = w->geometry();
    w->close(); // the exit question is answered Yes
    EXPECT_EQ(folder.ini().read("Window", "MainWindow", "", 64),
              placement::toText({placed, false}).toStdString());
    start();
    EXPECT_EQ(w->geometry(), placed);
}

TEST(ChannelGrid, EveryColumnInViewAt1280WideInEachLanguage) {
    for (int lang : {1, 2, 3}) {
        testsupport::ProgramFolder folder;
        folder.set("Language", std::to_string(lang));
        testsupport::ScriptedDialogs dialogs;
        mdifrmMain w(folder.path());
        ASSERT_TRUE(w.MDIForm_Load());
        w.setWindowState(Qt::WindowNoState);
        w.resize(1280, 770); // 1280x800 less a desktop panel
        w.show();
        QTest::qWait(50);
        auto *grid = static_cast<ChGrid *>(w.chMem()->vsfgGridCh);
        const int last = grid->columnCount() - 1;
        EXPECT_LE(grid->columnViewportPosition(last) + grid->columnWidth(last),
                  grid->viewport()->width())
            << "language " << lang << ": the last column is cut";
        EXPECT_FALSE(grid->horizontalScrollBar()->isVisible()) << "language " << lang;
    }
}

TEST_F(Desktop, CtrlWOpensTheWriteWindow) {
    QTest::keyClick(w.get(), Qt::Key_W, Qt::ControlModifier);
    ASSERT_TRUE(w->commun()->isVisible()) << "Ctrl+W did not reach Write";
    EXPECT_FALSE(w->commun()->cmdWrite->isHidden());
    EXPECT_TRUE(w->commun()->cmdRead->isHidden());
    EXPECT_TRUE(w->chMem()->isVisible()); // the channel window was not closed instead
}

TEST_F(Desktop, ChannelWindowCannotBeMinimised) {
    auto *sub = qobject_cast<QMdiSubWindow *>(w->chMem()->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_FALSE(sub->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    sub->showMinimized();
    QTest::qWait(20);
    EXPECT_TRUE(sub->isMaximized());
}

TEST_F(Desktop, ErrorPaneShowsAgainOnANewFailure) {
    w->cps().log().runtimeError("modTest->First", 9, "BrenvikCPS");
    ASSERT_TRUE(w->errorLog()->isVisible());
    w->errorLog()->close(); // the pane's own close button
    EXPECT_FALSE(w->errorLog()->isVisible());
    w->cps().log().runtimeError("modTest->Second", 13, "BrenvikCPS");
    EXPECT_TRUE(w->errorLog()->isVisible());
    EXPECT_EQ(w->errorLog()->lines().size(), 4);
}

// On a 1366x768 laptop the error log pane leaves all 16 channels in view; the
// height the user gives the pane is kept for the next start.
TEST(ErrorLogPane, LeavesEveryChannelInViewAt1366x768AndKeepsItsHeight) {
    for (int lang : {1, 2, 3}) {
        SCOPED_TRACE("language " + std::to_string(lang));
        testsupport::ProgramFolder folder;
        folder.set("Language", std::to_string(lang));
        testsupport::ScriptedDialogs dialogs;
        int kept = 0;
        for (int start = 0; start < 2; ++start) {
            SCOPED_TRACE(start == 0 ? "first start" : "second start");
            mdifrmMain w(folder.path());
            ASSERT_TRUE(w.MDIForm_Load());
            w.setWindowState(Qt::WindowNoState);
            w.resize(1366, 740); // 1366x768 less a desktop panel
            w.show();
            w.cps().log().runtimeError("modTest->Failure", 9, "BrenvikCPS");
            QTest::qWait(50);
            auto *grid = static_cast<ChGrid *>(w.chMem()->vsfgGridCh);
            if (start == 0) {
                const QRect last = grid->visualRect(grid->model()->index(15, 1));
                EXPECT_LE(last.bottom(), grid->viewport()->height())
                    << "channel 16 needs scrolling";
                EXPECT_EQ(grid->verticalScrollBar()->value(), 0);

                w.resizeDocks({w.errorLog()}, {120}, Qt::Vertical);
                QTest::qWait(20);
                kept = w.errorLog()->height();
            } else {
                EXPECT_EQ(w.errorLog()->height(), kept);
            }
            w.close(); // answered Yes
        }
        EXPECT_EQ(folder.ini().read("Window", "ErrorLog", "", 16), std::to_string(kept));
    }
}

// Enter presses the dialog's default button, whatever field has the focus;
// Escape closes the dialog without pressing any.
void pressIn(QWidget *dialog, Qt::Key key) {
    QWidget *target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
    QTest::keyClick(target, key);
}

struct Outcome {
    bool seen = false;
    QStringList clicked; // buttons pressed, by object name
    int result = -1;     // QDialog::Accepted / Rejected
};

// Opens a modal dialog with `open`, then presses `key` in it.
Outcome pressInModal(const std::function<void()> &open, Qt::Key key,
                     const std::function<void(QDialog *)> &prepare = {}) {
    Outcome o;
    QTimer::singleShot(0, [&] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!d)
            return;
        o.seen = true;
        if (prepare)
            prepare(d);
        for (QPushButton *b : d->findChildren<QPushButton *>())
            QObject::connect(b, &QPushButton::clicked, d,
                             [&o, b] { o.clicked << b->objectName(); });
        QObject::connect(d, &QDialog::finished, d, [&o](int r) { o.result = r; });
        pressIn(d, key);
        if (d->isVisible())
            d->done(-2); // never leave the test waiting
    });
    open();
    return o;
}

TEST_F(Desktop, EnterIsTheDefaultActionAndEscapeCancels) {
    frmChMem *ch = w->chMem();
    const auto customRange = [&] {
        ch->cboFrequency->setCurrentIndex(14);
        emit ch->cboFrequency->activated(14);
    };
    const auto typeRange = [](QDialog *d) {
        auto *dialog = static_cast<frmCustomFre *>(d);
        dialog->txtFreMin->setText("136");
        dialog->txtFreMax->setText("174");
        dialog->txtFreMax->setFocus();
    };
    const struct {
        const char *dialog;
        std::function<void()> open;
        std::function<void(QDialog *)> prepare;
        const char *defaultButton;
        bool closesOnEnter; // the fill dialog stays for the next range
    } cases[] = {
        {"port", [&] { w->showPortDialog(); }, {}, "cmdOk", true},
        {"custom range", customRange, typeRange, "cmdOK", true},
        {"fill", [&] { w->memDat()->partFillDialog()->exec(); }, {}, "cmdFillData", false},
        {"about", [&] { w->showAbout(); }, {}, "cmdOK", true},
    };
    for (const auto &tc : cases) {
        const Outcome enter = pressInModal(tc.open, Qt::Key_Return, tc.prepare);
        ASSERT_TRUE(enter.seen) << tc.dialog;
        EXPECT_EQ(enter.clicked, QStringList{tc.defaultButton}) << tc.dialog;
        EXPECT_EQ(enter.result != -2, tc.closesOnEnter) << tc.dialog;

        const Outcome escape = pressInModal(tc.open, Qt::Key_Escape, tc.prepare);
        ASSERT_TRUE(escape.seen) << tc.dialog;
        EXPECT_TRUE(escape.clicked.isEmpty()) << tc.dialog;
        EXPECT_EQ(escape.result, QDialog::Rejected) << tc.dialog;
    }

    // The read/write window: Enter reads or writes, as the visible button says.
    frmCommun *rw = w->commun();
    int portDialogs = 0;
    rw->onPortDialog = [&] { ++portDialogs; }; // where a failed port open leads
    for (bool write : {false, true}) {
        write ? rw->showWrite() : rw->showRead();
        QSignalSpy pressed(write ? rw->cmdWrite : rw->cmdRead, &QPushButton::clicked);
        pressIn(rw, Qt::Key_Return);
        EXPECT_EQ(pressed.count(), 1) << (write ? "Write" : "Read");
        pressIn(rw, Qt::Key_Escape);
        EXPECT_FALSE(rw->isVisible()) << (write ? "Write" : "Read");
    }
}

// Every window carries the tool's own icon in all its sizes (not Qt's logo):
// the icon's pictures are compiled into the window library, which must
// register them itself.
TEST(WindowIcon, IsTheToolsOwnInEverySize) {
    applyWindowIcon();
    const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
    for (int size : {16, 32, 48, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

TEST(QtTexts, ChineseInterfacesGetQtsOwnTextsInTheirLanguage) {
    struct Case {
        int lang;
        const char *yes;
    } cases[] = {{1, "是"}, {2, "是"}, {3, "&Yes"}};
    for (const Case &tc : cases) {
        const QString loaded = installQtTranslations(tc.lang);
        EXPECT_EQ(loaded.isEmpty(), tc.lang == 3) << tc.lang;
        QMessageBox box(QMessageBox::Question, "t", "?", QMessageBox::Yes | QMessageBox::No);
        EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QString::fromUtf8(tc.yes)))
            << tc.lang << ": " << box.button(QMessageBox::Yes)->text().toStdString();
    }
    installQtTranslations(3);

    // The file type as the open dialog lists it: the pattern once.
    QFileDialog dialog(nullptr, QString(), QString(), cps::dataFileFilter());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto *types = dialog.findChild<QComboBox *>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(types->itemText(0), "Data File(*.dat)");
}

TEST(HelpWindow, ContentsAndSearchInEachLanguage) {
    const struct {
        const char *lang, *firstTopic, *query;
        int hits;
    } cases[] = {
        {"eng", "Brenvik Radio Software", "ctrl+w", 1},
        {"chs", "Brenvik对讲机写频软件", "写入对讲机", 1},
        {"cht", "Brenvik對講機寫頻軟體", "通訊埠 疑難", 1},
    };
    for (const auto &tc : cases) {
        frmHelp help(QStringLiteral(BRENVIK_SOURCE_DIR "/data/help/") + tc.lang,
                     {"Help", "Contents", "Search", "Nothing"});
        ASSERT_EQ(help.contentsList->count(), 8) << tc.lang;
        EXPECT_EQ(help.contentsList->item(0)->text(), QString::fromUtf8(tc.firstTopic));
        EXPECT_TRUE(help.browser->toPlainText().contains(QString::fromUtf8(tc.firstTopic)));
        const QStringList hits = help.search(QString::fromUtf8(tc.query));
        EXPECT_GE(hits.size(), tc.hits) << tc.lang;
        EXPECT_TRUE(help.search("no-such-word-anywhere").isEmpty());

        help.searchField->setText(QString::fromUtf8(tc.query));
        ASSERT_GE(help.resultList->count(), 1);
        help.resultList->setCurrentRow(0);
        EXPECT_TRUE(help.browser->textCursor().hasSelection()) << tc.lang << ": hit not shown";
    }
}

} // namespace
