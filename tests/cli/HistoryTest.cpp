// brenvik-cli history on a record filled by a real programming line: two
// virtual radios, one of which drops a block and fails its verify. And the
// line goes on, printing and logging every radio, when the record cannot be
// written at all.
#include "CliHarness.h"
#include "JsonSchemaCheck.h"
#include "cli/PlanFile.h"
#include "comm/RadioRecord.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <sstream>

using clitest::RunningCli;
using clitest::SimRadio;

namespace {

struct History : clitest::TwoPlans {
    QString database() const { return folder.dir.filePath("history.sqlite"); }
    clitest::CliRun history(QStringList args) const { return cli(QStringList{"history"} + args); }
    // What the line sends for `plan`: the plan after the conversion step.
    QString sentImageSha(const QString &plan) const {
        cps::Cps c;
        testsupport::initCps(c, folder);
        std::ostringstream warnings;
        cli::openPlan(c, plan.toStdString(), warnings);
        return cps::planImageSha256(c);
    }
};

TEST_F(History, ListsWhatARealLineRecorded) {
    SimRadio good({"--image", planA});
    SimRadio faulty({"--image", planA, "--ignore-writes", "0010"});
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    RunningCli line({"program", planB, "--port", good.pty(), "--port", faulty.pty(), "--verify",
                     "--operator", "Ann Lee", "--program-dir", folder.path()});
    ASSERT_TRUE(line.waitFor("PASS " + good.pty())) << line.err().toStdString();
    ASSERT_TRUE(line.waitFor("FAIL " + faulty.pty())) << line.out().toStdString();
    EXPECT_EQ(line.interruptAndWait(), 1);
    EXPECT_FALSE(line.err().contains("record")) << line.err().toStdString();
    const QDateTime after = QDateTime::currentDateTimeUtc().addSecs(1);

    // JSON: the schema, and each value as the line had it.
    const auto json = history({"--json"});
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    const QJsonArray list = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(list.size(), 2) << json.out.toStdString();
    clitest::JsonSchemaCheck schema(
        QJsonDocument::fromJson(
            clitest::readAll(BRENVIK_SOURCE_DIR "/docs/history-json.schema.json"))
            .object());
    EXPECT_EQ(schema.check(list), QStringList());
    const QString sha = sentImageSha(planB);
    for (const auto &item : list) {
        const QJsonObject r = item.toObject();
        const QDateTime time = QDateTime::fromString(r["time"].toString(), Qt::ISODateWithMs);
        EXPECT_TRUE(time >= before && time <= after) << r["time"].toString().toStdString();
        EXPECT_EQ(r["plan"].toString(), "b.dat");
        EXPECT_EQ(r["planSha256"].toString(), sha);
        EXPECT_EQ(r["ident"].toString(), "5a2328");
        EXPECT_EQ(r["operator"].toString(), "Ann Lee");
        EXPECT_GT(r["durationMs"].toInteger(), 0);
        const bool pass = r["port"].toString() == good.pty();
        EXPECT_EQ(r["result"].toString(), pass ? "PASS" : "FAIL");
        EXPECT_EQ(r["failedStep"].toString(), pass ? "" : "verify");
        EXPECT_EQ(r["message"].toString().contains("0010"), !pass);
    }
    EXPECT_GE(list[0].toObject()["time"].toString(), list[1].toObject()["time"].toString());

    const auto table = history({});
    ASSERT_EQ(table.status, 0);
    const QStringList rows = table.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 3) << table.out.toStdString();
    EXPECT_EQ(rows[0], "TIME\tPORT\tPLAN\tIDENT\tRESULT\tSECONDS\tOPERATOR\tFAILED\tMESSAGE");
    EXPECT_TRUE(rows.filter(faulty.pty() + "\tb.dat\t5A 23 28\tFAIL\t").size() == 1)
        << table.out.toStdString();
    EXPECT_EQ(table.err, "2 records\n");

    const auto csv = history({"--csv", "--result", "fail"});
    ASSERT_EQ(csv.status, 0);
    const QStringList lines = csv.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << csv.out.toStdString();
    EXPECT_EQ(lines[0], "Time,Port,Plan,PlanSha256,Ident,Result,FailedStep,Message,DurationMs,"
                        "BackupFile,Operator");
    EXPECT_TRUE(lines[1].contains("," + faulty.pty() + ",b.dat," + sha + ",5A 23 28,FAIL,verify,"))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(",Ann Lee"));

    // Filters, as a script would combine them: the ports each record came from.
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    const QString tomorrow = QDate::currentDate().addDays(1).toString(Qt::ISODate);
    const QString yesterday = QDate::currentDate().addDays(-1).toString(Qt::ISODate);
    struct Case {
        QStringList args;
        QStringList ports;
    };
    const Case cases[] = {
        {{"--result", "pass"}, {good.pty()}},
        {{"--port", faulty.pty()}, {faulty.pty()}},
        {{"--plan", "b.dat", "--operator", "Ann Lee", "--since", today, "--until", today},
         {good.pty(), faulty.pty()}},
        {{"--plan", "a.dat"}, {}},
        {{"--operator", "Bo"}, {}},
        {{"--since", tomorrow}, {}},
        {{"--until", yesterday}, {}},
        {{"--limit", "1"}, {QJsonDocument::fromJson(json.out.toUtf8())[0]["port"].toString()}},
    };
    for (const auto &k : cases) {
        const auto r = history(k.args + QStringList{"--json"});
        ASSERT_EQ(r.status, 0) << k.args.join(' ').toStdString() << r.err.toStdString();
        QStringList ports;
        for (const auto &item : QJsonDocument::fromJson(r.out.toUtf8()).array())
            ports << item.toObject()["port"].toString();
        QStringList expected = k.ports;
        ports.sort();
        expected.sort();
        EXPECT_EQ(ports, expected) << k.args.join(' ').toStdString();
    }
}

TEST_F(History, RefusesWhatItCannotRead) {
    const QStringList wrong[] = {
        {"--result", "maybe"}, {"--since", "yesterday"}, {"--until", "2026-13-40"},
        {"--json", "--csv"},   {"--limit", "0"},
    };
    for (const auto &args : wrong) {
        const auto r = history(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    // Nothing recorded yet: an empty list, and no file made by looking.
    const auto empty = history({"--json"});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "[]\n");
    EXPECT_FALSE(QFile::exists(database()));
}

// The record's place is taken by a folder: no record can be made there, yet
// every radio is printed and logged, and the line's status is the radios'.
TEST_F(History, AnUnwritableRecordNeverStopsTheLine) {
    ASSERT_TRUE(QDir().mkpath(database()));
    SimRadio radio({"--image", planA});
    RunningCli line({"program", planB, "--port", radio.pty(), "--count", "1", "--log",
                     path("line.csv"), "--program-dir", folder.path()});
    ASSERT_TRUE(line.waitFor("1 passed, 0 failed")) << line.err().toStdString();
    EXPECT_EQ(line.signalAndWait(0), 0);
    EXPECT_TRUE(line.out().startsWith("PASS " + radio.pty())) << line.out().toStdString();
    EXPECT_TRUE(line.err().contains(radio.pty() +
                                    ": This result could not be stored in the "
                                    "record of programmed radios (" +
                                    database() + ")"))
        << line.err().toStdString();
    EXPECT_TRUE(clitest::readAll(path("line.csv")).contains(",PASS,"));

    const auto r = history({});
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains("the record cannot be read")) << r.err.toStdString();
}

} // namespace
