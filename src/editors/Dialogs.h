#pragma once
// Every message box and file dialog of the windows goes through this small
// interface, so widget tests can answer them (see tests: ScriptedDialogs).
#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

namespace cps {

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual QMessageBox::StandardButton message(QWidget *parent, const QString &text,
                                                const QString &title, QMessageBox::Icon icon,
                                                QMessageBox::StandardButtons buttons);
    // Empty string when cancelled.
    virtual QString openFile(QWidget *parent, const QString &dir, const QString &filter);
    virtual QString saveFile(QWidget *parent, const QString &dir, const QString &filter,
                             const QString &defaultSuffix);
    // As saveFile, offering several filters: `chosen` comes in as the one shown
    // first and goes out as the one the user picked.
    virtual QString saveFileChoosing(QWidget *parent, const QString &dir,
                                     const QStringList &filters, const QString &defaultSuffix,
                                     QString &chosen);
    // A line of text: `value` comes in as offered and goes out as entered;
    // false when cancelled.
    virtual bool askText(QWidget *parent, const QString &title, const QString &label,
                         QString &value);
};

Dialogs &dialogs();
// Replaces the dialogs (tests); nullptr restores the real ones.
void setDialogs(Dialogs *d);

// The program's filter "Data File(*.dat)|*.dat" in Qt's form.
QString dataFileFilter();

} // namespace cps
