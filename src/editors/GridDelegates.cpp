#include "editors/GridDelegates.h"

#include "editors/ChMemGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
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
