// The record of programmed radios on real SQLite files: what goes in comes
// out (newest first, filtered), several writers at once lose nothing, and a
// database that is busy, read-only, full, damaged, older or newer never costs
// a result silently: the caller is told why, and nothing already recorded is
// lost or overwritten.
#include "comm/RadioRecord.h"
#include "comm/RecordCsv.h"
#include "support/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <barrier>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using cps::RecordEntry;
using cps::RecordTrouble;

RecordEntry entry(const QString &time, const QString &port, bool pass,
                  const QString &plan = QStringLiteral("plan.dat"),
                  const QString &op = QStringLiteral("Ann")) {
    RecordEntry e;
    e.time = QDateTime::fromString(time, Qt::ISODate);
    e.port = port;
    e.plan = plan;
    e.planSha256 = QString(64, QLatin1Char('a'));
    e.ident = QByteArray::fromHex("5A2328");
    e.pass = pass;
    e.failedStep = pass ? QString() : QStringLiteral("verify");
    e.message = pass ? QString() : QStringLiteral("Verify failed at address 0010");
    e.durationMs = 12345;
    e.backupFile = QStringLiteral("/backups/20261211-081500-COM1.dat");
    e.operatorName = op;
    return e;
}

// Runs SQL on a connection of the test's own (to build or inspect a file the
// way another program would).
class RawDb {
  public:
    explicit RawDb(const QString &path) {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db_.setDatabaseName(path);
        EXPECT_TRUE(db_.open()) << db_.lastError().text().toStdString();
    }
    ~RawDb() {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
    }
    void exec(const QString &sql) {
        QSqlQuery q(db_);
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
    }
    QVariant value(const QString &sql) {
        QSqlQuery q(db_);
        EXPECT_TRUE(q.exec(sql) && q.next()) << sql.toStdString();
        return q.value(0);
    }

  private:
    QString name_ = QStringLiteral("raw-%1").arg(reinterpret_cast<quintptr>(this));
    QSqlDatabase db_;
};

