// The signalling entry of the channel grid and the signalling word conversions:
// any typed text parses to something the tool can store, and what it stores
// reads back as the same text.
#include "FuzzSupport.h"
#include "SignallingText.h"
#include "Targets.h"

#include "core/Ctdcs.h"
#include "core/FaceText.h"

namespace fuzz {

int fuzzCtdcsEntry(const uint8_t *data, std::size_t size) {
    Cursor in(data, size);
    cps::CollectingSink sink;
    cps::Cps c;
    c.sink = &sink;
    c.CurLang = static_cast<int16_t>(1 + in.byte() % 3);
    c.noneText = cps::noneTextFor(c.lang());
    const uint8_t high = in.byte(), low = in.byte();
    const std::string typed = in.rest();

    const std::string entry = cps::parseCtdcsEntry(typed, c.noneText);
    require(isSignallingText(entry, c.noneText),
            "a typed signalling entry gives none, a tone or a DCS code: '" + entry + "'");
    cps::QtDqtCharToIic(c, entry);
    require(sink.entries.empty(), "every parsed entry can be stored");
    require(cps::QtDqtIicToChar(c, c.convBuf[1], c.convBuf[0]) == entry,
            "a stored entry reads back as the same text");

    // Any stored word reads as something the grid can show.
    require(isSignallingText(cps::QtDqtIicToChar(c, high, low), c.noneText),
            "any signalling word reads as none, a tone or a DCS code");
    // Storing a text the grid never produces stays inside the conversion's own report.
    cps::QtDqtCharToIic(c, typed);
    require(sink.entries.empty() || sink.entries.back().place == "modChMem->QtDqtCharToIic",
            "a text that cannot be stored is reported by the conversion");
    return 0;
}

} // namespace fuzz
