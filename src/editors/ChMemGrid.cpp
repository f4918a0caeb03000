#include "editors/ChMemGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

ChGrid::ChGrid(QWidget *parent) : QTableWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // Mouse edits are started by the owner's click handler; keys start them here.
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
}

void ChGrid::setBaseColumnWidths(const std::vector<int> &widths) {
    baseWidths_ = widths;
    fitColumns();
}

void ChGrid::fitColumns() {
    const int columns = std::min(columnCount(), static_cast<int>(baseWidths_.size()));
    long long total = 0;
    for (int col = 0; col < columns; ++col)
        total += baseWidths_[static_cast<std::size_t>(col)];
    const int available = viewport()->width();
    const int spare = total > 0 && available > total ? available - static_cast<int>(total) : 0;
    int given = 0;
    for (int col = 0; col < columns; ++col) {
        const int base = baseWidths_[static_cast<std::size_t>(col)];
        // The label column keeps its width; the last column takes the rounding rest.
        int extra =
            col == 0
                ? 0
                : static_cast<int>(spare * base / std::max<long long>(1, total - baseWidths_[0]));
        if (col == columns - 1 && col > 0)
            extra = spare - given;
        given += extra;
        setColumnWidth(col, base + extra);
    }
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
    // An edit that moved the selection has already closed its editor; the
    // close requested by the key that committed it then finds nothing to do.
    if (!editor || editor != openEditor)
        return;
    QTableWidget::closeEditor(editor, hint);
}

void ChGrid::keyPressEvent(QKeyEvent *e) {
    const QString text = e->text();
    const bool printable = !text.isEmpty() && text.at(0).isPrint() &&
                           !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (printable && !isEditing() && typedOnCell && currentIndex().isValid() &&
        typedOnCell(row(), col(), text)) {
        e->accept();
        return;
    }
    QTableWidget::keyPressEvent(e);
}

void ChGrid::mousePressEvent(QMouseEvent *e) {
    const QPoint p = e->position().toPoint();
    const int r = rowAt(p.y()), c = columnAt(p.x());
    pressCell_ = QPoint(c, r);
    if (r >= 0 && c >= 0)
        emit cellMouseDown(e->button(), r + 1, c);
    if (e->button() != Qt::LeftButton)
        return; // the right button opens a menu, no selection
    QTableWidget::mousePressEvent(e);
}

void ChGrid::mouseReleaseEvent(QMouseEvent *e) {
    const QPoint p = e->position().toPoint();
    const int r = rowAt(p.y()), c = columnAt(p.x());
    if (e->button() == Qt::LeftButton)
        QTableWidget::mouseReleaseEvent(e);
    const bool endsDoubleClick = afterDoubleClick_;
    afterDoubleClick_ = false;
    if (e->button() != Qt::LeftButton || endsDoubleClick)
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
