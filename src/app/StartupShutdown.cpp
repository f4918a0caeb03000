// The main window's start-up (settings, language, port, child windows),
// shutdown and the change of interface language, which restarts the program.
#include "app/mdifrmMain.h"

#include "app/QtText.h"
#include "app/QtTranslations.h"
#include "app/WindowPlacement.h"
#include "app/frmShowErr.h"
#include "app/frmTreeView.h"
#include "comm/ProtocolScripts.h"
#include "comm/QtSerialPortAdapter.h"
#include "core/FaceText.h"
#include "core/MemoryImage.h"
#include "core/Numeric.h"
#include "core/Plan.h"
#include "core/SettingsValues.h"
#include "editors/Dialogs.h"
#include "editors/PlanHistory.h"
#include "editors/frmChMem.h"
#include "editors/frmCommun.h"
#include "editors/frmMemDat.h"
#include "editors/frmProductionLine.h"
#include "editors/frmRadioInfo.h"
#include "editors/frmSysSet.h"
#include "editors/frmToolCom.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QMdiSubWindow>

using cps::guarded;

namespace {

// The system locale as the locale identifiers the first start tells apart:
// 2052 Simplified Chinese, 1028 Traditional Chinese, 1033 US English, 0 other.
int systemLcid() {
    const QLocale loc = QLocale::system();
    if (loc.language() == QLocale::Chinese) {
        const bool traditional = loc.script() == QLocale::TraditionalChineseScript ||
                                 loc.territory() == QLocale::Taiwan ||
                                 loc.territory() == QLocale::HongKong ||
                                 loc.territory() == QLocale::Macau;
        return traditional ? 1028 : 2052;
    }
    if (loc.language() == QLocale::English && loc.territory() == QLocale::UnitedStates)
        return 1033;
    return 0;
}

int languageOfLcid(int lcid) { return lcid == 2052 ? 1 : lcid == 1028 ? 2 : 3; }

// What is wrong with a settings file, in the interface language.
QString settingsProblemText(const cps::Cps &c, const cps::SettingsCheck &check) {
    constexpr int kNotAFile = 485, kUnreadable = 486, kEmpty = 487, kNoSettingSection = 488;
    int n = kNotAFile;
    switch (check.problem) {
    case cps::SettingsProblem::Unreadable: n = kUnreadable; break;
    case cps::SettingsProblem::Empty: n = kEmpty; break;
    case cps::SettingsProblem::NoSettingSection: n = kNoSettingSection; break;
    default: break;
    }
    QString text = q(c.text(n));
    if (!check.reason.empty()) text += QStringLiteral(": ") + q(check.reason);
    return text;
}

} // namespace

// A settings file that is there but unusable is kept aside and the delivered
// copy takes its place, so the start goes on as on a new installation; the
// user is told once the interface texts are loaded.
bool mdifrmMain::recoverSettingsFile() {
    const cps::SettingsCheck check = cps::checkSettingsFile(c_.SettingsFile);
    if (check.problem == cps::SettingsProblem::None) return true;
    try {
        const std::string &delivered = c_.files.deliveredSettings;
        settingsNotice_ = SettingsNotice{check, cps::setAsideAndRestore(c_.SettingsFile, delivered)};
        return true;
    } catch (const cps::RunError &e) {
        // Nothing to start from: say so in the system's language and end.
        constexpr int kCannotReplace = 489;
        c_.CurLang = static_cast<int16_t>(languageOfLcid(systemLcid()));
        cps::LoadSoftFaceText(c_);
        cps::dialogs().message(this,
                               q(c_.text(kCannotReplace))
                                   .arg(q(c_.SettingsFile), settingsProblemText(c_, check),
                                        q(e.reason)),
                               q(c_.text(70)), QMessageBox::Critical, QMessageBox::Ok);
        startFailed_ = true;
        return false;
    }
}

void mdifrmMain::showSettingsNotice() {
    if (!settingsNotice_) return;
    constexpr int kKeptAside = 484;
    cps::dialogs().message(this,
                           q(c_.text(kKeptAside))
                               .arg(q(c_.SettingsFile), settingsProblemText(c_, settingsNotice_->check),
                                    q(settingsNotice_->keptAs)),
                           q(c_.text(70)), QMessageBox::Warning, QMessageBox::Ok);
    settingsNotice_.reset();
}

