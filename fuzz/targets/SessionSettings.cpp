// Start-up from any settings file: the "Setting" keys, the column definition
// table and the signalling list are read, a new plan is built from the
// installed default image, and the plan is converted and decoded once.
#include "FuzzSupport.h"
#include "Targets.h"

#include "core/Ctdcs.h"
#include "core/Ini.h"
#include "core/Plan.h"
#include "core/Session.h"

namespace fuzz {

int fuzzSessionSettings(const uint8_t *data, std::size_t size) {
    const auto &folder =
        Scratch::get().programWithSettings(std::string(reinterpret_cast<const char *>(data), size));
    cps::CollectingSink sink;
    cps::Cps c;
    c.sink = &sink;
    const bool usable = cps::loadSession(c, cps::portableLocations(folder.string()));
    require(usable || !sink.entries.empty(), "a session that cannot be used says why in the log");
    if (!usable)
        return 0;

    require(c.CurLang >= 1 && c.CurLang <= 3, "the interface language is 1..3");
    require(c.IicDat.size() >= 0x2000 && c.TempDat.size() == c.IicDat.size(),
            "the image and the template hold at least addresses 0000..1FFF");
    require(c.ctdcsList.size() == static_cast<std::size_t>(cps::kCtdcsListSize) &&
                c.ctdcsList.front() == c.noneText,
            "the signalling list has its 261 entries, the none text first");
    const auto &s = c.settings;
    const std::pair<const std::string *, int16_t> addresses[] = {
        {&s.tableMaxAddrText, s.tableMaxAddr},
        {&s.readStartText, s.readStart},
        {&s.readEndText, s.readEnd},
        {&s.writeStartText, s.writeStart},
        {&s.writeEndText, s.writeEnd}};
    for (const auto &[text, value] : addresses)
        require(cps::hexToInt16(*text) == value, "an address key's text and value agree");
    require(s.fillStart == 0 && s.fillEnd == s.tableMaxAddr, "the fill range starts as the table");

    const auto &cols = c.cols;
    if (cols.channelCount >= 0 && cols.channelCount <= cps::kMaxChannels && cols.columnCount >= 0 &&
        cols.columnCount <= 50) {
        // The column table was read completely or not at all; what was read is consistent.
        require(cols.widths.empty() ||
                    cols.widths.size() == static_cast<std::size_t>(cols.columnCount) + 1,
                "one width per column and one for the label column");
        require(cols.items.empty() ||
                    cols.items.size() == static_cast<std::size_t>(cols.columnCount) + 1,
                "one item list per column");
    }

    // Whatever the table says, converting and decoding the new plan stays inside the program.
    cps::SetConvIicDat(c);
    cps::SoftDisplay(c);
    require(c.IicDat.size() == c.TempDat.size(), "the image keeps its length");
    return 0;
}

} // namespace fuzz
