#include "app/mdifrmMain.h"

#include "editors/Dialogs.h"
#include "app/QtTranslations.h"
#include "app/WindowPlacement.h"
#include "app/frmAboutSoft.h"
#include "app/frmHelp.h"
#include "app/frmShowErr.h"
#include "app/frmTreeView.h"
#include "comm/ProtocolScripts.h"
#include "comm/QtSerialPortAdapter.h"
#include "core/ChannelCodec.h"
#include "core/FaceText.h"
#include "core/MemoryImage.h"
#include "core/Numeric.h"
#include "core/Plan.h"
#include "core/SettingsValues.h"
#include "editors/frmChMem.h"
#include "editors/frmMemDat.h"
#include "editors/frmSysSet.h"
#include "editors/frmCommun.h"
#include "editors/frmRadioInfo.h"
#include "editors/frmToolCom.h"
#include "editors/PlanHistory.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <vector>

using cps::guarded;

namespace {

// Sends every failure to the error log pane, creating and showing it on first use.
class PaneSink : public cps::ErrorSink {
public:
    explicit PaneSink(mdifrmMain *main) : main_(main) {}
    void runtimeError(const std::string &place, int number, const std::string &source) override {
        main_->errorLog()->addRuntimeError(QString::fromStdString(place), number,
                                           QString::fromStdString(source));
        main_->showErrorLog(); // again, if the user closed the pane
    }
    void optionRange(const std::string &text) override {
        main_->errorLog()->addOptionRange(QString::fromStdString(text));
        main_->showErrorLog();
    }

private:
    mdifrmMain *main_;
};

QString q(const std::string &s) { return QString::fromStdString(s); }

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

mdifrmMain::mdifrmMain(const QString &programDir, QWidget *parent)
    : mdifrmMain(cps::portableLocations(QDir(programDir).absolutePath().toStdString()), parent) {}

mdifrmMain::mdifrmMain(const cps::FileLocations &files, QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("mdifrmMain"));
    c_.files = files;
    c_.SettingsFile = files.settingsFile;
    sink_ = std::make_unique<PaneSink>(this);
    c_.sink = sink_.get();
    history_ = new PlanHistory(c_, this);
    connect(history_, &PlanHistory::changed, this, &mdifrmMain::showModified);
    port_ = std::make_unique<cps::QtSerialPortAdapter>(c_, this);

    launcher = [](const QString &program) { return QProcess::startDetached(program, {}); };
    openUrl = [](const QString &path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    mdi_->setBackground(QColor(0xE8, 0xEB, 0xF0));
    setCentralWidget(mdi_);
    buildMenus();
    buildToolBar();
    buildStatusBar();

    tmrChLock_ = new QTimer(this);
    tmrChLock_->setObjectName(QStringLiteral("tmrChLock"));
    tmrChLock_->setInterval(30000);
    connect(tmrChLock_, &QTimer::timeout, this, &mdifrmMain::lockNoticeTick);
    tmrChLockBlink_ = new QTimer(this);
    tmrChLockBlink_->setObjectName(QStringLiteral("tmrChLockBlink"));
    tmrChLockBlink_->setInterval(5000);
    connect(tmrChLockBlink_, &QTimer::timeout, this, &mdifrmMain::lockBlinkTick);
    tmrChLock_->start();
    resize(placement::kDesignSize);
}

mdifrmMain::~mdifrmMain() {
    c_.view = nullptr;
    c_.sink = nullptr;
    // Child windows call back into this window (its state, its error log)
    // while they are torn down; they go first, while it is still whole.
    std::vector<QPointer<QWidget>> children;
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        children.emplace_back(child);
    for (const QPointer<QWidget> &child : children)
        delete child.data(); // null when an earlier one took it along

}

frmChMem *mdifrmMain::chMem() const { return chMem_; }
frmCommun *mdifrmMain::commun() const { return commun_; }
frmRadioInfo *mdifrmMain::radioInfo() const { return radioInfo_; }
frmMemDat *mdifrmMain::memDat() const { return memDat_; }
frmTreeView *mdifrmMain::treeView() const { return treeView_; }
frmSysSet *mdifrmMain::sysSet() const { return sysSet_; }

QString mdifrmMain::programDir() const { return q(c_.files.programDir); }

// ---------------------------------------------------------------- building

void mdifrmMain::buildMenus() {
    struct Item {
        const char *name;
        const char *shortcut;
        bool visible;
    };
    auto add = [this](QMenu *menu, const Item &it) {
        auto *a = menu->addAction(QString::fromLatin1(it.name));
        a->setObjectName(QString::fromLatin1(it.name));
        if (it.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(it.shortcut)));
        a->setVisible(it.visible);
        return a;
    };
    auto menu = [this](const char *name, bool visible) {
        auto *m = menuBar()->addMenu(QString::fromLatin1(name));
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setVisible(visible);
        return m;
    };

