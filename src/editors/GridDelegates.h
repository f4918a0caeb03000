#pragma once
// In-place editors of the channel grid: a text box for frequency (and other
// keyword) columns, a drop-down holding the column's choice list for
// parameter columns. A finished edit is handed to the owner as text plus list
// position instead of being written into the cell, because the owner decides
// what the row shows afterwards. Also paints the fixed label column, and
// holds the signalling box that floats over the decode and encode cells.
#include <QComboBox>
#include <QElapsedTimer>
#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <functional>

class ChGrid;

class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    explicit GridDelegate(ChGrid *grid);

    // The drop-down list for an edit of column `col`; empty gives a text box.
    std::function<QStringList(int col)> comboList;
    // A committed edit: grid row and column, the editor's text, and the
    // position chosen in the drop-down (-1 for a text box). Not called when
    // the text is unchanged.
    std::function<void(int row, int col, const QString &text, int listIndex)> afterEdit;
    // A double click that landed on the open editor of (row, col).
    std::function<void(int row, int col)> editorDoubleClick;

    QColor labelBackground{247, 247, 247};

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

  protected:
    bool eventFilter(QObject *object, QEvent *event) override;

  private:
    // A data cell painted with its text laid out once and kept; false where
    // the style must paint it.
    bool paintCell(QPainter *painter, const QStyleOptionViewItem &option,
                   const QModelIndex &index) const;
    const QStaticText &laidOut(const QString &text, const QFont &font) const;

    ChGrid *grid_;
    mutable QHash<QString, QStaticText> laidOut_; // by text, in font laidOutFont_
    mutable QFont laidOutFont_;
    mutable QElapsedTimer opened_; // when the open editor appeared
    mutable QPersistentModelIndex editing_;
    mutable bool committing_ = false;
    bool keyChoice_ = false; // the drop-down's choice came from a key: Enter ends the edit
};

// The signalling entry box: an editable drop-down floating over a decode or
// encode cell. Its value changes only by typing or by a choice from its list
// (Alt+Down, F4 or its arrow), never by the arrow keys or the wheel. Up, Down,
// Page Up, Page Down, Tab, Shift+Tab, Enter and Escape end the entry and go to
// the owner; the wheel goes on to the grid beneath, which scrolls. No other key
// passes through to the grid: what the box does not use is dropped.
class SignallingBox : public QComboBox {
    Q_OBJECT
  public:
    explicit SignallingBox(QWidget *parent);
    // A key that ends the entry; the owner commits (or, on Escape, drops) it.
    std::function<void(const QKeyEvent &key)> entryEnded;

  protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
};
