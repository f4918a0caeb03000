#pragma once
// The main window: menus, toolbar, three-panel status bar, the MDI area with
// the child windows, the lock timers, the dock panes, and the start-up and
// shutdown sequences. It owns the run's shared state (cps::Cps).
#include "comm/PortProbe.h"
#include "comm/TransferUi.h"
#include "core/Cps.h"
#include "editors/MainWindowServices.h"
#include "core/SettingsRecovery.h"

#include <QMainWindow>
#include <optional>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;
class frmChMem;
class frmProductionLine;
class frmHistory;
class frmCommun;
class frmToolCom;
class frmRadioInfo;
class frmMemDat;
class frmPartFill;
class frmTreeView;
class frmAboutSoft;
class frmSysSet;
class frmShowErr;
class PlanHistory;
class frmHelp;

class mdifrmMain : public QMainWindow, public MainWindowServices {
    Q_OBJECT
public:
    // The files at `files`; the QString form uses `programDir`'s portable layout.
    explicit mdifrmMain(const cps::FileLocations &files, QWidget *parent = nullptr);
    explicit mdifrmMain(const QString &programDir, QWidget *parent = nullptr);
    ~mdifrmMain() override;

    // Start-up sequence; false when the program closed itself (first start, or
    // a settings file it could neither use nor replace: startFailed()).
    bool MDIForm_Load();
    cps::Cps &cps() override { return c_; }
    QWidget *frame() override { return this; }
    bool startFailed() const { return startFailed_; }
    QString programDir() const;

    // Status bar panels 1..3.
    void setPanel(int n, const QString &text) override;
    QString panel(int n) const override;

    // Menu items and toolbar buttons by object name ("mnuFileNew", "tlbRead", ...).
    QAction *action(const QString &name) const override;
    QToolBar *toolBar() const { return tlbMdiFrmMain_; }
    QMenu *popupMenu() const override { return mnuPopMenuOne_; } // the channel grid's pop-up
    QMdiArea *mdiArea() const { return mdi_; }
    QTimer *tmrChLock() const { return tmrChLock_; }
    QTimer *tmrChLockBlink() const { return tmrChLockBlink_; }

    // The channel row on which the pop-up was last opened (grid sets it).
    int currentChannel = 1;
    void setCurrentChannel(int row) override { currentChannel = row; }

    // Starts a new instance after a language change with its arguments; tests replace it.
    std::function<bool(const QString &program, const QStringList &arguments)> launcher;

    // --- commands
    void NewFile();
    void OpenFile();
    void SaveFile();
    void SaveAsFile();
    void SaveDatFile();
    // File > Import / Export Channel List (ChannelListCommands.cpp)
    void ImportChannelList();
    void ExportChannelList();
    void ExitSoft();
    void Help();
    void tlbMdiFrmMain_ButtonClick(const QString &key);
    void mnuLockFace_Click();
    void mnuChLock_Click();
    void mnuPopChLock_Click();
    void LockFaceOperate(bool lock);
    // The ticks of tmrChLock (30 s) and tmrChLockBlink (5 s).
    void lockNoticeTick();
    void lockBlinkTick();
    void mnuDelOne_Click();
    void mnuDelAll_Click();
    void mnuLangSel_Click(int lang);
    void SwiLangFace(int lang);
    void showReadWindow();
    void showWriteWindow();
    void showPortDialog();
    // The channel table's print preview (Print, Save as PDF).
    void showPrintPreview();
    void showAbout();
    void showTreeView();
    void showErrorLog();
    void showChMem();
    void showRadioInfo();
    void showSysSet();
    // The production line window (ProductionLineCommands.cpp).
    void showProductionLine();
    frmProductionLine *productionLine() const;
    // The record of every radio programmed (HistoryCommands.cpp).
    void showHistory();
    frmHistory *historyWindow() const;
    void showMemDat(bool show) override;
    // Updates panel 3 to SoftFaceText[85] + CurFilePath.
    void showFilePath() override;
    // Path of the help file for the language, and the HTML page used when no
    // program can open the compiled help.
    QString helpFile() const;
    QString helpHtml() const;
    // Our own help window (created by the first Help without a CHM viewer).
    frmHelp *helpWindow() const { return helpWindow_; }
    // Opens a local file with the desktop's opener; tests replace it.
    std::function<bool(const QString &path)> openUrl;

