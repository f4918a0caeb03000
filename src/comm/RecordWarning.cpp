#include "comm/RecordWarning.h"

#include <QDir>

namespace cps {

namespace {

QString text(const Cps &c, int n) {
    return QString::fromStdString(c.text(n));
}

int reasonText(RecordTrouble trouble) {
    switch (trouble) {
    case RecordTrouble::Busy:
        return kTextRecordBusy;
    case RecordTrouble::ReadOnly:
        return kTextRecordReadOnly;
    case RecordTrouble::WriteFailed:
        return kTextRecordWriteFailed;
    case RecordTrouble::Corrupt:
        return kTextRecordDamagedKept;
    case RecordTrouble::NewerSchema:
        return kTextRecordNewerSchema;
    case RecordTrouble::CannotOpen:
    case RecordTrouble::None:
        break;
    }
    return kTextRecordCannotOpen;
}

} // namespace

QString recordWarningText(const Cps &c, const QString &databasePath, const RecordOutcome &outcome) {
    QString note;
    if (!outcome.keptAside.isEmpty())
        note = text(c, kTextRecordStartedAnew).arg(QDir::toNativeSeparators(outcome.keptAside));
    if (outcome.stored)
        return note;
    QString reason = text(c, reasonText(outcome.trouble));
    if (!outcome.detail.isEmpty())
        reason += QStringLiteral(" (%1)").arg(outcome.detail);
    const QString warning =
        text(c, kTextRecordNotStored).arg(QDir::toNativeSeparators(databasePath), reason);
    return note.isEmpty() ? warning : note + QLatin1Char(' ') + warning;
}

} // namespace cps
