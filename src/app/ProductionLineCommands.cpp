// The production line window from the Program menu, and the lock it puts on
// the plan and on Read/Write while it runs.
#include "app/mdifrmMain.h"

#include "app/QtText.h"
#include "editors/ProductionLineTexts.h"
#include "editors/frmChMem.h"
#include "editors/frmProductionLine.h"

#include <QAction>
#include <QMenu>

void mdifrmMain::showProductionLine() {
    if (!productionLine_) {
        productionLine_ = new frmProductionLine(c_, this);
        productionLine_->onRunningChanged = [this](bool running) { setLineRunning(running); };
    }
    productionLine_->setFace();
    productionLine_->show();
    productionLine_->raise();
    productionLine_->activateWindow();
}

// Each radio gets the plan as it was at Start; the plan stays as it was until
// the line ends, so the log and the radios agree with what the window shows.
void mdifrmMain::setLineRunning(bool running) {
    for (const char *name : {"mnuReadFre", "mnuWriteFre", "tlbRead", "tlbWrite", "mnuFileNew",
                             "mnuFileOpen", "tlbFileNew", "tlbFileOpen", "mnuEdit"})
        if (QAction *a = action(QString::fromLatin1(name)))
            a->setEnabled(!running);
    if (chMem_) {
        chMem_->setEnabled(!running);
        chMem_->setToolTip(running ? q(c_.text(lineText::PlanLocked)) : QString());
    }
    setPanel(1,
             q(c_.text(running ? lineText::PlanLocked : (c_.LockState == "ShowLock" ? 116 : 94))));
}

frmProductionLine *mdifrmMain::productionLine() const {
    return productionLine_;
}
