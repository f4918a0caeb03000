// Editing a plan comfortably: undo and redo of every kind of change, the
// title's `*`, the clipboard, bulk edits, fill down and fill series, moving
// channels, the keyboard, and the lock refusing all of them.
#include "ChMemFixture.h"

#include "core/ChannelCodec.h"
#include "core/DataFile.h"
#include "editors/PlanHistory.h"
#include "editors/UndoHistory.h"
#include "editors/frmCustomFre.h"
#include "editors/frmMemDat.h"
#include "editors/frmPartFill.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QTableWidget>
#include <QTimer>

namespace {

struct ChMemEditing : ChMemFixture {
    chmem::PlanSnapshot state() { return chmem::capturePlan(c()); }
    void undo() { key(Qt::Key_Z, Qt::ControlModifier); }
    void redo() { key(Qt::Key_Y, Qt::ControlModifier); }
    // A click on a row's number, as a user selects whole rows.
    void clickRowNumber(int row, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, mods, centre(row, 0));
        settle();
    }
    QString undoText() { return w->action("mnuEditUndo")->text(); }
    // Three channels on 136-174 MHz: 146.52 (High), 147 (Low, D023N), 150.5 receive only.
    void threeChannels() {
        startEmpty136();
        enterCell(1, 1, "146.52");
        enterCell(2, 1, "147");
        clickCell(2, 3);
        typeIntoCtdcsBox("D023N");
        doubleClickCell(2, 5);
        enterCell(3, 1, "150.5");
        clickCell(3, 2);
        typeIntoEditor("");
        settle();
        dialogs.asked.clear();
    }
};

// Every kind of change is one step: undo gives back the state before it,
// redo the state after it, and the Edit menu names the step.
TEST_F(ChMemEditing, UndoAndRedoEveryKindOfChange) {
    threeChannels();
    // A plan file that differs from the plan in channel 1's receive frequency.
    const QString saved = folder.dir.filePath("plan.dat");
    cps::SetConvIicDat(c());
    auto image = c().IicDat;
    image[16 + 3] = 0x15;
    cps::writeFileAtomically(saved.toStdString(), cps::imageToFileBytes(image));
    struct Case {
        const char *name;
        std::function<void()> change;
        const char *undoText; // nullptr: not checked
    } cases[] = {
        {"receive entry", [&] { enterCell(4, 1, "145.5"); }, "&Undo: channel 4 receive frequency"},
        {"transmit entry", [&] { enterCell(1, 2, "146"); }, "&Undo: channel 1 transmit frequency"},
        {"signalling entry", [&] { clickCell(1, 3); typeIntoCtdcsBox("67"); },
         "&Undo: channel 1 decode signalling"},
        {"double click", [&] { doubleClickCell(1, 6); }, "&Undo: channel 1 Bandwidth"},
        {"parameter choice", [&] { clickCell(1, 8); typeKeys("T"); key(Qt::Key_Return); },
         "&Undo: channel 1 Busy Lock"},
        {"delete channel", [&] { w->currentChannel = 2; w->mnuDelOne_Click(); },
         "&Undo: Delete channel 2"},
        {"delete all", [&] { w->mnuDelAll_Click(); }, "&Undo: Delete all channels"},
        {"option", [&] { ch->cboSql->setCurrentIndex(7); emit ch->cboSql->activated(7); }, nullptr},
        {"check box", [&] { ch->chkBeep->click(); }, nullptr},
        {"band", [&] { chooseBand(3); }, "&Undo: band selection"},
        {"memory view", [&] {
             w->memDat()->findChild<QPushButton *>("cmdFillGrid")->click();
             w->memDat()->vsfgGridMemDat->item(1, 0)->setText("7");
             settle();
         }, "&Undo: memory data"},
        {"memory view fill", [&] {
             w->memDat()->findChild<QPushButton *>("cmdFillGrid")->click();
             frmPartFill *fill = w->memDat()->partFillDialog();
             fill->txtFillData->setText("00");
             fill->txtStartAddr->setText("0130");
             fill->txtEndAddr->setText("013F");
             fill->cmdFillData->click();
             settle();
         }, "&Undo: memory data"},
        {"custom range", [&] {
             QTimer::singleShot(0, [] {
                 auto *dialog = qobject_cast<frmCustomFre *>(QApplication::activeModalWidget());
                 ASSERT_NE(dialog, nullptr);
                 dialog->txtFreMin->setText("150");
                 dialog->txtFreMax->setText("160");
                 dialog->cmdOK->click();
             });
             chooseBand(14);
             w->activateWindow(); // back from the dialog
             ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
         }, "&Undo: band selection"},
        {"new plan", [&] { w->NewFile(); }, "&Undo: New"},
        {"open", [&] { dialogs.files = {saved}; w->OpenFile(); }, "&Undo: Open"},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        const auto before = state();
        k.change();
        const auto after = state();
        ASSERT_FALSE(after == before);
        if (k.undoText)
            EXPECT_EQ(undoText(), k.undoText);
        undo();
        EXPECT_TRUE(state() == before);
        redo();
        EXPECT_TRUE(state() == after);
        undo();
        EXPECT_TRUE(state() == before);
        // What the grid shows follows the restored table.
        EXPECT_EQ(cell(1, 1), "146.52000");
        EXPECT_EQ(cell(2, 3), "D023N");
    }
    EXPECT_TRUE(errorLines().isEmpty()) << errorLines().join('\n').toStdString();
}

