// The memory data view: layout, refill with change marks, typing bytes into
// the image, the cell explanation and closing.
#include "MemDatFixture.h"

#include "core/ChannelCodec.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>

using memdat::FormatByteDat;

TEST_F(MemDatFixture, LayoutHasOneLabelledRowPer16BytesAndStaysEmptyUntilFilled) {
    QTableWidget *grid = view->vsfgGridMemDat;
    ASSERT_EQ(grid->rowCount(), 512);
    ASSERT_EQ(grid->columnCount(), 16);
    EXPECT_EQ(grid->verticalHeaderItem(0)->text(), "0000H");
    EXPECT_EQ(grid->verticalHeaderItem(0x1A)->text(), "01A0H");
    EXPECT_EQ(grid->verticalHeaderItem(511)->text(), "1FF0H");
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(grid->horizontalHeaderItem(k)->text(), QString::number(k, 16).toUpper());
    // At least 270 twips high rows, 420 twips wide byte columns and 620 twips
    // for the labels, and never too small for the texts.
    const QFontMetrics fm(grid->font());
    EXPECT_GE(grid->rowHeight(100), 18);
    EXPECT_GE(grid->rowHeight(100), fm.height());
    EXPECT_EQ(grid->horizontalHeader()->height(), grid->rowHeight(100));
    EXPECT_GE(grid->columnWidth(15), 28);
    EXPECT_GT(grid->columnWidth(15), fm.horizontalAdvance("FF"));
    EXPECT_GE(grid->verticalHeader()->width(), 41);
    EXPECT_GT(grid->verticalHeader()->width(), fm.horizontalAdvance("1FF0H"));
    EXPECT_EQ(grid->font().pointSize(), 10);
    EXPECT_EQ(grid->currentRow(), 0);
    EXPECT_EQ(grid->currentColumn(), 0);
    EXPECT_TRUE(cell(0).isEmpty());
    EXPECT_TRUE(cell(0x1FFF).isEmpty());
    EXPECT_EQ(view->cellAt(0x2000), nullptr);
    EXPECT_EQ(view->windowTitle(), "Memory Data");
    EXPECT_EQ(view->cmdPartFill->text(), "Part Fill");
    EXPECT_EQ(view->cmdFillGrid->text(), "Fill Gird");
    EXPECT_EQ(view->cmdSetDefCol->text(), "Set Def Color");
}

TEST_F(MemDatFixture, ShorterTableEndLeavesTheRestOfItsLastRowOutOfReach) {
    c.settings.tableMaxAddr = 0x0123;
    view->SetGridMemDat();
    ASSERT_EQ(view->dataRows(), 0x13);
    view->TableFreDat();
    EXPECT_EQ(cell(0x0123), FormatByteDat(c.IicDat[0x123]));
    EXPECT_TRUE(cell(0x0124).isEmpty());
    EXPECT_FALSE(view->cellAt(0x0124)->flags() & Qt::ItemIsEditable);
}

TEST_F(MemDatFixture, FirstRefillShowsTheImageWithoutMarks) {
    view->TableFreDat();
    for (int a : {0x0000, 0x0010, 0x0379, 0x1FFF})
        EXPECT_EQ(cell(a), FormatByteDat(c.IicDat[static_cast<size_t>(a)])) << a;
    EXPECT_TRUE(redAddresses().empty());
    EXPECT_TRUE(places().empty());
}

TEST_F(MemDatFixture, RefillMarksChangedBytesRedAndShowsTheLastOne) {
    view->TableFreDat();
    c.IicDat[0x0010] ^= 0xFF;
    c.IicDat[0x1234] ^= 0x01;
    view->TableFreDat();
    EXPECT_EQ(redAddresses(), (std::vector<int>{0x0010, 0x1234}));
    EXPECT_EQ(cell(0x1234), FormatByteDat(c.IicDat[0x1234]));
    EXPECT_EQ(view->vsfgGridMemDat->currentItem(), view->cellAt(0x1234));
    const QRect shown = view->vsfgGridMemDat->visualItemRect(view->cellAt(0x1234));
    EXPECT_TRUE(view->vsfgGridMemDat->viewport()->rect().intersects(shown));

    // The next refill starts over: only what changed since the last one is red.
    c.IicDat[0x0020] ^= 0x80;
    view->TableFreDat();
    EXPECT_EQ(redAddresses(), std::vector<int>{0x0020});

    QTest::mouseClick(view->cmdSetDefCol, Qt::LeftButton);
    EXPECT_TRUE(redAddresses().empty());
}

TEST_F(MemDatFixture, FillGirdAfterAChannelEditMarksTheSlotsChangedBytes) {
    view->TableFreDat();
    const std::vector<uint8_t> before = c.IicDat;
    c.ch.ChInfo[1][cps::field::Rx] = 14652000; // 146.52 MHz
    QTest::mouseClick(view->cmdFillGrid, Qt::LeftButton);

    std::vector<int> changed;
    for (int a = 0; a <= 0x1FFF; ++a)
        if (c.IicDat[static_cast<size_t>(a)] != before[static_cast<size_t>(a)])
            changed.push_back(a);
    ASSERT_FALSE(changed.empty());
    for (int a : changed)
        EXPECT_TRUE(a >= 0x10 && a <= 0x13) << a; // channel 1's receive bytes
    EXPECT_EQ(redAddresses(), changed);
    EXPECT_EQ(cell(0x13), "14");
    EXPECT_EQ(cell(0x12), "65");
}

