// The radio-wide option controls of the channel window: twelve drop-downs
// with their labels and four check boxes, one per entry of the option
// selection table.
#include "core/Options.h"
#include "editors/PlanHistory.h"
#include "editors/frmChMem.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QWheelEvent>

namespace {
// Lets the wheel change a drop-down only while the drop-down has the focus;
// otherwise the wheel goes on to the panel around it, which scrolls. A user
// scrolling the window past the options does not change one on the way.
class WheelNeedsFocus : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Wheel && !static_cast<QWidget *>(watched)->hasFocus()) {
            event->ignore(); // handled here, not taken: the parent gets it
            return true;
        }
        return false;
    }
};
} // namespace

void frmChMem::keepWheelForFocus(QComboBox *combo) {
    combo->setFocusPolicy(Qt::StrongFocus); // the wheel alone no longer gives the focus
    combo->installEventFilter(new WheelNeedsFocus(combo));
}

void frmChMem::buildOptionControls() {
    QComboBox **combos[] = {&cboTot,      &cboSql,         &cboVolume,      &cboAnVoice,
                            &cboRadioSql, &cboRadioVolume, nullptr,         nullptr,
                            nullptr,      &cboAnChipSel,   &cboCrystal,     &cboPreTot,
                            &cboVoxLevel, &cboVoxDly,      &cboVoxRxForbid, nullptr};
    QLabel **labels[] = {&lblTot,      &lblSql,         &lblVolume,      &lblAnVoice,
                         &lblRadioSql, &lblRadioVolume, nullptr,         nullptr,
                         nullptr,      &lblAnChipSel,   &lblCrystal,     &lblPreTot,
                         &lblVoxLevel, &lblVoxDly,      &lblVoxRxForbid, nullptr};
    QCheckBox **checks[] = {nullptr,     nullptr,  nullptr,
                            nullptr,     nullptr,  nullptr,
                            &chkBatSave, &chkBeep, &chkEmergencyAlarm,
                            nullptr,     nullptr,  nullptr,
                            nullptr,     nullptr,  nullptr,
                            &chkLowBatTx};

    auto *layout = new QGridLayout(fraCommonSet);
    layout->setColumnStretch(1, 1);
    layout->setVerticalSpacing(6);
    int gridRow = 0;
    optControls_.assign(cps::kOptionCount, nullptr);
    optLabels_.assign(cps::kOptionCount, nullptr);
    // Drop-downs first, in option order, then the check boxes beneath them.
    for (int k = 0; k < cps::kOptionCount; ++k) {
        const auto &def = cps::optionDefs()[static_cast<std::size_t>(k)];
        if (def.checkBox)
            continue;
        const QString name = QString::fromLatin1(def.control);
        auto *combo = new QComboBox;
        combo->setObjectName(name);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        keepWheelForFocus(combo);
        auto *label = new QLabel;
        label->setObjectName(QStringLiteral("lbl") + name.mid(3));
        label->setBuddy(combo);
        *combos[k] = combo;
        *labels[k] = label;
        optControls_[static_cast<std::size_t>(k)] = combo;
        optLabels_[static_cast<std::size_t>(k)] = label;
        connect(combo, &QComboBox::activated, this, [this, k] { optionClicked(k); });
        layout->addWidget(label, gridRow, 0);
        layout->addWidget(combo, gridRow, 1);
        ++gridRow;
    }
    // The check boxes two to a line.
    auto *checkGrid = new QGridLayout;
    checkGrid->setHorizontalSpacing(12);
    int placed = 0;
    for (int k = 0; k < cps::kOptionCount; ++k) {
        const auto &def = cps::optionDefs()[static_cast<std::size_t>(k)];
        if (!def.checkBox)
            continue;
        auto *check = new QCheckBox;
        check->setObjectName(QString::fromLatin1(def.control));
        *checks[k] = check;
        optControls_[static_cast<std::size_t>(k)] = check;
        connect(check, &QCheckBox::clicked, this, [this, k] { optionClicked(k); });
        checkGrid->addWidget(check, placed / 2, placed % 2);
        ++placed;
    }
    layout->addLayout(checkGrid, gridRow, 0, 1, 2);
}

namespace {
// The access key of each option control, by option number, in every
// language. None of them is a letter of the menu bar (File, Edit, Program,
// Settings, Help), which the same Alt key would otherwise reach as well.
constexpr char kAccessKeys[cps::kOptionCount + 1] = "TQVARUYBMCLOGDIW";

// A caption with its access key: marked in the text where the caption holds
// the letter (English), added as "(&T)" after it otherwise, as the Chinese menus do.
QString withAccessKey(const QString &caption, char key, bool inText) {
    const qsizetype at = inText ? caption.indexOf(QLatin1Char(key), 0, Qt::CaseInsensitive) : -1;
    if (at >= 0)
        return QString(caption).insert(at, QLatin1Char('&'));
    return caption + QStringLiteral("(&") + QLatin1Char(key) + QLatin1Char(')');
}
} // namespace

void frmChMem::InitFace() {
    cps::guarded(c().log(), "frmChMem->InitFace", [&] {
        const auto text = [&](int n) { return QString::fromStdString(c().text(n)); };
        fraCommonSet->setTitle(text(200));
        fraModel->setTitle(text(370));
        lblModel->setText(text(371));
        lblFrequency->setText(text(372));
        cmdPrintChannel->setText(text(147));
        for (int k = 0; k < cps::kOptionCount; ++k) {
            const auto &def = cps::optionDefs()[static_cast<std::size_t>(k)];
            const QString caption = withAccessKey(text(def.captionText), kAccessKeys[k],
                                                  c().lang() == 3);
            if (def.checkBox)
                static_cast<QCheckBox *>(optionControl(k))->setText(caption);
            else
                optionLabel(k)->setText(caption); // the label's buddy takes the key
        }
    });
}

void frmChMem::InitOpt() {
    cps::guarded(c().log(), "frmChMem->InitOpt:", [&] {
        // The selection table is first made equal to what the controls can
        // show; the controls then show it without raising their click handlers.
        cps::InitOptValues(c());
        for (int k = 0; k < cps::kOptionCount; ++k) {
            const auto &def = cps::optionDefs()[static_cast<std::size_t>(k)];
            const int value = c().opt.sel.at(static_cast<std::size_t>(k));
            QWidget *control = optionControl(k);
            const QSignalBlocker block(control);
            if (def.checkBox) {
                static_cast<QCheckBox *>(control)->setChecked(value != 0);
                continue;
            }
            auto *combo = static_cast<QComboBox *>(control);
            combo->clear();
            for (const auto &choice : cps::optionChoices(c(), k))
                combo->addItem(QString::fromStdString(choice));
            combo->setCurrentIndex(value < combo->count() ? value : -1);
        }
    });
}

void frmChMem::optionClicked(int k) {
    const auto &def = cps::optionDefs()[static_cast<std::size_t>(k)];
    const std::string place = std::string("frmChMem->") + def.control + "_Click";
    const QString name = stepName(QString::fromStdString(c().text(def.captionText)));
    command(name.isEmpty() ? faceText(477) : name, [&] {
    cps::guarded(c().log(), place.c_str(), [&] {
        QWidget *control = optionControl(k);
        const int value = def.checkBox ? (static_cast<QCheckBox *>(control)->isChecked() ? 1 : 0)
                                       : static_cast<QComboBox *>(control)->currentIndex();
        c().opt.sel.at(static_cast<std::size_t>(k)) = static_cast<int16_t>(value);
    });
    });
}
