#pragma once
// What the user is told when a radio's result did not reach the record (or
// the record had to be started anew), in the interface language.
#include "comm/RadioRecord.h"

namespace cps {

// Interface texts of the record's warnings.
constexpr int kTextRecordNotStored = 734, kTextRecordBusy = 735, kTextRecordReadOnly = 736,
              kTextRecordWriteFailed = 737, kTextRecordDamagedKept = 738,
              kTextRecordNewerSchema = 739, kTextRecordCannotOpen = 740,
              kTextRecordStartedAnew = 741;

// Empty when the record was stored with nothing to say.
QString recordWarningText(const Cps &c, const QString &databasePath, const RecordOutcome &outcome);

} // namespace cps
