#include "editors/CableCheckPanel.h"

#include "comm/Waiter.h"
#include "core/Failure.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kTextCheckCable = 616, kTextChecking = 630, kTextCableCheckTitle = 631;
} // namespace

CableCheckPanel::CableCheckPanel(cps::Cps &c, cps::SerialPort &port,
                                 std::function<int()> tickedPort, QWidget *parent)
    : QWidget(parent), c_(c), port_(port), tickedPort_(std::move(tickedPort)) {
    cmdCheckCable = new QPushButton(this);
    cmdCheckCable->setObjectName(QStringLiteral("cmdCheckCable"));
    cmdCheckCable->setAutoDefault(false);
    txtCableCheck = new QPlainTextEdit(this);
    txtCableCheck->setObjectName(QStringLiteral("txtCableCheck"));
    txtCableCheck->setReadOnly(true);
    txtCableCheck->setMinimumSize(420, 110);
    txtCableCheck->hide();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cmdCheckCable, 0, Qt::AlignLeft);
    layout->addWidget(txtCableCheck);
    connect(cmdCheckCable, &QPushButton::clicked, this, &CableCheckPanel::cmdCheckCable_Click);
}

void CableCheckPanel::setTexts() {
    cmdCheckCable->setText(QString::fromStdString(c_.text(kTextCheckCable)));
    txtCableCheck->setToolTip(QString::fromStdString(c_.text(kTextCableCheckTitle)));
}

void CableCheckPanel::cmdCheckCable_Click() {
    const int com = tickedPort_();
    if (running_ || com < 1 || com > cps::kPortCount)
        return;
    running_ = true;
    cmdCheckCable->setEnabled(false);
    const QString name = QStringLiteral("COM%1").arg(com);
    const QString device = port_.deviceName(com);
    const QString where = device.isEmpty() ? name : name + QStringLiteral(" (") + device + QLatin1Char(')');
    txtCableCheck->setPlainText(QString::fromStdString(c_.text(kTextChecking)).arg(where));
    txtCableCheck->show();

    // The dialog's port is the program's own: it is put back on its number after.
    const int before = port_.selected();
    QPointer<CableCheckPanel> self(this);
    cps::CableCheck check;
    cps::guarded(c_.log(), "frmToolCom->CheckCable", [&] {
        port_.select(com);
        cps::EventLoopWaiter waiter;
        check = cps::checkCable(c_, port_, waiter);
    });
    if (before >= 1 && before <= cps::kPortCount)
        port_.select(before);
    if (!self)
        return; // the dialog went away during the check
    running_ = false;
    cmdCheckCable->setEnabled(true);
    txtCableCheck->setPlainText(where + QLatin1Char('\n') +
                                cps::cableCheckLines(c_, check).join(QLatin1Char('\n')));
    emit checked(check);
}
