#pragma once
// The read/write window: starts a read or a write of the radio, shows the
// progress, a blinking light and (on the hidden panel) the traffic log and the
// address ranges. Modal while shown; a close request hides it until the
// program exits. Only one transfer runs at a time.
//
//   fraOne      cmdRead cmdWrite, progress, status, light, Stop box
//   fraTwo      listRtData (traffic log)            } hidden panel: the sixth
//   fraRdWrDat  five address fields, two check boxes } double-click on fraOne
#include "comm/RadioTransfer.h"
#include "comm/SerialPort.h"
#include "comm/TransferUi.h"
#include "comm/Waiter.h"
#include "core/Cps.h"

#include <QDialog>
#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;

class frmCommun : public QDialog {
    Q_OBJECT
  public:
    frmCommun(cps::Cps &c, cps::SerialPort &port, cps::TimeoutMark &mark,
              QWidget *parent = nullptr);
    ~frmCommun() override;

    // The Read command (only cmdRead visible), the Write command (only cmdWrite),
    // and "Auto Read/Write Radio" (both as they were). The window shows modally
    // and returns at once.
    void showRead();
    void showWrite();
    void showBoth();

    void cmdRead_Click();
    void cmdWrite_Click();
    // Puts the settings' address texts into the five fields (start-up).
    void fillAddressFields();
    bool transferRunning() const { return running_; }
    int panelDoubleClicks() const { return panelClicks_; }
    bool panelExpanded() const;
    cps::RadioTransfer &transfer() { return *transfer_; }

    // After a successful read: redisplay the plan (default cps::SoftDisplay).
    std::function<void()> onSoftDisplay;
    // Refresh the memory data view (TableFreDat) when "Show Memory Data" is ticked.
    std::function<void()> onTableFreDat;
    // The port could not be opened: show the port dialog (default: frmToolCom).
    std::function<void()> onPortDialog;
    // While the port dialog shows after a failed open: the failure text with
    // the system's reason and the remedy (empty otherwise).
    const QString &openFailure() const { return openFailure_; }
    // Runs a transfer (`transfer`) as one command of the plan's history, so a
    // read over unsaved edits can be undone. Without it the transfer just runs.
    std::function<void(bool reading, const std::function<void()> &transfer)> aroundTransfer;
    // After a transfer that succeeded: the plan is now the radio's.
    std::function<void(bool reading)> onTransferDone;

    QGroupBox *fraOne = nullptr, *fraTwo = nullptr, *fraRdWrDat = nullptr;
    QPushButton *cmdRead = nullptr, *cmdWrite = nullptr;
    QProgressBar *prgCommunicate = nullptr;
    QLabel *lblComStatus = nullptr, *lblComPercent = nullptr, *imgGreen = nullptr,
           *imgRed = nullptr;
    QTimer *tmrLigGrint = nullptr;
    QCheckBox *chkStopCom = nullptr, *chkShowMemDat = nullptr, *chkNotShowProg = nullptr;
    // Verify after write / Backup before write (settings keys "VerifyAfterWrite",
    // "BackupBeforeWrite"; backups go to Data/Backup in the program folder).
    QCheckBox *chkVerifyAfterWrite = nullptr, *chkBackupBeforeWrite = nullptr;
    QListWidget *listRtData = nullptr;
    QLineEdit *txtMaxAddr = nullptr, *txtReadStartAddr = nullptr, *txtReadEndAddr = nullptr,
              *txtWriteStartAddr = nullptr, *txtWriteEndAddr = nullptr;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

  private:
    class Ui;
    void buildWindow();
    void setFace();
    QLineEdit *addressField(const char *name, const char *caption, const char *key,
                            std::string cps::Settings::*text, int16_t cps::Settings::*value);
    void runTransfer(bool reading);
    bool writeConfirmed();
    // A write with the ticked checks (backup before, verify after).
    cps::TransferResult writeChecked();
    // "Written to the radio 14:32:05" in the main window's status bar.
    void showWritten(bool verified);
    void fraOne_DblClick();
    void hideWindow();
    void keepOnScreen(); // after the hidden panel opened

    cps::Cps &c_;
    cps::SerialPort &port_;
    cps::TimeoutMark &mark_;
    cps::EventLoopWaiter waiter_;
    std::unique_ptr<Ui> ui_;
    std::unique_ptr<cps::RadioTransfer> transfer_;
    bool running_ = false;
    int panelClicks_ = 0;
    QString openFailure_;
};