struct RadioRecord : ::testing::Test {
    RadioRecord() { testsupport::initCps(c, folder); }
    QString db() const { return work.filePath("history.sqlite"); }
    cps::RecordOutcome append(const RecordEntry &e, int busyMs = cps::kRecordBusyTimeoutMs) {
        return cps::appendRecord(c, db(), e, busyMs);
    }
    std::vector<RecordEntry> all() {
        QString error;
        auto records = cps::queryRecords(db(), {}, &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return records;
    }

    testsupport::ProgramFolder folder;
    cps::Cps c;
    QTemporaryDir work;
};

// Runs `body` in a child process (after `prepare`, as root) and returns its
// exit status; 99 means the child could not set itself up.
int inChild(const std::function<bool()> &prepare, const std::function<int()> &body) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(prepare() ? body() : 99);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

TEST_F(RadioRecord, EveryFieldComesBackNewestFirstAndFiltersSelect) {
    EXPECT_TRUE(all().empty());
    EXPECT_FALSE(QFile::exists(db())) << "a reader creates nothing";

    // Stored out of time order, one with a local time of another zone.
    const std::vector<RecordEntry> entries = {
        entry("2026-12-10T09:00:00Z", "COM1", true),
        entry("2026-12-11T10:00:00Z", "COM2", false, "other.dat", "Bo"),
        entry("2026-12-09T23:30:00-02:00", "COM1", false), // 2026-12-10T01:30Z
        entry("2026-12-11T08:00:00Z", "COM2", true, "plan.dat", ""),
    };
    for (const auto &e : entries) {
        const auto outcome = append(e);
        EXPECT_TRUE(outcome.stored) << outcome.warning.toStdString();
        EXPECT_TRUE(outcome.warning.isEmpty());
    }
    RawDb raw(db());
    EXPECT_EQ(raw.value("PRAGMA user_version").toInt(), 1);
    EXPECT_EQ(raw.value("PRAGMA journal_mode").toString(), "wal");

    const auto records = all();
    ASSERT_EQ(records.size(), 4u);
    const RecordEntry &failed = records[0];
    EXPECT_EQ(failed.time, QDateTime::fromString("2026-12-11T10:00:00Z", Qt::ISODate));
    EXPECT_EQ(failed.port, "COM2");
    EXPECT_EQ(failed.plan, "other.dat");
    EXPECT_EQ(failed.planSha256, QString(64, QLatin1Char('a')));
    EXPECT_EQ(failed.ident, QByteArray::fromHex("5A2328"));
    EXPECT_FALSE(failed.pass);
    EXPECT_EQ(failed.failedStep, "verify");
    EXPECT_EQ(failed.message, "Verify failed at address 0010");
    EXPECT_EQ(failed.durationMs, 12345);
    EXPECT_EQ(failed.backupFile, "/backups/20261211-081500-COM1.dat");
    EXPECT_EQ(failed.operatorName, "Bo");
    EXPECT_EQ(cps::recordCsvLine(failed),
              "2026-12-11T10:00:00.000Z,COM2,other.dat," + std::string(64, 'a') +
                  ",5A 23 28,FAIL,verify,Verify failed at address 0010,12345,"
                  "/backups/20261211-081500-COM1.dat,Bo");
    // The zoned time is the same instant, newest first across zones.
    EXPECT_EQ(records[3].time, QDateTime::fromString("2026-12-10T01:30:00Z", Qt::ISODate));
    EXPECT_EQ(records[2].time, QDateTime::fromString("2026-12-10T09:00:00Z", Qt::ISODate));

    const auto at = [](const char *t) { return QDateTime::fromString(t, Qt::ISODate); };
    struct Case {
        const char *what;
        cps::RecordFilter filter;
        std::vector<QString> times; // the records expected, by stored time
    };
    cps::RecordFilter since, window, port, fails, plan, op, ident, limit, none;
    since.since = at("2026-12-10T09:00:00Z"); // inclusive
    window.since = at("2026-12-10T00:00:00Z");
    window.until = at("2026-12-10T09:00:00Z"); // exclusive
    port.port = "COM1";
    fails.pass = false;
    plan.plan = "other.dat";
    op.operatorName = "Ann";
    ident.ident = QByteArray::fromHex("5A5257");
    limit.limit = 2;
    none.port = "COM1";
    none.pass = true;
    none.since = at("2026-12-11T00:00:00Z");
    const Case cases[] = {
        {"since",
         since,
         {"2026-12-11T10:00:00.000Z", "2026-12-11T08:00:00.000Z", "2026-12-10T09:00:00.000Z"}},
        {"between", window, {"2026-12-10T01:30:00.000Z"}},
        {"port", port, {"2026-12-10T09:00:00.000Z", "2026-12-10T01:30:00.000Z"}},
        {"failed", fails, {"2026-12-11T10:00:00.000Z", "2026-12-10T01:30:00.000Z"}},
        {"plan", plan, {"2026-12-11T10:00:00.000Z"}},
        {"operator", op, {"2026-12-10T09:00:00.000Z", "2026-12-10T01:30:00.000Z"}},
        {"other radio", ident, {}},
        {"newest two", limit, {"2026-12-11T10:00:00.000Z", "2026-12-11T08:00:00.000Z"}},
        {"all at once", none, {}},
    };
    for (const auto &k : cases) {
        std::vector<QString> got;
        for (const auto &r : cps::queryRecords(db(), k.filter))
            got.push_back(cps::recordTimeText(r.time));
        EXPECT_EQ(got, k.times) << k.what;
    }
}

// Threads of one process (the line's ports) and processes (the desktop tool
// and a command-line line) writing at the same moments: every record arrives.
TEST_F(RadioRecord, ThreadsAndProcessesWritingAtOnceLoseNothing) {
    constexpr int kWriters = 4, kEach = 25;
    const auto write = [&](int w) {
        int stored = 0;
        for (int k = 0; k < kEach; ++k)
            stored +=
                append(entry("2026-12-11T08:00:00Z", QStringLiteral("W%1").arg(w), true)).stored;
        return stored;
    };
    std::vector<pid_t> children;
    for (int p = 0; p < 2; ++p) {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(write(100 + p) == kEach ? 0 : 1);
        children.push_back(child);
    }
    std::vector<int> stored(kWriters);
    std::vector<std::thread> threads;
    for (int w = 0; w < kWriters; ++w)
        threads.emplace_back([&, w] { stored[static_cast<std::size_t>(w)] = write(w); });
    for (auto &t : threads)
        t.join();
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a process lost a record";
    }
    EXPECT_EQ(stored, std::vector<int>(kWriters, kEach));
    EXPECT_EQ(all().size(), static_cast<std::size_t>((kWriters + 2) * kEach));
    cps::RecordFilter oneProcess;
    oneProcess.port = "W101";
    EXPECT_EQ(cps::queryRecords(db(), oneProcess).size(), static_cast<std::size_t>(kEach));
}

