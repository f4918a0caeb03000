#include "editors/ChannelListPreview.h"

#include "core/ChannelColumns.h"
#include "core/CsvText.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <map>
#include <optional>

namespace {

constexpr const char *kClearOthersKey = "ImportClearsOthers";

// Columns before the grid's own (receive ... last parameter) and after them.
constexpr int kChannelCol = 0, kLineCol = 1, kNumberCol = 2, kNameCol = 3, kFirstGridCol = 4;

QString qs(const std::string &s) {
    return QString::fromStdString(s);
}

// The text entry naming a refusal's kind.
int stateEntry(const std::string &reason) {
    if (reason.empty())
        return 666;
    if (reason == "outside the band")
        return 667;
    if (reason == "not possible on this radio")
        return 668;
    if (reason == "channel listed twice")
        return 669;
    return 670;
}

// A name for each line from the file's Name (or else Comment) column; shown
// only, never read into the plan.
std::map<int, std::string> namesByLine(const std::string &csvText) {
    std::map<int, std::string> names;
    const cps::CsvTable table = cps::parseCsvText(csvText);
    if (table.records.empty())
        return names;
    const auto &header = table.records[0].fields;
    std::optional<std::size_t> column;
    for (const char *name : {"name", "comment"})
        for (std::size_t i = 0; i < header.size() && !column; ++i)
            if (cps::asciiLower(header[i]) == name)
                column = i;
    if (!column)
        return names;
    for (std::size_t r = 1; r < table.records.size(); ++r)
        if (*column < table.records[r].fields.size())
            names[table.records[r].line] = table.records[r].fields[*column];
    return names;
}

} // namespace

ChannelListPreview::ChannelListPreview(const cps::Cps &c, const std::string &csvText,
                                       QWidget *parent)
    : QDialog(parent), c_(c) {
    setObjectName(QStringLiteral("frmChannelListPreview"));
    setWindowTitle(text(662));
    readRows(csvText);

    table_ = new QTableWidget(this);
    table_->setObjectName(QStringLiteral("tblRows"));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->installEventFilter(this);

    first_ = new QSpinBox(this);
    first_->setObjectName(QStringLiteral("spnFirstChannel"));
    first_->setRange(1, c_.cols.channelCount);
    auto *firstLabel = new QLabel(text(664), this);
    firstLabel->setBuddy(first_);
    clear_ = new QCheckBox(text(665), this);
    clear_->setObjectName(QStringLiteral("chkClearOthers"));
    clear_->setChecked(c_.ini().read("Setting", kClearOthersKey, "0", 3) == "1");
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("lblCount"));
    why_ = new QLabel(this);
    why_->setObjectName(QStringLiteral("lblWhy"));
    why_->setWordWrap(true);
    why_->setTextFormat(Qt::PlainText); // quotes the file's cells
    auto *hint = new QLabel(text(682), this);
    hint->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(text(63));
    buttons->button(QDialogButtonBox::Cancel)->setText(text(64));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *options = new QHBoxLayout;
    options->addWidget(firstLabel);
    options->addWidget(first_);
    options->addSpacing(16);
    options->addWidget(clear_);
    options->addStretch(1);
    options->addWidget(count_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addWidget(table_, 1);
    layout->addWidget(why_);
    layout->addLayout(options);
    layout->addWidget(buttons);

    fillTable();
    tickDefaults();
    refresh();
    connect(table_, &QTableWidget::itemChanged, this, [this] {
        if (!refreshing_)
            refresh();
    });
    connect(first_, &QSpinBox::valueChanged, this, [this] { refresh(); });
    connect(table_, &QTableWidget::currentCellChanged, this, [this](int row) {
        why_->setText(row >= 0 && row < static_cast<int>(rows_.size())
                          ? qs(rows_[static_cast<std::size_t>(row)].message)
                          : QString());
    });
    connect(this, &QDialog::accepted, this, [this] {
        c_.ini().write("Setting", kClearOthersKey, clear_->isChecked() ? "1" : "0");
    });
    table_->setFocus();
    if (!rows_.empty())
        table_->setCurrentCell(0, kChannelCol);
    // Wide enough for every column where the screen allows: a table's own
    // size hint knows nothing of its columns.
    table_->resizeColumnToContents(kChannelCol); // now that it shows the channel numbers
    int tableWidth =
        2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width() +
        (table_->verticalHeader()->isVisible() ? table_->verticalHeader()->width() : 0);
    for (int col = 0; col < table_->columnCount(); ++col)
        tableWidth += table_->columnWidth(col);
    const QRect room = screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 800);
    resize(std::min(room.width() - 40, std::max(sizeHint().width(), tableWidth + 40)),
           std::min(room.height() - 80, 640));
}