TEST_F(MemDatFixture, TypedCellsGoStraightIntoTheImage) {
    view->TableFreDat();
    const struct {
        const char *typed;
        uint8_t stored;
    } cases[] = {{"7", 0x07}, {"g1", 0x01}, {"a5", 0xA5}, {"", 0x00}, {"00012", 0x12}};
    int address = 0x0100;
    for (const auto &tc : cases) {
        c.IicDat[static_cast<size_t>(address)] = 0x5A;
        type(address, QString::fromUtf8(tc.typed));
        EXPECT_EQ(c.IicDat[static_cast<size_t>(address)], tc.stored) << tc.typed;
        EXPECT_EQ(cell(address), QString::fromUtf8(tc.typed)) << "the typed text stays as typed";
        ++address;
    }
    // Five characters are more than the scratch bytes hold: reported, the four
    // rightmost still form the byte.
    EXPECT_EQ(places(), std::vector<std::string>{"frmMemDat->SeparateChar"});
}

TEST_F(MemDatFixture, TypedTextThatIsNoByteStopsTheTakeBackThere) {
    view->TableFreDat();
    // Image bytes changed behind the table's back: the take-back restores the
    // ones before the bad cell from the table and leaves those after it.
    const uint8_t shownAt10 = c.IicDat[0x0010];
    c.IicDat[0x0010] = static_cast<uint8_t>(shownAt10 ^ 0xFF);
    c.IicDat[0x0030] = 0x33;
    const uint8_t at20 = c.IicDat[0x0020];
    type(0x0020, "1FF");
    EXPECT_EQ(places(), std::vector<std::string>{"frmMemDat->GridDataTemp"});
    EXPECT_EQ(c.IicDat[0x0010], shownAt10);
    EXPECT_EQ(c.IicDat[0x0020], at20);
    EXPECT_EQ(c.IicDat[0x0030], 0x33);
    EXPECT_EQ(cell(0x0020), "1FF");

    // The next refill reports the bad cell and still shows every byte of the
    // image, so no stale text is left to be taken back later.
    sink.entries.clear();
    c.IicDat[0x0040] ^= 0xFF;
    view->TableFreDat();
    EXPECT_EQ(places(), std::vector<std::string>{"modMemDat->TableFreDat"});
    EXPECT_EQ(cell(0x0020), FormatByteDat(at20));
    EXPECT_EQ(cell(0x0030), "33");
    EXPECT_EQ(redAddresses(), (std::vector<int>{0x0020, 0x0030, 0x0040}));
}

TEST_F(MemDatFixture, NothingIsTakenBackBeforeTheFirstRefill) {
    // The empty cells hold nothing of the image; reading them back would zero it.
    const std::vector<uint8_t> image = c.IicDat;
    QTest::keyClick(view->vsfgGridMemDat, Qt::Key_7);
    EXPECT_EQ(openEditor(), nullptr);
    view->GridDataTemp();
    EXPECT_PRED_FORMAT2(testsupport::BytesEq, c.IicDat, image);

    view->TableFreDat(); // from now on typing starts an edit
    QTest::keyClick(view->vsfgGridMemDat, Qt::Key_7);
    EXPECT_NE(openEditor(), nullptr);
}

TEST_F(MemDatFixture, CellExplanationOfTheByteUnderTheMouse) {
    c.IicDat[0x01A3] = 0x1A;
    view->TableFreDat();
    const QString expected = QString::fromUtf8("地址为: 0x01A3    二进制:00011010    "
                                               "B7:0 B6:0 B5:0 B4:1   B3:1 B2:0 B1:1 B0:0     "
                                               "十进制26    \r\n");
    QTableWidgetItem *item = view->cellAt(0x01A3);
    view->vsfgGridMemDat->scrollToItem(item);
    QTest::mouseMove(view->vsfgGridMemDat->viewport(),
                     view->vsfgGridMemDat->visualItemRect(item).center());
    EXPECT_EQ(view->tipText(), expected);
    EXPECT_EQ(view->vsfgGridMemDat->toolTip(), expected);
    EXPECT_EQ(view->vsfgGridMemDat->currentItem(), item) << "the explained cell is selected";

    // Explaining a half-shown cell at the bottom edge does not scroll the grid.
    QTableWidget *grid = view->vsfgGridMemDat;
    const int scrolled = grid->verticalScrollBar()->value();
    const QPoint bottomEdge(grid->columnViewportPosition(2) + 4, grid->viewport()->height() - 2);
    QTest::mouseMove(grid->viewport(), bottomEdge);
    EXPECT_EQ(grid->currentRow(), grid->rowAt(bottomEdge.y()));
    EXPECT_EQ(grid->verticalScrollBar()->value(), scrolled);
    view->CellTipHint(0x1A + 1, 3 + 1);

    // Over a fixed cell the tip stays; a text that is no 16-bit value clears it.
    view->CellTipHint(0, 4);
    EXPECT_EQ(view->tipText(), expected);
    view->cellAt(0x0005)->setText("1FFFF");
    sink.entries.clear();
    view->CellTipHint(1, 6);
    EXPECT_TRUE(view->tipText().isEmpty());
    EXPECT_EQ(places(), std::vector<std::string>{"frmMemDat->CellTipHint"});
}

TEST_F(MemDatFixture, ClosingHidesTheViewUntilTheProgramExits) {
    EXPECT_FALSE(view->close());
    EXPECT_FALSE(view->isVisible());
    view->show();
    c.Closing = 1;
    EXPECT_TRUE(view->close());
}
