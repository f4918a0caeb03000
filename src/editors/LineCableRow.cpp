#include "editors/LineCableRow.h"

#include "comm/LineLog.h"
#include "editors/ProductionLineTexts.h"

#include <QGridLayout>
#include <QLabel>

namespace {

QFont sized(QFont f, double scale, bool bold) {
    f.setPointSizeF(f.pointSizeF() * scale);
    f.setBold(bold);
    return f;
}

} // namespace

LineCableRow::LineCableRow(const cps::Cps &c, const QString &port, const QString &device,
                           QWidget *parent)
    : QFrame(parent), c_(c) {
    setObjectName(QStringLiteral("row") + port);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto *name = new QLabel(port + QStringLiteral("\n") + device, this);
    name->setFont(sized(font(), 1.3, true));
    name->setMinimumWidth(160);
    lblState = new QLabel(this);
    lblState->setFont(sized(font(), 2.4, true));
    lblDetail = new QLabel(this);
    lblDetail->setFont(sized(font(), 1.3, false));
    lblDetail->setWordWrap(true);
    lblHint = new QLabel(this);
    lblHint->setFont(sized(font(), 1.3, true));
    lblTime = new QLabel(this);
    lblTime->setFont(sized(font(), 2.0, true));
    lblTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblTime->setMinimumWidth(120);
    auto *grid = new QGridLayout(this);
    grid->addWidget(name, 0, 0, 2, 1);
    grid->addWidget(lblState, 0, 1);
    grid->addWidget(lblHint, 0, 2);
    grid->addWidget(lblTime, 0, 3);
    grid->addWidget(lblDetail, 1, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    setState(cps::LineState::WaitingForRadio);
}

QString LineCableRow::text(int n) const {
    return QString::fromStdString(c_.text(n));
}

void LineCableRow::show(const QString &state, Look look) {
    // The word says it; the colour lets it be seen across the bench.
    QColor back = palette().color(QPalette::Window), fore = palette().color(QPalette::WindowText);
    if (look == Look::Pass || look == Look::Fail)
        fore = Qt::white;
    if (look == Look::Pass)
        back = QColor(0x2e, 0x7d, 0x32);
    else if (look == Look::Fail)
        back = QColor(0xc6, 0x28, 0x28);
    else if (look == Look::Gone)
        back = QColor(0xff, 0xcc, 0x80);
    else if (look == Look::Busy)
        back = QColor(0xbb, 0xde, 0xfb);
    QPalette p = palette();
    p.setColor(QPalette::Window, back);
    for (QLabel *l : {lblState, lblDetail, lblHint, lblTime}) {
        QPalette lp = l->palette();
        lp.setColor(QPalette::WindowText, look == Look::Pass || look == Look::Fail
                                              ? fore
                                              : QPalette().color(QPalette::WindowText));
        l->setPalette(lp);
    }
    setPalette(p);
    lblState->setText(state);
}

void LineCableRow::setState(cps::LineState state) {
    state_ = state;
    switch (state) {
    case cps::LineState::WaitingForRadio:
        programming_ = false;
        lblHint->clear();
        if (present_)
            show(text(lineText::Waiting), Look::Plain);
        else
            show(text(lineText::Unplugged), Look::Gone);
        break;
    case cps::LineState::Programming:
        programming_ = true;
        step_ = cps::WriteStep::None;
        clock_.start();
        lblDetail->clear();
        lblHint->clear();
        show(text(lineText::Identifying), Look::Busy);
        tick();
        break;
    case cps::LineState::WaitingForRemoval:
        programming_ = false;
        if (present_)
            lblHint->setText(text(lineText::RemoveRadio));
        break;
    }
}

void LineCableRow::setStep(cps::WriteStep step) {
    step_ = step;
    switch (step) {
    case cps::WriteStep::Backup:
        show(text(lineText::BackingUp), Look::Busy);
        break;
    case cps::WriteStep::Write:
        setProgress(0);
        break;
    case cps::WriteStep::Verify:
        show(text(lineText::Verifying), Look::Busy);
        break;
    case cps::WriteStep::None:
        break;
    }
}

void LineCableRow::setProgress(int percent) {
    if (step_ == cps::WriteStep::Write)
        show(text(lineText::Writing).arg(percent), Look::Busy);
}

void LineCableRow::setResult(const cps::LineResult &r) {
    programming_ = false;
    QString detail = text(lineText::Ident).arg(cps::identText(r.ident));
    if (!r.pass) {
        static const int steps[] = {0, lineText::StepBackup, lineText::StepWrite,
                                    lineText::StepVerify};
        const int step = steps[static_cast<int>(r.failedStep)];
        detail += QStringLiteral("   ") + (step ? text(step) + QStringLiteral(": ") : QString()) +
                  r.message;
    }
    lblDetail->setText(detail);
    lblTime->setText(text(lineText::Seconds).arg(cps::secondsText(r.durationMs)));
    resultPass_ = r.pass;
    showResult();
}

void LineCableRow::showResult() {
    show(text(resultPass_ ? lineText::Pass : lineText::Fail),
         resultPass_ ? Look::Pass : Look::Fail);
}

void LineCableRow::setPresent(bool present) {
    if (present == present_)
        return;
    present_ = present;
    if (!present) {
        lblHint->clear();
        show(text(lineText::Unplugged), Look::Gone);
        return;
    }
    // Back again: the row says what the line is doing on it now. A radio
    // that was left on the cable still has to be taken away.
    switch (state_) {
    case cps::LineState::WaitingForRadio:
        setState(state_);
        break;
    case cps::LineState::WaitingForRemoval:
        lblHint->setText(text(lineText::RemoveRadio));
        showResult();
        break;
    case cps::LineState::Programming: // shown as it goes
        break;
    }
}

void LineCableRow::tick() {
    if (programming_)
        lblTime->setText(text(lineText::Seconds).arg(cps::secondsText(clock_.elapsed())));
}
