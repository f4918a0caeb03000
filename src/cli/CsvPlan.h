#pragma once
// The channel table as CSV (UTF-8):
//
//   Channel,Receive,Transmit,Decode,Encode,P5,P6,P7,P8[,P9...]
//   1,145.12500,145.12500,67.0,67.0,1,0,1,0
//
// One row per channel in use, ascending. Receive/Transmit in MHz with five
// decimals (Transmit empty when the channel only receives), Decode/Encode the
// signalling text, Pf the choice index of parameter column f (5 up to the
// column count).
#include "core/Cps.h"

#include <string>

namespace cli {

// One CSV field, quoted when it holds a comma, a quote, a line break or edge spaces.
std::string csvField(const std::string &s);

std::string csvHeader(const cps::Cps &c);
std::string exportCsv(const cps::Cps &c);

// Enters every row as the channel grid takes typed values (frequency snapped
// to the raster and clamped to the band, signalling by the grid's rules,
// parameters as choice indexes) and deletes every channel not listed. Every
// row is checked first: a malformed one throws CliFailure (file error) naming
// its line, and the plan is left untouched.
void importCsv(cps::Cps &c, const std::string &csvText);

} // namespace cli
