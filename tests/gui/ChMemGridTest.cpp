// The channel grid driven through its cells: frequency entry, clearing,
// signalling entry, double clicks, lock, pop-up menu and closing.
#include "ChMemFixture.h"

#include "core/ChannelCodec.h"

#include <QAbstractItemView>
#include <QAction>
#include <QMenu>

using ChMemGrid = ChMemFixture;

TEST_F(ChMemGrid, NewChannelFromReceiveEntryFillsTheRow) {
    startEmpty136();
    enterCell(3, 1, "146.52");

    EXPECT_EQ(field(3, cps::field::Rx), 14652000);
    EXPECT_EQ(field(3, cps::field::Tx), 14652000);
    EXPECT_EQ(field(3, cps::field::Edited), 1);
    EXPECT_EQ(cell(3, 1), "146.52000");
    EXPECT_EQ(cell(3, 2), "146.52000");
    EXPECT_EQ(cell(3, 3), none());
    EXPECT_EQ(cell(3, 4), none());
    EXPECT_EQ(c().ch.decText[3], "None");
    EXPECT_EQ(c().ch.encText[3], "None");
    // Parameter columns take their defaults: High, Wide, On, Off.
    EXPECT_EQ(field(3, 5), 1);
    EXPECT_EQ(field(3, 6), 0);
    EXPECT_EQ(field(3, 7), 1);
    EXPECT_EQ(field(3, 8), 0);
    EXPECT_EQ(cell(3, 5), "High");
    EXPECT_EQ(cell(3, 6), "Wide");
    EXPECT_EQ(cell(3, 7), "On");
    EXPECT_EQ(cell(3, 8), "Off");
    // The selection moves on to the transmit cell.
    EXPECT_EQ(grid->row(), 3);
    EXPECT_EQ(grid->col(), 2);
}

TEST_F(ChMemGrid, ReceiveEntriesSnapToTheRasterAndClampToTheBand) {
    struct Case {
        const char *typed;
        int32_t stored;
        const char *shown;
    } cases[] = {
        {"146.52", 14652000, "146.52000"},
        {"146.521", 14652000, "146.52000"},   // 5 kHz raster is nearer
        {"146.51875", 14651875, "146.51875"}, // on the 6.25 kHz raster
        {"146.5225", 14652500, "146.52500"},  // tie: 6.25 kHz wins
        {"180", 17400000, "174.00000"},       // above the band
        {"100", 13600000, "136.00000"},       // below the band
        {"99999999", 13600000, "136.00000"},  // too large for 32 bits: band low edge
        {" 150.0000001 ", 15000000, "150.00000"},
    };
    startEmpty136();
    int row = 1;
    for (const auto &k : cases) {
        SCOPED_TRACE(k.typed);
        enterCell(row, 1, k.typed);
        EXPECT_EQ(field(row, cps::field::Rx), k.stored);
        EXPECT_EQ(cell(row, 1), k.shown);
        EXPECT_EQ(grid->textColor(row, 1), QColor(Qt::black));
        ++row;
    }
}

TEST_F(ChMemGrid, ChangingReceiveKeepsTheTransmitSide) {
    startEmpty136();
    enterCell(2, 1, "146.52");
    enterCell(2, 2, "147.00");
    enterCell(2, 1, "145.5");
    EXPECT_EQ(field(2, cps::field::Rx), 14550000);
    EXPECT_EQ(field(2, cps::field::Tx), 14700000);
    EXPECT_EQ(cell(2, 2), "147.00000");

    // A receive-only channel stays receive-only.
    clickCell(2, 2);
    typeIntoEditor("");
    enterCell(2, 1, "146.00");
    EXPECT_EQ(field(2, cps::field::Tx), -1);
    EXPECT_EQ(cell(2, 2), "");
    EXPECT_EQ(cell(2, 4), "");
}

TEST_F(ChMemGrid, ALetterOrAnEmptyReceiveEntryEmptiesTheRow) {
    startEmpty136();
    for (const QString typed : {"x", ""}) {
        SCOPED_TRACE(typed.toStdString());
        enterCell(4, 1, "146.52");
        enterCell(4, 1, typed);
        EXPECT_EQ(field(4, cps::field::Rx), -1);
        EXPECT_EQ(field(4, cps::field::Tx), -1);
        EXPECT_EQ(field(4, 5), -1);
        for (int col = 1; col <= 8; ++col)
            EXPECT_EQ(cell(4, col), "") << "column " << col;
        EXPECT_EQ(c().ch.decText[4], "");
        EXPECT_EQ(c().ch.encText[4], "");
        EXPECT_EQ(grid->col(), 1);
    }
    // An empty row is re-created with the column defaults.
    enterCell(4, 1, "146.52");
    EXPECT_EQ(field(4, 5), 1);
    EXPECT_EQ(cell(4, 5), "High");
}

