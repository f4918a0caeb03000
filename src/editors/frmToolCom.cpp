#include "editors/frmToolCom.h"

#include "editors/CableCheckPanel.h"

#include "comm/PortProbe.h"
#include "comm/PortTrouble.h"
#include "editors/FindCable.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
constexpr int kColumns = 4;
constexpr int kTextDescription = 610, kTextMaker = 611, kTextUsb = 612, kTextSerialNumber = 613,
              kTextChip = 614;
} // namespace

frmToolCom::frmToolCom(cps::Cps &c, cps::SerialPort &port, QWidget *parent)
    : QDialog(parent), c_(c), port_(port) {
    setObjectName(QStringLiteral("frmToolCom"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    fraToolCom = new QGroupBox(this);
    fraToolCom->setObjectName(QStringLiteral("fraToolCom"));
    lblToolCom = new QLabel(fraToolCom);
    lblToolCom->setObjectName(QStringLiteral("lblToolCom"));
    group_ = new QButtonGroup(this);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    for (int k = 0; k < cps::kPortCount; ++k) {
        auto *option = new QRadioButton(QStringLiteral("COM%1").arg(k + 1), fraToolCom);
        option->setObjectName(QStringLiteral("COM1_%1").arg(k));
        auto *device = new QLabel(fraToolCom);
        device->setObjectName(QStringLiteral("lblDevice_%1").arg(k));
        device->setEnabled(false); // greyed: a hint, not a control
        COM1[static_cast<std::size_t>(k)] = option;
        deviceLabels[static_cast<std::size_t>(k)] = device;
        group_->addButton(option, k);
        const int row = k / kColumns, column = (k % kColumns) * 2;
        grid->addWidget(option, row, column);
        grid->addWidget(device, row, column + 1);
    }
    auto *frameLayout = new QVBoxLayout(fraToolCom);
    frameLayout->addWidget(lblToolCom);
    frameLayout->addLayout(grid);

    cmdOk = new QPushButton(this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    lblPortStatus = new QLabel(this);
    lblPortStatus->setObjectName(QStringLiteral("lblPortStatus"));
    lblPortStatus->setWordWrap(true);
    lblPortStatus->setTextInteractionFlags(Qt::TextSelectableByMouse); // the remedy's command
    cableCheck = new CableCheckPanel(
        c_, port_, [this] { return group_->checkedId() + 1; }, this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fraToolCom);
    layout->addWidget(lblPortStatus);
    findCable = new FindCable(c_, this);
    findCable->selectedCom = [this] { return group_->checkedId() + 1; };
    findCable->onAssigned = [this](int number) {
        EnableCOM();
        COM1[static_cast<std::size_t>(number - 1)]->setChecked(true);
    };
    layout->addWidget(findCable);
    layout->addWidget(cableCheck);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOk, &QPushButton::clicked, this, &frmToolCom::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmToolCom::cmdCancel_Click);
}

void frmToolCom::showEvent(QShowEvent *event) {
    if (!event->spontaneous())
        Form_Load();
    QDialog::showEvent(event);
}

void frmToolCom::Form_Load() {
    cps::guarded(c_.log(), "frmToolCom->Form_Load", [&] {
        auto text = [&](int n) { return QString::fromStdString(c_.text(n)); };
        setWindowTitle(text(60));
        fraToolCom->setTitle(text(61));
        lblToolCom->setText(text(62));
        cmdOk->setText(text(63));
        cmdCancel->setText(text(64));
        findCable->setTexts();
        cableCheck->setTexts();
        QFont font = this->font();
        font.setFamily(QString::fromStdString(c_.CurFont));
        setFont(font);

        EnableCOM();
        savedPort_ = c_.settings.com;
        if (savedPort_ >= 1 && savedPort_ <= cps::kPortCount)
            COM1[static_cast<std::size_t>(savedPort_ - 1)]->setChecked(true);
    });
}

QStringList frmToolCom::factLines(const cps::SerialDeviceFacts &f) const {
    QStringList lines;
    const auto add = [&](int n, const QString &value) {
        if (!value.isEmpty())
            lines << QString::fromStdString(c_.text(n)).arg(value);
    };
    add(kTextDescription, f.description);
    add(kTextMaker, f.maker);
    add(kTextUsb, f.usbId());
    add(kTextSerialNumber, f.serialNumber);
    add(kTextChip, f.chip);
    return lines;
}

// Probes every port by opening and closing it; a port that fails is shown
// unticked and disabled. The main window's status table is not touched.
void frmToolCom::EnableCOM() {
    group_->setExclusive(false);
    const std::vector<cps::SerialDeviceFacts> known = listDevices();
    QStringList reasons;
    for (int k = 0; k < cps::kPortCount; ++k) {
        QRadioButton *option = COM1[static_cast<std::size_t>(k)];
        QLabel *device = deviceLabels[static_cast<std::size_t>(k)];
        const bool usable = cps::probePort(port_, k + 1);
        option->setChecked(false);
        option->setEnabled(usable);
        const QString path = port_.deviceName(k + 1);
        cps::SerialDeviceFacts facts;
        for (const auto &f : known)
            if (f.device == path)
                facts = f;
        // The chip beside the path tells a programming cable from the rest.
        device->setText(facts.chip.isEmpty() ? path : path + QStringLiteral(" · ") + facts.chip);
        const QString reason = usable ? QString() : cps::portTroubleText(c_, port_.openFailure());
        QStringList tip = factLines(facts);
        if (!reason.isEmpty())
            tip << reason;
        option->setToolTip(tip.join(QLatin1Char('\n')));
        device->setToolTip(option->toolTip());
        // A number without a device is not worth a line of its own.
        if (!reason.isEmpty() && !device->text().isEmpty())
            reasons << option->text() + QStringLiteral(": ") + reason;
    }
    group_->setExclusive(true);
    if (!openFailure_.isEmpty())
        reasons.prepend(openFailure_);
    lblPortStatus->setText(reasons.join(QLatin1Char('\n')));
    lblPortStatus->setVisible(!reasons.isEmpty());
}

void frmToolCom::cmdOk_Click() {
    cps::guarded(c_.log(), "frmToolCom->cmdOk_Click", [&] {
        const int k = group_->checkedId();
        if (k >= 0) {
            c_.settings.com = static_cast<int16_t>(k + 1);
            savedPort_ = k + 1;
        }
        c_.ini().store("Setting", "COM", std::to_string(c_.settings.com));
    });
    accept();
}

void frmToolCom::cmdCancel_Click() {
    c_.settings.com = static_cast<int16_t>(savedPort_);
    reject();
}