bool mdifrmMain::MDIForm_Load() {
    if (!recoverSettingsFile()) return false;
    bool closedItself = false;
    guarded(c_.log(), "mdifrmMain->Form_Load", [&] {
        // Installed: the user's first start copies the delivered settings.
        std::string seedError;
        if (!cps::seedUserSettings(c_.files, seedError)) cps::raise(cps::err::PathFileAccess, seedError);
        auto ini = c_.ini();
        placement::restore(*this, ini);
        cps::initBitTables(c_);
        c_.ItemEnd = "*EndOfThisItem*";
        // First start: write the marker and end at once, without a window.
        if (cps::toInt16(ini.read("Setting", "FirRun", "2", 3)) == 2) {
            ini.store("Setting", "FirRun", "1");
            c_.QuietExit = true;
            closedItself = true;
            close();
            return;
        }
        GetSysLang();
        c_.CurLang = cps::toInt16(ini.read("Setting", "Language", "2", 9));
        if (c_.CurLang < 1 || c_.CurLang > 3) c_.CurLang = 3;
        action("mnuLangSel0")->setChecked(c_.CurLang == 1);
        action("mnuLangSel1")->setChecked(c_.CurLang == 2);
        action("mnuLangSel2")->setChecked(c_.CurLang == 3);
        cps::LoadSoftFaceText(c_);
        installQtTranslations(c_.CurLang);
        showSettingsNotice();

        c_.settings.com = cps::toInt16(ini.read("Setting", "COM", "1", 9));
        if (c_.settings.com < 1 || c_.settings.com > 16) cps::raise(cps::err::IndexOutOfRange);
        cps::VerdictCom(*port_, portStatus_, c_.settings.com);
        if (portStatus_.at(static_cast<std::size_t>(c_.settings.com - 1)) == -1)
            cps::AutoSetPort(c_, *port_, portStatus_);

        cps::sizeImage(c_, cps::toInt16(ini.read("Setting", "DatNum", "0", 9)));
        readSettings();
        showFilePath();

        cps::ProtocolScripts(c_).startUp();
        GenerateDatFolder();
        SetSoftFace();

        // Windows that exist from start-up on.
        memDat_ = new frmMemDat(this);
        memDat_->onImageEdited = [this] { history_->changedOutside(q(c_.text(472))); };
        commun_ = new frmCommun(c_, *port_, timeoutMark_, this);
        commun_->fillAddressFields();
        commun_->onTableFreDat = [this] { memDat_->TableFreDat(); };
        commun_->onPortDialog = [this] { showPortDialog(); };
        commun_->aroundTransfer = [this](bool reading, const std::function<void()> &transfer) {
            if (reading)
                history_->command(stepName(q(c_.text(27))), transfer);
            else
                transfer(); // a write changes the radio, not the plan
        };
        // A write puts the plan on a radio, not in a file: the `*` stays.
        commun_->onTransferDone = [this](bool reading) {
            if (reading) {
                history_->markClean();
                planFromFile_ = false;
            }
        };
        chMem_ = new frmChMem(this);
        c_.view = chMem_;
        chMem_->setHistory(history_);
        bindGridKeys();
        chMemWindow_ = addChild(chMem_);
        keepChannelWindowUp(chMemWindow_);
        chMem_->InitChMem();
        cps::NewFileSol(c_);
        history_->markClean();
        memDat_->SetGridMemDat();
        chMemWindow_->showMaximized();

        const bool locked = ini.read("Setting", "ChannelLock", "ShowNo", 15) == "ShowLock";
        action("mnuChLock")->setChecked(locked);
        action("mnuLockFace")->setChecked(locked);
        LockFaceOperate(action("mnuChLock")->isChecked());
    });
    return !closedItself;
}

void mdifrmMain::readSettings() {
    auto ini = c_.ini();
    cps::readFontsAndColours(c_);
    // Informational keys: read, never used.
    for (const char *k : {"ModelType", "ModelRange"}) ini.read("Setting", k, "0", 9);
    ini.read("Setting", "CtMax", "50", 30);
    ini.read("Setting", "DcsMax", "210", 30);
    ini.read("Setting", "CtcDcsMax", "260", 30);
    cps::readAddressKeys(c_, "mdifrmMain->Form_Load:");
}

