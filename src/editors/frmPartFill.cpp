#include "editors/frmPartFill.h"

#include "core/Cps.h"
#include "core/Failure.h"
#include "editors/MemDatText.h"
#include "editors/frmMemDat.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QString fourDigits(int address) {
    return QStringLiteral("%1").arg(address & 0xFFFF, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

frmPartFill::frmPartFill(MainWindowServices *, frmMemDat *view) : frmPartFill(view) {}

frmPartFill::frmPartFill(frmMemDat *view) : QDialog(view), view_(view), c_(view->cps()) {
    buildWindow();
}

void frmPartFill::buildWindow() {
    setObjectName(QStringLiteral("frmPartFill"));
    setWindowTitle(QStringLiteral("Part Fill"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    txtFillData = new QLineEdit(QStringLiteral("FF"), this);
    txtFillData->setObjectName(QStringLiteral("txtFillData"));
    cboFillData = new QComboBox(this);
    cboFillData->setObjectName(QStringLiteral("cboFillData"));
    cboFillData->addItems({QStringLiteral("H"), QStringLiteral("D"), QStringLiteral("B")});
    cboFillData->setCurrentIndex(0);
    // The boxes show the kept fill range, which starts as 0 to the table end.
    txtStartAddr = new QLineEdit(fourDigits(c_.settings.fillStart), this);
    txtStartAddr->setObjectName(QStringLiteral("txtStartAddr"));
    txtEndAddr = new QLineEdit(fourDigits(c_.settings.fillEnd), this);
    txtEndAddr->setObjectName(QStringLiteral("txtEndAddr"));
    cmdFillData = new QPushButton(QStringLiteral("Fill"), this);
    cmdFillData->setObjectName(QStringLiteral("cmdFillData"));
    cmdFillData->setDefault(true);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Fill Data"), this), 0, 0);
    grid->addWidget(txtFillData, 0, 1);
    grid->addWidget(cboFillData, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Start Addr"), this), 1, 0);
    grid->addWidget(txtStartAddr, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("H"), this), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("End Addr"), this), 2, 0);
    grid->addWidget(txtEndAddr, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("H"), this), 2, 2);
    grid->setColumnMinimumWidth(1, 90);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdFillData);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(txtStartAddr, &QLineEdit::textChanged, this,
            [this](const QString &text) { storeAddress(text, c_.settings.fillStart); });
    connect(txtEndAddr, &QLineEdit::textChanged, this,
            [this](const QString &text) { storeAddress(text, c_.settings.fillEnd); });
    connect(cmdFillData, &QPushButton::clicked, this, &frmPartFill::cmdFillData_Click);
}

int frmPartFill::lastAddress() const {
    return static_cast<int>(c_.IicDat.size()) - 1;
}

void frmPartFill::storeAddress(const QString &text, int16_t &stored) {
    // Text that names no address of the image leaves the kept address as it was.
    const auto address = memdat::addressOf(text);
    if (address && *address <= lastAddress())
        stored = static_cast<int16_t>(*address);
}

void frmPartFill::cmdFillData_Click() {
    cps::guarded(c_.log(), "frmPartFill->cmdFillData_Click", [&] {
        static constexpr memdat::FillBase bases[] = {memdat::FillBase::Hex, memdat::FillBase::Dec,
                                                     memdat::FillBase::Bin};
        const int base = cboFillData->currentIndex();
        if (base < 0 || base >= static_cast<int>(std::size(bases)))
            return;
        const auto value = memdat::fillValueOf(txtFillData->text(), bases[base]);
        const auto start = memdat::addressOf(txtStartAddr->text());
        const auto end = memdat::addressOf(txtEndAddr->text());
        if (!value || !start || !end)
            return;
        // A range reaching past the image stops at its last byte.
        const int last = std::min(*end, lastAddress());
        for (int a = *start; a <= last; ++a)
            c_.at(a) = *value;
        view_->showImageBytes(*start, last);
        view_->GridDataTemp();
    });
}
