#include "comm/RecordCsv.h"

#include "comm/LineLog.h"
#include "core/CsvText.h"

namespace cps {

std::string recordCsvHeader() {
    return "Time,Port,Plan,PlanSha256,Ident,Result,FailedStep,Message,DurationMs,BackupFile,"
           "Operator";
}

std::string recordCsvLine(const RecordEntry &e) {
    const QString fields[] = {recordTimeText(e.time),
                              e.port,
                              e.plan,
                              e.planSha256,
                              identText(e.ident),
                              e.pass ? QStringLiteral("PASS") : QStringLiteral("FAIL"),
                              e.failedStep,
                              e.message,
                              QString::number(e.durationMs),
                              e.backupFile,
                              e.operatorName};
    std::string line;
    for (const auto &f : fields) {
        if (&f != fields)
            line += ',';
        line += csvField(f.toStdString());
    }
    return line;
}

} // namespace cps
