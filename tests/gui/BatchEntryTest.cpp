// Values entered in bulk (paste, fill down, fill series) never put a frequency
// on the radio that nobody chose: outside the band they are refused and listed,
// not moved to the band edge. A single value fills a selection; a channel
// pasted twice is refused; the list of refused values stays on the screen; a
// tone that is not a standard tone is kept but marked.
#include "ChMemFixture.h"

#include "editors/ScrollingMessage.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

namespace {

constexpr int kBand400to470 = 7, kBand440to480 = 10;

struct BatchEntry : ChMemFixture {
    // Selects one cell without opening its editor, as a click then Escape does.
    void selectOnly(int row, int col) {
        clickCell(row, col);
        key(Qt::Key_Escape);
        grid->setFocus();
    }
    void paste(const QString &text) {
        QGuiApplication::clipboard()->setText(text);
        key(Qt::Key_V, Qt::ControlModifier);
    }
    // An empty plan on a band.
    void startEmpty(int band) {
        chooseBand(band);
        w->mnuDelAll_Click();
        dialogs.asked.clear();
    }
    QString undoText() { return w->action("mnuEditUndo")->text(); }
};

// Every bulk way into a frequency cell refuses a value outside the band
// (400-470 MHz) and lists it with its row, column, value and band; the cell
// keeps what it held.
TEST_F(BatchEntry, FrequenciesOutsideTheBandAreRefusedAndListed) {
    const struct {
        const char *name;
        std::function<void()> act;
        int row, f;
        int32_t kept;
        const char *listed;
    } cases[] = {
        {"pasted far above the band",
         [&] {
             selectOnly(1, 1);
             paste("999.0");
         },
         1, cps::field::Rx, 44600000, "row 1, Rx Freq [MHz]: 999.0 is outside 400–470 MHz"},
        {"pasted on another band",
         [&] {
             selectOnly(1, 1);
             paste("146.52");
         },
         1, cps::field::Rx, 44600000, "row 1, Rx Freq [MHz]: 146.52 is outside 400–470 MHz"},
        {"pasted into transmit",
         [&] {
             selectOnly(1, 2);
             paste("390.5");
         },
         1, cps::field::Tx, 44600000, "row 1, Tx Freq [MHz]: 390.5 is outside 400–470 MHz"},
        {"pasted by captions, just past the edge",
         [&] {
             selectOnly(1, 1);
             paste("Channel,Receive\n1,470.004\n");
         },
         1, cps::field::Rx, 44600000, "row 1, Rx Freq [MHz]: 470.004 is outside 400–470 MHz"},
        {"too large to be a frequency at all",
         [&] {
             selectOnly(1, 1);
             paste("99999999999");
         },
         1, cps::field::Rx, 44600000, "row 1, Rx Freq [MHz]: 99999999999 is outside 400–470 MHz"},
        {"filled down from a channel a file left outside",
         [&] {
             c().ch.ChInfo[1][cps::field::Rx] = 48000000; // as a plan file can hold it
             ch->ShowChTblGrid();
             dragCells(1, 1, 3, 1);
             key(Qt::Key_D, Qt::ControlModifier);
         },
         2, cps::field::Rx, 44600000, "row 2, Rx Freq [MHz]: 480.00000 is outside 400–470 MHz"},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        startEmpty(kBand400to470);
        for (int r = 1; r <= 3; ++r)
            enterCell(r, 1, "446");
        dialogs.asked.clear();
        k.act();
        EXPECT_EQ(field(k.row, k.f), k.kept);
        ASSERT_FALSE(dialogs.asked.isEmpty());
        EXPECT_TRUE(dialogs.asked.last().startsWith("These values were not pasted:\n"));
        EXPECT_TRUE(dialogs.asked.last().contains(QString::fromUtf8(k.listed)))
            << dialogs.asked.last().toStdString();
    }
}

// Fill Series stops at the band: steps inside it are taken (the edge itself is
// a frequency of the band), steps past it are refused and listed. A simplex
// channel moves its transmit frequency with the receive one; a split channel
// keeps its own.
TEST_F(BatchEntry, FillSeriesRefusesStepsPastTheBandAndKeepsSimplexChannelsSimplex) {
    startEmpty(kBand440to480);
    enterCell(1, 1, "479.9");
    enterCell(2, 1, "450"); // simplex
    enterCell(3, 1, "450");
    enterCell(3, 2, "455"); // split
    enterCell(7, 1, "460"); // simplex, but its step is past the band
    dialogs.asked.clear();
    dragCells(1, 1, 8, 1);
    ch->askSeriesStep = [](double) { return std::optional<double>(25.0); };
    w->action("mnuEditFillSeries")->trigger();
    settle();

    const struct {
        int row;
        int32_t rx, tx;
    } want[] = {
        {1, 47990000, 47990000}, {2, 47992500, 47992500},
        {3, 47995000, 45500000}, {4, 47997500, 47997500},
        {5, 48000000, 48000000}, {6, -1, -1},
        {7, 46000000, 46000000}, {8, -1, -1},
    };
    for (const auto &k : want) {
        EXPECT_EQ(field(k.row, cps::field::Rx), k.rx) << k.row;
        EXPECT_EQ(field(k.row, cps::field::Tx), k.tx) << k.row;
    }
    EXPECT_EQ(cell(3, 2), "455.00000");
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0],
              QString::fromUtf8("These values were not pasted:\n"
                                "row 6, Rx Freq [MHz]: 480.02500 is outside 440–480 MHz\n"
                                "row 7, Rx Freq [MHz]: 480.05000 is outside 440–480 MHz\n"
                                "row 8, Rx Freq [MHz]: 480.07500 is outside 440–480 MHz"));
    EXPECT_EQ(undoText(), "&Undo: fill series");
}

