#pragma once
// Channels whose frequencies lie outside the band limits, or whose tones are
// not the radio's standard ones. The grid clamps what the user types, but a
// plan opened from a file, read from a radio or left over from another band (a
// new plan keeps the default image's channels) can hold such frequencies; a
// write must not send them to a radio unasked.
//
// Values entered in bulk (paste, fill down, fill series, CSV import) are not
// clamped: among hundreds of values nobody sees one move to the band edge, and
// a licensed frequency must not change silently. They are refused instead.
#include "core/Cps.h"

#include <optional>
#include <string>
#include <vector>

namespace cps {

// Whether a frequency (10 Hz units) lies outside [bandLow, bandHigh]; -1 (none)
// never does.
bool frequencyOutsideBand(const Cps &c, int32_t tenHz);

// A MHz text entered in bulk: the frequency it snaps to (10 Hz units) as a typed
// entry does, when that lies inside the band; empty when it does not, or when
// the text is not a frequency at all (the caller tells those apart by
// isNumeric).
std::optional<int32_t> frequencyInBand(const Cps &c, const std::string &mhz);

// The channels in use (1..channel count, ascending) whose receive or transmit
// frequency lies outside the band limits.
std::vector<int> channelsOutsideBand(const Cps &c);

// The channels in use (ascending) whose decode, or encode when they transmit,
// is a CTCSS tone that is not one of the radio's standard tones.
std::vector<int> channelsWithNonStandardTones(const Cps &c);

// Channel numbers as ranges: {1, 2, 3, 7} -> "1-3, 7".
std::string channelRanges(const std::vector<int> &channels);

} // namespace cps
