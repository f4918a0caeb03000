#pragma once
// Typed channel entries applied to the decoded channel table, by the rules the
// channel grid applies when an edit is committed. The grid and the command
// line's CSV import both use these, so a value typed in either place ends up
// the same in the plan.
#include "core/Cps.h"

#include <optional>
#include <string>

namespace cps {

// Snaps a frequency (10 Hz units) to the nearer of the 5 kHz raster (steps of
// 500) and the 6.25 kHz raster (steps of 625); step counts round half to even
// and a tie between the rasters goes to 6.25 kHz. Throws RunError 6 when the
// result does not fit 32 bits.
int32_t ModifyTxRxFre(long long tenHz);

// A typed MHz text as the stored frequency: exact decimal digits to 10 Hz units
// (half to even), snapped, clamped to the band. A value that cannot be
// converted falls back to 1200 (0.012 MHz), which ends at the band's low limit.
// Empty optional when the text is not numeric.
std::optional<int32_t> frequencyFromEntry(const Cps &c, const std::string &mhz);
// Whether the band clamps the frequency a numeric MHz text stands for (false
// for a text that is not numeric).
bool entryOutsideBand(const Cps &c, const std::string &mhz);
// A frequency as typed in a grid cell: a decimal comma stands for the decimal
// point ("446,5" is 446.5). A text with more than one comma, or with a point
// as well, is left as it is.
std::string withDecimalPoint(const std::string &typed);

// Receive entry on channel n: a number sets the frequency (a channel being
// created takes the none text, the transmit copy and the column defaults);
// anything else clears the channel.
void enterReceive(Cps &c, int n, const std::string &text);
// Transmit entry: a number sets it (the encode text follows the decode text when
// empty); anything else makes the channel receive-only.
void enterTransmit(Cps &c, int n, const std::string &text);
// Signalling entry for column 3 (decode, also copied to encode) or 4 (encode).
void enterSignalling(Cps &c, int n, int column, const std::string &text);
// Parameter column `field` (5..) takes a choice index.
void enterParameter(Cps &c, int n, int field, int choice);

// Whether channel n is in use (has a receive frequency).
bool channelInUse(const Cps &c, int n);

} // namespace cps