TEST_F(ChMemEditing, TitleShowsUnsavedChanges) {
    // The maximised channel window adds its own caption after ours.
    const auto starred = [&] { return w->windowTitle().startsWith("Brenvik Radio Software *"); };
    EXPECT_FALSE(starred());
    startEmpty136();
    EXPECT_TRUE(starred());
    while (w->history().canUndo())
        undo();
    EXPECT_FALSE(starred()); // back where the plan started
    enterCell(1, 1, "146.52");
    dialogs.files = {folder.dir.filePath("saved.dat")};
    w->SaveAsFile();
    EXPECT_FALSE(starred());
    undo(); // the saved plan had the channel
    EXPECT_TRUE(starred());
}

TEST_F(ChMemEditing, HistoryKeepsTheLast200Steps) {
    chmem::UndoHistory h(200);
    chmem::PlanSnapshot s;
    for (int i = 0; i < 205; ++i) {
        s.modelIndex = i;
        h.push(s, QString::number(i));
    }
    EXPECT_EQ(h.undoCount(), 200u);
    s.modelIndex = 205;
    int oldest = -1;
    while (auto back = h.undo(s)) {
        oldest = back->modelIndex;
        s = *back;
    }
    EXPECT_EQ(oldest, 5);
    EXPECT_EQ(h.redoLabel(), "5");
}

TEST_F(ChMemEditing, CopyGivesTabSeparatedTextAndCsv) {
    threeChannels();
    clickRowNumber(1);
    clickRowNumber(3, Qt::ShiftModifier);
    EXPECT_EQ(grid->selectedRows(), (std::vector<int>{1, 2, 3}));
    key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(mime->text(),
              "Rx Freq [MHz]\tTx Freq [MHz]\tDecode (CTCSS/DCS)\tEncode (CTCSS/DCS)\tTx "
              "Power\tBandwidth\tScan Add\tBusy Lock\n"
              "146.52000\t146.52000\tNone\tNone\tHigh\tWide\tOn\tOff\n"
              "147.00000\t147.00000\tD023N\tD023N\tLow\tWide\tOn\tOff\n"
              "150.50000\t\tNone\t\tHigh\tWide\tOn\tOff\n");
    EXPECT_EQ(QString::fromUtf8(mime->data("text/csv")),
              "Channel,Receive,Transmit,Decode,Encode,P5,P6,P7,P8\n"
              "1,146.52000,146.52000,None,None,1,0,1,0\n"
              "2,147.00000,147.00000,D023N,D023N,0,0,1,0\n"
              "3,150.50000,,None,,1,0,1,0\n");

    // A cell block copies just its columns.
    dragCells(2, 3, 3, 5);
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "Decode (CTCSS/DCS)\tEncode (CTCSS/DCS)\tTx Power\nD023N\tD023N\tLow\nNone\t\tHigh\n");

    // Pasting the copied rows elsewhere gives the same channels; cut empties them.
    clickRowNumber(1);
    clickRowNumber(3, Qt::ShiftModifier);
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(field(2, cps::field::Rx), -1);
    clickCell(10, 1);
    key(Qt::Key_Escape);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field(11, cps::field::Rx), 14700000);
    EXPECT_EQ(c().ch.encText[11], "D023N");
    EXPECT_EQ(field(11, 5), 0);
    EXPECT_EQ(field(12, cps::field::Tx), -1);
    EXPECT_TRUE(dialogs.asked.isEmpty()) << dialogs.asked.join('|').toStdString();
}

