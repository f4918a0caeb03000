// The history command: the record of programmed radios, newest first, as a
// table, JSON or CSV, filtered by time, port, plan, result and operator.
#include "cli/Commands.h"
#include "cli/PlanFile.h"
#include "cli/RadioLink.h"
#include "comm/LineLog.h"
#include "comm/RadioRecord.h"
#include "comm/RecordCsv.h"
#include "core/MessageText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

namespace cli {

using cps::filled;
using cps::shownText;
using cps::translated;

namespace {

// "2026-12-11" (a local day) or an ISO 8601 date and time ("2026-12-11T08:00",
// "2026-12-11T08:00:00Z"); a day ends at the next day's start.
QDateTime instantOf(const Args &args, const std::string &option, bool endOfDay) {
    const QString text = QString::fromStdString(args.value(option));
    const QDate day = QDate::fromString(text, Qt::ISODate);
    if (day.isValid())
        return (endOfDay ? day.addDays(1) : day).startOfDay();
    const QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!time.isValid())
        throw UsageError(filled(translated("Usage", "%1 takes a date (2026-12-11) or a date and "
                                                    "time (2026-12-11T08:00), not '%2'"),
                                {option, shownText(text.toStdString())}),
                         "history");
    return time;
}

cps::RecordFilter filterOf(const Args &args) {
    cps::RecordFilter f;
    if (args.has("--since"))
        f.since = instantOf(args, "--since", false);
    if (args.has("--until"))
        f.until = instantOf(args, "--until", true);
    f.port = QString::fromStdString(args.value("--port"));
    f.plan = QString::fromStdString(args.value("--plan"));
    f.operatorName = QString::fromStdString(args.value("--operator"));
    if (args.has("--result")) {
        const std::string result = args.value("--result");
        if (result != "pass" && result != "fail")
            throw UsageError(filled(translated("Usage", "--result takes pass or fail, not '%1'"),
                                    {shownText(result)}),
                             "history");
        f.pass = result == "pass";
    }
    f.limit = args.intValue("--limit", 1, 100000000, 0);
    return f;
}

QJsonObject recordJson(const cps::RecordEntry &e) {
    return QJsonObject{{"time", cps::recordTimeText(e.time)},
                       {"port", e.port},
                       {"plan", e.plan},
                       {"planSha256", e.planSha256},
                       {"ident", QString::fromLatin1(e.ident.toHex())},
                       {"result", e.pass ? "PASS" : "FAIL"},
                       {"failedStep", e.failedStep},
                       {"message", e.message},
                       {"durationMs", e.durationMs},
                       {"backupFile", e.backupFile},
                       {"operator", e.operatorName}};
}

// Tabs or line breaks inside a message would break the table's columns, and
// an operator name or message holding escape sequences must not reach the
// terminal as they are.
std::string cell(const QString &text) {
    QString s = text;
    s.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s.isEmpty() ? "-" : cps::shownName(s.toStdString());
}

// The record keeps the step's fixed name; the table shows it in the message language.
std::string failedStepCell(const QString &stored) {
    for (const auto step : {cps::WriteStep::Backup, cps::WriteStep::Write, cps::WriteStep::Verify})
        if (stored == cps::stepName(step))
            return stepText(step);
    return cell(stored);
}

} // namespace

int historyCommand(const Args &args, Console &console) {
    if (args.has("--json") && args.has("--csv"))
        throw UsageError(translated("Usage", "--json and --csv cannot be combined"), "history");
    const cps::RecordFilter filter = filterOf(args);

    CommandSession session(args, console);
    const QString database = QString::fromStdString(session.c.files.historyDatabase);
    QString error;
    const std::vector<cps::RecordEntry> records = cps::queryRecords(database, filter, &error);
    if (!error.isEmpty())
        throw CliFailure(kExitFile, cps::shownName(database.toStdString()) + ": " +
                                        filled(translated("Files", "the record cannot be read: %1"),
                                               {error.toStdString()}));

    if (args.has("--json")) {
        QJsonArray list;
        for (const auto &e : records)
            list.append(recordJson(e));
        console.out << QJsonDocument(list).toJson(QJsonDocument::Compact).toStdString() << '\n';
    } else if (args.has("--csv")) {
        console.out << cps::recordCsvHeader() << '\n';
        for (const auto &e : records)
            console.out << cps::recordCsvLine(e) << '\n';
    } else {
        // The CSV above keeps its fixed column names, as the programming line's log does;
        // this table is for people, so its heads speak the message language.
        console.out << translated(
                           "History",
                           "TIME\tPORT\tPLAN\tIDENT\tRESULT\tSECONDS\tOPERATOR\tFAILED\tMESSAGE")
                    << '\n';
        for (const auto &e : records)
            console.out << e.time.toLocalTime()
                               .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                               .toStdString()
                        << '\t' << cell(e.port) << '\t' << cell(e.plan) << '\t'
                        << cell(cps::identText(e.ident)) << '\t' << (e.pass ? "PASS" : "FAIL")
                        << '\t' << cps::secondsText(e.durationMs).toStdString() << '\t'
                        << cell(e.operatorName) << '\t' << failedStepCell(e.failedStep) << '\t'
                        << cell(e.message) << '\n';
        const std::string count = std::to_string(records.size());
        console.err << filled(records.size() == 1 ? translated("History", "%1 record")
                                                  : translated("History", "%1 records"),
                              {count})
                    << '\n';
    }
    console.out << std::flush;
    return kExitOk;
}

} // namespace cli
