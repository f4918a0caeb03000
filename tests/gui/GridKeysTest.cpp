// The channel window under the keyboard and the wheel: the signalling box
// takes its value only from typing or its list, hands the arrow, Tab and
// Enter keys back to the grid and lets the wheel scroll; the Edit keys act on
// its text while it is open; a decimal comma in a frequency cell; the notice
// of a clamped frequency; the wheel over an option drop-down.
#include "ChMemFixture.h"
#include "GridInput.h"

#include "core/FaceText.h"
#include "editors/PlanHistory.h"
#include "editors/UndoHistory.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionComboBox>

namespace {

struct GridKeys : ChMemFixture {
    QComboBox *box() { return ch->cboGridChCtdcs; }
    chmem::PlanSnapshot state() { return chmem::capturePlan(c()); }
    std::string dec(int row) { return c().ch.decText.at(row); }
    std::string enc(int row) { return c().ch.encText.at(row); }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        testsupport::pressKey(k, mods);
        settle();
    }
    void wheel(QWidget *over, QPoint pos, int notches) {
        testsupport::wheelAt(over, pos, notches);
        settle();
    }
    // Channels 1..9 on 146.52 MHz with 67.0 to receive and transmit.
    void nineChannelsOn67() {
        startEmpty136();
        for (int row = 1; row <= 9; ++row) {
            enterCell(row, 1, "146.52");
            clickCell(row, 3);
            typeIntoCtdcsBox("67");
        }
        ASSERT_EQ(dec(9), "67.0");
        ASSERT_EQ(enc(9), "67.0");
    }
    void expectBoxClosedAndGridHasKeys() {
        EXPECT_FALSE(box()->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), grid);
        EXPECT_EQ(ch->ctdcsRow, 0);
    }
};

// Every key that ends an entry in the box: the text is committed (Escape
// drops it), the box closes, the grid has the keyboard and takes the key as
// its own. Two Ups then only move the selection.
TEST_F(GridKeys, KeysThatEndTheSignallingEntry) {
    struct Case {
        const char *name;
        int col;
        const char *typed;
        int key;
        Qt::KeyboardModifiers mods;
        const char *dec5, *enc5; // channel 5 afterwards
        int row, toCol;          // the selection afterwards (row 0: below row 6)
    } cases[] = {
        {"Down, nothing typed", 3, "", Qt::Key_Down, {}, "67.0", "67.0", 6, 3},
        {"Up, nothing typed", 3, "", Qt::Key_Up, {}, "67.0", "67.0", 4, 3},
        {"typed, Down", 3, "100", Qt::Key_Down, {}, "100.0", "100.0", 6, 3},
        {"typed, Up", 3, "100", Qt::Key_Up, {}, "100.0", "100.0", 4, 3},
        {"typed, Page Down", 3, "100", Qt::Key_PageDown, {}, "100.0", "100.0", 0, 3},
        {"typed, Tab", 3, "100", Qt::Key_Tab, {}, "100.0", "100.0", 5, 4},
        {"typed, Shift+Tab", 3, "100", Qt::Key_Tab, Qt::ShiftModifier, "100.0", "100.0", 5, 2},
        {"typed, Enter", 3, "100", Qt::Key_Return, {}, "100.0", "100.0", 5, 3},
        {"typed, keypad Enter", 3, "100", Qt::Key_Enter, Qt::KeypadModifier, "100.0", "100.0", 5,
         3},
        {"typed, Escape", 3, "100", Qt::Key_Escape, {}, "67.0", "67.0", 5, 3},
        {"encode typed, Down", 4, "D023", Qt::Key_Down, {}, "67.0", "D023N", 6, 4},
        {"encode typed, Shift+Tab", 4, "D023", Qt::Key_Backtab, Qt::ShiftModifier, "67.0", "D023N",
         5, 3},
    };
    nineChannelsOn67();
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        c().ch.decText[5] = c().ch.encText[5] = "67.0";
        ch->ShowChTblGrid();
        clickCell(5, k.col);
        ASSERT_TRUE(box()->isVisible());
        ASSERT_EQ(QApplication::focusWidget(), box());
        typeKeys(k.typed);
        key(k.key, k.mods);
        EXPECT_EQ(dec(5), k.dec5);
        EXPECT_EQ(enc(5), k.enc5);
        EXPECT_EQ(cell(5, 3), k.dec5);
        EXPECT_EQ(cell(5, 4), k.enc5);
        expectBoxClosedAndGridHasKeys();
        if (k.row)
            EXPECT_EQ(grid->row(), k.row);
        else
            EXPECT_GT(grid->row(), 6);
        EXPECT_EQ(grid->col(), k.toCol);

        const auto before = state();
        const int row = grid->row();
        key(Qt::Key_Up);
        key(Qt::Key_Up);
        EXPECT_EQ(grid->row(), row - 2);
        EXPECT_TRUE(state() == before) << "the arrows changed the plan";
        expectBoxClosedAndGridHasKeys();
    }
    for (int row : {1, 2, 3, 4, 6, 7, 8, 9}) {
        EXPECT_EQ(dec(row), "67.0") << "channel " << row;
        EXPECT_EQ(enc(row), "67.0") << "channel " << row;
    }
}