// A spreadsheet block with a header in another language: values by caption,
// each through the entry rules; the refused ones listed once, the rest pasted.
TEST_F(ChMemEditing, PasteByCaptionsListsRefusedValues) {
    startEmpty136();
    clickCell(5, 1);
    key(Qt::Key_Escape);
    dialogs.asked.clear();
    QGuiApplication::clipboard()->setText(
        QString::fromUtf8("发射功率\t接收频率[MHz]\t接收亚音\t发射频率[MHz]\n"
                          "低\t146.521\t67\t200\n"
                          "高\tabc\t\t\n"
                          "High\t147\tD089\t147.5\n"
                          "Tall\t148\t023i\t\n"));
    key(Qt::Key_V, Qt::ControlModifier);

    EXPECT_EQ(field(5, cps::field::Rx), 14652000); // snapped
    EXPECT_EQ(field(5, cps::field::Tx), 14652000); // 200 is outside the band: refused
    EXPECT_EQ(c().ch.decText[5], "67.0");
    EXPECT_EQ(field(5, 5), 0);
    EXPECT_EQ(field(6, cps::field::Rx), -1);
    EXPECT_EQ(field(7, cps::field::Rx), 14700000);
    EXPECT_EQ(c().ch.decText[7], "None");
    EXPECT_EQ(field(7, cps::field::Tx), 14750000);
    EXPECT_EQ(field(7, 5), 1);
    EXPECT_EQ(c().ch.decText[8], "D023I");
    EXPECT_EQ(field(8, cps::field::Tx), -1);
    EXPECT_EQ(field(8, 5), 1); // the default stays where the value was refused
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0],
              QString::fromUtf8("These values were not pasted:\n"
                                "row 5, Tx Freq [MHz]: 200 is outside 136–174 MHz\n"
                                "row 6, Rx Freq [MHz]: abc\n"
                                "row 6, Tx Power: 高\n"
                                "row 7, Decode (CTCSS/DCS): D089\n"
                                "row 8, Tx Power: Tall"));
    EXPECT_EQ(undoText(), "&Undo: paste");
    undo();
    EXPECT_EQ(field(5, cps::field::Rx), -1);

    // Without a header the values go by position from the selected cell.
    enterCell(2, 1, "146");
    grid->selectCell(2, 5);
    QGuiApplication::clipboard()->setText("Low\tNarrow\n");
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field(2, 5), 0);
    EXPECT_EQ(field(2, 6), 1);
    EXPECT_EQ(cell(2, 6), "Narrow");

    // The command line's CSV goes to the channels it names.
    QGuiApplication::clipboard()->setText("Channel,Receive,Transmit,Decode,Encode,P5,P6,P7,P8\n"
                                          "9,150.1,,D754N,,0,1,0,2\n");
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field(9, cps::field::Rx), 15010000);
    EXPECT_EQ(field(9, cps::field::Tx), -1);
    EXPECT_EQ(c().ch.decText[9], "D754N");
    EXPECT_EQ(field(9, 8), 2);
}

TEST_F(ChMemEditing, BulkSetOnSelectedRowsIsOneStep) {
    threeChannels();
    dragCells(1, 5, 3, 5);
    typeKeys("L");
    key(Qt::Key_Return);
    for (int r : {1, 2, 3})
        EXPECT_EQ(cell(r, 5), "Low") << r;
    EXPECT_EQ(undoText(), "&Undo: Tx Power on 3 channels");

    dragCells(1, 3, 3, 3);
    typeKeys("88.5");
    key(Qt::Key_Return);
    for (int r : {1, 2, 3})
        EXPECT_EQ(c().ch.decText[r], "88.5") << r;
    EXPECT_EQ(c().ch.encText[2], "88.5");
    EXPECT_EQ(c().ch.encText[3], ""); // receive only
    undo();
    EXPECT_EQ(c().ch.decText[2], "D023N");
    undo();
    EXPECT_EQ(cell(1, 5), "High");
    EXPECT_EQ(cell(2, 5), "Low");
}

