#include "core/OutOfBand.h"

#include "core/ChannelCodec.h"
#include "core/ChannelEntry.h"
#include "core/Ctdcs.h"
#include "core/Numeric.h"

#include <algorithm>

namespace cps {

bool frequencyOutsideBand(const Cps &c, int32_t tenHz) {
    return tenHz != -1 && (tenHz < c.bandLow || tenHz > c.bandHigh);
}

std::optional<int32_t> frequencyInBand(const Cps &c, const std::string &mhz) {
    if (!isNumeric(mhz))
        return std::nullopt;
    const auto x = decimalToScaled(mhz, 5);
    if (!x)
        return std::nullopt;
    int32_t k = 0;
    try {
        k = ModifyTxRxFre(*x);
    } catch (const RunError &) {
        return std::nullopt; // beyond 32 bits: far outside any band
    }
    if (k < c.bandLow || k > c.bandHigh)
        return std::nullopt;
    return k;
}

namespace {

int channelsToCheck(const Cps &c) {
    return std::clamp<int>(c.cols.channelCount, 0, kMaxChannels);
}

} // namespace

std::vector<int> channelsOutsideBand(const Cps &c) {
    std::vector<int> outside;
    for (int n = 1; n <= channelsToCheck(c); ++n) {
        if (!channelInUse(c, n))
            continue;
        const auto &row = c.ch.ChInfo[static_cast<std::size_t>(n)];
        if (frequencyOutsideBand(c, row[field::Rx]) || frequencyOutsideBand(c, row[field::Tx]))
            outside.push_back(n);
    }
    return outside;
}

std::vector<int> channelsWithNonStandardTones(const Cps &c) {
    std::vector<int> found;
    for (int n = 1; n <= channelsToCheck(c); ++n) {
        if (!channelInUse(c, n))
            continue;
        const auto i = static_cast<std::size_t>(n);
        const bool transmits = c.ch.ChInfo[i][field::Tx] != -1;
        if (isNonStandardTone(c.ch.decText[i]) || (transmits && isNonStandardTone(c.ch.encText[i])))
            found.push_back(n);
    }
    return found;
}

std::string channelRanges(const std::vector<int> &channels) {
    std::string text;
    for (std::size_t i = 0; i < channels.size();) {
        std::size_t j = i;
        while (j + 1 < channels.size() && channels[j + 1] == channels[j] + 1)
            ++j;
        text += (text.empty() ? "" : ", ") + std::to_string(channels[i]);
        if (j > i)
            text += "-" + std::to_string(channels[j]);
        i = j + 1;
    }
    return text;
}

} // namespace cps
