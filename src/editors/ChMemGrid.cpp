#include "editors/ChMemGrid.h"

#include <QHeaderView>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <set>
#include <algorithm>
#include <QMouseEvent>

namespace {
// The column captions. They show no selection, so a change of the selection
// leaves them as they are instead of repainting them.
class GridHeader : public QHeaderView {
  public:
    explicit GridHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent) {}

  protected:
    void selectionChanged(const QItemSelection &selected,
                          const QItemSelection &deselected) override {
        if (highlightSections())
            QHeaderView::selectionChanged(selected, deselected);
    }
};
} // namespace

ChGrid::ChGrid(QWidget *parent) : QTableWidget(parent) {
    setHorizontalHeader(new GridHeader(this));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // Mouse edits are started by the owner's click handler; keys start them here.
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
}

void ChGrid::setBaseColumnWidths(const std::vector<int> &widths, const std::vector<int> &minimum) {
    baseWidths_ = widths;
    minWidths_ = minimum;
    minWidths_.resize(baseWidths_.size(), 0);
    for (std::size_t i = 0; i < baseWidths_.size(); ++i)
        minWidths_[i] = std::min(minWidths_[i] > 0 ? minWidths_[i] : baseWidths_[i], baseWidths_[i]);
    headerOneLine_ = -1;
    fitColumns();
}

void ChGrid::fitColumns() {
    const int columns = std::min(columnCount(), static_cast<int>(baseWidths_.size()));
    if (columns <= 0) return;
    long long total = 0, slack = 0;
    for (int col = 0; col < columns; ++col) {
        total += baseWidths_[static_cast<std::size_t>(col)];
        slack += baseWidths_[static_cast<std::size_t>(col)] - minWidths_[static_cast<std::size_t>(col)];
    }
    const int available = viewport()->width();
    std::vector<int> widths(baseWidths_.begin(), baseWidths_.begin() + columns);
    if (available > total) {
        // Spare width: shared by the data columns in their proportions; the
        // label column keeps its width, the last column takes the rounding rest.
        const long long spare = available - total;
        const long long dataTotal = std::max<long long>(1, total - baseWidths_[0]);
        long long given = 0;
        for (int col = 1; col < columns; ++col) {
            long long extra = spare * baseWidths_[static_cast<std::size_t>(col)] / dataTotal;
            if (col == columns - 1) extra = spare - given;
            given += extra;
            widths[static_cast<std::size_t>(col)] += static_cast<int>(extra);
        }
    } else if (available < total && slack > 0) {
        // Too narrow: each column gives up width in proportion to what it can
        // spare above its minimum, until all of them fit (or are at their minimum).
        const long long cut = std::min<long long>(total - available, slack);
        long long taken = 0;
        int lastWithSlack = -1;
        for (int col = 0; col < columns; ++col)
            if (baseWidths_[static_cast<std::size_t>(col)] > minWidths_[static_cast<std::size_t>(col)])
                lastWithSlack = col;
        for (int col = 0; col < columns; ++col) {
            const auto i = static_cast<std::size_t>(col);
            long long part = cut * (baseWidths_[i] - minWidths_[i]) / slack;
            if (col == lastWithSlack) part = cut - taken;
            taken += part;
            widths[i] -= static_cast<int>(part);
        }
    }
    for (int col = 0; col < columns; ++col) setColumnWidth(col, widths[static_cast<std::size_t>(col)]);
    fitHeaderHeight();
}

void ChGrid::fitHeaderHeight() {
    // A caption narrower than its column wraps; the header then grows to two lines.
    QHeaderView *header = horizontalHeader();
    if (headerOneLine_ < 0) headerOneLine_ = header->minimumHeight();
    const QFontMetrics fm(header->font());
    bool wraps = false;
    for (int col = 0; col < columnCount(); ++col)
        if (const auto *h = horizontalHeaderItem(col))
            wraps = wraps || fm.horizontalAdvance(h->text()) + 12 > columnWidth(col);
    header->setMinimumHeight(wraps ? std::max(headerOneLine_, 2 * fm.lineSpacing() + 10) : headerOneLine_);
}

void ChGrid::resizeEvent(QResizeEvent *e) {
    QTableWidget::resizeEvent(e);
    fitColumns();
}

QString ChGrid::text(int row, int col) const {
    const auto *it = cell(row, col);
    return it ? it->text() : QString();
}