TEST_F(ChMemEditing, FillDownAndFillSeries) {
    threeChannels();
    dragCells(1, 5, 4, 8);
    key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(field(2, 5), 1);
    EXPECT_EQ(field(3, 5), 1);
    EXPECT_EQ(field(4, cps::field::Rx), -1); // an empty channel takes no parameters
    EXPECT_EQ(dialogs.asked.size(), 1); // ... and says so

    dialogs.asked.clear();
    dragCells(1, 1, 5, 1);
    std::optional<double> offered;
    ch->askSeriesStep = [&](double d) { return offered = d, std::optional<double>(12.5); };
    w->action("mnuEditFillSeries")->trigger();
    settle();
    EXPECT_EQ(offered, 5.0);
    // Each step is snapped as a typed value is: 146.5325 goes to 146.53125.
    const int32_t expected[] = {14652000, 14653125, 14654500, 14655625, 14657000};
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(field(r, cps::field::Rx), expected[r - 1]) << r;
    EXPECT_EQ(cell(5, 1), "146.57000");
    EXPECT_EQ(field(5, cps::field::Tx), 14657000); // a new channel as typing makes it

    // Steps that leave the band are refused, not moved to its edge; 174.0025
    // snaps onto the edge as a typed value does.
    enterCell(10, 1, "173.99");
    dragCells(10, 1, 13, 1);
    ch->askSeriesStep = [](double) { return std::optional<double>(6.25); };
    ch->fillSeries();
    EXPECT_EQ(field(11, cps::field::Rx), 17399500);
    EXPECT_EQ(field(12, cps::field::Rx), 17400000);
    EXPECT_EQ(field(13, cps::field::Rx), -1);
}

// Filling cells with what they already show changes nothing: no undo step, no `*`.
TEST_F(ChMemEditing, FillThatChangesNothingIsNoStep) {
    threeChannels();
    enterCell(5, 1, "150");
    enterCell(6, 1, "150.0125");
    dialogs.files = {folder.dir.filePath("saved.dat")};
    w->SaveAsFile();
    const auto before = state();
    const std::size_t steps = w->history().undoCount();
    ch->askSeriesStep = [](double) { return std::optional<double>(12.5); };
    const struct {
        const char *name;
        int r1, c1, r2, c2;
        bool series;
    } cases[] = {
        {"parameters alike on every row", 1, 6, 3, 8, false},
        {"empty rows", 7, 1, 9, 8, false},
        {"a series already in place", 5, 1, 6, 1, true},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        dragCells(k.r1, k.c1, k.r2, k.c2);
        k.series ? ch->fillSeries() : ch->fillDown();
        settle();
        EXPECT_TRUE(state() == before);
        EXPECT_EQ(w->history().undoCount(), steps);
        EXPECT_FALSE(w->windowTitle().startsWith("Brenvik Radio Software *"));
    }
    EXPECT_TRUE(dialogs.asked.isEmpty()) << dialogs.asked.join('|').toStdString();
}

