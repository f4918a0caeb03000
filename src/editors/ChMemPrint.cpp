#include "editors/ChMemPrint.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QPainter>
#include <QPrinter>
#include <QTableWidget>

#include <vector>

namespace chmem {

namespace {
const QColor kHeaderFill(230, 230, 236);
const QColor kLabelFill(247, 247, 247);
const QColor kRule(150, 150, 160);

QColor textColorOf(const QTableWidgetItem *item) {
    if (!item || item->foreground().style() == Qt::NoBrush)
        return Qt::black;
    return item->foreground().color();
}
} // namespace

bool printTable(QPrinter &printer, const QTableWidget &table, const QString &title) {
    QPainter p;
    if (!p.begin(&printer))
        return false;

    const QRectF page =
        printer.pageLayout()
            .paintRectPixels(printer.resolution())
            .translated(-printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());
    QFont titleFont = table.font();
    titleFont.setPointSizeF(12);
    titleFont.setBold(true);
    QFont bodyFont = table.font();
    bodyFont.setPointSizeF(9);
    QFont headerFont = bodyFont;
    headerFont.setBold(true);
    p.setFont(bodyFont);
    const QFontMetricsF fm(bodyFont, &printer);
    const double rowHeight = fm.height() * 1.7;
    const double titleHeight = QFontMetricsF(titleFont, &printer).height() * 2.0;
    const double footerHeight = fm.height() * 1.6;

    // Columns keep their on-screen proportions across the page width.
    const int columns = table.columnCount();
    double screenWidth = 0;
    for (int col = 0; col < columns; ++col)
        screenWidth += table.columnWidth(col);
    std::vector<double> widths(static_cast<std::size_t>(columns));
    for (int col = 0; col < columns; ++col)
        widths[static_cast<std::size_t>(col)] =
            screenWidth > 0 ? page.width() * table.columnWidth(col) / screenWidth : 0;

    const int rowsPerPage =
        std::max(1, static_cast<int>((page.height() - titleHeight - footerHeight) / rowHeight) - 1);
    const int rows = table.rowCount();
    const int pages = std::max(1, (rows + rowsPerPage - 1) / rowsPerPage);

    const auto drawRow = [&](double y, const auto &textOf, const auto &fillOf, const auto &penOf) {
        double x = page.left();
        for (int col = 0; col < columns; ++col) {
            const QRectF cell(x, y, widths[static_cast<std::size_t>(col)], rowHeight);
            const QColor fill = fillOf(col);
            if (fill.isValid())
                p.fillRect(cell, fill);
            p.setPen(kRule);
            p.drawRect(cell);
            p.setPen(penOf(col));
            const QString text = fm.elidedText(textOf(col), Qt::ElideRight, cell.width() - 4);
            p.drawText(cell, Qt::AlignCenter, text);
            x += cell.width();
        }
    };

    for (int pageNo = 0; pageNo < pages; ++pageNo) {
        if (pageNo > 0)
            printer.newPage();
        p.setFont(titleFont);
        p.setPen(Qt::black);
        p.drawText(QRectF(page.left(), page.top(), page.width(), titleHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, title);
        double y = page.top() + titleHeight;

        p.setFont(headerFont);
        drawRow(
            y,
            [&](int col) {
                const auto *h = table.horizontalHeaderItem(col);
                return h ? h->text() : QString();
            },
            [](int) { return kHeaderFill; }, [](int) { return QColor(Qt::black); });
        y += rowHeight;

        p.setFont(bodyFont);
        const int first = pageNo * rowsPerPage;
        for (int row = first; row < std::min(rows, first + rowsPerPage); ++row) {
            drawRow(
                y,
                [&](int col) {
                    const auto *it = table.item(row, col);
                    return it ? it->text() : QString();
                },
                [](int col) { return col == 0 ? kLabelFill : QColor(); },
                [&](int col) { return textColorOf(table.item(row, col)); });
            y += rowHeight;
        }

        p.setPen(Qt::darkGray);
        p.drawText(QRectF(page.left(), page.bottom() - footerHeight, page.width(), footerHeight),
                   Qt::AlignRight | Qt::AlignBottom,
                   QStringLiteral("%1 / %2").arg(pageNo + 1).arg(pages));
    }
    return p.end();
}

} // namespace chmem
