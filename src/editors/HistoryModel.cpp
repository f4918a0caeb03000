#include "editors/HistoryModel.h"

#include "comm/LineLog.h"
#include "editors/HistoryTexts.h"
#include "editors/ProductionLineTexts.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

namespace {

// The result's colour matches the production line's rows.
const QColor kPassColour(0x2e, 0x7d, 0x32), kFailColour(0xc6, 0x28, 0x28);

} // namespace

HistoryModel::HistoryModel(const cps::Cps &c, QString databasePath, QObject *parent)
    : QAbstractTableModel(parent), c_(c), databasePath_(std::move(databasePath)) {}

void HistoryModel::setFilter(const cps::RecordFilter &filter, const QString &search) {
    beginResetModel();
    filter_ = filter;
    filter_.limit = 0;
    search_ = search.trimmed();
    shown_.clear();
    lastTime_ = {};
    idsAtLastTime_.clear();
    atEnd_ = false;
    error_.clear();
    endResetModel();
    fetchMore({});
}

// A page starts just after the last record read: at or before its time (the
// stored times are in milliseconds), skipping the records of that very
// millisecond that were read already. Each page costs the same however far
// down the table is.
std::vector<cps::RecordEntry> HistoryModel::readNext(int count) {
    cps::RecordFilter page = filter_;
    if (lastTime_.isValid()) {
        const QDateTime after = lastTime_.addMSecs(1);
        if (!page.until.isValid() || after < page.until)
            page.until = after;
    }
    page.limit = count + static_cast<int>(idsAtLastTime_.size());
    QString error;
    std::vector<cps::RecordEntry> got = cps::queryRecords(databasePath_, page, &error);
    if (!error.isEmpty()) {
        error_ = error;
        atEnd_ = true;
        return {};
    }
    if (static_cast<int>(got.size()) < page.limit)
        atEnd_ = true;
    std::erase_if(got, [&](const cps::RecordEntry &r) {
        return r.time == lastTime_ && idsAtLastTime_.contains(r.id);
    });
    for (const cps::RecordEntry &r : got) {
        if (r.time != lastTime_) {
            lastTime_ = r.time;
            idsAtLastTime_.clear();
        }
        idsAtLastTime_.insert(r.id);
    }
    return got;
}

bool HistoryModel::canFetchMore(const QModelIndex &parent) const {
    return !parent.isValid() && !atEnd_;
}

// Reads pages until one page of matching records is there (a search may
// match few of them) or the records end.
void HistoryModel::fetchMore(const QModelIndex &parent) {
    if (parent.isValid())
        return;
    std::vector<cps::RecordEntry> matching;
    int batch = kPageSize;
    while (!atEnd_ && static_cast<int>(matching.size()) < kPageSize) {
        for (cps::RecordEntry &r : readNext(batch))
            if (matches(r))
                matching.push_back(std::move(r));
        batch = std::min(batch * 4, 50 * kPageSize);
    }
    if (!matching.empty()) {
        const int first = static_cast<int>(shown_.size());
        beginInsertRows({}, first, first + static_cast<int>(matching.size()) - 1);
        std::move(matching.begin(), matching.end(), std::back_inserter(shown_));
        endInsertRows();
    }
    emit shownChanged();
}

void HistoryModel::fetchAll() {
    while (canFetchMore({}))
        fetchMore({});
}

bool HistoryModel::matches(const cps::RecordEntry &r) const {
    if (search_.isEmpty())
        return true;
    for (int column = 0; column < Count; ++column)
        if (cellText(r, column).contains(search_, Qt::CaseInsensitive))
            return true;
    return r.backupFile.contains(search_, Qt::CaseInsensitive) ||
           r.planSha256.startsWith(search_, Qt::CaseInsensitive);
}

QString HistoryModel::cellText(const cps::RecordEntry &r, int column) const {
    const auto text = [this](int n) { return QString::fromStdString(c_.text(n)); };
    switch (column) {
    case Time:
        return r.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case Port:
        return r.port;
    case Plan:
        return r.plan;
    case Ident:
        return cps::identText(r.ident);
    case Result:
        return text(r.pass ? lineText::Pass : lineText::Fail);
    case FailedStep: {
        static const std::pair<const char *, int> steps[] = {{"backup", lineText::StepBackup},
                                                             {"write", lineText::StepWrite},
                                                             {"verify", lineText::StepVerify}};
        for (auto [name, entry] : steps)
            if (r.failedStep == QLatin1String(name))
                return text(entry);
        return r.failedStep;
    }
    case Message:
        return r.message;
    case Duration:
        return text(lineText::Seconds).arg(cps::secondsText(r.durationMs));
    case Operator:
        return r.operatorName;
    }
    return {};
}

int HistoryModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int HistoryModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : Count;
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const cps::RecordEntry &r = record(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return cellText(r, index.column());
    case Qt::ToolTipRole:
        if (index.column() == Message || index.column() == Plan)
            return cellText(r, index.column());
        return {};
    case Qt::BackgroundRole:
        if (index.column() == Result)
            return QBrush(r.pass ? kPassColour : kFailColour);
        return {};
    case Qt::ForegroundRole:
        if (index.column() == Result)
            return QBrush(Qt::white);
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == Duration)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (index.column() == Result)
            return QVariant(Qt::AlignCenter);
        return {};
    }
    return {};
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= Count)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromStdString(c_.text(historyText::ColumnTime + section));
}
