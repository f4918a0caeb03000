#pragma once
// The record of every radio as a table, newest first. It reads a page at a
// time as the view scrolls, so the window opens at once on years of records.
//
//   column   Time | Port | Plan | Ident | Result | Failed step | Message |
//            Duration | Operator
//
// The database filters by result, port and date; the text search looks at
// what the table shows of each record (and its backup file), page by page.
#include "comm/RadioRecord.h"
#include "core/Cps.h"

#include <QAbstractTableModel>
#include <QSet>
#include <vector>

class HistoryModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Time, Port, Plan, Ident, Result, FailedStep, Message, Duration, Operator, Count };
    static constexpr int kPageSize = 200;

    HistoryModel(const cps::Cps &c, QString databasePath, QObject *parent = nullptr);

    // Starts again from the newest record with a new filter and search text.
    void setFilter(const cps::RecordFilter &filter, const QString &search);
    // Reads what remains (before an export of every matching record).
    void fetchAll();

    const cps::RecordEntry &record(int row) const { return shown_[static_cast<std::size_t>(row)]; }
    // Why the database could not be read; empty when it could.
    const QString &error() const { return error_; }
    // The text a cell shows (also what the CSV export writes).
    QString cellText(const cps::RecordEntry &r, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

  signals:
    // The rows shown changed (for the count line).
    void shownChanged();

  private:
    bool matches(const cps::RecordEntry &r) const;
    // Reads the next `count` records of the database after those already read.
    std::vector<cps::RecordEntry> readNext(int count);

    const cps::Cps &c_;
    QString databasePath_;
    cps::RecordFilter filter_;
    QString search_;
    std::vector<cps::RecordEntry> shown_;
    QDateTime lastTime_; // the time of the last record read
    QSet<qint64> idsAtLastTime_;
    bool atEnd_ = false; // every record of the filter has been read
    QString error_;
};