    auto *file = menu("mnuFile", true);
    connect(add(file, {"mnuFileNew", "Ctrl+N", true}), &QAction::triggered, this, &mdifrmMain::NewFile);
    connect(add(file, {"mnuFileOpen", "Ctrl+O", true}), &QAction::triggered, this, &mdifrmMain::OpenFile);
    connect(add(file, {"mnuFileSave", "Ctrl+S", true}), &QAction::triggered, this, &mdifrmMain::SaveFile);
    connect(add(file, {"mnuFileSaveAs", nullptr, true}), &QAction::triggered, this, &mdifrmMain::SaveAsFile);
    add(file, {"mnuPrintFile", nullptr, false});
    file->addSeparator();
    connect(add(file, {"mnuExit", nullptr, true}), &QAction::triggered, this, &mdifrmMain::ExitSoft);

    buildEditMenu(menu("mnuEdit", true));

    auto *program = menu("mnuProgram", true);
    connect(add(program, {"mnuReadFre", "Ctrl+R", true}), &QAction::triggered, this, &mdifrmMain::showReadWindow);
    connect(add(program, {"mnuWriteFre", "Ctrl+W", true}), &QAction::triggered, this, &mdifrmMain::showWriteWindow);
    add(program, {"mnuReadWriteFre", "F2", false});
    add(program, {"mnuAddFre", nullptr, false});
    add(program, {"mnuTestMode", "Ctrl+T", false});
    add(program, {"mnuTestFre", nullptr, false});
    add(program, {"mnuBatchTestVal", "Ctrl+B", false});
    add(program, {"mnuMcuVer", nullptr, false});

    auto *option = menu("mnuOption", false);
    add(option, {"mnuModel", nullptr, false});
    add(option, {"mnuFunc", nullptr, false});
    add(option, {"mnuDtmf", nullptr, false});
    add(option, {"mnuKeySet", nullptr, false});
    auto *chLock = add(option, {"mnuChLock", "Ctrl+L", true});
    chLock->setCheckable(true);
    connect(chLock, &QAction::triggered, this, [this, chLock](bool checked) {
        chLock->setChecked(!checked); // the handler decides the mark from the state before the click
        mnuChLock_Click();
    });

    auto *set = menu("mnuSet", true);
    connect(add(set, {"mnuCommunicate", nullptr, true}), &QAction::triggered, this, &mdifrmMain::showPortDialog);
    set->addSeparator();
    auto *lockFace = add(set, {"mnuLockFace", nullptr, true});
    lockFace->setCheckable(true);
    connect(lockFace, &QAction::triggered, this, [this, lockFace](bool checked) {
        lockFace->setChecked(!checked);
        mnuLockFace_Click();
    });
    set->addSeparator();
    auto *langMenu = set->addMenu(QStringLiteral("mnuLangSetting"));
    langMenu->setObjectName(QStringLiteral("mnuLangSetting"));
    langMenu->menuAction()->setObjectName(QStringLiteral("mnuLangSetting"));
    const std::pair<const char *, int> langs[] = {{"mnuLangSel0", 1}, {"mnuLangSel2", 3}, {"mnuLangSel1", 2}};
    for (auto [name, lang] : langs) {
        auto *a = add(langMenu, {name, nullptr, true});
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, a, lang = lang](bool checked) {
            a->setChecked(!checked);
            mnuLangSel_Click(lang);
        });
    }

    auto *view = menu("mnuView", false);
    connect(add(view, {"mnuTreeView", nullptr, true}), &QAction::triggered, this, &mdifrmMain::showTreeView);
    connect(add(view, {"mnuShowErr", nullptr, true}), &QAction::triggered, this, &mdifrmMain::showErrorLog);

    auto *help = menu("mnuHelp", true);
    connect(add(help, {"mnuHelpTopic", "F1", false}), &QAction::triggered, this, &mdifrmMain::Help);
    connect(add(help, {"mnuAboutSoft", nullptr, true}), &QAction::triggered, this, &mdifrmMain::showAbout);

    // The channel grid's pop-up menu.
    mnuPopMenuOne_ = new QMenu(this);
    mnuPopMenuOne_->setObjectName(QStringLiteral("mnuPopMenuOne"));
    add(mnuPopMenuOne_, {"mnuOpenCh", nullptr, false});
    add(mnuPopMenuOne_, {"mnuSaveDef", nullptr, false});
    auto *sepHidden = mnuPopMenuOne_->addSeparator();
    sepHidden->setVisible(false);
    connect(add(mnuPopMenuOne_, {"mnuDelOne", nullptr, true}), &QAction::triggered, this, &mdifrmMain::mnuDelOne_Click);
    connect(add(mnuPopMenuOne_, {"mnuDelAll", nullptr, true}), &QAction::triggered, this, &mdifrmMain::mnuDelAll_Click);
    auto *sep = mnuPopMenuOne_->addSeparator();
    sep->setObjectName(QStringLiteral("sepPopChLock"));
    auto *popLock = add(mnuPopMenuOne_, {"mnuPopChLock", nullptr, true});
    popLock->setCheckable(true);
    connect(popLock, &QAction::triggered, this, [this, popLock](bool checked) {
        popLock->setChecked(!checked);
        mnuPopChLock_Click();
    });
}

