#include "editors/UndoHistory.h"

namespace chmem {

PlanSnapshot capturePlan(const cps::Cps &c) {
    return {c.IicDat, c.ch, c.opt.sel, c.modelIndex, c.bandIndex, c.bandLow, c.bandHigh};
}

void restorePlan(cps::Cps &c, const PlanSnapshot &s) {
    c.IicDat = s.image;
    c.ch = s.channels;
    c.opt.sel = s.options;
    c.modelIndex = s.modelIndex;
    c.bandIndex = s.bandIndex;
    c.bandLow = s.bandLow;
    c.bandHigh = s.bandHigh;
}

void UndoHistory::push(PlanSnapshot before, const QString &label) {
    redo_.clear();
    undo_.push_back({std::move(before), label});
    while (undo_.size() > limit_)
        undo_.pop_front();
}

std::optional<PlanSnapshot> UndoHistory::undo(PlanSnapshot current) {
    if (undo_.empty())
        return std::nullopt;
    Step step = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back({std::move(current), step.label});
    return std::move(step.state);
}

std::optional<PlanSnapshot> UndoHistory::redo(PlanSnapshot current) {
    if (redo_.empty())
        return std::nullopt;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back({std::move(current), step.label});
    return std::move(step.state);
}

void UndoHistory::clear() {
    undo_.clear();
    redo_.clear();
}

} // namespace chmem
