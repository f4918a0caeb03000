#include "comm/WriteRecord.h"

#include <QFileInfo>

namespace cps {

RecordEntry writeRecordEntry(const CheckedWriteResult &r, const WriteFacts &facts) {
    RecordEntry e;
    e.time = facts.started;
    e.port = facts.port;
    e.plan = QFileInfo(facts.planPath).fileName();
    e.planSha256 = facts.planSha256;
    e.ident = r.ident;
    e.pass = r.ok;
    e.failedStep = r.ok ? QString() : stepName(r.failedStep);
    e.message = r.message;
    e.durationMs = facts.durationMs;
    e.backupFile = r.backupFile;
    e.operatorName = facts.operatorName;
    return e;
}

} // namespace cps