    // --- the Edit menu (EditMenu.cpp): undo history of the plan and its commands
    PlanHistory &history() { return *history_; }
    // Title with `*` while the plan differs from the last opened, read or saved one.
    void showModified();
    // Before a command replaces or drops an edited plan (New, Open, Read, Exit,
    // a language change): Save / Discard / Cancel. True when the command may go
    // on: nothing was edited, the plan was saved, or the user discarded it.
    bool confirmUnsaved();
    // New and Exit: confirmUnsaved() for an edited plan, else the Yes/No
    // question `question` of the text table.
    bool confirmDropping(int question);
    // The plan file a restarted instance opens (a language change); empty: none.
    QString fileToReopen() const;
    // Opens `path` as Open does, without its dialog (a file given at start).
    void openPlanFile(const QString &path);

    // --- child windows (created at start-up)
    frmChMem *chMem() const;
    frmCommun *commun() const;
    frmMemDat *memDat() const;
    frmShowErr *errorLog();
    frmTreeView *treeView() const;
    frmSysSet *sysSet() const;
    frmRadioInfo *radioInfo() const;

    // --- the serial link of the whole run
    cps::SerialPort &port() { return *port_; }
    cps::PortStatusTable &portStatus() { return portStatus_; }
    cps::TimeoutMark &timeoutMark() { return timeoutMark_; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void SetSoftFace();
    void GetSysLang();
    bool recoverSettingsFile();
    void showSettingsNotice();
    void GenerateDatFolder();
    bool MDIForm_QueryUnload();
    void unloadAll();
    // While the production line runs: the plan and Read/Write are locked.
    void setLineRunning(bool running);
    void readSettings();
    void toggleLock(const char *clicked, const char *place);
    QMdiSubWindow *addChild(QWidget *w);
    void buildEditMenu(QMenu *edit);
    void bindGridKeys(); // the grid commands' keys work in the channel grid only
    void setEditMenuTexts();
    void updateEditMenu();

    cps::Cps c_;
    PlanHistory *history_ = nullptr;
    QAction *undoAction_ = nullptr, *redoAction_ = nullptr; // named after every change
    bool planFromFile_ = false; // the plan was last opened from or saved to CurFilePath
    bool startFailed_ = false;
    // A broken settings file kept aside at start-up: what was wrong, where it is.
    struct SettingsNotice {
        cps::SettingsCheck check;
        std::string keptAs;
    };
    std::optional<SettingsNotice> settingsNotice_;
    std::unique_ptr<cps::ErrorSink> sink_;
    std::unique_ptr<cps::SerialPort> port_;
    cps::PortStatusTable portStatus_{};
    cps::TimeoutMark timeoutMark_;
    QMdiArea *mdi_ = nullptr;
    QToolBar *tlbMdiFrmMain_ = nullptr;
    QMenu *mnuPopMenuOne_ = nullptr;
    QLabel *panels_[3] = {};
    QTimer *tmrChLock_ = nullptr;
    QTimer *tmrChLockBlink_ = nullptr;
    int blinkCounter_ = 0;

    QPointer<frmChMem> chMem_;
    QPointer<frmCommun> commun_;
    QPointer<frmToolCom> toolCom_;
    QPointer<frmRadioInfo> radioInfo_;
    QPointer<frmMemDat> memDat_;
    QPointer<frmTreeView> treeView_;
    QPointer<frmSysSet> sysSet_;
    QPointer<frmShowErr> showErr_;
    QPointer<frmProductionLine> productionLine_;
    QPointer<frmHistory> historyWindow_;
    QMdiSubWindow *chMemWindow_ = nullptr;
    frmHelp *helpWindow_ = nullptr;
    void keepChannelWindowUp(QMdiSubWindow *sub);
    QMdiSubWindow *sysSetWindow_ = nullptr;
    QMdiSubWindow *radioInfoWindow_ = nullptr;
};
