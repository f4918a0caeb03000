// The option controls of the channel window.
#include "ChMemFixture.h"

#include "core/Options.h"
#include "core/Plan.h"

#include <QCheckBox>
#include <QMenuBar>
#include <QRegularExpression>

using ChMemOptions = ChMemFixture;

namespace {
// A caption as shown, without its access key mark: "&Volume", "音量(&V)".
QString withoutAccessKey(QString caption) {
    static const QRegularExpression mark(QStringLiteral("\\(&.\\)$|&(?=.)"));
    return caption.remove(mark);
}

int shownValue(frmChMem *ch, int k) {
    QWidget *control = ch->optionControl(k);
    if (auto *check = qobject_cast<QCheckBox *>(control))
        return check->isChecked() ? 1 : 0;
    return static_cast<QComboBox *>(control)->currentIndex();
}
} // namespace

TEST_F(ChMemOptions, ControlsShowTheSelectionTableWithTheirCaptions) {
    for (int k = 0; k < cps::kOptionCount; ++k) {
        const auto &def = cps::optionDefs()[static_cast<std::size_t>(k)];
        QWidget *control = ch->findChild<QWidget *>(def.control);
        ASSERT_EQ(control, ch->optionControl(k)) << def.control;
        EXPECT_EQ(shownValue(ch, k), c().opt.sel[k]) << def.control;
        const QString caption = QString::fromStdString(c().text(def.captionText));
        if (def.checkBox)
            EXPECT_EQ(withoutAccessKey(static_cast<QCheckBox *>(control)->text()), caption);
        else
            EXPECT_EQ(withoutAccessKey(ch->optionLabel(k)->text()), caption);
    }
    EXPECT_EQ(ch->cboTot->count(), 21);
    EXPECT_EQ(ch->cboTot->itemText(0), "Off");
    EXPECT_EQ(ch->cboTot->itemText(20), "300s");
    EXPECT_EQ(ch->cboRadioSql->count(), 33);
    EXPECT_EQ(ch->cboVoxDly->itemText(5), "3.0");
    EXPECT_EQ(ch->fraCommonSet->title(), "Optional Features");
    EXPECT_EQ(ch->fraModel->title(), "Model Information");
}

TEST_F(ChMemOptions, InitOptReplacesWhatCannotBeShown) {
    c().opt.sel[cps::opt::Tot] = 25;    // beyond the list: the default is shown
    c().opt.sel[cps::opt::BatSave] = 7; // any non-zero ticks the box
    c().opt.sel[cps::opt::Sql] = -1;    // a negative value leaves no selection
    ch->InitOpt();
    EXPECT_EQ(c().opt.sel[cps::opt::Tot], c().opt.def[cps::opt::Tot]);
    EXPECT_EQ(ch->cboTot->currentIndex(), c().opt.def[cps::opt::Tot]);
    EXPECT_EQ(c().opt.sel[cps::opt::BatSave], 1);
    EXPECT_TRUE(ch->chkBatSave->isChecked());
    EXPECT_EQ(ch->cboSql->currentIndex(), -1);
    for (int k = 0; k < cps::kOptionCount; ++k)
        EXPECT_EQ(shownValue(ch, k), c().opt.sel[k]) << k;
    EXPECT_TRUE(errorLines().join('\n').contains(
        QString::fromStdString(cps::optionRangeMessage(cps::opt::Tot))));
}

TEST_F(ChMemOptions, VoiceChipValueTwoIsLoggedAndShowsTheDefault) {
    c().IicDat[0x3FE] = static_cast<uint8_t>((c().IicDat[0x3FE] & ~0x03) | 0x02);
    cps::SoftDisplay(c());
    const int def = c().opt.def[cps::opt::AnChipSel];
    EXPECT_EQ(ch->cboAnChipSel->currentIndex(), def);
    EXPECT_EQ(c().opt.sel[cps::opt::AnChipSel], def);
    const QString message = QString::fromStdString(cps::optionRangeMessage(cps::opt::AnChipSel));
    EXPECT_EQ(errorLines().filter(message).size(), 1);
}

TEST_F(ChMemOptions, UserChoicesGoIntoTheSelectionTableOnly) {
    const auto image = c().IicDat;
    ch->cboVolume->setCurrentIndex(9);
    emit ch->cboVolume->activated(9);
    EXPECT_EQ(c().opt.sel[cps::opt::Volume], 9);
    const bool alarm = ch->chkEmergencyAlarm->isChecked();
    QTest::mouseClick(ch->chkEmergencyAlarm, Qt::LeftButton, {},
                      QPoint(6, ch->chkEmergencyAlarm->height() / 2)); // on the tick box
    EXPECT_EQ(c().opt.sel[cps::opt::EmergencyAlarm], alarm ? 0 : 1);
    EXPECT_PRED_FORMAT2(testsupport::BytesEq, c().IicDat, image); // the image changes at the next conversion only

    cps::SetConvIicDat(c());
    EXPECT_EQ(c().IicDat[0x3FF], 9);
    EXPECT_EQ(c().IicDat[0x3FC] & 0x80, alarm ? 0 : 0x80);
}

TEST_F(ChMemOptions, OptionsFollowTheImageAfterARead) {
    c().IicDat[0x130] = 20;   // 300 s
    c().IicDat[0x3F6] = 0xA6; // radio squelch 32
    c().IicDat[0x3F7] = 0xA7; // radio volume 7
    c().IicDat[0x3D8] = 0x49; // 25.6 MHz crystal
    cps::SoftDisplay(c());
    EXPECT_EQ(ch->cboTot->currentText(), "300s");
    EXPECT_EQ(ch->cboRadioSql->currentText(), "32");
    EXPECT_EQ(ch->cboRadioVolume->currentText(), "7");
    EXPECT_EQ(ch->cboCrystal->currentText(), "25.6MHz");
}

// The keyboard reaches every option control: Tab goes through them in the
// order they stand, and each has an access key of its own in every language.
class ChMemOptionKeys : public ChMemFixture, public ::testing::WithParamInterface<int> {
    void prepareFolder() override { folder.set("Language", std::to_string(GetParam())); }
};

TEST_P(ChMemOptionKeys, TabAndAccessKeysReachEveryOptionControl) {
    // The drop-downs from the top, then the check boxes two to a line.
    const int order[] = {0, 1, 2, 3, 4, 5, 9, 10, 11, 12, 13, 14, 6, 7, 8, 15};
    ch->optionControl(order[0])->setFocus(Qt::TabFocusReason);
    for (int k : order) {
        EXPECT_EQ(QApplication::focusWidget(), ch->optionControl(k)) << k;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }

    // One key per control, none taken twice, none a key of the menu bar.
    QList<QKeySequence> taken;
    for (QAction *menu : w->menuBar()->actions())
        if (menu->isVisible())
            taken << QKeySequence::mnemonic(menu->text());
    for (int k = 0; k < cps::kOptionCount; ++k) {
        QWidget *control = ch->optionControl(k);
        auto *check = qobject_cast<QCheckBox *>(control);
        const QString caption = check ? check->text() : ch->optionLabel(k)->text();
        const QKeySequence key = QKeySequence::mnemonic(caption);
        ASSERT_FALSE(key.isEmpty()) << caption.toStdString();
        EXPECT_FALSE(taken.contains(key)) << caption.toStdString();
        taken << key;

        grid->setFocus();
        QTest::keyClick(grid, static_cast<Qt::Key>(key[0].key()), Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), control) << caption.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ChMemOptionKeys, ::testing::Values(1, 2, 3));