QString ChannelListPreview::text(int entry) const {
    return qs(c_.text(entry));
}

void ChannelListPreview::readRows(const std::string &csvText) {
    // Every row is judged on its own: a copy of the plan with room for any
    // channel number, so rows past the radio's last channel are read too.
    cps::Cps roomy = c_;
    roomy.cols.channelCount = std::numeric_limits<int16_t>::max();
    const cps::ChannelCsvRead read = cps::readChannelCsv(roomy, csvText);
    const auto names = namesByLine(csvText);
    for (const auto &entry : read.rows) {
        Row &row = rows_.emplace_back();
        row.line = entry.line;
        row.number = entry.channel;
        row.entry = entry;
    }
    for (const auto &problem : read.refused) {
        Row row;
        row.line = problem.line;
        if (problem.channel > 0)
            row.number = problem.channel;
        row.state = problem.reason;
        row.message = cps::csvLineText(problem.line, problem.message);
        rows_.push_back(std::move(row));
    }
    std::stable_sort(rows_.begin(), rows_.end(),
                     [](const Row &a, const Row &b) { return a.line < b.line; });
    for (auto &row : rows_)
        if (const auto name = names.find(row.line); name != names.end())
            row.name = name->second;
}

void ChannelListPreview::fillTable() {
    const int gridCols = c_.cols.columnCount; // receive .. last parameter
    QStringList headers{text(680), text(681), text(671), text(672)};
    for (int col = 1; col <= gridCols; ++col)
        headers << qs(cps::gridCaption(c_.cols, col));
    headers << text(673);
    table_->setColumnCount(static_cast<int>(headers.size()));
    table_->setHorizontalHeaderLabels(headers);
    table_->setRowCount(static_cast<int>(rows_.size()));
    for (int r = 0; r < table_->rowCount(); ++r) {
        const Row &row = rows_[static_cast<std::size_t>(r)];
        auto put = [&](int col, const QString &value) {
            auto *item = new QTableWidgetItem(value);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            table_->setItem(r, col, item);
            return item;
        };
        auto *tick = put(kChannelCol, QString());
        if (row.entry)
            tick->setFlags(tick->flags() | Qt::ItemIsUserCheckable);
        tick->setCheckState(Qt::Unchecked);
        put(kLineCol, QString::number(row.line));
        put(kNumberCol, row.number ? QString::number(*row.number) : QString());
        put(kNameCol, qs(row.name));
        if (row.entry) {
            const cps::ChannelEntryRow &e = *row.entry;
            put(kFirstGridCol, qs(e.rx.value_or("")));
            put(kFirstGridCol + 1, qs(e.tx.value_or("")));
            put(kFirstGridCol + 2, qs(e.decode.value_or("")));
            put(kFirstGridCol + 3, qs(e.encode.value_or("")));
            for (const auto &[f, choice] : e.parameters)
                put(kFirstGridCol + f - 1, qs(cps::choiceCaption(c_.cols, f, choice)));
        }
        auto *state = put(kFirstGridCol + gridCols, text(stateEntry(row.state)));
        // A tooltip takes text with a tag for markup: the file's cells are shown as typed.
        state->setToolTip(Qt::convertFromPlainText(qs(row.message)));
        if (!row.entry)
            state->setForeground(palette().color(QPalette::Disabled, QPalette::Text).darker(150));
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);
}

