// The main window's menus, toolbar and status bar: built once with their
// object names, given their texts in the interface language by SetSoftFace.
#include "app/mdifrmMain.h"

#include "app/QtText.h"
#include "core/Failure.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

using cps::guarded;

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
    file->addSeparator();
    connect(add(file, {"mnuImportChannelList", nullptr, true}), &QAction::triggered, this,
            &mdifrmMain::ImportChannelList);
    connect(add(file, {"mnuExportChannelList", nullptr, true}), &QAction::triggered, this,
            &mdifrmMain::ExportChannelList);
    file->addSeparator();
    add(file, {"mnuPrintFile", nullptr, false});
    connect(add(file, {"mnuPrintPreview", "Ctrl+P", true}), &QAction::triggered, this,
            &mdifrmMain::showPrintPreview);
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
    program->addSeparator();
    connect(add(program, {"mnuProductionLine", "Ctrl+Shift+W", true}), &QAction::triggered, this,
            &mdifrmMain::showProductionLine);
    connect(add(program, {"mnuHistory", "Ctrl+Shift+H", true}), &QAction::triggered, this,
            &mdifrmMain::showHistory);

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

void mdifrmMain::SetSoftFace() {
    guarded(c_.log(), "mdimoduMain->SetSoftFace", [&] {
        const std::pair<const char *, int> menus[] = {
            {"mnuFile", 20},         {"mnuFileNew", 21},      {"mnuFileOpen", 22},
            {"mnuFileSave", 23},     {"mnuFileSaveAs", 24},   {"mnuPrintFile", 43},
            {"mnuPrintPreview", 561},
            {"mnuExit", 25},         {"mnuProgram", 26},      {"mnuReadFre", 27},
            {"mnuWriteFre", 28},     {"mnuReadWriteFre", 48}, {"mnuAddFre", 44},
            {"mnuTestMode", 40},     {"mnuTestFre", 41},      {"mnuBatchTestVal", 42},
            {"mnuOption", 29},       {"mnuModel", 39},        {"mnuFunc", 30},
            {"mnuDtmf", 45},         {"mnuKeySet", 46},       {"mnuMcuVer", 49},
            {"mnuChLock", 47},       {"mnuSet", 31},          {"mnuLockFace", 58},
            {"mnuCommunicate", 32},  {"mnuLangSetting", 33},  {"mnuLangSel0", 34},
            {"mnuLangSel1", 57},     {"mnuLangSel2", 35},     {"mnuHelp", 36},
            {"mnuHelpTopic", 37},    {"mnuAboutSoft", 38},
            {"mnuProductionLine", 700}, {"mnuHistory", 762},
            {"mnuImportChannelList", 660}, {"mnuExportChannelList", 661}};
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
