// The channel grid and the clipboard. Copy puts the selection on the
// clipboard twice: as tab-separated text with a header line of the column
// captions (what a spreadsheet pastes) and as CSV in the command line's layout
//
//   Channel,Receive,Transmit,Decode,Encode,P5,P6,P7,P8
//   1,145.12500,145.12500,67.0,67.0,1,0,1,0
//
// Paste takes tab- or comma-separated text: by the captions of a header line
// (any interface language, or the command line's names), else by position
// from the selected cell; a single value fills every selected cell. Each value
// goes through the entry rules of typing, but a frequency outside the band is
// refused rather than clamped, and a second row for a channel already pasted is
// refused as the command line's import refuses it.
#include "core/ChannelCodec.h"
#include "core/ChannelEntry.h"
#include "editors/ChMemFormat.h"
#include "editors/ChMemGrid.h"
#include "editors/PlanHistory.h"
#include "editors/frmChMem.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <algorithm>
#include <map>
#include <set>

namespace {

constexpr const char *kCsvMime = "text/csv";

QString csvField(const QString &s) {
    if (!s.contains(QLatin1Char(',')) && !s.contains(QLatin1Char('"')) &&
        !s.contains(QLatin1Char('\n')) && s.trimmed() == s)
        return s;
    return QLatin1Char('"') + QString(s).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

// Rows of fields: tab-separated when the text holds a tab, else CSV (quoted
// fields may hold commas, quotes and line breaks). Blank lines are skipped.
std::vector<QStringList> parseTable(const QString &text) {
    std::vector<QStringList> rows;
    const QChar sep = text.contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(',');
    QStringList row;
    QString cur;
    bool quoted = false;
    const auto endRow = [&] {
        row << cur;
        cur.clear();
        if (!(row.size() == 1 && row[0].trimmed().isEmpty()))
            rows.push_back(row);
        row.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                cur += ch;
                ++i;
            } else if (ch == QLatin1Char('"')) {
                quoted = false;
            } else {
                cur += ch;
            }
        } else if (ch == QLatin1Char('"') && cur.isEmpty()) {
            quoted = true;
        } else if (ch == sep) {
            row << cur;
            cur.clear();
        } else if (ch == QLatin1Char('\n')) {
            endRow();
        } else if (ch != QLatin1Char('\r')) {
            cur += ch;
        }
    }
    if (!cur.isEmpty() || !row.isEmpty())
        endRow();
    return rows;
}

} // namespace

