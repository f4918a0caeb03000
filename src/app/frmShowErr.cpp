#include "app/frmShowErr.h"

#include "core/ErrorLog.h"

#include <QListWidget>

frmShowErr::frmShowErr(QWidget *parent) : QDockWidget(parent) {
    setObjectName(QStringLiteral("frmShowErr"));
    setWindowTitle(QStringLiteral("Error Log"));
    listShowErr = new QListWidget(this);
    listShowErr->setObjectName(QStringLiteral("listShowErr"));
    listShowErr->setUniformItemSizes(true);
    // Low enough for one entry's two lines: on a 768-pixel screen the pane
    // must leave the grid all its channels.
    listShowErr->setMinimumHeight(listShowErr->fontMetrics().height() * 2 + 8);
    setWidget(listShowErr);
    ErrLine = 0;
    connect(this, &QDockWidget::dockLocationChanged, this,
            &frmShowErr::ITDockMoveEvents_DockChange);
}

void frmShowErr::insertLine(const QString &text) {
    listShowErr->insertItem(ErrLine, text);
    listShowErr->setCurrentRow(ErrLine);
    ++ErrLine;
}

void frmShowErr::addRuntimeError(const QString &place, int number, const QString &source) {
    insertLine(QString::fromStdString(cps::errorLogFirstLine()));
    insertLine(QString::fromStdString(
        cps::errorLogRuntimeLine(place.toStdString(), number, source.toStdString())));
}

void frmShowErr::addOptionRange(const QString &report) {
    insertLine(QString::fromStdString(cps::errorLogFirstLine()));
    insertLine(QString::fromStdString(cps::errorLogOptionLine(report.toStdString())));
}

QStringList frmShowErr::lines() const {
    QStringList out;
    for (int i = 0; i < listShowErr->count(); ++i) out << listShowErr->item(i)->text();
    return out;
}

void frmShowErr::ITDockMoveEvents_DockChange(Qt::DockWidgetArea) {
    // The pane's list fills the dock wherever it is docked; nothing else to do.
}
