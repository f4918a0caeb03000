#include "editors/frmSysSet.h"

#include "editors/MainWindowServices.h"
#include "core/Cps.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

frmSysSet::frmSysSet(MainWindowServices *main) : QWidget(main->frame()), main_(main) {
    setObjectName(QStringLiteral("frmSysSet"));
    setWindowTitle(QString::fromStdString(main_->cps().text(303)));
}

void frmSysSet::showEvent(QShowEvent *e) {
    // The texts may be loaded after the window was built.
    setWindowTitle(QString::fromStdString(main_->cps().text(303)));
    QWidget::showEvent(e);
}

void frmSysSet::closeEvent(QCloseEvent *e) {
    if (main_->cps().Closing == 1) {
        e->accept();
        return;
    }
    e->ignore();
    // Inside the main window the frame around it hides with it.
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->hide();
    else
        hide();
}