// The first two radios of a bench finish together on a database that does
// not exist yet: both create it at once (SQLite may answer "busy" without
// waiting while the other turns the new file to WAL). Many rounds, because
// the moment is narrow.
TEST_F(RadioRecord, TwoFirstWritersOfANewDatabaseBothStore) {
    for (int round = 0; round < 50; ++round) {
        const QString path = work.filePath(QStringLiteral("new-%1.sqlite").arg(round));
        std::barrier together(2);
        cps::RecordOutcome outcomes[2];
        const auto write = [&](int i) {
            together.arrive_and_wait();
            outcomes[i] = cps::appendRecord(c, path, entry("2026-12-11T08:00:00Z", "COM1", true));
        };
        std::thread a(write, 0), b(write, 1);
        a.join();
        b.join();
        for (const auto &o : outcomes)
            ASSERT_TRUE(o.stored) << "round " << round << ": " << o.warning.toStdString();
        ASSERT_EQ(cps::queryRecords(path, {}).size(), 2u);
    }
}

// Another program holds the write lock beyond the busy timeout: the record is
// not stored and the warning says so; once the lock is gone it is stored.
TEST_F(RadioRecord, ABusyDatabaseIsReportedNotWaitedForEver) {
    ASSERT_TRUE(append(entry("2026-12-11T08:00:00Z", "COM1", true)).stored);
    {
        RawDb holder(db());
        holder.exec("BEGIN EXCLUSIVE");
        const auto outcome = append(entry("2026-12-11T08:01:00Z", "COM1", true), 200);
        EXPECT_FALSE(outcome.stored);
        EXPECT_EQ(outcome.trouble, RecordTrouble::Busy);
        EXPECT_TRUE(outcome.warning.startsWith("This result could not be stored in the record of "
                                               "programmed radios (" +
                                               db() + "): another program kept the database busy"))
            << outcome.warning.toStdString();
        holder.exec("ROLLBACK");
    }
    EXPECT_TRUE(append(entry("2026-12-11T08:02:00Z", "COM1", true)).stored);
    EXPECT_EQ(all().size(), 2u);
}

// A file that is not a database: it is renamed aside byte for byte (never
// deleted), a new database is started and the record is in it.
TEST_F(RadioRecord, ADamagedFileIsKeptAsideAndANewOneStarted) {
    const QByteArray garbage = QByteArray("not a database at all\n").repeated(300);
    {
        QFile f(db());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(garbage);
    }
    const auto outcome = append(entry("2026-12-11T08:00:00Z", "COM1", true));
    EXPECT_TRUE(outcome.stored) << outcome.warning.toStdString();
    EXPECT_EQ(outcome.trouble, RecordTrouble::Corrupt);
    ASSERT_TRUE(outcome.keptAside.startsWith(db() + ".damaged-"))
        << outcome.keptAside.toStdString();
    EXPECT_EQ(outcome.warning, "The record of programmed radios was damaged: it was kept as " +
                                   outcome.keptAside + " and a new one was started.");
    QFile aside(outcome.keptAside);
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), garbage);
    EXPECT_EQ(all().size(), 1u);

    // The next record goes quietly into the new file.
    const auto next = append(entry("2026-12-11T08:01:00Z", "COM1", true));
    EXPECT_TRUE(next.stored && next.warning.isEmpty()) << next.warning.toStdString();
    EXPECT_EQ(all().size(), 2u);
    EXPECT_EQ(QDir(work.path()).entryList({"history.sqlite.damaged-*"}).size(), 1);
}

