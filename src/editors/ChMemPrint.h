#pragma once
// Renders a table widget (its header and every row) onto a printer or PDF
// writer: a title line, then the table scaled to the page width, split over as
// many pages as needed with the header repeated and a page number at the foot.
#include <QString>

class QPagedPaintDevice;
class QTableWidget;

namespace cps {
struct Cps;
}

namespace chmem {

// The printed title: the main window's caption, three blanks and today's date.
QString printTitle(const cps::Cps &c);
// A4 portrait with the channel table's margins (600 twips left and right, 950
// top and bottom).
void setChannelPage(QPagedPaintDevice &device);
// False when the device cannot be painted on.
bool printTable(QPagedPaintDevice &device, const QTableWidget &table, const QString &title);

} // namespace chmem
