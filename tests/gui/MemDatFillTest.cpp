// The fill dialog: one value in hexadecimal, decimal or binary over a range of
// the image, the kept start and end addresses, and input that must never
// write outside the image.
#include "MemDatFixture.h"

#include "editors/frmPartFill.h"

#include <QComboBox>
#include <QPushButton>

class MemDatFill : public MemDatFixture {
  protected:
    void SetUp() override {
        MemDatFixture::SetUp();
        view->TableFreDat();
        fill = view->partFillDialog();
    }
    // Sets the dialog's boxes as a user would and presses "Fill".
    void run(const QString &value, const QString &base, const QString &start, const QString &end) {
        fill->txtFillData->setText(value);
        fill->cboFillData->setCurrentIndex(fill->cboFillData->findText(base));
        fill->txtStartAddr->setText(start);
        fill->txtEndAddr->setText(end);
        QTest::mouseClick(fill->cmdFillData, Qt::LeftButton);
    }
    std::vector<int> changedSince(const std::vector<uint8_t> &before) const {
        std::vector<int> changed;
        for (size_t a = 0; a < before.size(); ++a)
            if (c.IicDat[a] != before[a])
                changed.push_back(static_cast<int>(a));
        return changed;
    }
    frmPartFill *fill = nullptr;
};

TEST_F(MemDatFill, DialogShowsItsControlsAndTheKeptRange) {
    EXPECT_EQ(fill->windowTitle(), "Part Fill");
    EXPECT_EQ(fill->txtFillData->text(), "FF");
    ASSERT_EQ(fill->cboFillData->count(), 3);
    EXPECT_EQ(fill->cboFillData->itemText(0), "H");
    EXPECT_EQ(fill->cboFillData->itemText(1), "D");
    EXPECT_EQ(fill->cboFillData->itemText(2), "B");
    EXPECT_EQ(fill->txtStartAddr->text(), "0000");
    EXPECT_EQ(fill->txtEndAddr->text(), "1FFF");
    EXPECT_EQ(fill->cmdFillData->text(), "Fill");
    EXPECT_EQ(view->partFillDialog(), fill) << "one dialog, kept between uses";

    // A first load shows the kept addresses as four digits.
    c.settings.fillStart = 0x20;
    c.settings.fillEnd = 0x3F;
    frmPartFill another(view.get());
    EXPECT_EQ(another.txtStartAddr->text(), "0020");
    EXPECT_EQ(another.txtEndAddr->text(), "003F");
}

TEST_F(MemDatFill, FillsTheRangeInEachBase) {
    const struct {
        const char *value, *base, *start, *end;
        int first, last;
        uint8_t stored;
    } cases[] = {
        {"FF", "H", "0010", "001F", 0x10, 0x1F, 0xFF},    // one whole row
        {"300", "D", "0100", "0100", 0x100, 0x100, 0xFF}, // above 255 fills 255
        {"101", "B", "0200", "0203", 0x200, 0x203, 0x05},
        {"0", "D", "1FF8", "1fff", 0x1FF8, 0x1FFF, 0x00},
    };
    for (const auto &tc : cases) {
        for (int a = tc.first; a <= tc.last; ++a)
            c.IicDat[static_cast<size_t>(a)] = 0x5A;
        view->showImageBytes(tc.first, tc.last);
        const std::vector<uint8_t> before = c.IicDat;
        run(tc.value, tc.base, tc.start, tc.end);
        std::vector<int> expected;
        for (int a = tc.first; a <= tc.last; ++a)
            expected.push_back(a);
        EXPECT_EQ(changedSince(before), expected) << tc.value << " " << tc.base;
        for (int a = tc.first; a <= tc.last; ++a) {
            EXPECT_EQ(c.IicDat[static_cast<size_t>(a)], tc.stored);
            EXPECT_EQ(cell(a), memdat::FormatByteDat(tc.stored));
        }
    }
    EXPECT_TRUE(places().empty());
}