// One copied value pasted onto several selected cells fills each of them by
// the entry rules, as one undo step; cells it cannot go into are listed.
TEST_F(BatchEntry, OneCopiedValueFillsEverySelectedCell) {
    startEmpty(kBand400to470);
    for (int r = 1; r <= 3; ++r)
        enterCell(r, 1, QString::number(440 + r));
    clickCell(2, 5);
    typeIntoEditor("Low");
    selectOnly(2, 5);
    key(Qt::Key_C, Qt::ControlModifier); // copies "Tx Power" and "Low"
    dialogs.asked.clear();

    dragCells(1, 5, 4, 5); // row 4 is empty: it takes no parameter
    key(Qt::Key_V, Qt::ControlModifier);
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(cell(r, 5), "Low") << r;
    EXPECT_EQ(field(4, cps::field::Rx), -1);
    EXPECT_EQ(dialogs.asked, QStringList{"These values were not pasted:\nrow 4, Tx Power: Low"});
    EXPECT_EQ(undoText(), "&Undo: paste");
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(1, 5), "High");
    EXPECT_EQ(cell(2, 5), "Low");
    EXPECT_EQ(cell(3, 5), "High");

    // Each kind of cell through its own rule.
    const struct {
        const char *value;
        int r1, c1, r2, c2;
        std::function<void()> check;
    } cases[] = {
        {"446.5", 5, 1, 7, 1,
         [&] {
             for (int r = 5; r <= 7; ++r) {
                 EXPECT_EQ(field(r, cps::field::Rx), 44650000) << r; // new channels
                 EXPECT_EQ(field(r, cps::field::Tx), 44650000) << r;
             }
         }},
        {"88.5", 1, 3, 3, 3,
         [&] {
             for (int r = 1; r <= 3; ++r)
                 EXPECT_EQ(c().ch.decText[r], "88.5") << r;
         }},
        {"023i", 1, 3, 2, 4,
         [&] {
             for (int r = 1; r <= 2; ++r) {
                 EXPECT_EQ(c().ch.decText[r], "D023I") << r;
                 EXPECT_EQ(c().ch.encText[r], "D023I") << r;
             }
         }},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.value);
        dialogs.asked.clear();
        dragCells(k.r1, k.c1, k.r2, k.c2);
        paste(k.value);
        k.check();
        EXPECT_TRUE(dialogs.asked.isEmpty()) << dialogs.asked.join('|').toStdString();
    }
}

// Rows naming a channel already pasted are refused as the command line's
// import refuses them: the first row for a channel is kep
TEST_F(BatchEntry, AChannelPastedTwiceKeepsItsFirstRow) {
    startEmpty(kBand400to470);
    selectOnly(1, 1);
    paste("Channel,Receive,Decode\n"
          "3,446.1,67.0\n"
          "4,446.3,None\n"
          "3,446.2,D023N\n"
          "3,446.4,71.9\n");
    EXPECT_EQ(field(3, cps::field::Rx), 44610000);
    EXPECT_EQ(c().ch.decText[3], "67.0");
    EXPECT_EQ(field(4, cps::field::Rx), 44630000);
    EXPECT_EQ(dialogs.asked,
              QStringList{"These values were not pasted:\n"
                          "row 3, CH: 3 446.2 D023N (channel 3 is listed twice; the first line "
                          "is kept)\n"
                          "row 3, CH: 3 446.4 71.9 (channel 3 is listed twice; the first line "
                          "is kept)"});
}

