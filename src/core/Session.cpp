#include "core/Session.h"

#include "core/Ctdcs.h"
#include "core/FaceText.h"
#include "core/Ini.h"
#include "core/MemoryImage.h"
#include "core/SettingsValues.h"

#include <filesystem>

namespace cps {

bool loadSession(Cps &c, const FileLocations &files, int langOverride) {
    namespace fs = std::filesystem;
    c.files = files;
    c.SettingsFile = settingsToRead(files);
    bool usable = false;
    guarded(c.log(), "Session->loadSession", [&] {
        std::error_code ec;
        if (!fs::is_regular_file(c.SettingsFile, ec))
            raise(err::FileNotFound);
        if (!fs::is_regular_file(files.defaultImage, ec))
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

        readFontsAndColours(c);
        readAddressKeys(c, "Session->");

        c.DefFilePath = (fs::path(files.dataFolder) / "Untitled.dat").string();
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
