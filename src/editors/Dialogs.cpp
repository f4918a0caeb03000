#include "editors/Dialogs.h"

#include "editors/ScrollingMessage.h"

#include <QFileDialog>
#include <QInputDialog>

namespace cps {

namespace {
Dialogs realDialogs;
Dialogs *current = &realDialogs;
} // namespace

QMessageBox::StandardButton Dialogs::message(QWidget *parent, const QString &text,
                                             const QString &title, QMessageBox::Icon icon,
                                             QMessageBox::StandardButtons buttons) {
    if (ScrollingMessage::needed(text)) { // a message box would outgrow the screen
        ScrollingMessage box(parent, text, title, icon, buttons);
        box.exec();
        return box.answer();
    }
    QMessageBox box(icon, title, text, buttons, parent);
    // Messages quote pasted and imported text: a cell holding "<b>" or an
    // <img> must show as typed, never be taken for markup.
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

namespace {
// Qt's own dialog speaks the interface language; a desktop's dialog (GTK, a
// portal) speaks the desktop's, which need not be the one chosen here.
QFileDialog::Options fileDialogOptions() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return {};
#else
    return QFileDialog::DontUseNativeDialog;
#endif
}
} // namespace

QString Dialogs::openFile(QWidget *parent, const QString &dir, const QString &filter) {
    return QFileDialog::getOpenFileName(parent, QString(), dir, filter, nullptr,
                                        fileDialogOptions());
}

QString Dialogs::saveFile(QWidget *parent, const QString &dir, const QString &filter,
                          const QString &defaultSuffix) {
    QFileDialog dlg(parent, QString(), dir, filter);
    dlg.setOptions(fileDialogOptions());
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(defaultSuffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}

QString Dialogs::saveFileChoosing(QWidget *parent, const QString &dir, const QStringList &filters,
                                  const QString &defaultSuffix, QString &chosen) {
    QFileDialog dlg(parent, QString(), dir);
    dlg.setOptions(fileDialogOptions());
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setNameFilters(filters);
    dlg.selectNameFilter(chosen);
    dlg.setDefaultSuffix(defaultSuffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    chosen = dlg.selectedNameFilter();
    return dlg.selectedFiles().first();
}

bool Dialogs::askText(QWidget *parent, const QString &title, const QString &label,
                      QString &value) {
    QInputDialog dlg(parent);
    dlg.setWindowTitle(title);
    dlg.setLabelText(label);
    dlg.setTextValue(value);
    if (dlg.exec() != QDialog::Accepted) return false;
    value = dlg.textValue();
    return true;
}

Dialogs &dialogs() { return *current; }
void setDialogs(Dialogs *d) { current = d ? d : &realDialogs; }

// Qt reads the pattern from the parentheses itself; the description carries it once.
QString dataFileFilter() {
    return QStringLiteral("Data File(*.dat)");
}

} // namespace cps
