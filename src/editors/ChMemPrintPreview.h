#pragma once
// The channel table's print preview: the pages as they will print, the
// system's Print button, and Save as PDF for a machine without a printer.
#include <QString>

class QPrintPreviewDialog;
class QTableWidget;
class QWidget;

namespace cps {
struct Cps;
}

namespace chmem {

// True when the system knows at least one printer.
bool printerInstalled();
// The preview dialog of `table`, not yet shown (tests drive it); its toolbar
// carries a "Save as PDF" action (object name "actSavePdf").
QPrintPreviewDialog *makePrintPreview(QWidget *parent, const QTableWidget &table, cps::Cps &c);
// Shows the preview modally.
void showPrintPreview(QWidget *parent, const QTableWidget &table, cps::Cps &c);
// Writes the table as a PDF file, atomically; false with nothing changed on failure.
bool saveTableAsPdf(const QString &path, const QTableWidget &table, const QString &title);

} // namespace chmem
