#include "editors/GridDelegates.h"

#include "editors/ChMemGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <utility>

GridDelegate::GridDelegate(ChGrid *grid) : QStyledItemDelegate(grid), grid_(grid) {}

QWidget *GridDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                    const QModelIndex &index) const {
    const QStringList list = comboList ? comboList(index.column()) : QStringList();
    QWidget *editor = nullptr;
    if (list.isEmpty()) {
        auto *line = new QLineEdit(parent);
        line->setAlignment(Qt::AlignCenter);
        line->setFrame(false);
        editor = line;
    } else {
        auto *combo = new QComboBox(parent);
        combo->addItems(list);
        // Choosing from the list ends the edit at once, as a grid drop-down does.
        auto *self = const_cast<GridDelegate *>(this);
        connect(combo, &QComboBox::activated, self, [self, combo] {
            if (std::exchange(self->keyChoice_, false))
                return; // a choice by its first letters waits for Enter
            emit self->commitData(combo);
            emit self->closeEditor(combo, QAbstractItemDelegate::NoHint);
        });
        editor = combo;
    }
    editor->setObjectName(QStringLiteral("gridEditor"));
    editing_ = index;
    opened_.start();
    grid_->openEditor = editor;
    grid_->editingIndex = index;
    return editor;
}

void GridDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const {
    const QString text = index.data(Qt::DisplayRole).toString();
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setText(text);
        line->selectAll();
    } else if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        combo->setCurrentIndex(combo->findText(text));
    }
}

void GridDelegate::setModelData(QWidget *editor, QAbstractItemModel *,
                                const QModelIndex &index) const {
    // Moving the selection inside afterEdit commits the same editor again.
    if (committing_ || !afterEdit)
        return;
    QString text;
    int listIndex = -1;
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        text = line->text();
    } else if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        text = combo->currentText();
        listIndex = combo->currentIndex();
    }
    if (text == index.data(Qt::DisplayRole).toString())
        return;
    committing_ = true;
    afterEdit(index.row() + 1, index.column(), text, listIndex);
    committing_ = false;
}

void GridDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const {
    if (grid_->openEditor == editor)
        grid_->openEditor = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}

void GridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const {
    if (index.column() != 0) {
        if (!paintCell(painter, option, index))
            QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The fixed label column looks like the header row beside it.
    painter->save();
    painter->fillRect(option.rect, labelBackground);
    painter->setPen(option.palette.color(QPalette::Active, QPalette::WindowText));
    painter->drawText(option.rect, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
    painter->restore();
}

// Laying a cell's text out again on every paint is most of what a grid
// repaint costs; the texts a grid shows are few (frequencies, tones, choices).
const QStaticText &GridDelegate::laidOut(const QString &text, const QFont &font) const {
    constexpr qsizetype kMaxKept = 4096;
    if (font != laidOutFont_ || laidOut_.size() > kMaxKept) {
        laidOut_.clear();
        laidOutFont_ = font;
    }
    auto it = laidOut_.find(text);
    if (it == laidOut_.end()) {
        QStaticText st(text);
        st.setTextFormat(Qt::PlainText);
        st.prepare(QTransform(), font);
        it = laidOut_.insert(text, st);
    }
    return *it;
}

// Where the style puts a line of text: centred to the fraction of a pixel
// across, on whole pixels down.
static QPointF textPosition(Qt::Alignment align, QSizeF size, const QRect &box) {
    qreal x = box.left(), y = box.top();
    if (align & Qt::AlignHCenter)
        x += (box.width() - size.width()) / 2;
    else if (align & Qt::AlignRight)
        x += box.width() - size.width();
    if (align & Qt::AlignVCenter)
        y += (box.height() - int(size.height())) / 2;
    else if (align & Qt::AlignBottom)
        y += box.height() - int(size.height());
    return {x, y};
}

// A data cell as the style's item-view cell paints it (its background or the
// selection, the text in the cell's colour), with the text laid out once. The
// grid's cells hold text only; the current cell, a cell being edited and a
// text too wide for its cell are left to the style (focus frame, elision).
bool GridDelegate::paintCell(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const {
    if (option.state & (QStyle::State_HasFocus | QStyle::State_Editing))
        return false;
    const QWidget *widget = option.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = option.rect.adjusted(margin, 0, -margin, 0);
    const QString text = index.data(Qt::DisplayRole).toString();
    const QStaticText *laid = text.isEmpty() ? nullptr : &laidOut(text, option.font);
    if (laid && laid->size().width() > textRect.width())
        return false;

    QStyleOptionViewItem cell = option;
    cell.backgroundBrush = qvariant_cast<QBrush>(index.data(Qt::BackgroundRole));
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, widget);
    if (!laid)
        return true;
    QPalette::ColorGroup group =
        option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(option.state & QStyle::State_Active))
        group = QPalette::Inactive;
    const QVariant foreground = index.data(Qt::ForegroundRole);
    const QColor color = option.state & QStyle::State_Selected
                             ? option.palette.color(group, QPalette::HighlightedText)
                         : foreground.isValid() ? qvariant_cast<QBrush>(foreground).color()
                                                : option.palette.color(group, QPalette::Text);
    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    const Qt::Alignment align = QStyle::visualAlignment(
        option.direction,
        alignment.isValid() ? Qt::Alignment::fromInt(alignment.toInt()) : option.displayAlignment);
    const QPen pen = painter->pen();
    const QFont font = painter->font();
    painter->setPen(color);
    painter->setFont(option.font);
    painter->drawStaticText(textPosition(align, laid->size(), textRect), *laid);
    painter->setPen(pen);
    painter->setFont(font);
    return true;
}

bool GridDelegate::eventFilter(QObject *object, QEvent *event) {
    auto *editor = qobject_cast<QWidget *>(object);
    if (editor && editor == grid_->openEditor) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                grid_->closingByEnter = true;
            else
                keyChoice_ = qobject_cast<QComboBox *>(editor) != nullptr;
        }
        if (event->type() == QEvent::MouseButtonDblClick && editing_.isValid()) {
            if (editorDoubleClick)
                editorDoubleClick(editing_.row() + 1, editing_.column());
            return true;
        }
        // The second press of a double click on a fresh drop-down must not open
        // its list: the double click that follows cycles the choice instead.
        if (event->type() == QEvent::MouseButtonPress && qobject_cast<QComboBox *>(editor) &&
            opened_.isValid() && opened_.elapsed() < QApplication::doubleClickInterval())
            return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

SignallingBox::SignallingBox(QWidget *parent) : QComboBox(parent) {}

bool SignallingBox::event(QEvent *e) {
    // Tab and Shift+Tab would move the focus to the next widget before the
    // key reaches keyPressEvent; here they end the entry like the other keys.
    if (e->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(e);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QComboBox::event(e);
}

void SignallingBox::keyPressEvent(QKeyEvent *e) {
    const bool alt = e->modifiers() & Qt::AltModifier;
    switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (alt) { // Alt+Down opens the list; Alt+Up changes nothing
            if (e->key() == Qt::Key_Down)
                showPopup();
            break;
        }
        [[fallthrough]];
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        if (entryEnded)
            entryEnded(*e);
        break;
    default:
        QComboBox::keyPressEvent(e); // the text's own keys: typing, Home, End, Delete, ...
    }
    // A key the box leaves would otherwise travel on to the grid beneath and
    // act on the grid's selection while the box stays open.
    e->accept();
}

void SignallingBox::wheelEvent(QWheelEvent *e) {
    e->ignore(); // the grid beneath scrolls
}
