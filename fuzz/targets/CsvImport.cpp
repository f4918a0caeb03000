// The channel CSV import on any text, in either layout, with and without
// skipping bad rows: every data row is either entered, refused with its
// line or noted past the last channel; a file without a row to enter changes
// nothing; a refusal without skipping leaves the plan untouched, what is entered
// lies in the band with signalling the tool can show, and the tool's own
// export of the result reads back to the same channels.
#include "FuzzSupport.h"
#include "SignallingText.h"
#include "Targets.h"

#include "core/ChannelCodec.h"
#include "core/ChannelCsv.h"
#include "core/ChannelEntry.h"
#include "core/MemoryImage.h"

#include <set>

namespace fuzz {

namespace csvImport {

struct Channels {
    std::vector<std::array<int32_t, cps::kChannelFields>> fields;
    std::vector<std::string> decode, encode;
    bool operator==(const Channels &) const = default;
};

Channels channelsOf(const cps::Cps &c) {
    Channels t;
    for (int n = 1; n <= c.cols.channelCount; ++n) {
        auto f = c.ch.ChInfo[static_cast<std::size_t>(n)];
        f[cps::field::Edited] = 0; // the edited mark is no part of the plan
        t.fields.push_back(f);
        t.decode.push_back(c.ch.decText[static_cast<std::size_t>(n)]);
        t.encode.push_back(c.ch.encText[static_cast<std::size_t>(n)]);
    }
    return t;
}

void checkEntered(const cps::Cps &c, const cps::ChannelCsvImport &result) {
    std::set<int> listed;
    for (const auto &row : result.read.rows) {
        listed.insert(row.channel);
        const auto &f = c.ch.ChInfo[static_cast<std::size_t>(row.channel)];
        const auto inBand = [&](int32_t v) { return v >= c.bandLow && v <= c.bandHigh; };
        require(inBand(f[cps::field::Rx]), "an entered receive frequency lies in the band");
        if (row.tx)
            require(row.tx->empty() ? f[cps::field::Tx] == -1 : inBand(f[cps::field::Tx]),
                    "an entered transmit frequency lies in the band, an empty one is none");
        require(isSignallingText(c.ch.decText[static_cast<std::size_t>(row.channel)], c.noneText),
                "an entered decode text is one the tool can show");
    }
    for (int n = 1; n <= c.cols.channelCount; ++n)
        require(cps::channelInUse(c, n) == (listed.count(n) == 1),
                "exactly the channels of the entered rows are in use");
}

} // namespace csvImport

int fuzzCsvImport(const uint8_t *data, std::size_t size) {
    using namespace csvImport;
    Cursor in(data, size);
    const uint8_t flags = in.byte();
    const bool skipBadRows = flags & 1;
    cps::CollectingSink sink;
    cps::Cps c = readySession();
    c.sink = &sink;
    cps::selectBand(c, (flags >> 1) % cps::kCustomBand);
    const std::string text = in.rest();
    const Channels before = channelsOf(c);
    const auto image = c.IicDat;

    cps::ChannelCsvImport result;
    std::size_t records = 0;
    try {
        records = cps::parseCsvText(text).records.size();
        result = cps::importChannelCsv(c, text, skipBadRows);
    } catch (const cps::CsvError &e) {
        require(channelsOf(c) == before && c.IicDat == image,
                "a text that is no channel table changes nothing");
        require(e.line >= 1, "a refused text names a line");
        return 0;
    }
    require(result.read.rows.size() + result.read.refused.size() +
                    result.read.pastLastChannel.size() + result.read.beforeStart.size() + 1 ==
                records,
            "every data row is either entered, refused or noted past the last channel");
    for (const auto &p : result.read.refused)
        require(p.line >= 2 && !p.message.empty(), "a refused row names its line and reason");
    if (!result.entered) {
        require((!result.read.refused.empty() && !skipBadRows) || result.read.rows.empty(),
                "only a refused row without skipping, or no row at all, stops the import");
        require(channelsOf(c) == before && c.IicDat == image,
                "a refused import leaves the plan untouched");
        return 0;
    }
    checkEntered(c, result);

    // A channel the file left partly as the plan had it may keep a transmit
    // frequency outside the band; reading such a plan back refuses that row, rightly.
    for (int n = 1; n <= c.cols.channelCount; ++n)
        for (int k : {cps::field::Rx, cps::field::Tx}) {
            const int32_t v = c.ch.ChInfo[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)];
            if (v != -1 && (v < c.bandLow || v > c.bandHigh))
                return 0;
        }
    const Channels imported = channelsOf(c);
    const std::string exported = cps::exportChannelCsv(c);
    const auto again = cps::importChannelCsv(c, exported, false);
    require(again.entered && again.read.refused.empty() && again.warnings.empty(),
            "the tool's own export reads back without a word");
    require(channelsOf(c) == imported, "the tool's own export reads back to the same channels");
    return 0;
}

} // namespace fuzz
