#pragma once
// The plan's undo history as the windows use it: every command that changes
// the plan runs through command(), which records the state from before it as
// one step when something changed; undo and redo put a state back and show it
// through the normal redisplay. It also knows whether the plan differs from
// what was last opened, read, saved or written (the `*` in the title).
#include "editors/UndoHistory.h"

#include <QObject>
#include <functional>

// A menu caption as the name of an undo step: "&Open..." and "打开(&O)" give
// "Open" and "打开".
QString stepName(const QString &caption);

class PlanHistory : public QObject {
    Q_OBJECT
  public:
    explicit PlanHistory(cps::Cps &c, QObject *parent = nullptr);

    // Runs `body` as one command named `label`. A command run inside another
    // is part of the outer one; nothing is recorded while undo redisplays.
    void command(const QString &label, const std::function<void()> &body);
    // A change already made without command() (the memory view writes the
    // image itself): recorded against the state after the last command.
    void changedOutside(const QString &label);

    void undo();
    void redo();
    bool canUndo() const { return steps_.canUndo(); }
    bool canRedo() const { return steps_.canRedo(); }
    // "Undo: channel 3 receive frequency" in the interface language.
    QString undoText() const;
    QString redoText() const;
    std::size_t undoCount() const { return steps_.undoCount(); }

    // The plan as it stands is the one last opened, read, saved or written.
    void markClean();
    bool modified() const;
    bool busy() const { return depth_ > 0 || restoring_; }

    // Shows a state undo or redo put back, given the state shown before it;
    // without it the whole plan is redisplayed.
    std::function<void(const chmem::PlanSnapshot &shown)> display;

  signals:
    // After every recorded step, undo, redo or clean mark.
    void changed();

  private:
    void show(const chmem::PlanSnapshot &state, const chmem::PlanSnapshot &shown);
    cps::Cps &c_;
    chmem::UndoHistory steps_;
    chmem::PlanSnapshot clean_, last_;
    int depth_ = 0;
    bool restoring_ = false;
};
