#pragma once
// Renders a table widget (its header and every row) onto a printer: a title
// line, then the table scaled to the page width, split over as many pages as
// needed with the header repeated and a page number at the foot.
#include <QString>

class QPrinter;
class QTableWidget;

namespace chmem {

// False when the printer cannot be painted on.
bool printTable(QPrinter &printer, const QTableWidget &table, const QString &title);

} // namespace chmem