TEST_F(ChMemGrid, ClearingTransmitMakesTheChannelReceiveOnly) {
    startEmpty136();
    enterCell(5, 1, "146.52");
    clickCell(5, 2);
    typeIntoEditor("");
    EXPECT_EQ(field(5, cps::field::Tx), -1);
    EXPECT_EQ(cell(5, 2), "");
    EXPECT_EQ(cell(5, 4), "");
    EXPECT_EQ(c().ch.encText[5], "");
    EXPECT_EQ(field(5, cps::field::Rx), 14652000);

    // The encode cell now refuses the signalling box; the decode cell still opens it.
    clickCell(5, 4);
    EXPECT_FALSE(ch->cboGridChCtdcs->isVisible());
    EXPECT_EQ(grid->row(), 5);
    EXPECT_EQ(grid->col(), 4);
    clickCell(5, 3);
    EXPECT_TRUE(ch->cboGridChCtdcs->isVisible());

    // A transmit entry brings the encode side back from the decode text.
    clickCell(5, 2);
    typeIntoEditor("147.5");
    EXPECT_EQ(field(5, cps::field::Tx), 14750000);
    EXPECT_EQ(cell(5, 4), none());
    EXPECT_EQ(c().ch.encText[5], "None");
    EXPECT_EQ(grid->col(), 3);
}

TEST_F(ChMemGrid, InAnEmptyRowOnlyTheReceiveCellEdits) {
    startEmpty136();
    for (int col : {2, 3, 5, 8}) {
        SCOPED_TRACE(col);
        clickCell(6, col);
        ASSERT_NE(grid->openEditor, nullptr);
        EXPECT_EQ(grid->col(), 1); // a click anywhere starts the receive entry
        QTest::keyClick(grid->openEditor, Qt::Key_Escape);
        settle();
        EXPECT_FALSE(grid->isEditing());
        // Keys on another cell of the empty row open nothing.
        grid->selectCell(6, col);
        QTest::keyClick(grid, Qt::Key_5);
        settle();
        EXPECT_FALSE(grid->isEditing());
    }
    EXPECT_FALSE(ch->cboGridChCtdcs->isVisible());
    EXPECT_EQ(field(6, cps::field::Rx), -1);
}

TEST_F(ChMemGrid, SignallingEntriesAreParsed) {
    struct Case {
        const char *typed;
        const char *result; // nullptr: the none text
    } cases[] = {
        {"67", "67.0"},     {"59.9", nullptr},  {"265", "265.0"},  {"88.54", "88.5"},
        {"023", "D023N"},   {"D023i", "D023I"}, {"023I", "D023I"}, {"D754", "D754N"},
        {"d023i", nullptr}, {"D089", nullptr},  {"", nullptr},
    };
    startEmpty136();
    enterCell(7, 1, "146.52");
    for (const auto &k : cases) {
        SCOPED_TRACE(k.typed);
        const QString expected = k.result ? QString(k.result) : none();
        clickCell(7, 3);
        typeIntoCtdcsBox(k.typed);
        EXPECT_EQ(cell(7, 3), expected);
        EXPECT_EQ(QString::fromStdString(c().ch.decText[7]), expected);
        // A decode entry is also the encode entry.
        EXPECT_EQ(cell(7, 4), expected);
        EXPECT_EQ(QString::fromStdString(c().ch.encText[7]), expected);
    }
    // An encode entry leaves the decode side alone.
    clickCell(7, 3);
    typeIntoCtdcsBox("100");
    clickCell(7, 4);
    typeIntoCtdcsBox("D754I");
    EXPECT_EQ(cell(7, 3), "100.0");
    EXPECT_EQ(cell(7, 4), "D754I");
    EXPECT_EQ(c().ch.encText[7], "D754I");
}