void frmChMem::copySelection() {
    const auto rows = grid()->selectionRows();
    if (rows.empty())
        return;
    int first = lastColumn(), last = 1;
    for (const QModelIndex &i : vsfgGridCh->selectionModel()->selectedIndexes())
        if (i.column() >= 1) {
            first = std::min(first, i.column());
            last = std::max(last, i.column());
        }
    QStringList tsv, header;
    for (int col = first; col <= last; ++col)
        header << columnCaption(col);
    tsv << header.join(QLatin1Char('\t'));
    for (int r : rows) {
        QStringList cells;
        for (int col = first; col <= last; ++col)
            cells << grid()->text(r, col);
        tsv << cells.join(QLatin1Char('\t'));
    }

    QStringList csv;
    QString csvHeader = QStringLiteral("Channel,Receive,Transmit,Decode,Encode");
    for (int f = 5; f <= lastColumn(); ++f)
        csvHeader += QStringLiteral(",P%1").arg(f);
    csv << csvHeader;
    for (int r : rows) {
        if (!channelInUse(r))
            continue;
        const int32_t tx = field(r, cps::field::Tx);
        QStringList f{QString::number(r), chmem::formatMHz(field(r, cps::field::Rx)),
                      tx == -1 ? QString() : chmem::formatMHz(tx),
                      csvField(QString::fromStdString(decText(r))),
                      csvField(QString::fromStdString(encText(r)))};
        for (int p = 5; p <= lastColumn(); ++p)
            f << QString::number(field(r, p));
        csv << f.join(QLatin1Char(','));
    }

    auto *mime = new QMimeData;
    mime->setText(tsv.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    mime->setData(QString::fromLatin1(kCsvMime), (csv.join(QLatin1Char('\n')) + '\n').toUtf8());
    QGuiApplication::clipboard()->setMimeData(mime);
}

void frmChMem::cutSelection() {
    if (locked())
        return;
    copySelection();
    const auto rows = grid()->selectionRows();
    hideCtdcsBox();
    command(faceText(462), [&] {
        for (int r : rows) {
            cps::DelOneChannel(c(), r);
            field(r, cps::field::Edited) = 1;
        }
    });
}

void frmChMem::pasteClipboard() {
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    if (!mime)
        return;
    QString text = mime->text();
    if (text.trimmed().isEmpty() && mime->hasFormat(QString::fromLatin1(kCsvMime)))
        text = QString::fromUtf8(mime->data(QString::fromLatin1(kCsvMime)));
    pasteText(text);
}

void frmChMem::pasteText(const QString &text) {
    if (locked())
        return; // as typing does nothing
    const std::vector<QStringList> table = parseTable(text);
    if (table.empty())
        return;
    hideCtdcsBox();

    // A header line: every field a column caption of some language (or the
    // command line's names); column 0's caption and "Channel" carry channel numbers.
    std::map<QString, int> known;
    for (int lang = 1; lang <= 3; ++lang) {
        const cps::ColumnDefs &defs = lang == c().lang() ? c().cols : columnDefsFor(lang);
        const QStringList captions = QString::fromStdString(defs.format).split(QLatin1Char('|'));
        for (int col = 0; col < captions.size() && col <= lastColumn(); ++col)
            if (!captions[col].trimmed().isEmpty())
                known.emplace(captions[col].trimmed().toLower(), col);
    }
    const char *cliNames[] = {"channel", "receive", "transmit", "decode", "encode"};
    for (int col = 0; col < 5; ++col)
        known.emplace(QString::fromLatin1(cliNames[col]), col);
    for (int f = 5; f <= lastColumn(); ++f)
        known.emplace(QStringLiteral("p%1").arg(f), f);

    std::vector<int> columns;
    bool header = true;
    for (const QString &name : table.front()) {
        const auto it = known.find(name.trimmed().toLower());
        header = header && it != known.end();
        columns.push_back(it != known.end() ? it->second : -1);
    }
    const int startRow = std::max(grid()->selectionRows().empty() ? grid()->row()
                                                                  : grid()->selectionRows().front(),
                                  1);
    if (!header) {
        const int startCol = std::max(grid()->col(), 1);
        columns.clear();
        for (qsizetype i = 0; i < table.front().size(); ++i)
            columns.push_back(startCol + static_cast<int>(i));
    }
    const auto channelField = std::find(columns.begin(), columns.end(), 0);

    const std::size_t dataRows = table.size() - (header ? 1 : 0);
    if (dataRows == 1 && table.back().size() == 1 && channelField == columns.end() &&
        pasteOneValueOnSelection(table.back().front()))
        return;

    QStringList refused;
    std::vector<int> touched;
    std::set<int> pastedChannels;
    command(faceText(461), [&] {
        for (std::size_t k = header ? 1 : 0, line = 0; k < table.size(); ++k, ++line) {
            const QStringList &values = table[k];
            int row = startRow + static_cast<int>(line);
            if (channelField != columns.end()) {
                const auto i = static_cast<qsizetype>(channelField - columns.begin());
                bool ok = false;
                row = i < values.size() ? values[i].trimmed().toInt(&ok) : 0;
                if (!ok)
                    row = 0;
            }
            if (row < 1 || row > c().cols.channelCount) {
                refused << faceText(474).arg(row).arg(columnCaption(0), values.join(QLatin1Char(' ')));
                continue;
            }
            if (!pastedChannels.insert(row).second) {
                refused << faceText(541).arg(row).arg(columnCaption(0),
                                                      values.join(QLatin1Char(' ')));
                continue;
            }
            // The receive frequency first: it starts a channel the rest belongs to.
            std::vector<std::pair<int, QString>> cells;
            for (qsizetype i = 0; i < values.size() && i < static_cast<qsizetype>(columns.size()); ++i)
                if (columns[static_cast<std::size_t>(i)] >= 1 &&
                    columns[static_cast<std::size_t>(i)] <= lastColumn())
                    cells.emplace_back(columns[static_cast<std::size_t>(i)], values[i]);
            std::stable_sort(cells.begin(), cells.end(),
                             [](const auto &a, const auto &b) { return a.first < b.first; });
            for (const auto &[col, value] : cells)
                enterValue(row, col, value, refused);
            showRow(row);
            touched.push_back(row);
        }
    });
    if (!touched.empty())
        grid()->selectRows(touched.front(), touched.back());
    showRefused(refused);
}

bool frmChMem::pasteOneValueOnSelection(const QString &value) {
    std::vector<std::pair<int, int>> cells; // (row, column), a receive frequency first
    for (const QModelIndex &i : vsfgGridCh->selectionModel()->selectedIndexes())
        if (i.column() >= 1)
            cells.emplace_back(i.row() + 1, i.column());
    if (cells.size() < 2)
        return false;
    std::sort(cells.begin(), cells.end());
    QStringList refused;
    command(faceText(461), [&] {
        for (const auto &[row, col] : cells) {
            enterValue(row, col, value, refused);
            showRow(row);
        }
    });
    showRefused(refused);
    return true;
}
