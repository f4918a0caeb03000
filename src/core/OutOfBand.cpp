#include "core/OutOfBand.h"

#include "core/ChannelCodec.h"
#include "core/ChannelEntry.h"

#include <algorithm>

namespace cps {

bool frequencyOutsideBand(const Cps &c, int32_t tenHz) {
    return tenHz != -1 && (tenHz < c.bandLow || tenHz > c.bandHigh);
}

std::vector<int> channelsOutsideBand(const Cps &c) {
    std::vector<int> outside;
    const int count = std::clamp<int>(c.cols.channelCount, 0, kMaxChannels);
    for (int n = 1; n <= count; ++n) {
        if (!channelInUse(c, n))
            continue;
        const auto &row = c.ch.ChInfo[static_cast<std::size_t>(n)];
        if (frequencyOutsideBand(c, row[field::Rx]) || frequencyOutsideBand(c, row[field::Tx]))
            outside.push_back(n);
    }
    return outside;
}

} // namespace cps