TEST_F(MemDatFill, FillTakesTheWholeTableBackIntoTheImage) {
    // A byte changed in the image behind the table's back is taken back from
    // the table by the fill, like after a typed cell.
    const uint8_t shown = c.IicDat[0x0500];
    c.IicDat[0x0500] = static_cast<uint8_t>(shown ^ 0xFF);
    run("AA", "H", "0010", "0010");
    EXPECT_EQ(c.IicDat[0x0010], 0xAA);
    EXPECT_EQ(c.IicDat[0x0500], shown);
}

TEST_F(MemDatFill, InputThatNamesNothingFillsNothing) {
    const struct {
        const char *value, *base, *start, *end;
    } cases[] = {
        {"FF", "H", "0020", "0010"}, // start above end
        {"-5", "D", "0010", "001F"}, // negative
        {"G1", "H", "0010", "001F"}, // not a number in the base
        {"12", "B", "0010", "001F"},   {"", "D", "0010", "001F"},
        {"FF", "H", "ZZ", "001F"}, // start is no hexadecimal number
        {"FF", "H", "0010", ""},       {"FF", "H", "2000", "2FFF"}, // wholly beyond the image
        {"FF", "H", "10000", "1FFFF"},
    };
    const std::vector<uint8_t> before = c.IicDat;
    for (const auto &tc : cases) {
        run(tc.value, tc.base, tc.start, tc.end);
        EXPECT_TRUE(changedSince(before).empty()) << tc.value << " " << tc.start << "-" << tc.end;
    }
    // With no base chosen nothing happens either.
    fill->txtStartAddr->setText("0010");
    fill->txtEndAddr->setText("001F");
    fill->cboFillData->setCurrentIndex(-1);
    QTest::mouseClick(fill->cmdFillData, Qt::LeftButton);
    EXPECT_TRUE(changedSince(before).empty());
    EXPECT_EQ(c.IicDat.size(), 0x2000u);
    EXPECT_TRUE(places().empty());
}

TEST_F(MemDatFill, RangeReachingPastTheImageStopsAtItsLastByte) {
    const std::vector<uint8_t> before = c.IicDat;
    run("FF", "H", "1FF0", "FFFF");
    EXPECT_EQ(c.IicDat.size(), 0x2000u);
    for (int a : changedSince(before))
        EXPECT_GE(a, 0x1FF0);
    for (int a = 0x1FF0; a <= 0x1FFF; ++a)
        EXPECT_EQ(c.IicDat[static_cast<size_t>(a)], 0xFF);
    EXPECT_TRUE(places().empty());
}

TEST_F(MemDatFill, StartAndEndBoxesKeepOnlyAddressesOfTheImage) {
    const struct {
        const char *typed;
        int16_t kept;
    } cases[] = {
        {"0100", 0x100}, {"01G0", 0x100},  {"", 0x100}, {"3000", 0x100},
        {"FFFF", 0x100}, {"1fff", 0x1FFF}, {"7", 0x7},
    };
    for (const auto &tc : cases) {
        fill->txtStartAddr->setText(tc.typed);
        EXPECT_EQ(c.settings.fillStart, tc.kept) << tc.typed;
        fill->txtEndAddr->setText(tc.typed);
        EXPECT_EQ(c.settings.fillEnd, tc.kept) << tc.typed;
    }
}

TEST_F(MemDatFill, FillBeforeTheFirstRefillLeavesTheRestOfTheImage) {
    // A fresh table has empty cells: the fill must not read them back as zeros.
    view->SetGridMemDat();
    for (int a = 0x10; a <= 0x1F; ++a)
        c.IicDat[static_cast<size_t>(a)] = 0x5A;
    const std::vector<uint8_t> before = c.IicDat;
    run("FF", "H", "0010", "001F");
    std::vector<int> expected;
    for (int a = 0x10; a <= 0x1F; ++a)
        expected.push_back(a);
    EXPECT_EQ(changedSince(before), expected);
    EXPECT_EQ(cell(0x10), "FF");
    EXPECT_TRUE(cell(0x20).isEmpty());
}
