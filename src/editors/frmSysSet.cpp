#include "editors/frmSysSet.h"

#include "app/mdifrmMain.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

frmSysSet::frmSysSet(mdifrmMain *main) : QWidget(main), main_(main) {
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
