#pragma once
// Undo and redo of the plan by whole snapshots. The plan state a command can
// change is small (the 8 KiB image, the decoded channel table with its
// signalling texts, the option selections, model and band), so each step keeps
// the whole state from before the command instead of an inverse operation.
#include "core/Cps.h"

#include <QString>
#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

namespace chmem {

// Everything of the plan that a command changes and that undo puts back.
struct PlanSnapshot {
    std::vector<uint8_t> image;
    cps::ChannelTable channels;
    std::array<int16_t, cps::kMaxOptions> options{};
    int modelIndex = 0, bandIndex = 0;
    int32_t bandLow = 0, bandHigh = 0;
    bool operator==(const PlanSnapshot &o) const {
        return image == o.image && channels.ChInfo == o.channels.ChInfo &&
               channels.decText == o.channels.decText &&
               channels.encText == o.channels.encText && options == o.options &&
               modelIndex == o.modelIndex && bandIndex == o.bandIndex && bandLow == o.bandLow &&
               bandHigh == o.bandHigh;
    }
};

PlanSnapshot capturePlan(const cps::Cps &c);
// Puts the state back into `c`; showing it is the caller's part.
void restorePlan(cps::Cps &c, const PlanSnapshot &s);

// Two bounded stacks of snapshots, each with the name of the command it undoes.
class UndoHistory {
  public:
    explicit UndoHistory(std::size_t limit = 200) : limit_(limit) {}

    // A command changed the plan from `before`: one undo step; redo is cleared.
    // The oldest step goes when the history is full.
    void push(PlanSnapshot before, const QString &label);
    // The state to restore, or nothing; `current` becomes the redo (undo) step.
    std::optional<PlanSnapshot> undo(PlanSnapshot current);
    std::optional<PlanSnapshot> redo(PlanSnapshot current);
    void clear();

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    QString undoLabel() const { return undo_.empty() ? QString() : undo_.back().label; }
    QString redoLabel() const { return redo_.empty() ? QString() : redo_.back().label; }
    std::size_t undoCount() const { return undo_.size(); }

  private:
    struct Step {
        PlanSnapshot state;
        QString label;
    };
    std::size_t limit_;
    std::deque<Step> undo_, redo_;
};

} // namespace chmem