void ChannelListPreview::tickDefaults() {
    std::optional<int> base;
    for (const Row &row : rows_)
        if (row.entry)
            base = std::min(base.value_or(row.entry->channel), row.entry->channel);
    if (!base)
        return;
    const int count = c_.cols.channelCount;
    const int first = *base >= 1 && *base <= count ? *base : 1;
    refreshing_ = true;
    first_->setValue(first);
    int ticks = 0;
    for (std::size_t r = 0; r < rows_.size() && ticks < count; ++r) {
        const Row &row = rows_[r];
        if (row.entry && first + row.entry->channel - *base <= count) {
            table_->item(static_cast<int>(r), kChannelCol)->setCheckState(Qt::Checked);
            ++ticks;
        }
    }
    refreshing_ = false;
}

bool ChannelListPreview::ticked(int row) const {
    return rows_[static_cast<std::size_t>(row)].entry &&
           table_->item(row, kChannelCol)->checkState() == Qt::Checked;
}

std::vector<int> ChannelListPreview::channels() const {
    std::vector<int> result(rows_.size(), 0);
    std::optional<int> base;
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r)
        if (ticked(r)) {
            const int n = rows_[static_cast<std::size_t>(r)].entry->channel;
            base = std::min(base.value_or(n), n);
        }
    if (!base)
        return result;
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r)
        if (ticked(r)) {
            const int n =
                first_->value() + rows_[static_cast<std::size_t>(r)].entry->channel - *base;
            if (n >= 1 && n <= c_.cols.channelCount)
                result[static_cast<std::size_t>(r)] = n;
        }
    return result;
}

void ChannelListPreview::refresh() {
    refreshing_ = true;
    const std::vector<int> landing = channels();
    int filled = 0;
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        const int n = landing[static_cast<std::size_t>(r)];
        filled += n > 0;
        table_->item(r, kChannelCol)
            ->setText(n > 0       ? QString::number(n)
                      : ticked(r) ? QStringLiteral("–")
                                  : QString());
    }
    refreshing_ = false;
    const auto refused =
        std::count_if(rows_.begin(), rows_.end(), [](const Row &row) { return !row.entry; });
    count_->setText(text(663).arg(filled).arg(c_.cols.channelCount).arg(static_cast<int>(refused)));
}

void ChannelListPreview::toggleSelectedTicks() {
    std::vector<int> selected;
    for (const QModelIndex &i : table_->selectionModel()->selectedRows())
        selected.push_back(i.row());
    if (selected.empty() && table_->currentRow() >= 0)
        selected.push_back(table_->currentRow());
    // One tick state for all: on unless every one already is.
    const bool on = std::any_of(selected.begin(), selected.end(),
                                [this](int r) { return rows_[r].entry && !ticked(r); });
    refreshing_ = true;
    for (int r : selected)
        if (rows_[static_cast<std::size_t>(r)].entry)
            table_->item(r, kChannelCol)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    refreshing_ = false;
    refresh();
}

bool ChannelListPreview::eventFilter(QObject *watched, QEvent *event) {
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space) {
        toggleSelectedTicks();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

std::vector<cps::ChannelEntryRow> ChannelListPreview::chosenRows() const {
    std::vector<cps::ChannelEntryRow> chosen;
    const std::vector<int> landing = channels();
    for (std::size_t r = 0; r < rows_.size(); ++r)
        if (landing[r] > 0) {
            chosen.push_back(*rows_[r].entry);
            chosen.back().channel = landing[r];
        }
    return chosen;
}

bool ChannelListPreview::clearOthers() const {
    return clear_->isChecked();
}
