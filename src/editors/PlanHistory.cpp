#include "editors/PlanHistory.h"

#include <QRegularExpression>

QString stepName(const QString &caption) {
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)|&|\\.\\.\\.|…"));
    return QString(caption).remove(mnemonic).trimmed();
}

PlanHistory::PlanHistory(cps::Cps &c, QObject *parent) : QObject(parent), c_(c) {
    clean_ = last_ = chmem::capturePlan(c_);
}

void PlanHistory::command(const QString &label, const std::function<void()> &body) {
    if (busy()) {
        body();
        return;
    }
    chmem::PlanSnapshot before = chmem::capturePlan(c_);
    // Work done before a failure stays, so it is a step like any other.
    const auto record = [&] {
        --depth_;
        chmem::PlanSnapshot after = chmem::capturePlan(c_);
        if (!(after == before)) {
            steps_.push(std::move(before), label);
            last_ = std::move(after);
            emit changed();
        } else {
            last_ = std::move(after);
        }
    };
    ++depth_;
    try {
        body();
    } catch (...) {
        record();
        throw;
    }
    record();
}

void PlanHistory::changedOutside(const QString &label) {
    if (busy())
        return;
    chmem::PlanSnapshot now = chmem::capturePlan(c_);
    if (now == last_)
        return;
    steps_.push(std::move(last_), label);
    last_ = std::move(now);
    emit changed();
}

void PlanHistory::undo() {
    if (busy())
        return;
    chmem::PlanSnapshot shown = chmem::capturePlan(c_);
    if (auto state = steps_.undo(shown))
        show(*state, shown);
}

void PlanHistory::redo() {
    if (busy())
        return;
    chmem::PlanSnapshot shown = chmem::capturePlan(c_);
    if (auto state = steps_.redo(shown))
        show(*state, shown);
}

void PlanHistory::show(const chmem::PlanSnapshot &state, const chmem::PlanSnapshot &shown) {
    restoring_ = true;
    chmem::restorePlan(c_, state);
    if (display) {
        display(shown);
    } else if (c_.view) {
        c_.view->hideCtdcsBox();
        c_.view->showModelBand();
        c_.view->ShowChTblGrid();
        c_.view->InitOpt();
    }
    // Showing may settle values (the option controls check their ranges);
    // what is shown is what the next step starts from.
    last_ = chmem::capturePlan(c_);
    restoring_ = false;
    emit changed();
}

QString PlanHistory::undoText() const {
    const QString word = QString::fromStdString(c_.text(454));
    return canUndo() ? word.arg(steps_.undoLabel()) : QString::fromStdString(c_.text(441));
}

QString PlanHistory::redoText() const {
    const QString word = QString::fromStdString(c_.text(455));
    return canRedo() ? word.arg(steps_.redoLabel()) : QString::fromStdString(c_.text(442));
}

void PlanHistory::markClean() {
    clean_ = last_ = chmem::capturePlan(c_);
    emit changed();
}

bool PlanHistory::modified() const {
    return !(chmem::capturePlan(c_) == clean_);
}