// The box takes exactly the typed text, whether Enter or a click elsewhere
// ends the entry: a half-typed tone is no tone, whatever the list holds.
TEST_F(ChMemGrid, SignallingBoxTakesExactlyTheTypedText) {
    struct Case {
        const char *typed;
        const char *result; // nullptr: the none text
    } cases[] = {
        {"15", nullptr}, {"1", nullptr},    {"10", nullptr}, {"2", nullptr},
        {"7", nullptr},  {"D02", nullptr},  {"non", nullptr}, {"151.4", "151.4"},
        {"D023", "D023N"},
    };
    startEmpty136();
    enterCell(7, 1, "146.52");
    for (bool byClick : {false, true}) {
        for (const auto &k : cases) {
            SCOPED_TRACE(std::string(k.typed) + (byClick ? " (click)" : " (Enter)"));
            clickCell(7, 3);
            QComboBox *box = ch->cboGridChCtdcs;
            ASSERT_TRUE(box->isVisible());
            box->lineEdit()->selectAll();
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClicks(box, k.typed);
            EXPECT_EQ(box->lineEdit()->text(), k.typed); // nothing completed inline
            if (byClick)
                clickCell(7, 6);
            else
                QTest::keyClick(box, Qt::Key_Return);
            settle();
            const QString expected = k.result ? QString(k.result) : none();
            EXPECT_EQ(QString::fromStdString(c().ch.decText[7]), expected);
            EXPECT_EQ(cell(7, 3), expected);
        }
    }
}

TEST_F(ChMemGrid, SignallingBoxStillTakesAChoiceFromItsList) {
    startEmpty136();
    enterCell(2, 1, "146.52");
    clickCell(2, 4);
    QComboBox *box = ch->cboGridChCtdcs;
    ASSERT_TRUE(box->isVisible());
    box->showPopup();
    QAbstractItemView *list = box->view();
    const QModelIndex d023n = list->model()->index(box->findText("D023N"), 0);
    list->scrollTo(d023n);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(d023n).center());
    settle();
    EXPECT_EQ(box->lineEdit()->text(), "D023N");
    QTest::keyClick(box, Qt::Key_Return);
    settle();
    EXPECT_EQ(c().ch.encText[2], "D023N");
    EXPECT_EQ(cell(2, 4), "D023N");
    EXPECT_EQ(c().ch.decText[2], "None");
}

