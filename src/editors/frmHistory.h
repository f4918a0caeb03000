#pragma once
// The History window: every radio the line or a Write programmed, newest
// first, with filters by result, port, date range and free text, a count
// line, and the rows the filters select exported as CSV.
//
//   cboResult  cboPort  txtSearch  chkFrom dtpFrom  chkTo dtpTo
//   tblRecords (HistoryModel, a page read at a time as it scrolls)
//   lblCount                         cmdRefresh  cmdOpenBackup  cmdExport
//
// Keys: Ctrl+F the search, F5 reads again, Ctrl+S exports, Enter on a row
// opens its backup file as a plan, Escape closes.
#include "core/Cps.h"

#include <QDialog>
#include <functional>

class HistoryModel;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

class frmHistory : public QDialog {
    Q_OBJECT
  public:
    frmHistory(cps::Cps &c, QString databasePath, QWidget *parent = nullptr);

    void setFace();
    // Reads the records again from the newest, with the filters as they are.
    void refresh();
    // Writes the rows the filters select (all of them, not only those read so
    // far) to `path` as CSV; false, with the reason shown, when it cannot.
    bool exportCsv(const QString &path);

    // Opens a backup file as the plan (set by the main window).
    std::function<void(const QString &path)> onOpenPlan;

    QComboBox *cboResult = nullptr, *cboPort = nullptr;
    QLineEdit *txtSearch = nullptr;
    QCheckBox *chkFrom = nullptr, *chkTo = nullptr;
    QDateEdit *dtpFrom = nullptr, *dtpTo = nullptr;
    QTableView *tblRecords = nullptr;
    QLabel *lblResult = nullptr, *lblPort = nullptr, *lblSearch = nullptr, *lblCount = nullptr;
    QPushButton *cmdRefresh = nullptr, *cmdOpenBackup = nullptr, *cmdExport = nullptr;
    HistoryModel *model = nullptr;

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    void buildWindow();
    void showCount();
    void chooseExportFile();
    void openBackup();
    // Adds the ports of the rows read to the port list, keeping what is typed.
    void learnPorts();
    QString text(int n) const;

    cps::Cps &c_;
    QString databasePath_;
};
