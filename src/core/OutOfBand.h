#pragma once
// Channels whose frequencies lie outside the band limits. The grid clamps what
// the user types, but a plan opened from a file, read from a radio or left over
// from another band (a new plan keeps the default image's channels) can hold
// such frequencies; a write must not send them to a radio unasked.
#include "core/Cps.h"

#include <vector>

namespace cps {

// Whether a frequency (10 Hz units) lies outside [bandLow, bandHigh]; -1 (none)
// never does.
bool frequencyOutsideBand(const Cps &c, int32_t tenHz);

// The channels in use (1..channel count, ascending) whose receive or transmit
// frequency lies outside the band limits.
std::vector<int> channelsOutsideBand(const Cps &c);

} // namespace cps