// A key on a selected decode or encode cell opens the box with that key.
TEST_F(ChMemGrid, TypingOnASignallingCellOpensTheBox) {
    struct Case {
        int col;
        const char *keys;
        const char *dec, *enc;
    } cases[] = {
        {3, "67", "67.0", "67.0"},
        {4, "D023i", "67.0", "D023I"},
        {3, "15", "None", "None"},
    };
    startEmpty136();
    enterCell(4, 1, "146.52");
    for (const auto &k : cases) {
        SCOPED_TRACE(k.keys);
        grid->selectCell(4, k.col);
        grid->setFocus();
        typeKeys(k.keys); // the first key opens the box, the rest go into it
        ASSERT_TRUE(ch->cboGridChCtdcs->isVisible());
        EXPECT_EQ(ch->cboGridChCtdcs->lineEdit()->text(), k.keys);
        QTest::keyClick(ch->cboGridChCtdcs, Qt::Key_Return);
        settle();
        EXPECT_EQ(c().ch.decText[4], k.dec);
        EXPECT_EQ(c().ch.encText[4], k.enc);
        EXPECT_EQ(cell(4, k.col), k.col == 3 ? k.dec : k.enc);
    }
    // Escape leaves the stored text alone.
    grid->selectCell(4, 3);
    grid->setFocus();
    typeKeys("100");
    QTest::keyClick(ch->cboGridChCtdcs, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(ch->cboGridChCtdcs->isVisible());
    EXPECT_EQ(c().ch.decText[4], "None");
    // A receive-only channel has no encode entry to open.
    clickCell(4, 2);
    typeIntoEditor("");
    grid->selectCell(4, 4);
    grid->setFocus();
    QTest::keyClicks(grid, "6");
    EXPECT_FALSE(ch->cboGridChCtdcs->isVisible());
}

TEST_F(ChMemGrid, SignallingBoxCommitsWhenTheUserClicksElsewhere) {
    startEmpty136();
    enterCell(8, 1, "146.52");
    clickCell(8, 3);
    QComboBox *box = ch->cboGridChCtdcs;
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(box->geometry().topLeft(), grid->cellRect(8, 3).topLeft());
    EXPECT_EQ(box->width(), grid->cellRect(8, 3).width());
    QTest::keyClicks(box, "023");
    clickCell(9, 5); // an empty row: starts its receive entry
    EXPECT_EQ(cell(8, 3), "D023N");
    EXPECT_EQ(c().ch.encText[8], "D023N");
    EXPECT_FALSE(box->isVisible());

    // The bytes follow at the next conversion: D023N is 0x2813, low byte first.
    cps::ChInfoSaveSol(c(), 0);
    EXPECT_EQ(c().IicDat[16 * 8 + 8], 0x13);
    EXPECT_EQ(c().IicDat[16 * 8 + 9], 0x28);
}

TEST_F(ChMemGrid, ANewPlanDropsAnUnfinishedSignallingEntry) {
    chooseBand(7);
    clickCell(3, 3);
    QTest::keyClicks(ch->cboGridChCtdcs, "023"); // typed, not committed
    w->NewFile();                                // answered Yes
    clickCell(5, 5);                             // the hidden box loses the focus only now
    EXPECT_FALSE(ch->cboGridChCtdcs->isVisible());
    EXPECT_EQ(c().ch.decText[3], "None"); // the new plan's own text
    EXPECT_EQ(cell(3, 3), "None");
}

TEST_F(ChMemGrid, DoubleClicksCopyAndCycle) {
    startEmpty136();
    enterCell(1, 1, "146.52");
    clickCell(1, 3);
    typeIntoCtdcsBox("67");
    clickCell(1, 4);
    typeIntoCtdcsBox("D023N");

    doubleClickCell(1, 4); // encode takes decode
    EXPECT_EQ(cell(1, 4), "67.0");
    EXPECT_EQ(c().ch.encText[1], "67.0");
    clickCell(1, 4);
    typeIntoCtdcsBox("D023N");
    doubleClickCell(1, 3); // decode takes encode
    EXPECT_EQ(cell(1, 3), "D023N");
    EXPECT_EQ(c().ch.decText[1], "D023N");
    clickCell(1, 5); // leave the box; its entry stays what the double click made it
    EXPECT_EQ(c().ch.decText[1], "D023N");

    // Parameter cells cycle through their choices and wrap.
    struct Step {
        int col;
        int32_t value;
        const char *shown;
    } steps[] = {{5, 0, "Low"},  {5, 1, "High"}, {8, 1, "Carrier"},
                 {8, 2, "Tone"}, {8, 0, "Off"},  {6, 1, "Narrow"}};
    for (const auto &s : steps) {
        doubleClickCell(1, s.col);
        EXPECT_EQ(field(1, s.col), s.value) << "column " << s.col;
        EXPECT_EQ(cell(1, s.col), s.shown);
        EXPECT_FALSE(grid->isEditing());
    }

    // A receive-only channel gets its transmit frequency back from receive.
    clickCell(1, 2);
    typeIntoEditor("");
    doubleClickCell(1, 2);
    EXPECT_EQ(field(1, cps::field::Tx), 14652000);
    EXPECT_EQ(cell(1, 2), "146.52000");
    EXPECT_EQ(cell(1, 4), "D023N");

    // Nothing cycles in an empty row.
    const int32_t kept = field(2, 5);
    doubleClickCell(2, 5);
    EXPECT_EQ(field(2, 5), kept);
    EXPECT_EQ(cell(2, 5), "");
}

TEST_F(ChMemGrid, ParameterDropDownStoresTheChosenPosition) {
    startEmpty136();
    enterCell(2, 1, "146.52");
    clickCell(2, 8);
    auto *combo = qobject_cast<QComboBox *>(grid->openEditor.data());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentText(), "Off");
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    settle();
    EXPECT_EQ(field(2, 8), 2);
    EXPECT_EQ(cell(2, 8), "Tone");
    cps::ChInfoSaveSol(c(), 0);
    EXPECT_EQ(c().IicDat[16 * 2 + 12] & 0x18, 0x10);
}

TEST_F(ChMemGrid, OutOfBandFrequenciesFromThePlanShowInTheOverColour) {
    chooseBand(1); // the default plan's 446 MHz channels lie outside 136-174 MHz
    EXPECT_EQ(field(1, cps::field::Rx), 44600625);
    EXPECT_EQ(cell(1, 1), "446.00625");
    EXPECT_EQ(grid->textColor(1, 1), QColor(255, 0, 0));
    EXPECT_EQ(grid->textColor(1, 2), QColor(255, 0, 0));
    // Clicking through the cell changes nothing; a user's entry is clamped.
    clickCell(1, 1);
    clickCell(1, 5);
    EXPECT_EQ(field(1, cps::field::Rx), 44600625);
    enterCell(1, 1, "446.1");
    EXPECT_EQ(field(1, cps::field::Rx), 17400000);
    EXPECT_EQ(grid->textColor(1, 1), QColor(Qt::black));
}

