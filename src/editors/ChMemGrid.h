#pragma once
// The channel grid control: a table whose column 0 is the fixed label column
// and whose header is the fixed label row. Rows are numbered from 1 (channel
// n sits in table row n - 1) and columns as the column definition table
// numbers them, so cell(r, c) is channel r, field c.
//
// The grid reports mouse activity cell by cell (down, click, double click)
// and asks its owner before any edit starts, whatever started it (a key, the
// owner's own startEdit); editors commit through GridDelegate.
#include <QPointer>
#include <QTableWidget>
#include <functional>
#include <vector>

class ChGrid : public QTableWidget {
    Q_OBJECT
  public:
    explicit ChGrid(QWidget *parent = nullptr);

    // Asked before an edit of (row, col) starts; false cancels it.
    std::function<bool(int row, int col)> beforeEdit;
    // Printable text typed on the current cell while no editor is open; true
    // when the owner took it (the signalling cells open their own box).
    std::function<bool(int row, int col, const QString &text)> typedOnCell;
    // Editing mode: false blocks every edit (the locked interface).
    void setEditingEnabled(bool on) { editingEnabled_ = on; }
    bool editingEnabled() const { return editingEnabled_; }

    // Column widths as the layout defines them; wider windows share the spare
    // width among the columns in the same proportions. A narrower window takes
    // width from the columns down to `minimum` (what their values need; the
    // captions then wrap onto two lines), so every column stays in view.
    void setBaseColumnWidths(const std::vector<int> &widths, const std::vector<int> &minimum = {});

    QTableWidgetItem *cell(int row, int col) const { return item(row - 1, col); }
    QString text(int row, int col) const;
    void setText(int row, int col, const QString &text);
    void setTextColor(int row, int col, const QColor &color);
    QColor textColor(int row, int col) const;
    // A cell's tooltip; emptying a cell's text takes its tooltip too.
    void setCellToolTip(int row, int col, const QString &tip);
    QString cellToolTip(int row, int col) const;
    QRect cellRect(int row, int col) const; // viewport coordinates
    void selectCell(int row, int col) { setCurrentCell(row - 1, col); }
    int row() const { return currentRow() + 1; }
    int col() const { return currentColumn(); }

    // Channel rows whose every cell is selected, and rows the selection
    // touches at all; both ascending.
    std::vector<int> selectedRows() const;
    std::vector<int> selectionRows() const;
    // Selects whole rows first..last (any order); `add` keeps what was selected.
    void selectRows(int first, int last, bool add = false);
    // The context menu key on the current cell.
    std::function<void(int row, int col)> contextMenuKey;
    // Set by the editor when Enter ends it: without a move by the owner, the
    // selection then goes one row down.
    bool closingByEnter = false;

    // Starts the in-place editor of (row, col), through beforeEdit.
    bool startEdit(int row, int col);
    // Closes the open in-place editor without committing it.
    void cancelEdit();
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }
    // The open in-place editor, if any, and its cell (tracked by the delegate).
    QPointer<QWidget> openEditor;
    QPersistentModelIndex editingIndex;

    // Cell changes made while a batch is open are shown when the last one
    // closes, by one repaint of the area they cover, instead of cell by cell.
    class UpdateBatch {
      public:
        explicit UpdateBatch(ChGrid &grid) : grid_(grid) { ++grid_.batchDepth_; }
        ~UpdateBatch() { grid_.endBatch(); }
        UpdateBatch(const UpdateBatch &) = delete;
        UpdateBatch &operator=(const UpdateBatch &) = delete;

      private:
        ChGrid &grid_;
    };

  signals:
    void cellMouseDown(Qt::MouseButton button, int row, int col);
    void cellClick(int row, int col);
    void cellDblClick(int row, int col);
    // Selected rows dragged by their numbers from row `from` onto row `to`.
    void rowsDragged(int from, int to);

  protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;

  private:
    void endBatch();
    int batchDepth_ = 0;
    QRect batchCells_; // rows (y) and columns (x) changed in the open batch
    void fitHeaderHeight();
    void fitColumns();
    std::vector<int> baseWidths_, minWidths_;
    int headerOneLine_ = -1; // the header's height for one line of caption
    bool editingEnabled_ = true;
    bool afterDoubleClick_ = false; // the release ending a double click is no click
    QPoint pressCell_{-1, -1};
    // Row numbers: a press selects rows from the anchor, or starts a drag of
    // the rows already selected.
    int rowAnchor_ = 0, rowDragFrom_ = 0;
    bool rowSelecting_ = false;
};