void mdifrmMain::GetSysLang() {
    guarded(c_.log(), "mdifrmMain->GetSysLang", [&] {
        auto ini = c_.ini();
        if (cps::toInt16(ini.read("Setting", "FirRun", "1", 3)) == 0) return;
        ini.store({{"Setting", "FirRun", "0"},
                   {"Setting", "Language", std::to_string(languageOfLcid(systemLcid()))}});
        cps::AutoSetPort(c_, *port_, portStatus_);
    });
}

void mdifrmMain::GenerateDatFolder() {
    guarded(c_.log(), "mdifrmMain->GenerateDatFolder", [&] {
        const QString folder = q(c_.files.dataFolder);
        if (!QDir(folder).exists() && !QDir().mkpath(folder)) cps::raise(cps::err::PathNotFound);
        c_.DefFilePath = (folder + QStringLiteral("/Untitled.dat")).toStdString();
        c_.CurFilePath = c_.DefFilePath;
        showFilePath();
    });
}

// ---------------------------------------------------------------- shutdown

void mdifrmMain::ExitSoft() {
    guarded(c_.log(), "mdifrmMain->ExitSoft", [&] { close(); });
}

void mdifrmMain::closeEvent(QCloseEvent *event) {
    // A running production line ends first (it asks when a radio is being
    // programmed); the program closes once it has.
    if (c_.Closing != 1 && productionLine_ && productionLine_->running()) {
        event->ignore();
        productionLine_->close();
        if (productionLine_->closing())
            connect(productionLine_, &frmProductionLine::lineEnded, this, &QWidget::close,
                    Qt::UniqueConnection);
        return;
    }
    if (c_.Closing == 1 || MDIForm_QueryUnload()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool mdifrmMain::MDIForm_QueryUnload() {
    bool unload = false;
    guarded(c_.log(), "mdifrmMain->MDIForm_QueryUnload", [&] {
        if (!c_.QuietExit && !confirmDropping(73)) return;
        c_.Closing = 1;
        placement::remember(*this, c_.ini());
        if (showErr_ && showErr_->isVisible() && !showErr_->isFloating())
            placement::rememberErrorLogHeight(showErr_->height(), c_.ini());
        unloadAll();
        unload = true;
    });
    return unload;
}

void mdifrmMain::unloadAll() {
    // Fixed order: tree, optional features, radio info, channels, about, read/write,
    // port dialog, error log, part fill, memory view.
    QWidget *commun = commun_, *radioInfo = radioInfo_, *toolCom = toolCom_;
    QWidget *order[] = {treeView_, sysSet_, radioInfo, chMem_,   nullptr,
                        commun,    toolCom, showErr_,  nullptr, memDat_};
    for (QWidget *w : order)
        if (w) w->close();
    c_.view = nullptr;
}

// ---------------------------------------------------------------- language

void mdifrmMain::mnuLangSel_Click(int lang) {
    if (lang == c_.CurLang) return;
    // The restart reopens the plan's file; edits not in it are saved or
    // dropped first, as the user says.
    if (!confirmUnsaved()) {
        action("mnuLangSel0")->setChecked(c_.CurLang == 1);
        action("mnuLangSel1")->setChecked(c_.CurLang == 2);
        action("mnuLangSel2")->setChecked(c_.CurLang == 3);
        return;
    }
    action("mnuLangSel0")->setChecked(lang == 1);
    action("mnuLangSel1")->setChecked(lang == 2);
    action("mnuLangSel2")->setChecked(lang == 3);
    c_.CurLang = static_cast<int16_t>(lang);
    SwiLangFace(lang);
}

void mdifrmMain::SwiLangFace(int lang) {
    guarded(c_.log(), "mdifrmMain->SwiLangFace", [&] {
        c_.ini().store("Setting", "Language", std::to_string(lang));
        cps::dialogs().message(this, q(c_.text(68)), QStringLiteral("Message"),
                               QMessageBox::Question, QMessageBox::Ok);
        const QString reopen = fileToReopen();
        launcher(QCoreApplication::applicationFilePath(),
                 reopen.isEmpty() ? QStringList() : QStringList{reopen});
        c_.QuietExit = true;
        close();
    });
}
