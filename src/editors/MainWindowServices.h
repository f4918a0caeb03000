#pragma once
// What the child windows need from the main window, without knowing it: the
// shared state, the status bar, the menu items and the grid's pop-up menu, and
// the memory view. The main window implements it; the editors never include
// the application's headers, so they build and test on their own.
#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace cps {
struct Cps;
}

class MainWindowServices {
  public:
    virtual ~MainWindowServices() = default;

    virtual cps::Cps &cps() = 0;
    // The frame window: parent of the child windows and dialogs.
    virtual QWidget *frame() = 0;
    // Status bar panels 1..3.
    virtual void setPanel(int n, const QString &text) = 0;
    virtual QString panel(int n) const = 0;
    // Menu items and toolbar buttons by object name ("mnuChLock", "mnuDelOne", ...).
    virtual QAction *action(const QString &name) const = 0;
    virtual QMenu *popupMenu() const = 0; // the channel grid's pop-up
    // The channel row on which the pop-up was last opened.
    virtual void setCurrentChannel(int row) = 0;
    virtual void showMemDat(bool show) = 0;
    // Status panel 3 shows the current file again.
    virtual void showFilePath() = 0;
};
