// The main window's frame: its child windows, panes and status panels, and
// what it hands them. Its commands live beside it: menus and toolbar
// (MainMenus.cpp), start-up and shutdown (StartupShutdown.cpp), the lock
// (LockCommands.cpp), the read/write and other windows, channel deletion and
// help (MainCommands.cpp), and the file commands (FileCommands.cpp).
#include "app/mdifrmMain.h"

#include "app/QtText.h"
#include "app/WindowPlacement.h"
#include "app/frmShowErr.h"
#include "app/frmTreeView.h"
#include "comm/QtSerialPortAdapter.h"
#include "core/Plan.h"
#include "editors/PlanHistory.h"
#include "editors/frmChMem.h"
#include "editors/frmCommun.h"
#include "editors/frmMemDat.h"
#include "editors/frmRadioInfo.h"
#include "editors/frmSysSet.h"
#include "editors/frmToolCom.h"

#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QUrl>
#include <vector>

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

    launcher = [](const QString &program, const QStringList &arguments) {
        return QProcess::startDetached(program, arguments);
    };
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
        resizeDocks({showErr_}, {placement::errorLogHeight(c_.ini())}, Qt::Vertical);
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