// A paste of a whole sheet refuses thousands of rows: the list names the
// first 200 and counts the rest, and its box scrolls within the screen with
// its OK button in reach.
TEST_F(BatchEntry, AHugeRefusalListIsShortAndStaysOnTheScreen) {
    startEmpty(kBand400to470);
    selectOnly(1, 1);
    const int rows = 100000;
    QString sheet;
    for (int i = 0; i < rows; ++i)
        sheet += QStringLiteral("446.1\n");
    paste(sheet);
    const int channels = c().cols.channelCount;
    EXPECT_EQ(field(channels, cps::field::Rx), 44610000);
    ASSERT_EQ(dialogs.asked.size(), 1);
    const QStringList lines = dialogs.asked[0].split('\n');
    ASSERT_EQ(lines.size(), 1 + 200 + 1);
    EXPECT_EQ(lines[1], QString("row %1, CH: 446.1").arg(channels + 1));
    EXPECT_EQ(lines.last(), QString("... and %1 more").arg(rows - channels - 200));

    // The box the user sees for that tex
    ScrollingMessage box(w.get(), dialogs.asked[0], "Brenvik", QMessageBox::Warning,
                         QMessageBox::Ok);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    const QRect screen = box.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(box.frameGeometry())) << box.frameGeometry().height();
    QAbstractButton *ok = box.buttonBox()->button(QDialogButtonBox::Ok);
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isVisible());
    EXPECT_TRUE(screen.contains(QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size())));
    EXPECT_GT(box.list()->verticalScrollBar()->maximum(), 0); // the list scrolls
    EXPECT_TRUE(box.list()->toPlainText().endsWith(lines.last()));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(box.answer(), QMessageBox::Ok);

    // The program's own message path chooses it for a long text, and Escape
    // answers as a message box does.
    cps::Dialogs real;
    QString seen;
    QTimer::singleShot(0, [&] {
        auto *open = qobject_cast<ScrollingMessage *>(QApplication::activeModalWidget());
        seen = open ? open->objectName() : QString("no scrolling box");
        if (QApplication::activeModalWidget())
            QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
    });
    EXPECT_EQ(real.message(w.get(), dialogs.asked[0], "Brenvik", QMessageBox::Question,
                           QMessageBox::Yes | QMessageBox::No),
              QMessageBox::No);
    EXPECT_EQ(seen, "scrollingMessage");
}

// A tone that is not one of the radio's standard tones is kept as entered, and
// its cell says so: a colour of its own and the nearest standard tone in the
// tooltip; the status bar's word names it too.
TEST_F(BatchEntry, NonStandardTonesAreKeptAndMarked) {
    startEmpty(kBand400to470);
    enterCell(1, 1, "446");
    const QColor plain = grid->textColor(1, 1);
    const struct {
        const char *typed;
        int col;
        const char *stored;
        const char *nearest; // "" standard
    } cases[] = {
        {"88", 3, "88.0", "88.5"},    {"88.5", 3, "88.5", ""},   {"100.1", 4, "100.1", "100.0"},
        {"255", 4, "255.0", "254.1"}, {"D023N", 3, "D023N", ""}, {"67", 3, "67.0", ""},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.typed);
        clickCell(1, k.col);
        typeIntoCtdcsBox(k.typed);
        clickCell(2, 1);
        key(Qt::Key_Escape);
        EXPECT_EQ(cell(1, k.col), k.stored);
        const bool marked = *k.nearest != 0;
        EXPECT_EQ(grid->cellToolTip(1, k.col),
                  marked ? QString("not a standard tone: %1?").arg(k.nearest) : QString());
        EXPECT_EQ(grid->textColor(1, k.col) != plain, marked);
        const QString notice =
            marked ? QString("%1 is not a standard tone; the nearest standard tone is %2")
                         .arg(k.stored, k.nearest)
                   : QString();
        EXPECT_EQ(ch->toneNotice(1, k.col), notice);
        // The status bar names the nearest tone until an entry is kept as typed.
        EXPECT_EQ(w->panel(1), marked ? notice : QString("Ready"));
    }

    // A pasted one is marked too; deleting the channel takes the mark with i
    grid->selectCell(1, 3);
    grid->setFocus();
    paste("71");
    EXPECT_EQ(grid->cellToolTip(1, 3), "not a standard tone: 71.9?");
    EXPECT_EQ(grid->cellToolTip(1, 4), "not a standard tone: 71.9?");
    w->mnuDelAll_Click();
    EXPECT_EQ(grid->cellToolTip(1, 3), "");
    EXPECT_EQ(ch->toneNotice(1, 3), "");
}

} // namespace
