// The channel window's Edit menu commands that work on rows and cells:
// selection, delete, fill down and fill series, moving, inserting and removing
// channels, the model and band choices with their question, and the one-value
// entry that paste, fill and bulk edits share with typing.
#include "core/ChannelCodec.h"
#include "core/ChannelEntry.h"
#include "core/Ctdcs.h"
#include "core/FaceText.h"
#include "core/MemoryImage.h"
#include "core/Numeric.h"
#include "core/OutOfBand.h"
#include "editors/ChMemFormat.h"
#include "editors/ChMemGrid.h"
#include "editors/Dialogs.h"
#include "editors/PlanHistory.h"
#include "editors/frmChMem.h"

#include <QComboBox>
#include <QInputDialog>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kNameColumn = 11;
// The refused values listed at most; a paste of a whole sheet can refuse
// thousands, which no one reads line by line.
constexpr qsizetype kListedRefusals = 200;

QString mhzShort(int32_t tenHz) {
    return QString::number(tenHz / 100000.0, 'g', 10); // 400, 446.5, 446.00625
}
} // namespace

PlanHistory &frmChMem::history() {
    if (!history_)
        setHistory(new PlanHistory(c(), this));
    return *history_;
}

void frmChMem::command(const QString &label, const std::function<void()> &body) {
    const ChGrid::UpdateBatch batch(*grid());
    history().command(label, body);
}

void frmChMem::setHistory(PlanHistory *h) {
    history_ = h;
    history_->display = [this](const chmem::PlanSnapshot &shown) { showRestored(shown); };
}

QString frmChMem::faceText(int n) const {
    return QString::fromStdString(c().text(n));
}

QString frmChMem::columnCaption(int col) const {
    const QTableWidgetItem *header = vsfgGridCh->horizontalHeaderItem(col);
    return header ? header->text() : QString::number(col);
}

QString frmChMem::stepLabel(int row, int col, std::size_t rows) const {
    const QString what = col == 1   ? faceText(457)
                         : col == 2 ? faceText(458)
                         : col == 3 ? faceText(459)
                         : col == 4 ? faceText(460)
                                    : columnCaption(col);
    if (rows > 1)
        return faceText(464).arg(what).arg(rows);
    return faceText(456).arg(row).arg(what);
}

std::vector<int> frmChMem::bulkRows(int row, int col) const {
    const auto *sel = vsfgGridCh->selectionModel();
    if (!sel->isSelected(vsfgGridCh->model()->index(row - 1, col)))
        return {};
    std::vector<int> rows;
    for (int r : grid()->selectionRows())
        if (sel->isSelected(vsfgGridCh->model()->index(r - 1, col)))
            rows.push_back(r);
    return rows.size() > 1 ? rows : std::vector<int>();
}

// --- the model and band selectors