void mdifrmMain::buildToolBar() {
    tlbMdiFrmMain_ = addToolBar(QStringLiteral("tlbMdiFrmMain"));
    tlbMdiFrmMain_->setObjectName(QStringLiteral("tlbMdiFrmMain"));
    tlbMdiFrmMain_->setMovable(false);
    tlbMdiFrmMain_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tlbMdiFrmMain_->setIconSize(QSize(24, 24));
    // Positions 1..16; the positions without a key are separators.
    const std::pair<int, const char *> buttons[] = {
        {2, "FileNew"}, {4, "FileOpen"}, {5, "FileSave"}, {7, "Read"},   {8, "Write"},
        {10, "Com"},    {12, "Print"},   {14, "Help"},    {16, "Exit"}};
    const QStyle::StandardPixmap icons[] = {
        QStyle::SP_FileIcon,        QStyle::SP_DialogOpenButton,   QStyle::SP_DialogSaveButton,
        QStyle::SP_ArrowDown,       QStyle::SP_ArrowUp,            QStyle::SP_DriveNetIcon,
        QStyle::SP_FileDialogContentsView, QStyle::SP_DialogHelpButton, QStyle::SP_DialogCloseButton};
    int next = 0;
    for (int pos = 2; pos <= 16; ++pos) {
        if (next < 9 && buttons[next].first == pos) {
            const QString key = QString::fromLatin1(buttons[next].second);
            auto *a = tlbMdiFrmMain_->addAction(style()->standardIcon(icons[next]), key);
            a->setObjectName(QStringLiteral("tlb") + key);
            a->setData(key);
            connect(a, &QAction::triggered, this, [this, key] { tlbMdiFrmMain_ButtonClick(key); });
            ++next;
        } else {
            tlbMdiFrmMain_->addSeparator();
        }
    }
}

void mdifrmMain::buildStatusBar() {
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setObjectName(QStringLiteral("sbrStatusPanel%1").arg(i + 1));
        panels_[i]->setContentsMargins(6, 0, 6, 0);
        statusBar()->addWidget(panels_[i], i == 2 ? 1 : 0);
    }
    panels_[0]->setMinimumWidth(160);
    panels_[1]->setMinimumWidth(90);
    statusBar()->setObjectName(QStringLiteral("sbrStatus"));
}

QAction *mdifrmMain::action(const QString &name) const {
    for (auto *a : findChildren<QAction *>())
        if (a->objectName() == name) return a;
    return nullptr;
}

void mdifrmMain::setPanel(int n, const QString &text) { panels_[n - 1]->setText(text); }
QString mdifrmMain::panel(int n) const { return panels_[n - 1]->text(); }

void mdifrmMain::showFilePath() { setPanel(3, q(c_.text(85) + c_.CurFilePath)); }

frmShowErr *mdifrmMain::errorLog() {
    if (!showErr_) {
        showErr_ = new frmShowErr(this);
        showErr_->setWindowTitle(q(c_.text(426)));
        addDockWidget(Qt::BottomDockWidgetArea, showErr_);
        resizeDocks({showErr_}, {140}, Qt::Vertical);
        showErr_->show();
    }
    return showErr_;
}

QMdiSubWindow *mdifrmMain::addChild(QWidget *w) {
    auto *sub = mdi_->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    // The sub-window's own Close carries Ctrl+W on Linux (besides Ctrl+F4),
    // which is Write here: it keeps Ctrl+F4 only.
    const QKeySequence write(Qt::CTRL | Qt::Key_W);
    for (QAction *a : sub->systemMenu()->actions()) {
        QList<QKeySequence> keys = a->shortcuts();
        if (keys.removeAll(write) > 0) a->setShortcuts(keys);
    }
    return sub;
}

void mdifrmMain::keepChannelWindowUp(QMdiSubWindow *sub) {
    // The channel window is the tool's page: it stays maximised and cannot
    // shrink to a bar that leaves an empty grey main window.
    // Without the minimise hint the sub-window also hides its menu's Minimize.
    sub->setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    sub->installEventFilter(this);
}

