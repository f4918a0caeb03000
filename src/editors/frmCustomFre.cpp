#include "editors/frmCustomFre.h"

#include "editors/Dialogs.h"
#include "editors/MainWindowServices.h"
#include "core/Numeric.h"
#include "core/Plan.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString frmCustomFre::mstrFreMin;
QString frmCustomFre::mstrFreMax;

namespace {
constexpr long long kLowestLimit = 12000000;  // 120 MHz in 10 Hz units
constexpr long long kHighestLimit = 52000000; // 520 MHz
} // namespace

frmCustomFre::frmCustomFre(MainWindowServices *main, QWidget *parent)
    : QDialog(parent ? parent : main->frame()), main_(main) {
    setObjectName(QStringLiteral("frmCustomFre"));
    setModal(true);
    txtFreMin = new QLineEdit(QStringLiteral("120"));
    txtFreMin->setObjectName(QStringLiteral("txtFreMin"));
    txtFreMax = new QLineEdit(QStringLiteral("520"));
    txtFreMax->setObjectName(QStringLiteral("txtFreMax"));
    lblFreMin = new QLabel;
    lblFreMin->setObjectName(QStringLiteral("lblFreMin"));
    lblFreMax = new QLabel;
    lblFreMax->setObjectName(QStringLiteral("lblFreMax"));
    cmdOK = new QPushButton;
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton;
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdOK, &QPushButton::clicked, this, &frmCustomFre::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmCustomFre::cmdCancel_Click);

    auto *form = new QFormLayout;
    form->addRow(lblFreMin, txtFreMin);
    form->addRow(lblFreMax, txtFreMax);
    auto *buttons = new QDialogButtonBox;
    buttons->addButton(cmdOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdCancel, QDialogButtonBox::RejectRole);
    auto *root = new QVBoxLayout(this);
    root->addLayout(form);
    root->addWidget(buttons);
    setMinimumWidth(280);
    Form_Load();
}

void frmCustomFre::Form_Load() {
    cps::guarded(main_->cps().log(), "frmCustomFre->Form_Load", [&] {
        InitFace();
        if (mstrFreMin.isEmpty())
            mstrFreMin = QStringLiteral("120");
        if (mstrFreMax.isEmpty())
            mstrFreMax = QStringLiteral("520");
        txtFreMin->setText(mstrFreMin);
        txtFreMax->setText(mstrFreMax);
    });
}

void frmCustomFre::InitFace() {
    cps::guarded(main_->cps().log(), "frmCustomFre->InitFace", [&] {
        const auto &c = main_->cps();
        const auto text = [&](int n) { return QString::fromStdString(c.text(n)); };
        if (!c.CurFont.empty())
            setFont(QFont(QString::fromStdString(c.CurFont), font().pointSize()));
        setWindowTitle(text(374));
        lblFreMin->setText(text(375));
        lblFreMax->setText(text(376));
        cmdOK->setText(text(377));
        cmdCancel->setText(text(378));
    });
}

void frmCustomFre::cmdOK_Click() {
    auto &c = main_->cps();
    const auto text = [&](int n) { return QString::fromStdString(c.text(n)); };
    // No (or Escape) leaves the plan and the band as they are: the band
    // selection that opened the dialog goes back to the band in force.
    if (cps::dialogs().message(this, text(74), text(70), QMessageBox::Question,
                               QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        done(Declined);
        return;
    }
    try {
        c.CurFilePath = c.DefFilePath;
        main_->showFilePath();
        cps::NewFileSol(c);
        const auto low = cps::decimalToScaled(txtFreMin->text().toStdString(), 5);
        const auto high = cps::decimalToScaled(txtFreMax->text().toStdString(), 5);
        const auto inRange = [](long long v) { return v >= kLowestLimit && v <= kHighestLimit; };
        if (low && high && inRange(*low) && inRange(*high) && *high >= *low) {
            c.bandLow = static_cast<int32_t>(*low);
            c.bandHigh = static_cast<int32_t>(*high);
            mstrFreMin = txtFreMin->text();
            mstrFreMax = txtFreMax->text();
        } else {
            rejectRange();
        }
    } catch (const std::exception &) {
        rejectRange(); // a failure while accepting is not logged
    }
    accept();
}

void frmCustomFre::rejectRange() {
    auto &c = main_->cps();
    c.bandLow = static_cast<int32_t>(kLowestLimit);
    c.bandHigh = static_cast<int32_t>(kHighestLimit);
    txtFreMin->setText(QStringLiteral("120"));
    txtFreMax->setText(QStringLiteral("520"));
    mstrFreMin = txtFreMin->text();
    mstrFreMax = txtFreMax->text();
}

void frmCustomFre::cmdCancel_Click() {
    cps::guarded(main_->cps().log(), "frmCustomFre->cmdCancel_Click", [&] { reject(); });
}