void frmChMem::cboModel_Activated() {
    if (cboModel->currentIndex() == c().modelIndex)
        return; // the same model: nothing is rebuilt
    if (cps::dialogs().message(this, faceText(72), faceText(70), QMessageBox::Question,
                               QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        const QSignalBlocker block(cboModel);
        cboModel->setCurrentIndex(c().modelIndex);
        return;
    }
    command(faceText(470), [&] { cboModel_Click(); });
}

void frmChMem::cboFrequency_Activated() {
    // A band builds a new plan: the channels and options go. The custom range
    // dialog asks its own question.
    if (cboFrequency->currentIndex() != cps::kCustomBand &&
        cps::dialogs().message(this, faceText(72), faceText(70), QMessageBox::Question,
                               QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        const QSignalBlocker block(cboFrequency);
        cboFrequency->setCurrentIndex(c().bandIndex);
        return;
    }
    command(faceText(471), [&] { cboFrequency_Click(); });
}

// --- one value as typing would enter it

const cps::ColumnDefs &frmChMem::columnDefsFor(int lang) const {
    auto &defs = langCols_.at(static_cast<std::size_t>(lang));
    if (!defs) {
        // The settings file holds the layout once per language; read the
        // other languages' captions from it as the start-up reads the own.
        cps::Cps scratch;
        scratch.SettingsFile = c().SettingsFile;
        scratch.ItemEnd = c().ItemEnd;
        scratch.CurLang = static_cast<int16_t>(lang);
        cps::ReadChInfo(scratch);
        defs = scratch.cols;
    }
    return *defs;
}

int frmChMem::choiceIndex(int col, const QString &text) const {
    const QString t = text.trimmed();
    const int count = cps::toInt16(c().cols.item(col, 1));
    for (int lang = 1; lang <= 3; ++lang) {
        const cps::ColumnDefs &defs = lang == c().lang() ? c().cols : columnDefsFor(lang);
        if (col > defs.columnCount)
            continue;
        for (int k = 3; k < defs.itemCount(col) && k - 3 < count; ++k)
            if (t.compare(QString::fromStdString(defs.item(col, k)), Qt::CaseInsensitive) == 0)
                return k - 3;
    }
    // The command line's CSV carries choice indexes.
    bool number = false;
    const int index = t.toInt(&number);
    return number && index >= 0 && index < count ? index : -1;
}

bool frmChMem::isNoneWord(const QString &text) const {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.compare(QStringLiteral("none"), Qt::CaseInsensitive) == 0 ||
        t.compare(QStringLiteral("off"), Qt::CaseInsensitive) == 0)
        return true;
    for (int lang = 1; lang <= 3; ++lang)
        if (t == QString::fromStdString(cps::noneTextFor(lang)))
            return true;
    return false;
}

QString frmChMem::bandText() const {
    return mhzShort(c().bandLow) + QChar(0x2013) + mhzShort(c().bandHigh) + QStringLiteral(" MHz");
}

void frmChMem::enterValue(int row, int col, const QString &value, QStringList &refused) {
    const std::string v = value.trimmed().toStdString();
    const auto refuse = [&] { refused << faceText(474).arg(row).arg(columnCaption(col), value); };
    // A frequency among many is not moved to the band edge, as a typed one is:
    // nobody would see it move.
    const auto inBand = [&] {
        if (v.empty() || cps::frequencyInBand(c(), v))
            return true;
        refused << faceText(540).arg(row).arg(columnCaption(col), value, bandText());
        return false;
    };
    if (col == 1) {
        if (!v.empty() && !cps::isNumeric(v))
            return refuse();
        // Nothing into an empty row is no entry, as typing nothing there is
        // none; clearing it again would drop the parameters it keeps.
        if ((v.empty() && !channelInUse(row)) || !inBand())
            return;
        cps::enterReceive(c(), row, v); // empty clears the channel, as typing does
        return;
    }
    if (!channelInUse(row)) {
        if (!v.empty())
            refuse(); // only a receive frequency starts a channel
        return;
    }
    if (col == 2) {
        if (!v.empty() && !cps::isNumeric(v))
            return refuse();
        if (inBand())
            cps::enterTransmit(c(), row, v);
        return;
    }
    if (col == 3 || col == 4) {
        if (cps::parseCtdcsEntry(v, c().noneText) == c().noneText && !isNoneWord(value))
            return refuse(); // a typo would silently become none
        if (col == 4 && field(row, cps::field::Tx) == -1) {
            if (!v.empty() && !isNoneWord(value))
                refuse(); // a receive-only channel sends nothing
            return;
        }
        cps::enterSignalling(c(), row, col, isNoneWord(value) ? c().noneText : v);
        return;
    }
    if (col == kNameColumn || !isParameterColumn(col))
        return; // nothing of these is stored
    const int choice = choiceIndex(col, value);
    if (choice < 0)
        return refuse();
    cps::enterParameter(c(), row, col, choice);
}

void frmChMem::showRefused(const QStringList &refused) {
    if (refused.isEmpty())
        return;
    QStringList lines{faceText(473)};
    lines += refused.mid(0, kListedRefusals);
    if (refused.size() > kListedRefusals)
        lines << faceText(542).arg(refused.size() - kListedRefusals);
    cps::dialogs().message(this, lines.join(QLatin1Char('\n')), faceText(70), QMessageBox::Warning,
                           QMessageBox::Ok);
}

// --- selection and delete

void frmChMem::selectAllCells() {
    // The current cell stays where it is: a key typed next must not start an
    // entry in channel 1.
    const QModelIndex current = vsfgGridCh->currentIndex();
    grid()->selectRows(1, vsfgGridCh->rowCount());
    if (current.isValid())
        vsfgGridCh->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
}

void frmChMem::deleteSelection() {
    if (locked())
        return;
    hideCtdcsBox();
    const std::vector<int> rows = grid()->selectedRows();
    command(faceText(463), [&] {
        if (!rows.empty()) {
            // Whole rows: the channels go as "Delete channel" removes one.
            for (int r : rows) {
                cps::DelOneChannel(c(), r);
                field(r, cps::field::Edited) = 1;
            }
            return;
        }
        // Signalling cells: none.
        for (int col : {3, 4})
            for (int r : grid()->selectionRows())
                if (vsfgGridCh->selectionModel()->isSelected(vsfgGridCh->model()->index(r - 1, col)) &&
                    channelInUse(r) && (col == 3 || field(r, cps::field::Tx) != -1)) {
                    cps::enterSignalling(c(), r, col, c().noneText);
                    showRow(r);
                }
    });
}

// --- fill down and fill series

void frmChMem::fillDown() {
    if (locked())
        return;
    hideCtdcsBox();
    const auto rows = grid()->selectionRows();
    if (rows.size() < 2)
        return;
    QStringList refused;
    command(faceText(465), [&] {
        // Columns in entry order, so a receive frequency starts a channel
        // before its other cells are filled.
        for (int col = 1; col <= lastColumn(); ++col) {
            if (!vsfgGridCh->selectionModel()->isSelected(
                    vsfgGridCh->model()->index(rows.front() - 1, col)))
                continue;
            const QString value = grid()->text(rows.front(), col);
            for (std::size_t i = 1; i < rows.size(); ++i) {
                const int r = rows[i];
                if (!vsfgGridCh->selectionModel()->isSelected(vsfgGridCh->model()->index(r - 1, col)))
                    continue;
                enterValue(r, col, value, refused);
                showRow(r);
            }
        }
    });
    showRefused(refused);
}

void frmChMem::fillSeries() {
    if (locked())
        return;
    hideCtdcsBox();
    const auto rows = grid()->selectionRows();
    const int col = grid()->col();
    if (rows.size() < 2 || (col != 1 && col != 2) || !channelInUse(rows.front()) ||
        field(rows.front(), col) == -1)
        return;
    const int32_t start = field(rows.front(), col);
    // The default step is the raster the first frequency lies on.
    const double rasterKHz = start % 500 == 0 ? 5.0 : 6.25;
    std::optional<double> stepKHz;
    if (askSeriesStep) {
        stepKHz = askSeriesStep(rasterKHz);
    } else {
        bool ok = false;
        const double v = QInputDialog::getDouble(this, stepName(faceText(449)), faceText(475),
                                                 rasterKHz, -100000, 100000, 5, &ok);
        if (ok)
            stepKHz = v;
    }
    if (!stepKHz)
        return;
    QStringList refused;
    command(faceText(466), [&] {
        for (std::size_t i = 1; i < rows.size(); ++i) {
            const int r = rows[i];
            if (col == 2 && !channelInUse(r))
                continue;
            const double tenHz = start + *stepKHz * 100.0 * static_cast<double>(i);
            const QString mhz = QString::number(tenHz / 100000.0, 'f', 6);
            const auto k = cps::frequencyInBand(c(), mhz.toStdString());
            if (!k) {
                refused << faceText(540).arg(r).arg(
                    columnCaption(col), QString::number(tenHz / 100000.0, 'f', 5), bandText());
                continue;
            }
            if (col == 2) {
                cps::enterTransmit(c(), r, mhz.toStdString());
            } else {
                // A simplex channel stays simplex: its transmit frequency takes
                // the same step. A split channel keeps its own.
                const bool simplex =
                    channelInUse(r) && field(r, cps::field::Tx) == field(r, cps::field::Rx);
                cps::enterReceive(c(), r, mhz.toStdString());
                if (simplex)
                    cps::enterTransmit(c(), r, mhz.toStdString());
            }
            showRow(r);
        }
    });
    showRefused(refused);
}

// --- moving channels

void frmChMem::swapChannels(int a, int b) {
    std::swap(c().ch.ChInfo.at(static_cast<std::size_t>(a)), c().ch.ChInfo.at(static_cast<std::size_t>(b)));
    std::swap(decText(a), decText(b));
    std::swap(encText(a), encText(b));
    for (int k = 0; k < cps::kSlotSize; ++k)
        std::swap(c().at(cps::slotAddress(a) + k), c().at(cps::slotAddress(b) + k));
    // The list flags of channels 1..16 sit in one word; they swap with the slots.
    if (a <= 16 && b <= 16) {
        const auto bitOf = [&](int n) {
            const int address = cps::kChannelListWord + (n - 1) / 8;
            return std::pair{address, static_cast<uint8_t>(1u << ((n - 1) % 8))};
        };
        const auto [addrA, maskA] = bitOf(a);
        const auto [addrB, maskB] = bitOf(b);
        const bool flagA = c().at(addrA) & maskA, flagB = c().at(addrB) & maskB;
        c().at(addrA) = static_cast<uint8_t>(flagB ? c().at(addrA) | maskA : c().at(addrA) & ~maskA);
        c().at(addrB) = static_cast<uint8_t>(flagA ? c().at(addrB) | maskB : c().at(addrB) & ~maskB);
    }
    field(a, cps::field::Edited) = 1;
    field(b, cps::field::Edited) = 1;
    showRow(a);
    showRow(b);
}

void frmChMem::moveChannels(std::vector<int> rows, int delta) {
    if (locked() || rows.empty() || delta == 0)
        return;
    std::sort(rows.begin(), rows.end());
    const int count = c().cols.channelCount;
    if (rows.front() + delta < 1 || rows.back() + delta > count)
        return;
    hideCtdcsBox();
    command(faceText(467), [&] {
        // One place at a time, the leading channel first, so the block keeps
        // its order and the channels it passes close up behind it.
        const int step = delta < 0 ? -1 : 1;
        for (int moved = 0; moved != delta; moved += step) {
            if (step < 0)
                for (int r : rows)
                    swapChannels(r - 1, r);
            else
                for (auto it = rows.rbegin(); it != rows.rend(); ++it)
                    swapChannels(*it, *it + 1);
            for (int &r : rows)
                r += step;
        }
    });
    vsfgGridCh->clearSelection();
    for (int r : rows)
        grid()->selectRows(r, r, true);
}

void frmChMem::moveUp() {
    moveChannels(grid()->selectionRows(), -1);
}

void frmChMem::moveDown() {
    moveChannels(grid()->selectionRows(), 1);
}

void frmChMem::insertEmptyChannel() {
    const int row = grid()->row();
    const int count = c().cols.channelCount;
    if (locked() || row < 1 || row > count)
        return;
    // The last channel falls off the end: ask when it holds something.
    if (channelInUse(count) &&
        cps::dialogs().message(this, faceText(476), faceText(70), QMessageBox::Question,
                               QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    hideCtdcsBox();
    command(faceText(468).arg(row), [&] {
        for (int r = count; r > row; --r)
            swapChannels(r - 1, r);
        cps::DelOneChannel(c(), row);
        field(row, cps::field::Edited) = 1;
    });
}

void frmChMem::removeChannel() {
    const int row = grid()->row();
    const int count = c().cols.channelCount;
    if (locked() || row < 1 || row > count)
        return;
    hideCtdcsBox();
    command(faceText(469).arg(row), [&] {
        for (int r = row; r < count; ++r)
            swapChannels(r, r + 1);
        cps::DelOneChannel(c(), count);
        field(count, cps::field::Edited) = 1;
    });
}
