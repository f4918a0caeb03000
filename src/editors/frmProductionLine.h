#pragma once
// The production line window: the plan open in the channel window, written
// to radio after radio on every ticked cable, with a large row per cable, the
// totals since Start, and the same CSV log as the command line's program.
//
//   fraCables   one tick box per mapped COM number, with its device's facts
//   fraOptions  verify, backup folder, log file, stop after N passed, sound
//   cmdStart (F5), cmdStop (Shift+F5), one LineCableRow per cable, lblTotals
//
// The ticked cables and the options are kept in the settings file's
// [ProductionLine] section.
#include "comm/LineLog.h"
#include "core/Cps.h"

#include <QDateTime>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <functional>
#include <map>

class LineCableRow;
class ProductionLineRun;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;
class QVBoxLayout;

class frmProductionLine : public QDialog {
    Q_OBJECT
  public:
    explicit frmProductionLine(cps::Cps &c, QWidget *parent = nullptr);
    ~frmProductionLine() override;

    // Start: the write's question for channels outside the band, then every
    // ticked cable must open; false when the line did not start.
    bool startLine();
    void stopLine();
    bool running() const { return run_ != nullptr; }
    // Whether a radio is being programmed on some cable right now.
    bool programming() const;
    // A close was asked and waits for the line to end.
    bool closing() const { return closeWhenDone_; }
    // Rebuilds the cable list from the COM map (on showing the window).
    void fillCables();
    void setFace();

    // The line started (true) or ended (false): the main window locks the
    // plan and the read/write commands meanwhile.
    std::function<void(bool running)> onRunningChanged;

    QGroupBox *fraCables = nullptr, *fraOptions = nullptr;
    std::map<int, QCheckBox *> chkCables; // by COM number
    QCheckBox *chkVerify = nullptr, *chkSound = nullptr;
    QLineEdit *txtBackupFolder = nullptr, *txtLogFile = nullptr;
    QSpinBox *spnStopAfter = nullptr;
    QPushButton *cmdStart = nullptr, *cmdStop = nullptr, *cmdBackupBrowse = nullptr,
                *cmdLogBrowse = nullptr;
    QLabel *lblStopAfter = nullptr, *lblBackupFolder = nullptr, *lblLogFile = nullptr,
           *lblTotals = nullptr, *lblStatus = nullptr;
    std::map<QString, LineCableRow *> rows; // by port name ("COM3")

  signals:
    void lineEnded();

  protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

  private:
    void buildWindow();
    void loadOptions();
    void saveOptions() const;
    // The operator's name for the record; false when the user cancels.
    bool askOperator(QString &name);
    std::vector<int> tickedCables() const;
    // "COM3: /dev/pts/4 cannot be opened: ..." for each ticked cable that does not open.
    QStringList cablesThatDoNotOpen(const std::vector<int> &coms) const;
    void makeRows(const std::vector<int> &coms);
    void takeResult(const cps::LineResult &r);
    void lineFinished();
    void showTotals();
    void setRunning(bool running);
    QString text(int n) const;

    cps::Cps &c_;
    ProductionLineRun *run_ = nullptr;
    QVBoxLayout *rowsLayout_ = nullptr;
    QTimer *tick_ = nullptr;
    cps::LineLog log_;
    QElapsedTimer sinceStart_;
    int passed_ = 0, failed_ = 0;
    bool closeWhenDone_ = false;
};
