#pragma once
// The error log pane: a dock holding the list of two-line entries. Created and
// shown by the first logged failure (or the hidden View command); new lines go
// to the end and the newest line is selected.
#include <QDockWidget>

class QListWidget;

class frmShowErr : public QDockWidget {
    Q_OBJECT
public:
    explicit frmShowErr(QWidget *parent = nullptr);
    QListWidget *listShowErr = nullptr;
    int ErrLine = 0;

    void addRuntimeError(const QString &place, int number, const QString &source);
    void addOptionRange(const QString &report);
    QStringList lines() const;

private:
    void insertLine(const QString &text);
    // Dock move/dock-change events map onto QDockWidget's own signals.
    void ITDockMoveEvents_DockChange(Qt::DockWidgetArea area);
};
