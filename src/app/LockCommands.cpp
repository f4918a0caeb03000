// The interface lock: the menu items that toggle it, the status panel that
// shows it and its reminder blink.
#include "app/mdifrmMain.h"

#include "app/QtText.h"
#include "core/Failure.h"
#include "editors/frmChMem.h"

#include <QTimer>

using cps::guarded;

// Both lock items toggle one state: the clicked item's mark decides, both
// marks follow, and the state is kept under "ChannelLock".
void mdifrmMain::toggleLock(const char *clicked, const char *place) {
    guarded(c_.log(), place, [&] {
        const bool lock = !action(clicked)->isChecked();
        action("mnuLockFace")->setChecked(lock);
        action("mnuChLock")->setChecked(lock);
        LockFaceOperate(lock);
        c_.ini().store("Setting", "ChannelLock", c_.LockState);
    });
}

void mdifrmMain::mnuLockFace_Click() { toggleLock("mnuLockFace", "mdifrmMain->mnuLockFace_Click"); }
void mdifrmMain::mnuChLock_Click() { toggleLock("mnuChLock", "mdifrmMain->mnuChLock_Click"); }

void mdifrmMain::mnuPopChLock_Click() {
    guarded(c_.log(), "mdifrmMain->mnuPopChLock_Click", [&] { mnuChLock_Click(); });
}

void mdifrmMain::LockFaceOperate(bool lock) {
    guarded(c_.log(), "mdifrmMain->LockFaceOperate", [&] {
        if (lock) {
            c_.LockState = "ShowLock";
            setPanel(1, q(c_.text(116)));
        } else {
            c_.LockState = "ShowNo";
            setPanel(1, q(c_.text(94)));
            tmrChLockBlink_->stop();
        }
        if (chMem_) chMem_->applyLock(lock);
    });
}

void mdifrmMain::lockNoticeTick() {
    if (action("mnuChLock")->isChecked() && panel(1) == q(c_.text(94))) {
        setPanel(1, q(c_.text(116)));
        tmrChLockBlink_->start();
    }
}

void mdifrmMain::lockBlinkTick() {
    if (action("mnuChLock")->isChecked()) blinkCounter_ = blinkCounter_ == 0 ? 1 : 0;
    const QString now = panel(1);
    if (now == q(c_.text(116)) || now == q(c_.text(94)) || now.isEmpty())
        setPanel(1, q(c_.text(blinkCounter_ == 0 ? 94 : 116)));
}
