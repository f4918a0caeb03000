#pragma once
// The channel window: the channel grid with its in-place editors and the
// floating signalling box, the model and band selectors, the radio-wide option
// controls and the print button. It edits the decoded channel table and the
// option selections of the shared state; the codec brings them into the image.
#include "core/Cps.h"

#include <QColor>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class ChGrid;
class GridDelegate;
class MainWindowServices;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QPrinter;
class QPushButton;
class QTableWidget;
class PlanHistory;
namespace chmem {
struct PlanSnapshot;
}

class frmChMem : public QWidget, public cps::PlanView {
    Q_OBJECT
  public:
    explicit frmChMem(MainWindowServices *main);
    ~frmChMem() override;

    // Builds the window's content at start-up: captions, signalling list and
    // box, column definitions, grid layout, empty channel table, lock colours,
    // model and band (which builds a new plan), option captions and controls.
    void InitChMem();
    // The grid side of the interface lock.
    void applyLock(bool locked);

    // PlanView
    void ShowChTblGrid() override;
    void InitOpt() override;
    void hideCtdcsBox() override;
    void clearChannelRow(int n) override;
    void showModelBand() override;

    // The plan's undo history (the main window's; a window on its own keeps one).
    void setHistory(PlanHistory *h);
    PlanHistory &history();
    // Shows the plan undo or redo put back: only the rows, options, model and
    // band that differ from the state `shown` before it.
    void showRestored(const chmem::PlanSnapshot &shown);

    // Edit menu commands on the grid's selection (ChMemCommands.cpp,
    // ChMemClipboard.cpp). Every value goes through the entry rules of typing;
    // each command is one undo step; the lock refuses them all.
    void copySelection();
    void cutSelection();
    void pasteClipboard();
    void pasteText(const QString &text);
    void deleteSelection();
    void selectAllCells();
    void fillDown();
    void fillSeries();
    void moveUp();
    void moveDown();
    // Moves channels `rows` by `delta` places, swapping slot contents and list flags.
    void moveChannels(std::vector<int> rows, int delta);
    void insertEmptyChannel();
    void removeChannel();
    // The status bar's word on signalling cell `col` (3 or 4) of channel `row`
    // when it holds a CTCSS tone that is not a standard tone ("88.0 is not a
    // standard tone; the nearest standard tone is 88.5"); empty otherwise.
    QString toneNotice(int row, int col) const;
    // Asks the step of Fill Series in kHz (a dialog; tests replace it); empty: cancelled.
    std::function<std::optional<double>(double defaultKHz)> askSeriesStep;

    // Printing: the system printer without a dialog; tests print to PDF.
    std::function<std::unique_ptr<QPrinter>()> printerFactory;
    void cmdPrintChannel_Click();

    // Grid events (public so the shell and tests can reach them by name).
    bool vsfgGridCh_BeforeEdit(int row, int col);
    void vsfgGridCh_AfterEdit(int row, int col, const QString &text, int listIndex);
    void vsfgGridCh_Click(int row, int col);
    void vsfgGridCh_DblClick(int row, int col);
    void vsfgGridCh_MouseDown(Qt::MouseButton button, int row, int col);
    void cboGridChCtdcs_GotFocus();
    void cboGridChCtdcs_LostFocus(Qt::FocusReason reason);
    void cboModel_Click();
    void cboFrequency_Click();
    void fraModel_Click();

    QTableWidget *vsfgGridCh = nullptr;
    QComboBox *cboModel = nullptr, *cboFrequency = nullptr, *cboGridChCtdcs = nullptr;
    QGroupBox *fraMain = nullptr, *fraModel = nullptr, *fraCommonSet = nullptr;
    QPushButton *cmdPrintChannel = nullptr;
    QLabel *lblModel = nullptr, *lblFrequency = nullptr;

    // Option controls, by option number (0..15) and by name.
    QComboBox *cboTot = nullptr, *cboSql = nullptr, *cboVolume = nullptr, *cboAnVoice = nullptr,
              *cboRadioSql = nullptr, *cboRadioVolume = nullptr, *cboAnChipSel = nullptr,
              *cboCrystal = nullptr, *cboPreTot = nullptr, *cboVoxLevel = nullptr,
              *cboVoxDly = nullptr, *cboVoxRxForbid = nullptr;
    QCheckBox *chkBatSave = nullptr, *chkBeep = nullptr, *chkEmergencyAlarm = nullptr,
              *chkLowBatTx = nullptr;
    QLabel *lblTot = nullptr, *lblSql = nullptr, *lblVolume = nullptr, *lblAnVoice = nullptr,
           *lblRadioSql = nullptr, *lblRadioVolume = nullptr, *lblAnChipSel = nullptr,
           *lblCrystal = nullptr, *lblPreTot = nullptr, *lblVoxLevel = nullptr,
           *lblVoxDly = nullptr, *lblVoxRxForbid = nullptr;
    QWidget *optionControl(int k) const { return optControls_.at(static_cast<std::size_t>(k)); }
    QLabel *optionLabel(int k) const { return optLabels_.at(static_cast<std::size_t>(k)); }

