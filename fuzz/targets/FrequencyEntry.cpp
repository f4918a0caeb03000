// The channel grid's frequency and signalling entries on any typed text and
// any band: a typed number lands on the raster inside the band, anything else
// empties the cell, and what the grid stored survives a save and reopen.
#include "FuzzSupport.h"
#include "SignallingText.h"
#include "Targets.h"

#include "core/ChannelCodec.h"
#include "core/ChannelEntry.h"
#include "core/Ctdcs.h"
#include "core/MemoryImage.h"
#include "core/Numeric.h"
#include "core/Plan.h"

#include <algorithm>

namespace fuzz {

// Helpers of this target, named so that several targets can share one test file.
namespace frequencyEntry {

constexpr long long kHalfRaster = 250;       // the 5 kHz raster is never farther than 2.5 kHz
constexpr int32_t kLowestStorable = 1000000; // 10 MHz: below it the slot reads as empty

bool onRaster(long long f) {
    return f % 500 == 0 || f % 625 == 0;
}

// One of the fixed bands, or any band whose edges the image's four BCD digits
// can hold (0.0 to 999.9 MHz), as an opened file may carry.
void chooseBand(cps::Cps &c, Cursor &in) {
    const int index = in.byte() % cps::kBandCount;
    if (index < cps::kCustomBand) {
        const auto &row = cps::bandTable()[static_cast<std::size_t>(index)];
        c.bandLow = row.low;
        c.bandHigh = row.high;
    } else {
        constexpr int32_t kEdgeStep = 10000; // 100 kHz
        auto edge = [&] {
            const int high = in.byte();
            return (high * 256 + in.byte()) % 10000 * kEdgeStep;
        };
        const int32_t a = edge(), b = edge();
        c.bandLow = std::min(a, b);
        c.bandHigh = std::max(a, b);
    }
    c.bandIndex = index;
}

void checkTypedFrequency(const cps::Cps &c, const std::string &text) {
    const auto f = cps::frequencyFromEntry(c, text);
    require(f.has_value() == cps::isNumeric(text),
            "a frequency entry is taken exactly when numeric");
    if (!f)
        return;
    require(*f >= c.bandLow && *f <= c.bandHigh, "a typed frequency is clamped into the band");
    require(onRaster(*f) || *f == c.bandLow || *f == c.bandHigh,
            "a typed frequency lies on the 5 or 6.25 kHz raster or on a band edge");
    if (const auto x = cps::decimalToScaled(text, 5)) {
        try {
            const long long k = cps::ModifyTxRxFre(*x);
            require(onRaster(k) && std::llabs(k - *x) <= kHalfRaster,
                    "snapping moves a frequency to the nearest raster point");
        } catch (const cps::RunError &e) {
            require(e.number == cps::err::Overflow, "snapping fails only by overflow");
        }
    }
}

} // namespace frequencyEntry

int fuzzFrequencyEntry(const uint8_t *data, std::size_t size) {
    using namespace frequencyEntry;
    Cursor in(data, size);
    cps::CollectingSink sink;
    cps::Cps c = readySession();
    c.sink = &sink;
    chooseBand(c, in);
    const int n = 1 + in.byte() % c.cols.channelCount;
    const std::string rx = in.text(), tx = in.text(), signalling = in.text();
    checkTypedFrequency(c, rx);
    checkTypedFrequency(c, tx);

    const auto row = [&] { return c.ch.ChInfo.at(static_cast<std::size_t>(n)); };
    const auto &dec = c.ch.decText.at(static_cast<std::size_t>(n));
    const auto &enc = c.ch.encText.at(static_cast<std::size_t>(n));
    // The default plan has channels in use; the others are empty.
    const bool existed = cps::channelInUse(c, n);
    const int32_t txBefore = row()[cps::field::Tx];
    const std::string decBefore = dec, encBefore = enc;
    cps::enterReceive(c, n, rx);
    require(cps::channelInUse(c, n) == cps::isNumeric(rx),
            "a receive entry keeps or creates the channel exactly when numeric");
    if (!cps::channelInUse(c, n))
        return 0;
    if (existed)
        require(row()[cps::field::Tx] == txBefore && dec == decBefore && enc == encBefore,
                "a new receive frequency leaves the channel's transmit side as it was");
    else
        require(row()[cps::field::Tx] == row()[cps::field::Rx] && dec == c.noneText && enc == dec,
                "a new channel transmits on its receive frequency without signalling");
    cps::enterTransmit(c, n, tx);
    const bool transmits = cps::isNumeric(tx);
    require(transmits == (row()[cps::field::Tx] != -1), "a transmit entry is taken when numeric");
    cps::enterSignalling(c, n, 3, signalling);
    require(dec == cps::parseCtdcsEntry(signalling, c.noneText) &&
                isSignallingText(dec, c.noneText),
            "the decode text is the parsed entry");
    require(enc == (transmits ? dec : std::string()),
            "the encode text follows the decode text, empty without transmit frequency");

    // Saving and reopening keeps what the grid stored.
    const auto stored = row();
    const std::string storedDec = dec, storedEnc = enc;
    cps::SetConvIicDat(c);
    require(sink.entries.empty(), "a stored channel converts without a failure");
    cps::IicDatToChInfo(c);
    if (stored[cps::field::Rx] >= kLowestStorable) {
        require(row()[cps::field::Rx] == stored[cps::field::Rx] && dec == storedDec,
                "the receive side survives a save and reopen");
        if (stored[cps::field::Tx] == -1 || stored[cps::field::Tx] >= kLowestStorable)
            require(row()[cps::field::Tx] == stored[cps::field::Tx] &&
                        (stored[cps::field::Tx] == -1 || enc == storedEnc),
                    "the transmit side survives a save and reopen");
    }
    return 0;
}

} // namespace fuzz
