#include "editors/FindCable.h"

#include "comm/CableComNumber.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <optional>

namespace {
constexpr int kTextFind = 640, kTextPlugIn = 641, kTextStop = 642, kTextFoundChip = 643,
              kTextFound = 644, kTextNoneAppeared = 645, kTextStopped = 646, kTextNoFreeCom = 647;
} // namespace

FindCable::FindCable(cps::Cps &c, QWidget *parent) : QWidget(parent), c_(c) {
    setObjectName(QStringLiteral("FindCable"));
    cmdFindCable = new QPushButton(this);
    cmdFindCable->setObjectName(QStringLiteral("cmdFindCable"));
    cmdFindCable->setAutoDefault(false); // Enter stays with OK
    lblFindCable = new QLabel(this);
    lblFindCable->setObjectName(QStringLiteral("lblFindCable"));
    lblFindCable->setWordWrap(true);
    lblFindCable->setTextInteractionFlags(Qt::TextSelectableByMouse); // the device's path
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cmdFindCable);
    layout->addWidget(lblFindCable, 1);
    timer_.setInterval(cps::kDeviceWatchIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &FindCable::look);
    connect(cmdFindCable, &QPushButton::clicked, this, &FindCable::cmdFindCable_Click);
}

QString FindCable::text(int n) const {
    return QString::fromStdString(c_.text(n));
}

void FindCable::setTexts() {
    cmdFindCable->setText(text(finding() ? kTextStop : kTextFind));
}

void FindCable::cmdFindCable_Click() {
    if (finding()) {
        stop(text(kTextStopped));
        return;
    }
    // What is plugged in now is not the cable being looked for; a cable that
    // is pulled out and put back shows up as new.
    watcher_ = std::make_unique<cps::SerialDeviceWatcher>(*devices);
    clock_.start();
    timer_.start();
    lblFindCable->setText(text(kTextPlugIn));
    setTexts();
}

void FindCable::look() {
    std::optional<cps::SerialDeviceFacts> cable;
    for (const auto &change : watcher_->poll())
        // Several at once (a hub plugged in): the programming cable's chip first.
        if (change.kind == cps::SerialDeviceChange::Added &&
            (!cable || (cable->chip.isEmpty() && !change.facts.chip.isEmpty())))
            cable = change.facts;
    if (cable)
        assign(*cable);
    else if (clock_.elapsed() >= timeoutMs)
        stop(text(kTextNoneAppeared));
}

void FindCable::assign(const cps::SerialDeviceFacts &cable) {
    QStringList present;
    for (const auto &d : devices->snapshot())
        present << d.device;
    if (!present.contains(cable.device))
        present << cable.device;
    int number = 0;
    const bool stored = cps::guarded(c_.log(), "FindCable->assign", [&] {
        number = cps::comNumberForCable(c_.ini(), present, cable.device,
                                        selectedCom ? selectedCom() : 0);
        if (number)
            cps::pinComNumber(c_.ini(), number, cable.device);
    });
    if (!stored) { // the settings file cannot be written: the error log says why
        stop({});
        return;
    }
    if (!number) {
        stop(text(kTextNoFreeCom).arg(cable.device));
        return;
    }
    const QString what = !cable.chip.isEmpty() ? cable.chip : cable.description;
    stop(what.isEmpty() ? text(kTextFound).arg(cable.device).arg(number)
                        : text(kTextFoundChip).arg(cable.device, what).arg(number));
    if (onAssigned)
        onAssigned(number);
}

void FindCable::hideEvent(QHideEvent *event) {
    stop({});
    QWidget::hideEvent(event);
}

void FindCable::stop(const QString &message) {
    timer_.stop();
    watcher_.reset();
    lblFindCable->setText(message);
    setTexts();
}