TEST_F(ChMemGrid, AClickHighlightsItsRowAndTheLockHidesTheSelection) {
    const auto background = [&](int row, int col) { return grid->cell(row, col)->background(); };
    const auto selection = [&] {
        return grid->palette().color(QPalette::Active, QPalette::Highlight);
    };
    clickCell(2, 5);
    EXPECT_EQ(selection(), QColor(255, 0, 255));
    for (int col = 1; col <= 8; ++col)
        EXPECT_EQ(background(2, col).color(), QColor(230, 230, 240)) << col;
    clickCell(4, 6); // the highlight moves with the click
    EXPECT_EQ(background(2, 5).style(), Qt::NoBrush);
    EXPECT_EQ(background(4, 1).color(), QColor(230, 230, 240));

    w->mnuLockFace_Click();
    EXPECT_EQ(selection(), ch->LockColor);
    w->mnuLockFace_Click();
    EXPECT_EQ(selection(), ch->SelColor);
}

TEST_F(ChMemGrid, NothingChangesWhileLocked) {
    startEmpty136();
    enterCell(3, 1, "146.52");
    clickCell(3, 3);
    QTest::keyClicks(ch->cboGridChCtdcs, "023"); // typed, not yet committed
    const auto before = c().ch;
    w->mnuLockFace_Click();
    ASSERT_EQ(c().LockState, "ShowLock");
    EXPECT_FALSE(ch->cboGridChCtdcs->isVisible());

    clickCell(4, 1); // empty row: would start the receive entry
    EXPECT_FALSE(grid->isEditing());
    clickCell(3, 3);
    EXPECT_FALSE(ch->cboGridChCtdcs->isVisible());
    grid->selectCell(3, 1);
    QTest::keyClicks(grid, "147");
    QTest::keyClick(grid, Qt::Key_Return);
    doubleClickCell(3, 5);
    doubleClickCell(3, 4);
    ch->vsfgGridCh_AfterEdit(3, 1, "150", -1);
    settle();

    EXPECT_EQ(c().ch.ChInfo, before.ChInfo);
    EXPECT_EQ(c().ch.decText, before.decText);
    EXPECT_EQ(cell(3, 1), "146.52000");
    EXPECT_EQ(cell(3, 5), "High");
    EXPECT_FALSE(ch->fraModel->isEnabled());
    EXPECT_FALSE(ch->fraCommonSet->isEnabled());

    w->mnuLockFace_Click();
    EXPECT_TRUE(ch->fraCommonSet->isEnabled());
    doubleClickCell(3, 5);
    EXPECT_EQ(field(3, 5), 0);
}

TEST_F(ChMemGrid, PopupMenuNamesTheChannelAndFollowsTheLock) {
    startEmpty136();
    enterCell(3, 1, "146.52");
    QMenu *menu = w->popupMenu();
    const auto act = [&](const char *name) { return w->action(name); };

    clickCell(3, 6, Qt::RightButton);
    EXPECT_EQ(w->currentChannel, 3);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(act("mnuDelOne")->text(), "Delete channel 3");
    EXPECT_TRUE(act("mnuDelOne")->isEnabled());
    EXPECT_EQ(act("mnuOpenCh")->text(), "Open channel 3");
    EXPECT_FALSE(act("mnuOpenCh")->isEnabled());
    EXPECT_FALSE(act("mnuSaveDef")->isEnabled());
    EXPECT_TRUE(act("mnuDelAll")->isEnabled());
    EXPECT_TRUE(act("sepPopChLock")->isVisible());
    EXPECT_TRUE(act("mnuPopChLock")->isVisible());
    EXPECT_EQ(act("mnuPopChLock")->text(), "&Lock Channel Interface");
    EXPECT_FALSE(act("mnuPopChLock")->isChecked());
    menu->hide();

    clickCell(4, 2, Qt::RightButton); // an empty channel cannot be deleted
    EXPECT_EQ(w->currentChannel, 4);
    EXPECT_EQ(act("mnuDelOne")->text(), "Delete channel 4");
    EXPECT_FALSE(act("mnuDelOne")->isEnabled());
    menu->hide();

    // Deleting through the menu empties the row; its parameter fields keep their values.
    clickCell(3, 1, Qt::RightButton);
    act("mnuDelOne")->trigger();
    menu->hide();
    settle();
    EXPECT_EQ(field(3, cps::field::Rx), -1);
    EXPECT_EQ(field(3, 5), 1);
    EXPECT_EQ(c().ch.decText[3], "");
    EXPECT_EQ(cell(3, 1), "");

    w->mnuLockFace_Click();
    clickCell(3, 1, Qt::RightButton);
    EXPECT_TRUE(act("mnuPopChLock")->isChecked());
    EXPECT_TRUE(act("mnuPopChLock")->isEnabled());
    for (const char *name : {"mnuOpenCh", "mnuSaveDef", "mnuDelOne", "mnuDelAll"})
        EXPECT_FALSE(act(name)->isEnabled()) << name;
    menu->hide();
}

