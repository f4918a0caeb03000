#include "editors/ChMemPrintPreview.h"

#include "core/Cps.h"
#include "editors/ChMemPrint.h"
#include "editors/Dialogs.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QTableWidget>
#include <QToolBar>
#include <memory>

namespace chmem {

bool printerInstalled() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

bool saveTableAsPdf(const QString &path, const QTableWidget &table, const QString &title) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter pdf(&file);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Brenvik CPS"));
        pdf.setResolution(600);
        setChannelPage(pdf);
        if (!printTable(pdf, table, title)) {
            file.cancelWriting();
            return false;
        }
    } // the writer finishes the file here
    return file.commit();
}

QPrintPreviewDialog *makePrintPreview(QWidget *parent, const QTableWidget &table, cps::Cps &c) {
    const auto text = [&c](int n) { return QString::fromStdString(c.text(n)); };
    const QString title = printTitle(c);
    auto *printer = new QPrinter(QPrinter::HighResolution);
    printer->setDocName(title);
    setChannelPage(*printer);
    auto *dialog = new QPrintPreviewDialog(printer, parent);
    // The printer lives as long as the dialog.
    QObject::connect(dialog, &QObject::destroyed, dialog, [printer] { delete printer; });
    dialog->setWindowTitle(
        QString(text(561)).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
    dialog->resize(900, 700);
    QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                     [&table, title](QPrinter *p) { printTable(*p, table, title); });

    auto *savePdf = new QAction(text(562), dialog);
    savePdf->setObjectName(QStringLiteral("actSavePdf"));
    if (auto *bar = dialog->findChild<QToolBar *>()) {
        bar->addSeparator();
        bar->addAction(savePdf);
    }
    QObject::connect(savePdf, &QAction::triggered, dialog, [dialog, &table, &c, title, text] {
        const QString dir = QFileInfo(QString::fromStdString(c.CurFilePath)).absolutePath();
        const QString path = cps::dialogs().saveFile(dialog, dir, text(564), QStringLiteral("pdf"));
        if (path.isEmpty())
            return;
        if (saveTableAsPdf(path, table, title))
            cps::dialogs().message(dialog, text(565).arg(QDir::toNativeSeparators(path)), text(70),
                                   QMessageBox::Information, QMessageBox::Ok);
        else
            cps::dialogs().message(dialog,
                                   text(106) + QLatin1Char('\n') + QDir::toNativeSeparators(path),
                                   text(70), QMessageBox::Critical, QMessageBox::Ok);
    });
    return dialog;
}

void showPrintPreview(QWidget *parent, const QTableWidget &table, cps::Cps &c) {
    std::unique_ptr<QPrintPreviewDialog> dialog(makePrintPreview(parent, table, c));
    dialog->exec();
}

} // namespace chmem