void ChGrid::setText(int row, int col, const QString &text) {
    auto *it = cell(row, col);
    if (!it) {
        it = new QTableWidgetItem;
        it->setTextAlignment(Qt::AlignCenter);
        setItem(row - 1, col, it);
    }
    it->setText(text);
    if (text.isEmpty())
        it->setToolTip(QString()); // a tooltip speaks of the value shown; an emptied cell has none
}

void ChGrid::setCellToolTip(int row, int col, const QString &tip) {
    if (auto *it = cell(row, col))
        it->setToolTip(tip);
}

QString ChGrid::cellToolTip(int row, int col) const {
    const auto *it = cell(row, col);
    return it ? it->toolTip() : QString();
}

void ChGrid::setTextColor(int row, int col, const QColor &color) {
    if (auto *it = cell(row, col))
        it->setForeground(color);
}

QColor ChGrid::textColor(int row, int col) const {
    const auto *it = cell(row, col);
    return it ? it->foreground().color() : QColor();
}

QRect ChGrid::cellRect(int row, int col) const {
    return visualRect(model()->index(row - 1, col));
}

void ChGrid::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                         const QList<int> &roles) {
    if (batchDepth_ == 0 || !topLeft.isValid() || !bottomRight.isValid()) {
        QTableWidget::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    batchCells_ |= QRect(QPoint(topLeft.column(), topLeft.row()),
                         QPoint(bottomRight.column(), bottomRight.row()));
}

void ChGrid::endBatch() {
    if (--batchDepth_ > 0 || batchCells_.isNull())
        return;
    const QRect cells = batchCells_;
    batchCells_ = QRect();
    const QModelIndex first = model()->index(cells.top(), cells.left());
    const QModelIndex last = model()->index(cells.bottom(), cells.right());
    viewport()->update(visualRect(first) | visualRect(last));
    // An open editor on a changed cell shows the cell's new value.
    if (openEditor && editingIndex.isValid() &&
        cells.contains(editingIndex.column(), editingIndex.row()))
        itemDelegate()->setEditorData(openEditor, editingIndex);
}

bool ChGrid::startEdit(int row, int col) {
    const QModelIndex index = model()->index(row - 1, col);
    if (!index.isValid())
        return false;
    setCurrentIndex(index);
    return edit(index, QAbstractItemView::AllEditTriggers, nullptr);
}

void ChGrid::cancelEdit() {
    if (openEditor)
        closeEditor(openEditor, QAbstractItemDelegate::RevertModelCache);
}

bool ChGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) {
    // Only real edit requests pass through the owner: Qt also calls edit() on
    // clicks and navigation with triggers this grid does not use.
    if (trigger != QAbstractItemView::AllEditTriggers && !(editTriggers() & trigger))
        return QTableWidget::edit(index, trigger, event);
    if (!editingEnabled_ || !index.isValid() || index.column() == 0)
        return false;
    if (beforeEdit && !beforeEdit(index.row() + 1, index.column()))
        return false;
    return QTableWidget::edit(index, trigger, event);
}

void ChGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) {
    const bool byEnter = closingByEnter;
    closingByEnter = false;
    // An edit that moved the selection has already closed its editor; the
    // close requested by the key that committed it then finds nothing to do.
    if (!editor || editor != openEditor)
        return;
    const QModelIndex edited = editingIndex;
    const bool hadFocus = editor->hasFocus();
    QTableWidget::closeEditor(editor, hint);
    // Enter goes on down the column where the entry rules do not move on.
    if (byEnter && currentIndex() == edited && edited.row() + 1 < rowCount())
        setCurrentCell(edited.row() + 1, edited.column());
    if (hadFocus || byEnter)
        setFocus(Qt::OtherFocusReason); // the keys stay with the grid
}

std::vector<int> ChGrid::selectionRows() const {
    std::set<int> rows;
    for (const QModelIndex &i : selectedIndexes())
        if (i.column() >= 1)
            rows.insert(i.row() + 1);
    return {rows.begin(), rows.end()};
}

std::vector<int> ChGrid::selectedRows() const {
    std::vector<int> rows;
    for (int r : selectionRows()) {
        bool whole = true;
        for (int c = 1; c < columnCount() && whole; ++c)
            whole = selectionModel()->isSelected(model()->index(r - 1, c));
        if (whole)
            rows.push_back(r);
    }
    return rows;
}

void ChGrid::selectRows(int first, int last, bool add) {
    if (first > last)
        std::swap(first, last);
    first = std::max(first, 1);
    last = std::min(last, rowCount());
    if (first > last || columnCount() < 2)
        return;
    const QItemSelection rows(model()->index(first - 1, 1),
                              model()->index(last - 1, columnCount() - 1));
    selectionModel()->setCurrentIndex(model()->index(first - 1, 1), QItemSelectionModel::NoUpdate);
    selectionModel()->select(rows, add ? QItemSelectionModel::Select
                                       : QItemSelectionModel::ClearAndSelect);
}

