#include "editors/Dialogs.h"

#include <QFileDialog>

namespace cps {

namespace {
Dialogs realDialogs;
Dialogs *current = &realDialogs;
} // namespace

QMessageBox::StandardButton Dialogs::message(QWidget *parent, const QString &text,
                                             const QString &title, QMessageBox::Icon icon,
                                             QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString Dialogs::openFile(QWidget *parent, const QString &dir, const QString &filter) {
    return QFileDialog::getOpenFileName(parent, QString(), dir, filter);
}

QString Dialogs::saveFile(QWidget *parent, const QString &dir, const QString &filter,
                          const QString &defaultSuffix) {
    QFileDialog dlg(parent, QString(), dir, filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(defaultSuffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}

Dialogs &dialogs() { return *current; }
void setDialogs(Dialogs *d) { current = d ? d : &realDialogs; }

QString dataFileFilter() { return QStringLiteral("Data File(*.dat) (*.dat)"); }

} // namespace cps
