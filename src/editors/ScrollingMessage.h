#pragma once
// A message too long for a message box (a list of hundreds of refused values):
// the first line as the heading, the rest in a list that scrolls, the whole
// within the screen so that its buttons are always in reach.
#include <QDialog>
#include <QMessageBox>

class QDialogButtonBox;
class QPlainTextEdit;

class ScrollingMessage : public QDialog {
    Q_OBJECT
  public:
    ScrollingMessage(QWidget *parent, const QString &text, const QString &title,
                     QMessageBox::Icon icon, QMessageBox::StandardButtons buttons);

    // Whether a text has more lines than a message box shows comfortably.
    static bool needed(const QString &text);

    // The button the user chose; Escape gives No, Cancel or Ok, the first offered.
    QMessageBox::StandardButton answer() const { return answer_; }
    QPlainTextEdit *list() const { return list_; }
    QDialogButtonBox *buttonBox() const { return buttons_; }

  private:
    QPlainTextEdit *list_ = nullptr;
    QDialogButtonBox *buttons_ = nullptr;
    QMessageBox::StandardButton answer_ = QMessageBox::NoButton;
};
