#pragma once
// The record of one single Write (outside the programming line): the
// read/write window keeps each one as the line keeps its radios.
#include "comm/CheckedWrite.h"
#include "comm/RadioRecord.h"

namespace cps {

struct WriteFacts {
    QDateTime started;
    QString port;       // "COM3"
    QString planPath;   // the plan's file; the record keeps its name
    QString planSha256; // planImageSha256 of the plan before the write
    QString operatorName;
    qint64 durationMs = 0;
};

RecordEntry writeRecordEntry(const CheckedWriteResult &r, const WriteFacts &facts);

} // namespace cps