// Moving swaps the slot bytes and the list flags with the channel.
TEST_F(ChMemEditing, MoveInsertAndRemoveCarrySlotsAndListFlags) {
    threeChannels();
    doubleClickCell(1, 7); // channel 1 leaves the scan list
    cps::SetConvIicDat(c());
    const auto slot = [&](int n) {
        return std::vector<uint8_t>(c().IicDat.begin() + 16 * n, c().IicDat.begin() + 16 * n + 16);
    };
    const auto listWord = [&] { return c().IicDat[0x17E] | c().IicDat[0x17F] << 8; };
    const auto s1 = slot(1), s2 = slot(2), s3 = slot(3);
    ASSERT_EQ(listWord() & 0x7, 0x6);

    clickRowNumber(2);
    key(Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(field(1, cps::field::Rx), 14700000);
    EXPECT_EQ(field(2, cps::field::Rx), 14652000);
    EXPECT_EQ(slot(1), s2);
    EXPECT_EQ(slot(2), s1);
    EXPECT_EQ(listWord() & 0x7, 0x5);
    EXPECT_EQ(grid->selectedRows(), std::vector<int>{1});
    cps::SetConvIicDat(c());
    EXPECT_EQ(listWord() & 0x7, 0x5);
    EXPECT_EQ(cell(1, 3), "D023N");

    clickRowNumber(1);
    clickRowNumber(2, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(field(1, cps::field::Rx), 15050000);
    EXPECT_EQ(field(2, cps::field::Rx), 14700000);
    EXPECT_EQ(field(3, cps::field::Rx), 14652000);
    EXPECT_EQ(slot(1), s3);
    EXPECT_EQ(listWord() & 0x7, 0x3);
    undo();
    undo();
    EXPECT_EQ(slot(1), s1);
    EXPECT_EQ(listWord() & 0x7, 0x6);

    // Dragging rows by their numbers moves them the same way.
    clickRowNumber(1);
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, centre(1, 0));
    QMouseEvent move(QEvent::MouseMove, centre(3, 0), grid->viewport()->mapToGlobal(centre(3, 0)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, centre(3, 0));
    settle();
    EXPECT_EQ(field(3, cps::field::Rx), 14652000);
    EXPECT_EQ(field(1, cps::field::Rx), 14700000);
    undo();

    // Insert shifts the channels below down; the last falls off after a question.
    const std::vector<uint8_t> template2(c().TempDat.begin() + 32, c().TempDat.begin() + 48);
    grid->selectCell(2, 1);
    w->action("mnuEditInsert")->trigger();
    EXPECT_EQ(field(2, cps::field::Rx), -1);
    EXPECT_EQ(slot(2), template2);
    EXPECT_EQ(field(3, cps::field::Rx), 14700000);
    EXPECT_EQ(slot(3), s2);
    EXPECT_EQ(field(4, cps::field::Rx), 15050000);
    EXPECT_EQ(listWord() & 0xD, 0xC); // channel 1 off, the moved two on
    EXPECT_TRUE(dialogs.asked.isEmpty());
    w->action("mnuEditRemove")->trigger();
    EXPECT_EQ(field(2, cps::field::Rx), 14700000);
    EXPECT_EQ(field(3, cps::field::Rx), 15050000);
    EXPECT_EQ(slot(2), s2);
    EXPECT_EQ(listWord() & 0x7, 0x6);

    enterCell(16, 1, "160");
    dialogs.answers = {QMessageBox::No};
    grid->selectCell(2, 1);
    w->action("mnuEditInsert")->trigger();
    EXPECT_EQ(dialogs.asked, QStringList{"The last channel will be lost, continue?"});
    EXPECT_EQ(field(2, cps::field::Rx), 14700000);
    EXPECT_EQ(field(16, cps::field::Rx), 16000000);
}

TEST_F(ChMemEditing, DeleteRowsOrSignallingCells) {
    threeChannels();
    dragCells(1, 3, 2, 4);
    key(Qt::Key_Delete);
    EXPECT_EQ(c().ch.decText[2], "None");
    EXPECT_EQ(c().ch.encText[2], "None");
    EXPECT_EQ(field(2, cps::field::Rx), 14700000);
    clickRowNumber(2);
    clickRowNumber(3, Qt::ShiftModifier);
    key(Qt::Key_Delete);
    EXPECT_EQ(field(2, cps::field::Rx), -1);
    EXPECT_EQ(field(3, cps::field::Rx), -1);
    EXPECT_EQ(cell(2, 1), "");
    EXPECT_EQ(field(1, cps::field::Rx), 14652000);
}

// The keys alone: entry, the selection moving on, focus staying in the grid.
TEST_F(ChMemEditing, KeyboardEntryKeepsTheFocusInTheGrid) {
    startEmpty136();
    grid->selectCell(1, 1);
    grid->setFocus();
    typeKeys("146.52");
    key(Qt::Key_Return);
    EXPECT_EQ(field(1, cps::field::Rx), 14652000);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(grid->col(), 2);
    typeKeys("147");
    key(Qt::Key_Return);
    EXPECT_EQ(field(1, cps::field::Tx), 14700000);
    EXPECT_EQ(grid->col(), 3); // on to decode
    typeKeys("67");
    key(Qt::Key_Return);
    EXPECT_EQ(c().ch.decText[1], "67.0");
    EXPECT_EQ(QApplication::focusWidget(), grid);

    grid->selectCell(1, 6);
    key(Qt::Key_F2);
    ASSERT_NE(grid->openEditor, nullptr);
    key(Qt::Key_Escape);
    EXPECT_EQ(grid->openEditor, nullptr);
    typeKeys("N");
    key(Qt::Key_Return);
    EXPECT_EQ(cell(1, 6), "Narrow");
    EXPECT_EQ(grid->row(), 2); // elsewhere Enter goes down
    EXPECT_EQ(QApplication::focusWidget(), grid);

    grid->selectCell(1, 8);
    key(Qt::Key_Tab);
    EXPECT_EQ(grid->row(), 2);
    EXPECT_EQ(grid->col(), 1);
    key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid->row(), 1);

    key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), ch->optionControl(0));
    key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), grid);

    const QPoint at = grid->cellRect(1, 1).center();
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &menuKey);
    settle();
    EXPECT_TRUE(w->popupMenu()->isVisible());
    EXPECT_EQ(w->action("mnuDelOne")->text(), "Delete channel 1");
    w->popupMenu()->hide();
}

