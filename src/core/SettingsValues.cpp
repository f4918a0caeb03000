#include "core/SettingsValues.h"

#include "core/Numeric.h"

namespace cps {

namespace {

uint32_t readColour(const IniFile &ini, const char *key, uint32_t fallback, bool &present) {
    const auto v = decimalToScaled(ini.read("Setting", key, "", 30), 0);
    present = v && *v >= 0 && *v <= 0xFFFFFF;
    return present ? static_cast<uint32_t>(*v) : fallback;
}

} // namespace

void readFontsAndColours(Cps &c) {
    const IniFile ini = c.ini();
    auto &s = c.settings;
    s.engFont = ini.read("Setting", "EngFont", "Times New Roman", 30);
    s.chsFont = ini.read("Setting", "ChsFont", "宋体", 30);
    c.CurFont = c.CurLang == 1 ? s.chsFont : s.engFont;
    s.overColor = readColour(ini, "OverColor", 0x0000FF, s.haveOverColor);
    s.defColor = readColour(ini, "DefColor", 0x000000, s.haveDefColor);
}

void readAddressKeys(Cps &c, const std::string &place) {
    const IniFile ini = c.ini();
    auto &s = c.settings;
    struct Addr {
        const char *key, *def;
        std::string *text;
        int16_t *value;
    } addrs[] = {{"TableMaxAddr", "1FFF", &s.tableMaxAddrText, &s.tableMaxAddr},
                 {"ReadStartAddr", "0000", &s.readStartText, &s.readStart},
                 {"ReadEndAddr", "1FFF", &s.readEndText, &s.readEnd},
                 {"WriteStartAddr", "0000", &s.writeStartText, &s.writeStart},
                 {"WriteEndAddr", "1FFF", &s.writeEndText, &s.writeEnd}};
    for (auto &a : addrs) {
        *a.text = ini.read("Setting", a.key, a.def, 15);
        const bool ok = guarded(c.log(), (place + a.key).c_str(),
                                [&] { *a.value = hexToInt16(*a.text); });
        if (!ok) {
            *a.text = a.def;
            *a.value = hexToInt16(a.def);
        }
    }
    s.fillStart = 0;
    s.fillEnd = s.tableMaxAddr;
}

} // namespace cps
