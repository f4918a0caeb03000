// The History window from the Program menu: the record of every radio
// programmed, and a record's backup opened as the plan.
#include "app/mdifrmMain.h"

#include "editors/frmHistory.h"

#include <QAction>

void mdifrmMain::showHistory() {
    if (!historyWindow_) {
        historyWindow_ = new frmHistory(c_, QString::fromStdString(c_.files.historyDatabase), this);
        historyWindow_->onOpenPlan = [this](const QString &path) {
            // As File > Open: not while the line holds the plan, and only
            // once the user agrees to drop unsaved changes.
            if (QAction *open = action(QStringLiteral("mnuFileOpen")); open && !open->isEnabled())
                return;
            if (confirmUnsaved())
                openPlanFile(path);
        };
    }
    historyWindow_->setFace();
    historyWindow_->show();
    historyWindow_->raise();
    historyWindow_->activateWindow();
}

frmHistory *mdifrmMain::historyWindow() const {
    return historyWindow_;
}
