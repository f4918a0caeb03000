#include "editors/ChMemPrint.h"

#include "core/Cps.h"

#include <QDate>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
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

QString printTitle(const cps::Cps &c) {
    return QString::fromStdString(c.text(16)) + QStringLiteral("   ") +
           QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

void setChannelPage(QPagedPaintDevice &device) {
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(QPageLayout::Portrait);
    // 20 twips a point.
    device.setPageMargins(QMarginsF(600 / 20.0, 950 / 20.0, 600 / 20.0, 950 / 20.0),
                          QPageLayout::Point);
}

bool printTable(QPagedPaintDevice &printer, const QTableWidget &table, const QString &title) {
    QPainter p;
    if (!p.begin(&printer))
        return false;

    const int resolution = printer.logicalDpiY();
    const QRectF paintRect = printer.pageLayout().paintRectPixels(resolution);
    const QRectF page = paintRect.translated(-paintRect.topLeft());
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

    // Each column gets what its longest value and the longest word of its
    // caption need; the rest of the page width is shared in proportion.
    const int columns = table.columnCount();
    const QFontMetricsF headerMetrics(headerFont, &printer);
    const double padding = fm.averageCharWidth() * 2;
    std::vector<double> widths(static_cast<std::size_t>(columns), 0.0);
    double needed = 0;
    for (int col = 0; col < columns; ++col) {
        double w = 0;
        if (const auto *h = table.horizontalHeaderItem(col))
            for (const QString &word : h->text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
                w = std::max(w, headerMetrics.horizontalAdvance(word));
        for (int row = 0; row < table.rowCount(); ++row)
            if (const auto *it = table.item(row, col))
                w = std::max(w, fm.horizontalAdvance(it->text()));
        widths[static_cast<std::size_t>(col)] = w + padding;
        needed += w + padding;
    }
    const double scale = needed > 0 ? page.width() / needed : 1.0;
    for (auto &w : widths)
        w *= scale;

    // The header row has room for captions broken over two lines.
    const double headerHeight = rowHeight * 1.8;
    const int rowsPerPage =
        std::max(1, static_cast<int>((page.height() - titleHeight - footerHeight - headerHeight) /
                                     rowHeight));
    const int rows = table.rowCount();
    const int pages = std::max(1, (rows + rowsPerPage - 1) / rowsPerPage);

    const auto drawRow = [&](double y, double height, const auto &textOf, const auto &fillOf,
                             const auto &penOf) {
        const QFontMetricsF metrics(p.font(), &printer);
        const int lines = static_cast<int>(height / metrics.height());
        double x = page.left();
        for (int col = 0; col < columns; ++col) {
            const QRectF cell(x, y, widths[static_cast<std::size_t>(col)], height);
            const QColor fill = fillOf(col);
            if (fill.isValid())
                p.fillRect(cell, fill);
            p.setPen(kRule);
            p.drawRect(cell);
            p.setPen(penOf(col));
            const QRectF inner = cell.adjusted(2, 0, -2, 0);
            QString text = textOf(col);
            // Wrap where there is room for more lines; cut what still does not fit.
            const QRectF needed =
                metrics.boundingRect(inner, Qt::AlignCenter | Qt::TextWordWrap, text);
            if (lines < 2 || needed.width() > inner.width() || needed.height() > inner.height())
                text = metrics.elidedText(text, Qt::ElideRight, inner.width());
            p.drawText(inner, Qt::AlignCenter | (lines >= 2 ? Qt::TextWordWrap : 0), text);
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
            y, headerHeight,
            [&](int col) {
                const auto *h = table.horizontalHeaderItem(col);
                return h ? h->text() : QString();
            },
            [](int) { return kHeaderFill; }, [](int) { return QColor(Qt::black); });
        y += headerHeight;

        p.setFont(bodyFont);
        const int first = pageNo * rowsPerPage;
        for (int row = first; row < std::min(rows, first + rowsPerPage); ++row) {
            drawRow(
                y, rowHeight,
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
