#pragma once
// The error log's entries: two lines each. Line 1 is a dashed time stamp;
// line 2 names the place, the run-time error number, its source and its
// description (or, for the option-range form, the caller's report text).
#include <string>

namespace cps {

// "---------" + date-time text + "--------"
std::string errorLogFirstLine();
std::string errorLogRuntimeLine(const std::string &place, int number, const std::string &source);
std::string errorLogOptionLine(const std::string &report);

// Number as the platform's number-to-text shows it: a leading space for
// non-negative numbers (9 gives " 9").
std::string numberText(long long n);

// Simplified Chinese description of a run-time error number; empty when unknown.
std::string VbErrNumDes(int number);

} // namespace cps