// The sequences: the keys after leaving the box go where the grid's
// selection is, never into a box left behind on another row.
TEST_F(GridKeys, ATypedToneLandsWhereTheSelectionIs) {
    nineChannelsOn67();
    // 100, Tab, then three Downs: only channel 5 changes.
    clickCell(5, 3);
    typeKeys("100");
    key(Qt::Key_Tab);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(dec(5), "100.0");
    for (int row : {6, 7, 8, 9})
        EXPECT_EQ(enc(row), "67.0") << "channel " << row;
    EXPECT_EQ(grid->row(), 8);

    // Enter, Down, then a typed tone: it opens the box on channel 6 and lands there.
    clickCell(5, 3);
    typeKeys("D023");
    key(Qt::Key_Return);
    key(Qt::Key_Down);
    typeKeys("D754");
    ASSERT_TRUE(box()->isVisible());
    EXPECT_EQ(ch->ctdcsRow, 6);
    key(Qt::Key_Return);
    EXPECT_EQ(dec(5), "D023N");
    EXPECT_EQ(dec(6), "D754N");
    EXPECT_EQ(dec(7), "67.0");
    EXPECT_EQ(dec(8), "67.0");

    // A click on another widget commits the box and closes it too.
    clickCell(7, 3);
    typeKeys("88.5");
    ch->cboSql->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_EQ(dec(7), "88.5");
    EXPECT_FALSE(box()->isVisible());
}

TEST_F(GridKeys, TheWheelOverTheSignallingBoxScrollsTheGrid) {
    nineChannelsOn67();
    w->resize(1000, 420); // short enough for the grid to scroll
    settle();
    ASSERT_GT(grid->verticalScrollBar()->maximum(), 0);
    clickCell(5, 3);
    ASSERT_TRUE(box()->isVisible());
    QScrollBar *bar = grid->verticalScrollBar();
    const int top = bar->value();
    wheel(box(), box()->rect().center(), -2);
    EXPECT_GT(bar->value(), top);
    EXPECT_EQ(box()->lineEdit()->text(), "67.0");
    EXPECT_EQ(box()->geometry(), grid->cellRect(5, 3)); // the box goes with its cell
    wheel(box(), box()->rect().center(), 2);
    EXPECT_EQ(bar->value(), top);
    EXPECT_EQ(box()->lineEdit()->text(), "67.0");
    clickCell(7, 6);
    EXPECT_EQ(dec(5), "67.0");
    EXPECT_EQ(enc(5), "67.0");
}

TEST_F(GridKeys, TheSignallingListStillOpensAndChooses) {
    nineChannelsOn67();
    // The list opens (it may slide open) and takes a choice made in it with Enter.
    const auto choose = [&](const QString &text) {
        QAbstractItemView *list = box()->view();
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }, 5000))
            << "the list did not open";
        list->setCurrentIndex(list->model()->index(box()->findText(text), 0));
        QTest::keyClick(list, Qt::Key_Return);
        settle();
        EXPECT_FALSE(list->isVisible());
        EXPECT_EQ(box()->lineEdit()->text(), text);
        key(Qt::Key_Return);
    };
    // Alt+Down opens it.
    clickCell(5, 3);
    key(Qt::Key_Down, Qt::AltModifier);
    choose("D023N");
    EXPECT_EQ(dec(5), "D023N");
    // So does a click on its arrow.
    clickCell(6, 4);
    QStyleOptionComboBox option;
    option.initFrom(box());
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QRect arrow = box()->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxArrow, box());
    QTest::mouseClick(box(), Qt::LeftButton, {}, arrow.center());
    settle();
    choose("D754N");
    EXPECT_EQ(enc(6), "D754N");
    EXPECT_EQ(dec(6), "67.0");
    // Alt+Up changes nothing.
    clickCell(7, 3);
    key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(box()->lineEdit()->text(), "67.0");
    EXPECT_TRUE(box()->isVisible());
    key(Qt::Key_Return);
    EXPECT_EQ(dec(7), "67.0");
}