// The Edit keys act on the widget that has the focus: the grid's commands
// only in the grid, a text box's own undo and select-all in the text box.
TEST_F(ChMemEditing, EditKeysBelongToTheFocusedWidget) {
    threeChannels();
    clickRowNumber(1);
    clickRowNumber(3, Qt::ShiftModifier);
    const auto before = state();
    const std::size_t steps = w->history().undoCount();
    QGuiApplication::clipboard()->setText("Rx Freq [MHz]\n150\n");

    // An option control: none of these reaches the grid.
    using Keys = std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>;
    const Keys editKeys = {{Qt::Key_Delete, Qt::NoModifier},
                           {Qt::Key_X, Qt::ControlModifier},
                           {Qt::Key_V, Qt::ControlModifier},
                           {Qt::Key_D, Qt::ControlModifier},
                           {Qt::Key_A, Qt::ControlModifier}};
    Keys checkBoxKeys = editKeys;
    checkBoxKeys.insert(checkBoxKeys.end(),
                        {{Qt::Key_Up, Qt::AltModifier}, {Qt::Key_Down, Qt::AltModifier}});
    for (auto [control, keys] :
         {std::pair<QWidget *, Keys>{ch->cboSql, editKeys}, {ch->chkBeep, checkBoxKeys}}) {
        for (auto [k, mods] : keys) {
            SCOPED_TRACE(control->objectName().toStdString() + " " +
                         QKeySequence(k | mods).toString().toStdString());
            control->setFocus();
            key(k, mods);
            EXPECT_TRUE(state() == before);
            EXPECT_EQ(grid->selectedRows(), (std::vector<int>{1, 2, 3}));
        }
    }
    EXPECT_EQ(w->history().undoCount(), steps);

    // The grid's own text box: select-all selects its text, Ctrl+D fills nothing.
    clickCell(2, 1);
    QLineEdit *editor = qobject_cast<QLineEdit *>(grid->openEditor.data());
    ASSERT_NE(editor, nullptr);
    editor->deselect();
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(editor->selectedText(), "147.00000");
    key(Qt::Key_D, Qt::ControlModifier);
    key(Qt::Key_Escape);
    EXPECT_TRUE(state() == before);

    // The signalling box: Ctrl+Z takes back what was typed in it, not a step of the plan.
    clickCell(1, 3);
    const QString shown = ch->cboGridChCtdcs->currentText();
    QTest::keyClicks(ch->cboGridChCtdcs, "67");
    settle();
    ASSERT_NE(ch->cboGridChCtdcs->currentText(), shown);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ch->cboGridChCtdcs->currentText(), shown);
    EXPECT_EQ(w->history().undoCount(), steps);
    EXPECT_TRUE(state() == before);
}

TEST_F(ChMemEditing, TheLockRefusesPasteBulkEditsAndMoves) {
    threeChannels();
    w->mnuLockFace_Click();
    const auto before = state();
    QGuiApplication::clipboard()->setText("Rx Freq [MHz]\n150\n");
    clickRowNumber(1);
    key(Qt::Key_V, Qt::ControlModifier);
    key(Qt::Key_Down, Qt::AltModifier);
    key(Qt::Key_Delete);
    key(Qt::Key_X, Qt::ControlModifier);
    dragCells(1, 5, 3, 5);
    typeKeys("L");
    key(Qt::Key_Return);
    key(Qt::Key_D, Qt::ControlModifier);
    w->action("mnuEditInsert")->trigger();
    w->action("mnuEditRemove")->trigger();
    EXPECT_TRUE(state() == before);
    EXPECT_FALSE(w->history().canUndo() && w->history().undoCount() > 9);
}

// Choosing a band and deleting every channel ask first; No keeps everything.
TEST_F(ChMemEditing, BandAndDeleteAllAskFirst) {
    threeChannels();
    const auto before = state();
    dialogs.asked.clear();
    dialogs.answers = {QMessageBox::No, QMessageBox::No};
    chooseBand(5);
    w->mnuDelAll_Click();
    EXPECT_EQ(dialogs.asked,
              (QStringList{"All data will be cleared,continue?", "Are you sure delete all channels data?"}));
    EXPECT_TRUE(state() == before);
    EXPECT_EQ(ch->cboFrequency->currentIndex(), 1);
    EXPECT_EQ(ch->windowTitle(), "136 - 174 MHz");
}

} // namespace