void ChGrid::contextMenuEvent(QContextMenuEvent *e) {
    // The right button opens the menu on its press; the key opens it here.
    if (e->reason() == QContextMenuEvent::Keyboard && contextMenuKey && currentIndex().isValid())
        contextMenuKey(row(), std::max(col(), 1));
    e->accept();
}

void ChGrid::keyPressEvent(QKeyEvent *e) {
    const QString text = e->text();
    const bool printable = !text.isEmpty() && text.at(0).isPrint() &&
                           !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    // F2 reaches the owner as an empty text: edit with the stored value.
    const bool f2 = e->key() == Qt::Key_F2 && e->modifiers() == Qt::NoModifier;
    if ((printable || f2) && !isEditing() && typedOnCell && currentIndex().isValid() &&
        typedOnCell(row(), col(), f2 ? QString() : text)) {
        e->accept();
        return;
    }
    QTableWidget::keyPressEvent(e);
}

void ChGrid::mousePressEvent(QMouseEvent *e) {
    const QPoint p = e->position().toPoint();
    const int r = rowAt(p.y()), c = columnAt(p.x());
    pressCell_ = QPoint(c, r);
    rowSelecting_ = false;
    rowDragFrom_ = 0;
    if (r >= 0 && c >= 0)
        emit cellMouseDown(e->button(), r + 1, c);
    if (e->button() != Qt::LeftButton)
        return; // the right button opens a menu, no selection
    if (c == 0 && r >= 0) {
        // The row numbers select whole rows (Shift extends, Ctrl adds); a press
        // on a selected row without either starts dragging the selected rows.
        const int row = r + 1;
        const auto mods = e->modifiers();
        const auto selected = selectedRows();
        if (!(mods & (Qt::ShiftModifier | Qt::ControlModifier)) &&
            std::find(selected.begin(), selected.end(), row) != selected.end()) {
            rowDragFrom_ = row;
        } else {
            if (!(mods & Qt::ShiftModifier) || rowAnchor_ == 0)
                rowAnchor_ = row;
            selectRows(rowAnchor_, row, mods & Qt::ControlModifier);
            rowSelecting_ = true;
        }
        setFocus(Qt::MouseFocusReason);
        return;
    }
    QTableWidget::mousePressEvent(e);
}

void ChGrid::mouseMoveEvent(QMouseEvent *e) {
    if (rowSelecting_ || rowDragFrom_) {
        const int r = rowAt(e->position().toPoint().y());
        if (rowSelecting_ && r >= 0)
            selectRows(rowAnchor_, r + 1);
        if (rowDragFrom_)
            viewport()->setCursor(Qt::DragMoveCursor);
        return;
    }
    QTableWidget::mouseMoveEvent(e);
}

void ChGrid::mouseReleaseEvent(QMouseEvent *e) {
    const QPoint p = e->position().toPoint();
    const int r = rowAt(p.y()), c = columnAt(p.x());
    if (rowSelecting_ || rowDragFrom_) {
        const int from = rowDragFrom_;
        rowSelecting_ = false;
        rowDragFrom_ = 0;
        viewport()->unsetCursor();
        if (from && r >= 0 && r + 1 != from) {
            emit rowsDragged(from, r + 1);
        } else if (from) { // pressed and released on one number: a click selects that row
            rowAnchor_ = from;
            selectRows(from, from);
        }
        return;
    }
    if (e->button() == Qt::LeftButton)
        QTableWidget::mouseReleaseEvent(e);
    const bool endsDoubleClick = afterDoubleClick_;
    afterDoubleClick_ = false;
    if (e->button() != Qt::LeftButton || endsDoubleClick)
        return;
    // A click with Shift or Ctrl only selects; a drag over cells only selects.
    if (e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))
        return;
    if (r >= 0 && c >= 0 && pressCell_ == QPoint(c, r))
        emit cellClick(r + 1, c);
}

void ChGrid::mouseDoubleClickEvent(QMouseEvent *e) {
    // Qt's own double click would start an edit or select; the owner decides.
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint p = e->position().toPoint();
    const int r = rowAt(p.y()), c = columnAt(p.x());
    afterDoubleClick_ = true;
    if (r >= 0 && c >= 0)
        emit cellDblClick(r + 1, c);
}
