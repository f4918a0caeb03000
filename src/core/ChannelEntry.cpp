#include "core/ChannelEntry.h"

#include "core/ChannelCodec.h"
#include "core/Ctdcs.h"
#include "core/Numeric.h"

#include <cstdlib>
#include <limits>

namespace cps {

namespace {

int32_t &fieldOf(Cps &c, int n, int f) {
    return c.ch.ChInfo.at(static_cast<std::size_t>(n)).at(static_cast<std::size_t>(f));
}

int32_t clampToBand(const Cps &c, int32_t k) {
    if (k < c.bandLow) k = c.bandLow;
    if (k > c.bandHigh) k = c.bandHigh;
    return k;
}

// A numeric MHz text as a frequency on the raster, before the band clamps it.
// A value that cannot be converted falls back to 1200 (0.012 MHz).
std::optional<int32_t> snappedEntry(const std::string &mhz) {
    if (!isNumeric(mhz))
        return std::nullopt;
    try {
        const auto x = decimalToScaled(mhz, 5);
        if (!x || *x > std::numeric_limits<int32_t>::max() ||
            *x < std::numeric_limits<int32_t>::min())
            raise(err::Overflow);
        return ModifyTxRxFre(*x);
    } catch (const RunError &) {
        return ModifyTxRxFre(1200);
    }
}

} // namespace

int32_t ModifyTxRxFre(long long x) {
    const long long s5 = divRoundHalfEven(x, 500), s6 = divRoundHalfEven(x, 625);
    const long long e5 = std::llabs(x - s5 * 500), e6 = std::llabs(x - s6 * 625);
    const long long k = e5 < e6 ? s5 * 500 : s6 * 625;
    if (k > std::numeric_limits<int32_t>::max() || k < std::numeric_limits<int32_t>::min())
        raise(err::Overflow);
    return static_cast<int32_t>(k);
}

std::optional<int32_t> frequencyFromEntry(const Cps &c, const std::string &mhz) {
    const auto k = snappedEntry(mhz);
    if (!k)
        return std::nullopt;
    return clampToBand(c, *k);
}

bool entryOutsideBand(const Cps &c, const std::string &mhz) {
    const auto k = snappedEntry(mhz);
    return k && clampToBand(c, *k) != *k;
}

std::string withDecimalPoint(const std::string &typed) {
    const auto comma = typed.find(',');
    if (comma == std::string::npos || typed.find(',', comma + 1) != std::string::npos ||
        typed.find('.') != std::string::npos)
        return typed;
    std::string text = typed;
    text[comma] = '.';
    return text;
}

bool channelInUse(const Cps &c, int n) {
    return c.ch.ChInfo.at(static_cast<std::size_t>(n)).at(field::Rx) != -1;
}

void enterReceive(Cps &c, int n, const std::string &text) {
    fieldOf(c, n, field::Edited) = 1;
    auto &dec = c.ch.decText.at(static_cast<std::size_t>(n));
    auto &enc = c.ch.encText.at(static_cast<std::size_t>(n));
    const auto k = frequencyFromEntry(c, text);
    if (!k) {
        for (int f = 1; f <= c.cols.columnCount; ++f) fieldOf(c, n, f) = -1;
        dec.clear();
        enc.clear();
        return;
    }
    fieldOf(c, n, field::Rx) = *k;
    if (!dec.empty()) return; // an existing channel keeps its transmit side
    dec = c.noneText;
    if (fieldOf(c, n, field::Tx) == -1) {
        fieldOf(c, n, field::Tx) = *k;
        enc = dec;
    }
    for (int f = 5; f <= c.cols.columnCount; ++f)
        if (fieldOf(c, n, f) == -1) fieldOf(c, n, f) = toInt16(c.cols.item(f, 2));
}

void enterTransmit(Cps &c, int n, const std::string &text) {
    fieldOf(c, n, field::Edited) = 1;
    auto &enc = c.ch.encText.at(static_cast<std::size_t>(n));
    const auto k = frequencyFromEntry(c, text);
    if (!k) {
        fieldOf(c, n, field::Tx) = -1;
        enc.clear();
        return;
    }
    fieldOf(c, n, field::Tx) = *k;
    if (enc.empty()) enc = c.ch.decText.at(static_cast<std::size_t>(n));
}

void enterSignalling(Cps &c, int n, int column, const std::string &text) {
    fieldOf(c, n, field::Edited) = 1;
    const auto result = parseCtdcsEntry(text, c.noneText);
    auto &dec = c.ch.decText.at(static_cast<std::size_t>(n));
    auto &enc = c.ch.encText.at(static_cast<std::size_t>(n));
    if (column == 3) {
        dec = result;
        enc = result;
    } else {
        enc = result;
    }
    if (!channelInUse(c, n)) {
        for (int f = 1; f <= c.cols.columnCount; ++f) fieldOf(c, n, f) = -1;
        dec.clear();
        enc.clear();
    } else if (fieldOf(c, n, field::Tx) == -1) {
        enc.clear();
    }
}

void enterParameter(Cps &c, int n, int field, int choice) {
    fieldOf(c, n, field::Edited) = 1;
    fieldOf(c, n, field) = choice;
}

} // namespace cps