bool mdifrmMain::eventFilter(QObject *watched, QEvent *event) {
    if (watched == chMemWindow_ && event->type() == QEvent::WindowStateChange &&
        chMemWindow_->isMinimized() && c_.Closing != 1)
        QTimer::singleShot(0, chMemWindow_, [sub = chMemWindow_] { sub->showMaximized(); });
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- start-up

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
        commun_->onTransferDone = [this](bool) { history_->markClean(); };
        chMem_ = new frmChMem(this);
        c_.view = chMem_;
        chMem_->setHistory(history_);
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

void mdifrmMain::SetSoftFace() {
    guarded(c_.log(), "mdimoduMain->SetSoftFace", [&] {
        const std::pair<const char *, int> menus[] = {
            {"mnuFile", 20},         {"mnuFileNew", 21},      {"mnuFileOpen", 22},
            {"mnuFileSave", 23},     {"mnuFileSaveAs", 24},   {"mnuPrintFile", 43},
            {"mnuExit", 25},         {"mnuProgram", 26},      {"mnuReadFre", 27},
            {"mnuWriteFre", 28},     {"mnuReadWriteFre", 48}, {"mnuAddFre", 44},
            {"mnuTestMode", 40},     {"mnuTestFre", 41},      {"mnuBatchTestVal", 42},
            {"mnuOption", 29},       {"mnuModel", 39},        {"mnuFunc", 30},
            {"mnuDtmf", 45},         {"mnuKeySet", 46},       {"mnuMcuVer", 49},
            {"mnuChLock", 47},       {"mnuSet", 31},          {"mnuLockFace", 58},
            {"mnuCommunicate", 32},  {"mnuLangSetting", 33},  {"mnuLangSel0", 34},
            {"mnuLangSel1", 57},     {"mnuLangSel2", 35},     {"mnuHelp", 36},
            {"mnuHelpTopic", 37},    {"mnuAboutSoft", 38}};
        for (auto [name, entry] : menus) {
            QAction *a = action(QString::fromLatin1(name));
            if (!a) cps::raise(cps::err::InvalidProperty);
            a->setText(q(c_.text(entry)));
        }
        const std::pair<const char *, int> tools[] = {
            {"FileNew", 0}, {"FileOpen", 1}, {"FileSave", 2}, {"Read", 3}, {"Write", 4},
            {"Com", 5},     {"Print", 8},    {"Help", 6},     {"Exit", 7}};
        for (auto [key, entry] : tools)
            action(QStringLiteral("tlb") + QString::fromLatin1(key))->setText(q(c_.text(entry)));
        action("mnuDelOne")->setText(q(c_.text(110)));
        action("mnuDelAll")->setText(q(c_.text(112)));
        action("mnuOpenCh")->setText(q(c_.text(114)));
        action("mnuSaveDef")->setText(q(c_.text(113)));
        action("mnuPopChLock")->setText(q(c_.text(47)));
        setWindowTitle(q(c_.text(16)));
        setEditMenuTexts();
        setPanel(1, q(c_.text(94)));
        setPanel(2, QStringLiteral("COM%1").arg(c_.settings.com));
        showFilePath();
    });
}

// ---------------------------------------------------------------- shutdown

void mdifrmMain::ExitSoft() {
    guarded(c_.log(), "mdifrmMain->ExitSoft", [&] { close(); });
}

void mdifrmMain::closeEvent(QCloseEvent *event) {
    if (c_.Closing == 1 || MDIForm_QueryUnload()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool mdifrmMain::MDIForm_QueryUnload() {
    bool unload = false;
    guarded(c_.log(), "mdifrmMain->MDIForm_QueryUnload", [&] {
        if (!c_.QuietExit) {
            const auto answer = cps::dialogs().message(this, q(c_.text(73)), q(c_.text(70)),
                                                       QMessageBox::Question,
                                                       QMessageBox::Yes | QMessageBox::No);
            if (answer != QMessageBox::Yes) return;
        }
        c_.Closing = 1;
        placement::remember(*this, c_.ini());
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
        launcher(QCoreApplication::applicationFilePath());
        c_.QuietExit = true;
        close();
    });
}

// ---------------------------------------------------------------- commands

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
        // "Print" and any other key do nothing.
    });
}

void mdifrmMain::showReadWindow() {
    if (commun_) commun_->showRead();
}
void mdifrmMain::showWriteWindow() {
    if (commun_) commun_->showWrite();
}

void mdifrmMain::showPortDialog() {
    if (!toolCom_) toolCom_ = new frmToolCom(c_, *port_, this);
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

// ---------------------------------------------------------------- lock

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
