#pragma once
// Test fixtures: a private copy of the program folder (the delivered settings
// file from the source tree, the default image from the build) and a ready
// shared state. Tests never touch or depend on the settings in build/bin, which
// a run of the program changes.
#include "core/Cps.h"
#include "core/Ctdcs.h"
#include "core/FaceText.h"
#include "core/Ini.h"
#include "core/MemoryImage.h"
#include "core/Plan.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

namespace testsupport {

inline const QString kDeliveredSettings = QStringLiteral(BRENVIK_SOURCE_DIR "/data/selvarn.ini");

// A temporary program folder holding selvarn.exe (and its delivered copy
// selvarn.default.ini) and dhcpqec.exe.
// The first-run marker is cleared so a start-up runs through.
class ProgramFolder {
public:
    ProgramFolder() {
        QFile::copy(kDeliveredSettings, settingsFile());
        QFile::copy(kDeliveredSettings, dir.filePath("selvarn.default.ini"));
        QFile::copy(QStringLiteral(BRENVIK_PROGRAM_DIR "/dhcpqec.exe"), dir.filePath("dhcpqec.exe"));
        QFile::setPermissions(settingsFile(), QFile::ReadOwner | QFile::WriteOwner);
        ini().write("Setting", "FirRun", "0");
    }
    QString path() const { return dir.path(); }
    QString settingsFile() const { return dir.filePath("selvarn.exe"); }
    cps::IniFile ini() const { return cps::IniFile(settingsFile().toStdString()); }
    void set(const std::string &key, const std::string &value, const std::string &section = "Setting") {
        ini().write(section, key, value);
    }
    QTemporaryDir dir;
};

// A shared state as start-up leaves it, without windows: texts for `lang`,
// image sized from the settings, column table read, signalling list built and
// a new plan from the default image with band 7.
inline void initCps(cps::Cps &c, const ProgramFolder &folder, int lang = 3,
                    cps::ErrorSink *sink = nullptr) {
    c.files = cps::portableLocations(folder.path().toStdString());
    c.SettingsFile = folder.settingsFile().toStdString();
    c.sink = sink;
    c.CurLang = static_cast<int16_t>(lang);
    cps::initBitTables(c);
    cps::LoadSoftFaceText(c);
    cps::sizeImage(c, cps::toInt16(c.ini().read("Setting", "DatNum", "0", 9)));
    cps::ReadChInfo(c);
    cps::GenCtdcsList(c);
    cps::selectBand(c, 7);
}

} // namespace testsupport
