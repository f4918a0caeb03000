#pragma once
// The memory data view: the whole memory image as a hexadecimal table of 16
// bytes per row. Typed bytes go straight into the image, a refill marks in red
// the bytes that changed since the table was last filled, the tool-tip explains
// the byte under the mouse, and "Part Fill" writes one value over a range.
#include <QWidget>
#include <functional>

class QCloseEvent;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class MainWindowServices;
class frmPartFill;

namespace cps {
struct Cps;
}

class frmMemDat : public QWidget {
    Q_OBJECT
  public:
    explicit frmMemDat(MainWindowServices *main);
    // Without a main window: a test or a benchmark brings its own state.
    explicit frmMemDat(cps::Cps &c, QWidget *parent = nullptr);
    ~frmMemDat() override;

    // Builds the empty table: one row per 16 bytes up to the table end.
    void SetGridMemDat();
    // Refills every cell from the image, marking in red the cells that differed.
    void TableFreDat();
    // Takes every cell back into the image (an empty cell is 0).
    // After the cells were taken back into the image (an edit or a fill).
    std::function<void()> onImageEdited;
    void GridDataTemp();
    // Explains the cell at grid row `row` and column `col` in the tool-tip. The
    // grid counts as its fixed label row and column as 0: data row r (from 1)
    // holds addresses 16 * (r - 1) onward, data column k (from 1) the byte k - 1.
    void CellTipHint(int row, int col);
    QString tipText() const;

    // The fill dialog, created on first use and kept while the view lives.
    frmPartFill *partFillDialog();
    cps::Cps &cps() const { return c_; }
    // Number of data rows laid out (512 for a table end of 0x1FFF).
    int dataRows() const;
    // The cell holding `address`, nullptr outside the table.
    QTableWidgetItem *cellAt(int address) const;
    // Shows the image bytes of addresses first..last in their cells (a fill).
    void showImageBytes(int first, int last);

    QTableWidget *vsfgGridMemDat = nullptr;
    QPushButton *cmdPartFill = nullptr, *cmdFillGrid = nullptr, *cmdSetDefCol = nullptr;

  protected:
    // Hides the view; it closes only once the program is exiting.
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void buildWindow();
    void resetColours();
    void vsfgGridMemDat_AfterEdit();
    void cmdFillGrid_Click();
    void cmdPartFill_Click();
    int tableEnd() const;
    bool isTyping() const; // a cell's editor is open

    cps::Cps &c_;
    frmPartFill *partFill_ = nullptr;
    bool filled_ = false; // the cells hold image bytes (after the first refill)
    QString tip_;         // the grid's tool-tip: the last cell explained
    int hoverRow_ = -1, hoverCol_ = -1;
};
