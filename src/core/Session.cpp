#include "core/Session.h"

#include "core/Ctdcs.h"
#include "core/FaceText.h"
#include "core/Ini.h"
#include "core/MemoryImage.h"
#include "core/SettingsRecovery.h"
#include "core/SettingsValues.h"

#include <filesystem>

namespace cps {

bool loadSession(Cps &c, const FileLocations &files, int langOverride, std::string *problem) {
    namespace fs = std::filesystem;
    c.files = files;
    c.SettingsFile = settingsToRead(files);
    c.settingsReadOnly = true;
    std::string why;
    bool usable = false;
    guarded(c.log(), "Session->loadSession", [&] {
        auto fail = [&](const std::string &file, const std::string &what, int number) {
            why = file + ": " + what;
            raise(number);
        };
        std::error_code ec;
        if (!fs::exists(fs::status(c.SettingsFile, ec)))
            fail(c.SettingsFile, "no such file", err::FileNotFound);
        if (const SettingsCheck check = checkSettingsFile(c.SettingsFile);
            check.problem != SettingsProblem::None)
            fail(c.SettingsFile, describe(check), err::PathFileAccess);
        if (!fs::is_regular_file(files.defaultImage, ec))
            fail(files.defaultImage, "no such file", err::FileNotFound);
        const IniFile ini = c.ini();
        // A numeric key of section "Setting"; a value that is not a number is
        // the settings file's fault and is named as such.
        auto number = [&](const char *key, const char *def, std::size_t n) {
            const std::string text = ini.read("Setting", key, def, n);
            try {
                return toInt16(text);
            } catch (const RunError &) {
                why = c.SettingsFile + ": [Setting] " + key + "=" + text + " is not a number";
                throw;
            }
        };
        initBitTables(c);
        c.ItemEnd = "*EndOfThisItem*";

        c.CurLang = langOverride >= 1 && langOverride <= 3 ? static_cast<int16_t>(langOverride)
                                                           : number("Language", "2", 9);
        if (c.CurLang < 1 || c.CurLang > 3)
            c.CurLang = 3;
        LoadSoftFaceText(c);

        c.settings.com = number("COM", "1", 9);
        const int datNum = number("DatNum", "0", 9);
        if (datNum < 0x1FFF) // the image must hold 0000..1FFF
            fail(c.SettingsFile,
                 "[Setting] DatNum=" + std::to_string(datNum) + " is too small (8191 or more)",
                 err::IndexOutOfRange);
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
        if (!usable)
            why = c.SettingsFile + ": the default plan could not be built from it";
    });
    if (problem)
        *problem = why;
    return usable;
}

} // namespace cps
