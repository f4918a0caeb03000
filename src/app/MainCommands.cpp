// The main window's commands besides the file commands: the toolbar, the
// read/write window (the transfers), the other windows, deleting channels
// and help.
#include "app/mdifrmMain.h"

#include "app/QtText.h"
#include "app/frmAboutSoft.h"
#include "app/frmHelp.h"
#include "app/frmShowErr.h"
#include "app/frmTreeView.h"
#include "core/ChannelCodec.h"
#include "core/Failure.h"
#include "editors/ChMemPrintPreview.h"
#include "editors/Dialogs.h"
#include "editors/frmChMem.h"
#include "editors/PlanHistory.h"
#include "editors/frmCommun.h"
#include "editors/frmMemDat.h"
#include "editors/frmRadioInfo.h"
#include "editors/frmSysSet.h"
#include "editors/frmToolCom.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStandardPaths>

using cps::guarded;

namespace {

// Windows opens compiled help itself; elsewhere only a dedicated viewer does.
bool chmViewerAvailable() {
#ifdef Q_OS_WIN
    return true;
#else
    for (const char *viewer : {"xchm", "kchmviewer", "chmsee"})
        if (!QStandardPaths::findExecutable(QLatin1String(viewer)).isEmpty()) return true;
    return false;
#endif
}

} // namespace

void mdifrmMain::tlbMdiFrmMain_ButtonClick(const QString &key) {
    guarded(c_.log(), "mdifrmMain->tlbmdifrmMain_ButtonClick", [&] {
        if (key == "FileNew") NewFile();
        else if (key == "FileOpen") OpenFile();
        else if (key == "FileSave") SaveFile();
        else if (key == "Read") showReadWindow();
        else if (key == "Write") showWriteWindow();
        else if (key == "Com") showPortDialog();
        else if (key == "Help") Help();
        else if (key == "Exit") ExitSoft();
        else if (key == "Print") showPrintPreview();
    });
}

void mdifrmMain::showReadWindow() {
    // A read replaces the plan: an edited one is saved or dropped first.
    if (commun_ && confirmUnsaved()) commun_->showRead();
}
void mdifrmMain::showWriteWindow() {
    if (commun_) commun_->showWrite();
}

void mdifrmMain::showPrintPreview() {
    guarded(c_.log(), "mdifrmMain->showPrintPreview", [&] {
        if (chMem_) chmem::showPrintPreview(this, *chMem_->vsfgGridCh, c_);
    });
}

void mdifrmMain::showPortDialog() {
    if (!toolCom_) toolCom_ = new frmToolCom(c_, *port_, this);
    toolCom_->setOpenFailure(commun_ ? commun_->openFailure() : QString());
    toolCom_->exec();
    setPanel(2, QStringLiteral("COM%1").arg(c_.settings.com));
}

void mdifrmMain::showAbout() {
    frmAboutSoft about(this);
    about.exec();
}

void mdifrmMain::showTreeView() {
    if (!treeView_) {
        treeView_ = new frmTreeView(this);
        treeView_->setWindowTitle(q(c_.text(427)));
        addDockWidget(Qt::LeftDockWidgetArea, treeView_);
        resizeDocks({treeView_}, {200}, Qt::Horizontal);
    }
    treeView_->show();
}

void mdifrmMain::showErrorLog() {
    if (c_.Closing != 1) errorLog()->show();
}

void mdifrmMain::showChMem() {
    if (!chMemWindow_) return;
    chMemWindow_->showMaximized();
    mdi_->setActiveSubWindow(chMemWindow_);
}

void mdifrmMain::showRadioInfo() {
    if (!radioInfo_) {
        radioInfo_ = new frmRadioInfo(c_, this);
        radioInfo_->onOpenMemoryView = [this] { showMemDat(true); };
        radioInfoWindow_ = addChild(radioInfo_);
    }
    radioInfoWindow_->showMaximized();
    radioInfo_->show();
    mdi_->setActiveSubWindow(radioInfoWindow_);
}

void mdifrmMain::showSysSet() {
    if (!sysSet_) {
        sysSet_ = new frmSysSet(this);
        sysSetWindow_ = addChild(sysSet_);
    }
    sysSetWindow_->showMaximized();
    sysSet_->show();
    mdi_->setActiveSubWindow(sysSetWindow_);
}

void mdifrmMain::showMemDat(bool show) {
    if (!memDat_) return;
    if (show) {
        memDat_->show();
        memDat_->raise();
    } else {
        memDat_->hide();
    }
}

// ---------------------------------------------------------------- channels

void mdifrmMain::mnuDelOne_Click() {
    guarded(c_.log(), "mdifrmMain->mnuDelOne_Click", [&] {
        if (currentChannel == 100) return;
        const QString label = q(c_.text(110)) + QLatin1Char(' ') + QString::number(currentChannel);
        history_->command(label, [&] {
            cps::DelOneChannel(c_, currentChannel);
            c_.ch.ChInfo.at(static_cast<std::size_t>(currentChannel)).at(0) = 1;
        });
    });
}

void mdifrmMain::mnuDelAll_Click() {
    guarded(c_.log(), "mdifrmMain->mnuDelAll_Click", [&] {
        // Every channel goes at once: ask first (No keeps the plan as it is).
        if (cps::dialogs().message(this, q(c_.text(71)), q(c_.text(70)), QMessageBox::Question,
                                   QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return;
        history_->command(q(c_.text(112)), [&] {
            for (int row = 1; row <= c_.cols.channelCount; ++row) {
                cps::DelOneChannel(c_, row);
                c_.ch.ChInfo.at(static_cast<std::size_t>(row)).at(0) = 1;
            }
        });
    });
}

// ---------------------------------------------------------------- help

QString mdifrmMain::helpFile() const {
    const char *name = c_.CurLang == 1 ? "ChsHelp.CHM" : c_.CurLang == 2 ? "ChtHelp.CHM" : "EngHelp.CHM";
    return QDir(q(c_.files.helpFolder)).filePath(QLatin1String(name));
}

QString mdifrmMain::helpHtml() const {
    const char *dir = c_.CurLang == 1 ? "chs" : c_.CurLang == 2 ? "cht" : "eng";
    return QDir(q(c_.files.helpFolder)).filePath(QStringLiteral("help/") + QLatin1String(dir) +
                                                 QStringLiteral("/index.html"));
}

void mdifrmMain::Help() {
    guarded(c_.log(), "mdifrmMain->Help", [&] {
        // Compiled help first; few desktops outside Windows open it, so the same
        // pages installed as HTML show in our own help window (no browser
        // needed). A missing file says nothing.
        const QString chm = helpFile();
        if (QFileInfo::exists(chm) && chmViewerAvailable() && openUrl(chm)) return;
        const QString html = helpHtml();
        if (!QFileInfo::exists(html)) return;
        if (!helpWindow_) {
            helpWindow_ = new frmHelp(QFileInfo(html).path(),
                                      {q(c_.text(483)), q(c_.text(480)), q(c_.text(481)),
                                       q(c_.text(482))},
                                      this);
        }
        helpWindow_->show();
        helpWindow_->raise();
        helpWindow_->activateWindow();
    });
}