    QColor LockColor, SelColor;
    // Row and column (3 or 4) the signalling box is open for; 0 when closed.
    int ctdcsRow = 0, ctdcsCol = 0;
    int fraModelClicks = 0;

  protected:
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *e) override;

  private:
    cps::Cps &c() const;
    ChGrid *grid() const;
    void buildLayout();
    void buildOptionControls();
    // The wheel changes `combo` only while it has the focus (ChMemOptions.cpp).
    static void keepWheelForFocus(QComboBox *combo);
    void InitFace();
    void ChInfoInitFace();
    void SetChGrid();
    void ChInfoModel();
    void optionClicked(int k);

    // Cell fill procedures of ShowChTblGrid, one channel each.
    void ChParaShow(int n);
    void RxFreShow(int n);
    void TxFreShow(int n);
    void CtdcsDecShow(int n);
    void CtdcsEncShow(int n);
    // Colours a signalling cell holding a tone that is not a standard tone and
    // names the nearest one in its tooltip (ChMemTones.cpp).
    void markTone(int n, int col, const std::string &text);

    // Pieces of the edit events.
    QString columnKeyword(int col) const;
    bool isParameterColumn(int col) const;
    int lastColumn() const;
    bool locked() const;
    bool channelInUse(int row) const;
    int32_t &field(int row, int col) const;
    std::string &decText(int row) const;
    std::string &encText(int row) const;
    QColor bandColor(int32_t value) const;
    QColor defColor() const;
    QColor overColor() const;
    void showRow(int n);
    void resetRowHighlight();
    void highlightRow(int row);
    void openCtdcsBox(int row, int col);
    bool typedOnCtdcsCell(int row, int col, const QString &text);
    void commitCtdcsBox();
    void endCtdcsEntry(const QKeyEvent &key);
    bool intoCtdcsList() const;
    void showPopup(int row, const QPoint &globalPos);
    // Runs a change of the plan as one undo step (PlanHistory::command); the
    // cells it changes are shown together, by one repaint.
    void command(const QString &label, const std::function<void()> &body);
    // Undo step names: "channel 3 receive frequency", "Tx Power on 4 channels".
    QString stepLabel(int row, int col, std::size_t rows) const;
    QString columnCaption(int col) const;
    QString faceText(int n) const;
    // Rows selected in column `col` together with (row, col), when more than one.
    std::vector<int> bulkRows(int row, int col) const;
    // One value of a paste or fill entered into (row, col) by the rules of
    // typing, except that a frequency outside the band is refused, not clamped;
    // a refused value is added to `refused` with its reason.
    void enterValue(int row, int col, const QString &value, QStringList &refused);
    // The band as "400–470 MHz".
    QString bandText() const;
    int choiceIndex(int col, const QString &text) const;
    bool isNoneWord(const QString &text) const;
    const cps::ColumnDefs &columnDefsFor(int lang) const;
    // Shows the refused values of a paste or fill: the first few hundred and a
    // count of the rest.
    void showRefused(const QStringList &refused);
    // A single pasted value onto a selection of several cells fills each of
    // them; false when fewer than two cells are selected.
    bool pasteOneValueOnSelection(const QString &value);
    void showClampNotice(const QString &typed, int row, int col);
    void showEntryNotice(const QString &notice);
    void swapChannels(int a, int b);
    void cboModel_Activated();
    void cboFrequency_Activated();
    void keepMaximised();

    MainWindowServices *main_;
    PlanHistory *history_ = nullptr;
    GridDelegate *delegate_ = nullptr;
    std::vector<QWidget *> optControls_;
    std::vector<QLabel *> optLabels_; // nullptr for the check boxes
    std::vector<QString> comboLists_; // the drop-down list set per column before an edit
    QString ctdcsTyped_; // the key that opened the signalling box, shown instead of the text
    QString clampNotice_; // the status bar's notice of the last clamped frequency
    std::vector<int> editBulkRows_, ctdcsBulkRows_; // rows a bulk entry goes to
    mutable std::array<std::optional<cps::ColumnDefs>, 4> langCols_; // by language 1..3
};