// While the box is open, the Edit keys act on its text, never on the grid or the plan.
TEST_F(GridKeys, EditKeysActOnTheSignallingBoxText) {
    struct Case {
        const char *name;
        const char *clipboard; // before the keys
        std::vector<std::pair<int, Qt::KeyboardModifiers>> keys;
        const char *text, *selected, *clipboardAfter;
        int cursor;
    } cases[] = {
        {"Ctrl+A", "", {{Qt::Key_A, Qt::ControlModifier}}, "D023", "D023", "", 4},
        {"Ctrl+A, Ctrl+C",
         "",
         {{Qt::Key_A, Qt::ControlModifier}, {Qt::Key_C, Qt::ControlModifier}},
         "D023",
         "D023",
         "D023",
         4},
        {"Ctrl+A, Ctrl+X",
         "",
         {{Qt::Key_A, Qt::ControlModifier}, {Qt::Key_X, Qt::ControlModifier}},
         "",
         "",
         "D023",
         0},
        {"Ctrl+V", "754", {{Qt::Key_V, Qt::ControlModifier}}, "D023754", "", "754", 7},
        {"Home, Delete", "", {{Qt::Key_Home, {}}, {Qt::Key_Delete, {}}}, "023", "", "", 0},
        {"Home, End", "", {{Qt::Key_Home, {}}, {Qt::Key_End, {}}}, "D023", "", "", 4},
        {"Home", "", {{Qt::Key_Home, {}}}, "D023", "", "", 0},
    };
    nineChannelsOn67();
    const int steps = w->history().undoCount();
    const auto before = state();
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        QGuiApplication::clipboard()->setText(k.clipboard);
        clickCell(5, 3);
        typeKeys("D023");
        for (const auto &[keyCode, mods] : k.keys)
            key(keyCode, mods);
        ASSERT_TRUE(box()->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), box());
        EXPECT_EQ(box()->lineEdit()->text(), k.text);
        EXPECT_EQ(box()->lineEdit()->selectedText(), k.selected);
        EXPECT_EQ(box()->lineEdit()->cursorPosition(), k.cursor);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), k.clipboardAfter);
        EXPECT_EQ(grid->selectionModel()->selectedIndexes().size(),
                  1); // the grid's selection is as it was
        EXPECT_EQ(grid->row(), 5);
        EXPECT_TRUE(state() == before);
        EXPECT_EQ(w->history().undoCount(), steps);
        key(Qt::Key_Escape);
    }
    // Select all, then a typed code replaces the box's text, not channel 1.
    clickCell(5, 3);
    typeKeys("15");
    key(Qt::Key_A, Qt::ControlModifier);
    typeKeys("D023");
    key(Qt::Key_Return);
    EXPECT_EQ(dec(5), "D023N");
    EXPECT_EQ(cell(1, 1), "146.52000"); // channel 1 as it was
    EXPECT_EQ(dec(1), "67.0");
    EXPECT_EQ(w->history().undoCount(), steps + 1);
}

// A decimal comma in a frequency cell is a decimal point; any other text that
// is no number keeps its rule (receive: the channel goes; transmit: receive only).
TEST_F(GridKeys, ADecimalCommaInAFrequencyCell) {
    struct Case {
        int col;
        const char *typed;
        const char *rx, *tx; // "" for none
    } cases[] = {
        {1, "446,5", "446.50000", "446.00625"},
        {1, " 446,125 ", "446.12500", "446.00625"},
        {2, "446,5", "446.00625", "446.50000"},
        {1, "446,5,1", "", ""},
        {1, "446.5,1", "", ""},
        {1, "4,46,5", "", ""},
        {1, "abc", "", ""},
        {2, "4,4,6", "446.00625", ""},
    };
    chooseBand(7); // 400 - 470 MHz, channel 1 on 446.00625
    const auto plan = state();
    for (const auto &k : cases) {
        SCOPED_TRACE(k.typed);
        enterCell(1, k.col, k.typed);
        EXPECT_EQ(cell(1, 1), k.rx);
        EXPECT_EQ(cell(1, 2), k.tx);
        if (*k.rx) { // the channel keeps its signalling and parameters
            EXPECT_EQ(cell(1, 5),
                      QString::fromStdString(c().cols.item(5, 3 + plan.channels.ChInfo[1][5])));
            EXPECT_EQ(dec(1), plan.channels.decText[1]);
        }
        w->history().undo();
        settle();
        ASSERT_TRUE(state() == plan);
    }
}