TEST_F(ChMemGrid, LabelsAndHeaderComeFromTheLayout) {
    EXPECT_EQ(grid->rowCount(), 16);
    EXPECT_EQ(grid->columnCount(), 9);
    EXPECT_EQ(cell(1, 0), "1");
    EXPECT_EQ(cell(16, 0), "16");
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Rx Freq [MHz]");
    EXPECT_EQ(grid->horizontalHeaderItem(8)->text(), "Busy Lock");
    EXPECT_EQ(ch->cboGridChCtdcs->count(), 261);
    EXPECT_EQ(ch->cboGridChCtdcs->itemText(0), "None");
    EXPECT_EQ(ch->cboGridChCtdcs->itemText(51), "D023N");
    EXPECT_EQ(ch->cboGridChCtdcs->itemText(260), "D754I");
    // The default plan is shown: channel 1 at 446.00625 MHz, narrow, high power.
    EXPECT_EQ(cell(1, 1), "446.00625");
    EXPECT_EQ(cell(1, 3), "None");
}

// A layout of 100 channels and 10 columns, so that row 100 ("VFO") has a column 10.
class ChMemVfoRow : public ChMemFixture {
  protected:
    void prepareFolder() override {
        auto set = [&](int key, const std::string &v) {
            folder.set(std::to_string(3000 + key), v, "ChInfo");
        };
        set(0, "100");
        set(2, "10");
        set(3, "CH|Rx|Tx|Dec|Enc|Power|Width|Scan|Busy|Step|Mode");
        const char *keyword[] = {"RxFre", "TxFre", "CtcssDcsDec", "CtcssDcsEnc"};
        for (int col = 1; col <= 4; ++col) {
            set(200 + (col - 1) * 50, keyword[col - 1]);
            set(200 + (col - 1) * 50 + 1, "0");
            set(200 + (col - 1) * 50 + 2, col <= 2 ? "-1" : "0");
            set(200 + (col - 1) * 50 + 3, "*EndOfThisItem*");
        }
        for (int col = 5; col <= 10; ++col) {
            const int base = 200 + (col - 1) * 50;
            set(base, "A|B|C");
            set(base + 1, "3");
            set(base + 2, "0");
            set(base + 3, "A");
            set(base + 4, "B");
            set(base + 5, "C");
            set(base + 6, "*EndOfThisItem*");
        }
    }
};

TEST_F(ChMemVfoRow, RowHundredColumnTenIsForcedToZero) {
    ASSERT_EQ(grid->rowCount(), 100);
    EXPECT_EQ(cell(99, 0), "99");
    EXPECT_EQ(cell(100, 0), "VFO");
    chooseBand(1);
    enterCell(100, 1, "146.52");
    enterCell(99, 1, "146.52");

    c().ch.ChInfo[100][10] = 2;
    c().ch.ChInfo[99][10] = 2;
    ch->ShowChTblGrid();
    doubleClickCell(100, 10);
    EXPECT_EQ(field(100, 10), 0);
    EXPECT_EQ(cell(100, 10), "A");
    doubleClickCell(100, 10);
    EXPECT_EQ(field(100, 10), 0);
    // Other cells of the row, and column 10 of other rows, cycle.
    doubleClickCell(99, 10);
    EXPECT_EQ(field(99, 10), 0);
    doubleClickCell(99, 10);
    EXPECT_EQ(field(99, 10), 1);
    doubleClickCell(100, 9);
    EXPECT_EQ(field(100, 9), 1);
}
