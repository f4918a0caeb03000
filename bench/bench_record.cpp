// Recording one radio's result in the record of programmed radios, as a
// line's port does after each radio: open a connection, append, close; on a
// database that already holds a few months of a bench's radios. The median of many
// rounds against the bound the line can afford (5 ms), and against the same
// row appended to a plain CSV file with a flush (the line's log).
#include "BenchSupport.h"
#include "comm/LineLog.h"
#include "comm/RadioRecord.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kRounds = 200, kYear = 2000;

cps::RecordEntry radio(int n) {
    cps::RecordEntry e;
    e.time = QDateTime::currentDateTimeUtc();
    e.port = QStringLiteral("COM%1").arg(1 + n % 4);
    e.plan = QStringLiteral("site.dat");
    e.planSha256 = QString(64, QLatin1Char('a'));
    e.ident = QByteArray::fromHex("5A2328");
    e.pass = n % 10 != 0;
    e.failedStep = e.pass ? QString() : QStringLiteral("verify");
    e.durationMs = 60000;
    e.operatorName = QStringLiteral("Ann");
    return e;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    bench::ProgramFolder folder;
    cps::Cps c;
    testsupport::initCps(c, folder);
    QTemporaryDir work;
    const QString db = work.filePath("history.sqlite");
    for (int n = 0; n < kYear; ++n)
        if (!cps::appendRecord(c, db, radio(n)).stored) {
            std::fprintf(stderr, "the record could not be prepared\n");
            return 1;
        }

    int notStored = 0;
    int n = 0;
    const double record = bench::medianMs(
        kRounds, [&](int) { notStored += !cps::appendRecord(c, db, radio(n++)).stored; });
    cps::LineLog log;
    log.open(work.filePath("line.csv").toStdString());
    cps::LineResult line;
    line.port = QStringLiteral("COM1");
    line.pass = true;
    const double csv = bench::medianMs(kRounds, [&](int) { log.append(line); });

    std::printf("record one radio (connection, append, close), %d radios recorded: %8.3f ms"
                "   bound 5 ms: %s\n",
                kYear, record, record < 5.0 ? "met" : "NOT met");
    std::printf("append one CSV log line (flushed):                              %8.3f ms\n", csv);
    std::printf("(median of %d rounds)\n", kRounds);
    return notStored == 0 && record < 5.0 ? 0 : 1;
}