// Typing keeps its clamp into the band and the status bar says so, until the
// next frequency typed inside the band.
TEST_F(GridKeys, AClampedFrequencyIsNamedInTheStatusBar) {
    struct Case {
        int band, col;
        const char *typed, *stored, *notice; // notice "": Ready
    } cases[] = {
        {7, 1, "146.52", "400.00000",
         "146.52 is outside 400–470 MHz: 400.00000 stored; Ctrl+Z takes it back"},
        {7, 1, "999", "470.00000",
         "999 is outside 400–470 MHz: 470.00000 stored; Ctrl+Z takes it back"},
        {7, 2, "480,5", "470.00000",
         "480,5 is outside 400–470 MHz: 470.00000 stored; Ctrl+Z takes it back"},
        {7, 1, "446.5", "446.50000", ""},
        {10, 1, "146.52", "440.00000",
         "146.52 is outside 440–480 MHz: 440.00000 stored; Ctrl+Z takes it back"},
        {3, 2, "174.00001", "174.00000", ""}, // snapped onto the edge: inside
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.typed);
        chooseBand(k.band);
        enterCell(1, 1, k.band == 3 ? "160" : "446.1"); // inside the band
        w->setPanel(1, "Ready");
        const auto before = state();
        enterCell(1, k.col, k.typed);
        EXPECT_EQ(cell(1, k.col), k.stored);
        EXPECT_EQ(w->panel(1), *k.notice ? QString(k.notice) : QString("Ready"));
        // Ctrl+Z takes it back, as the notice says.
        key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(state() == before);
    }
    // The next frequency kept as typed takes the notice away.
    chooseBand(7);
    enterCell(1, 1, "146.52");
    ASSERT_NE(w->panel(1), "Ready");
    enterCell(2, 1, "446.1");
    EXPECT_EQ(w->panel(1), "Ready");
    // The notice has all four values in every language.
    for (int lang = 1; lang <= 3; ++lang) {
        QString text;
        for (const auto &[n, t] : cps::faceTextTable(lang))
            if (n == 520)
                text = QString::fromUtf8(t);
        for (const char *mark : {"%1", "%2", "%3", "%4", "Ctrl+Z"})
            EXPECT_TRUE(text.contains(mark)) << lang << " " << mark;
    }
}

// The wheel over an option drop-down scrolls the panel; it changes the option
// only when the drop-down has the focus.
TEST_F(GridKeys, TheWheelChangesAnOptionOnlyWithTheFocus) {
    w->resize(1000, 420); // short enough for the option panel to scroll
    settle();
    auto *side = ch->findChild<QScrollArea *>("sidePanel");
    ASSERT_NE(side, nullptr);
    ASSERT_GT(side->verticalScrollBar()->maximum(), 0);
    std::vector<QComboBox *> combos{ch->cboModel, ch->cboFrequency};
    for (int k = 0; k < 16; ++k)
        if (auto *combo = qobject_cast<QComboBox *>(ch->optionControl(k)))
            combos.push_back(combo);
    const auto plan = state();
    for (QComboBox *combo : combos) {
        SCOPED_TRACE(combo->objectName().toStdString());
        grid->setFocus();
        side->ensureWidgetVisible(combo);
        settle();
        const int index = combo->currentIndex();
        const int scrolled = side->verticalScrollBar()->value();
        wheel(combo, combo->rect().center(), scrolled > 0 ? 1 : -1);
        EXPECT_EQ(combo->currentIndex(), index);
        EXPECT_NE(side->verticalScrollBar()->value(), scrolled); // the panel scrolled instead
        EXPECT_FALSE(combo->hasFocus());
        EXPECT_TRUE(state() == plan);
    }
    // With the focus (Tab or a click), the wheel is the drop-down's.
    QComboBox *sql = ch->cboSql;
    sql->setFocus(Qt::TabFocusReason);
    side->ensureWidgetVisible(sql);
    settle();
    const int index = sql->currentIndex();
    wheel(sql, sql->rect().center(), index > 0 ? 1 : -1);
    EXPECT_NE(sql->currentIndex(), index);
    EXPECT_EQ(c().opt.sel[1], sql->currentIndex());
}

} // namespace

namespace {

// The issue's own keys: an entry in channel 5's decode cell, Enter, then
// Ctrl+A (now the grid's: the box has closed) and D023 + Enter. Select-all
// keeps the current cell, so the typed code goes to channel 5's decode cell
// and channel 1 keeps its receive frequency.
TEST_F(GridKeys, SelectAllKeepsTheCurrentCell) {
    nineChannelsOn67();
    clickCell(5, 3);
    typeKeys("15");
    key(Qt::Key_Return);
    ASSERT_FALSE(box()->isVisible());
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid->currentIndex().row() + 1, 5);
    EXPECT_EQ(grid->currentIndex().column(), 3);
    typeKeys("D023");
    key(Qt::Key_Return);
    EXPECT_EQ(field(1, cps::field::Rx), 14652000);
    EXPECT_EQ(cell(1, 1), "146.52000");
    EXPECT_EQ(dec(5), "D023N");
}

} // namespace
