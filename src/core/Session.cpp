#include "core/Session.h"

#include "core/Ctdcs.h"
#include "core/FaceText.h"
#include "core/Ini.h"
#include "core/MemoryImage.h"

#include <filesystem>
#include <fstream>

namespace cps {

namespace {

constexpr uint32_t kDefaultOverColor = 0x0000FF, kDefaultDefColor = 0x000000;

uint32_t readColour(const IniFile &ini, const char *key, uint32_t fallback, bool &present) {
    const std::string text = ini.read("Setting", key, "", 30);
    present = false;
    if (text.empty())
        return fallback;
    try {
        std::size_t used = 0;
        const unsigned long v = std::stoul(text, &used, 10);
        if (used != text.size())
            return fallback;
        present = true;
        return static_cast<uint32_t>(v);
    } catch (const std::exception &) {
        return fallback;
    }
}

// The address keys of the read/write window; an unconvertible text keeps its default.
void readAddressKeys(Cps &c, const IniFile &ini) {
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
        const bool ok = guarded(c.log(), (std::string("Session->") + a.key).c_str(),
                                [&] { *a.value = hexToInt16(*a.text); });
        if (!ok) {
            *a.text = a.def;
            *a.value = hexToInt16(a.def);
        }
    }
    s.fillStart = 0;
    s.fillEnd = s.tableMaxAddr;
}

} // namespace

bool loadSession(Cps &c, const std::string &programDir, int langOverride) {
    namespace fs = std::filesystem;
    c.programDir = programDir;
    c.SettingsFile = (fs::path(programDir) / "selvarn.exe").string();
    bool usable = false;
    guarded(c.log(), "Session->loadSession", [&] {
        std::error_code ec;
        if (!fs::is_regular_file(c.SettingsFile, ec))
            raise(err::FileNotFound);
        if (!fs::is_regular_file(fs::path(programDir) / "dhcpqec.exe", ec))
            raise(err::FileNotFound);
        const IniFile ini = c.ini();
        initBitTables(c);
        c.ItemEnd = "*EndOfThisItem*";

        c.CurLang = langOverride >= 1 && langOverride <= 3
                        ? static_cast<int16_t>(langOverride)
                        : toInt16(ini.read("Setting", "Language", "2", 9));
        if (c.CurLang < 1 || c.CurLang > 3)
            c.CurLang = 3;
        LoadSoftFaceText(c);

        c.settings.com = toInt16(ini.read("Setting", "COM", "1", 9));
        const int datNum = toInt16(ini.read("Setting", "DatNum", "0", 9));
        if (datNum < 0x1FFF)
            raise(err::IndexOutOfRange); // the image must hold 0000..1FFF
        sizeImage(c, datNum);

        auto &s = c.settings;
        s.engFont = ini.read("Setting", "EngFont", "Times New Roman", 30);
        s.chsFont = ini.read("Setting", "ChsFont", "宋体", 30);
        c.CurFont = c.CurLang == 1 ? s.chsFont : s.engFont;
        s.overColor = readColour(ini, "OverColor", kDefaultOverColor, s.haveOverColor);
        s.defColor = readColour(ini, "DefColor", kDefaultDefColor, s.haveDefColor);
        readAddressKeys(c, ini);

        c.DefFilePath = (fs::path(programDir) / "Data" / "Untitled.dat").string();
        c.CurFilePath = c.DefFilePath;

        ReadChInfo(c);
        GenCtdcsList(c);
        // A new plan from the default image with the default band, as the
        // channel window starts.
        selectBand(c, kDefaultBand);
        usable = c.IicDat.size() == static_cast<std::size_t>(datNum) + 1;
    });
    return usable;
}

} // namespace cps
