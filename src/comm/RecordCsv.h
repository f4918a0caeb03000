#pragma once
// The record of programmed radios as CSV, for spreadsheets: the command
// line's history --csv and the History window's export write the same columns.
//
//   Time,Port,Plan,PlanSha256,Ident,Result,FailedStep,Message,DurationMs,BackupFile,Operator
//
// Time is ISO 8601 in UTC, Ident as the line shows it ("5A 23 28").
#include "comm/RadioRecord.h"

#include <string>

namespace cps {

std::string recordCsvHeader();
// One line, without its line end.
std::string recordCsvLine(const RecordEntry &e);

} // namespace cps
