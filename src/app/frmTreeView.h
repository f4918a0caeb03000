#pragma once
// The navigation tree pane, docked on the left of the main window: a root
// "Radio" with three children that bring the radio information window, the
// channel editor and the optional-features window to the front.
#include <QDockWidget>

class QTreeWidget;
class QTreeWidgetItem;
class mdifrmMain;

namespace cps {
struct Cps;
}

class frmTreeView : public QDockWidget {
    Q_OBJECT
  public:
    explicit frmTreeView(mdifrmMain *main);

    QTreeWidget *treevMain = nullptr;

    void InitRadioSet();
    void InitRadioSetTreeView();
    // Opens the window of the node's key; the root opens nothing.
    void treevMain_NodeClick(QTreeWidgetItem *node);

    // The node with key "Radio", "RadioInfo", "ChInfo" or "SysSet"; nullptr if none.
    QTreeWidgetItem *node(const QString &key) const;
    static QString keyOf(const QTreeWidgetItem *node);

  private:
    void Form_Load();
    // Moving, floating and docking map onto the dock widget's own signals.
    void ITDockMoveEvents_Move();
    void ITDockMoveEvents_DockChange();

    mdifrmMain *main_;
    cps::Cps &c_;
};