// Version 0 (a database made before its tables, with a table of someone
// else's) is brought to version 1 keeping that table; a newer version's file
// is left exactly as it is.
TEST_F(RadioRecord, OlderDatabasesAreMigratedAndNewerOnesLeftAlone) {
    {
        RawDb old(db());
        old.exec("CREATE TABLE notes (text TEXT)");
        old.exec("INSERT INTO notes VALUES ('bench 2')");
    }
    EXPECT_TRUE(append(entry("2026-12-11T08:00:00Z", "COM1", true)).stored);
    {
        RawDb migrated(db());
        EXPECT_EQ(migrated.value("PRAGMA user_version").toInt(), 1);
        EXPECT_EQ(migrated.value("SELECT text FROM notes").toString(), "bench 2");
    }
    EXPECT_EQ(all().size(), 1u);

    {
        RawDb newer(db());
        newer.exec("PRAGMA user_version = 2");
    }
    const auto outcome = append(entry("2026-12-11T08:01:00Z", "COM1", true));
    EXPECT_FALSE(outcome.stored);
    EXPECT_EQ(outcome.trouble, RecordTrouble::NewerSchema);
    EXPECT_TRUE(outcome.warning.endsWith("it was made by a newer version of this program."))
        << outcome.warning.toStdString();
    RawDb after(db());
    EXPECT_EQ(after.value("PRAGMA user_version").toInt(), 2);
    EXPECT_EQ(after.value("SELECT count(*) FROM radios").toInt(), 1);
}

// A folder or a file the user may not write: as root the system lets every
// write through, so the writer is a child process that became nobody.
TEST_F(RadioRecord, AReadOnlyFolderOrFileIsReported) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can become another user";
    const passwd *nobody = ::getpwnam("nobody");
    if (!nobody)
        GTEST_SKIP() << "this system has no user nobody";
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    const auto becomeNobody = [&] { return ::setgid(gid) == 0 && ::setuid(uid) == 0; };

    ASSERT_TRUE(append(entry("2026-12-11T08:00:00Z", "COM1", true)).stored);
    const QString folderOnly = work.filePath("locked/history.sqlite");
    QDir().mkpath(work.filePath("locked"));
    const std::string dirs[] = {work.path().toStdString(), work.filePath("locked").toStdString()};
    for (const auto &d : dirs)
        ::chmod(d.c_str(), 0755); // others may look, not write
    ::chmod(db().toLocal8Bit().constData(), 0644);

    struct Case {
        const char *what;
        QString path;
    };
    for (const Case &k : {Case{"new file in a read-only folder", folderOnly},
                          Case{"existing file, read-only", db()}}) {
        const int trouble = inChild(becomeNobody, [&] {
            const auto outcome =
                cps::appendRecord(c, k.path, entry("2026-12-11T08:01:00Z", "COM1", true));
            if (outcome.stored || !outcome.warning.contains("cannot be written"))
                return 90;
            return static_cast<int>(outcome.trouble);
        });
        if (trouble == 99)
            GTEST_SKIP() << "the system did not let the test process become nobody";
        EXPECT_EQ(trouble, static_cast<int>(RecordTrouble::ReadOnly)) << k.what;
    }
    EXPECT_FALSE(QFile::exists(folderOnly));
    EXPECT_EQ(all().size(), 1u);
}

// A disk that takes no more bytes, made with a file size limit in a child
// process (a small file system would need a mount): the record is refused
// with the reason, and what was recorded before is intact.
TEST_F(RadioRecord, AFullDiskIsReportedAndEarlierRecordsSurvive) {
    ASSERT_TRUE(append(entry("2026-12-11T08:00:00Z", "COM1", true)).stored);
    const auto noMoreBytes = [] {
        ::signal(SIGXFSZ, SIG_IGN); // a refused write, not a killed process
        const rlimit limit{0, 0};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    };
    const int trouble = inChild(noMoreBytes, [&] {
        const auto outcome = append(entry("2026-12-11T08:01:00Z", "COM1", true));
        if (outcome.stored || !outcome.warning.contains("the disk is full or refused the write"))
            return 90;
        return static_cast<int>(outcome.trouble);
    });
    EXPECT_EQ(trouble, static_cast<int>(RecordTrouble::WriteFailed));
    const auto records = all();
    ASSERT_EQ(records.size(), 1u);
    RawDb check(db());
    EXPECT_EQ(check.value("PRAGMA integrity_check").toString(), "ok");
    EXPECT_TRUE(append(entry("2026-12-11T08:02:00Z", "COM1", true)).stored);
}

} // namespace
