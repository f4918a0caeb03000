#include "core/FileLocations.h"
#include "core/Ini.h"

#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

void touch(const QString &path, const std::string &text = "x") {
    QDir().mkpath(QFileInfo(path).path());
    std::ofstream(path.toStdString(), std::ios::binary) << text;
}

using testsupport::slurp;

// A prefix with bin/ and share/brenvik-cps/, and a home with config and documents.
struct Machine : ::testing::Test {
    QTemporaryDir root;
    std::string at(const char *rel) const { return root.filePath(rel).toStdString(); }
    cps::UserFolders user() const {
        return {at("home/.config"), at("home/Dokumente"), at("home/.local/share")};
    }
};

TEST_F(Machine, EveryPathOfBothLayouts) {
    const auto p = cps::portableLocations(at("stick"));
    EXPECT_EQ(p.mode, cps::LayoutMode::Portable);
    EXPECT_EQ(p.settingsFile, at("stick/selvarn.exe"));
    EXPECT_EQ(p.deliveredSettings, at("stick/selvarn.default.ini"));
    EXPECT_EQ(p.defaultImage, at("stick/dhcpqec.exe"));
    EXPECT_EQ(p.dataFolder, at("stick/Data"));
    EXPECT_EQ(p.backupFolder, at("stick/Data/Backup"));
    EXPECT_EQ(p.helpFolder, at("stick"));
    EXPECT_EQ(p.historyDatabase, at("stick/history.sqlite"));

    const auto i = cps::installedLocations(at("usr/bin"), at("usr/share/brenvik-cps"), user());
    EXPECT_EQ(i.mode, cps::LayoutMode::Installed);
    EXPECT_EQ(i.settingsFile, at("home/.config/brenvik-cps/selvarn.ini"));
    EXPECT_EQ(i.deliveredSettings, at("usr/share/brenvik-cps/selvarn.default.ini"));
    EXPECT_EQ(i.defaultImage, at("usr/share/brenvik-cps/dhcpqec.exe"));
    EXPECT_EQ(i.dataFolder, at("home/Dokumente/Brenvik"));
    EXPECT_EQ(i.backupFolder, at("home/Dokumente/Brenvik/Backup"));
    EXPECT_EQ(i.helpFolder, at("usr/share/brenvik-cps"));
    EXPECT_EQ(i.historyDatabase, at("home/.local/share/brenvik-cps/history.sqlite"));
    // A desktop that names no data folder: the record stays with the settings.
    EXPECT_EQ(cps::installedLocations(at("usr/bin"), at("usr/share/brenvik-cps"),
                                      {at("home/.config"), at("home/Dokumente")})
                  .historyDatabase,
              at("home/.config/brenvik-cps/history.sqlite"));
    EXPECT_NE(cps::describeLocations(i).find("installed mode, settings: " + i.settingsFile),
              std::string::npos);
}

TEST_F(Machine, ProgramFolderDecidesTheLayout) {
    // A folder holding the delivered files and writable: portable, as a build or a stick.
    touch(root.filePath("build/bin/dhcpqec.exe"));
    EXPECT_EQ(cps::locateFiles(at("build/bin"), user()).mode, cps::LayoutMode::Portable);

    // Executables without the delivered files: installed, data from <prefix>/share.
    touch(root.filePath("usr/bin/brenvik-cps"));
    touch(root.filePath("usr/share/brenvik-cps/dhcpqec.exe"));
    const auto installed = cps::locateFiles(at("usr/bin"), user());
    EXPECT_EQ(installed.mode, cps::LayoutMode::Installed);
    EXPECT_EQ(fs::path(installed.defaultImage).lexically_normal(),
              fs::path(at("usr/share/brenvik-cps/dhcpqec.exe")));
    EXPECT_EQ(cps::deliveredDataDir(at("build/bin")), at("build/bin"));
}

TEST_F(Machine, WriteProtectedStickKeepsItsFilesAndUsesTheUsersFolders) {
    touch(root.filePath("stick/dhcpqec.exe"));
    touch(root.filePath("stick/selvarn.exe"), "[Setting]\nFirRun=0\n");
    const auto f = cps::chooseLocations(at("stick"), user(), false);
    EXPECT_EQ(f.mode, cps::LayoutMode::Installed);
    EXPECT_EQ(f.defaultImage, at("stick/dhcpqec.exe"));
    EXPECT_EQ(f.deliveredSettings, at("stick/selvarn.exe")); // no pristine copy on the stick
    EXPECT_EQ(f.settingsFile, at("home/.config/brenvik-cps/selvarn.ini"));
    EXPECT_EQ(f.dataFolder, at("home/Dokumente/Brenvik"));

    // The folder's own write access decides (root may write anywhere: then skip).
    QFile::setPermissions(root.filePath("stick"), QFile::ReadOwner | QFile::ExeOwner);
    const bool writable = cps::folderWritable(at("stick"));
    QFile::setPermissions(root.filePath("stick"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!writable)
        EXPECT_EQ(cps::locateFiles(at("stick"), user()).mode, cps::LayoutMode::Installed);
    EXPECT_TRUE(cps::folderWritable(at("stick")));
}

TEST_F(Machine, FirstStartSeedsTheUsersCopyOnce) {
    const std::string delivered = "[Setting]\r\nFirRun=1\r\nDatNum=8191\r\n";
    touch(root.filePath("share/selvarn.default.ini"), delivered);
    const auto f = cps::installedLocations(at("bin"), at("share"), user());

    EXPECT_EQ(cps::settingsToRead(f), f.deliveredSettings); // nothing written by readers
    EXPECT_FALSE(fs::exists(f.settingsFile));

    std::string error;
    ASSERT_TRUE(cps::seedUserSettings(f, error)) << error;
    EXPECT_EQ(slurp(f.settingsFile), delivered);
    EXPECT_EQ(cps::settingsToRead(f), f.settingsFile);

    // The user's own changes survive later starts.
    cps::IniFile(f.settingsFile).write("Setting", "FirRun", "0");
    const std::string changed = slurp(f.settingsFile);
    ASSERT_TRUE(cps::seedUserSettings(f, error));
    EXPECT_EQ(slurp(f.settingsFile), changed);
    EXPECT_EQ(slurp(f.deliveredSettings), delivered);
}

TEST_F(Machine, SeedingFailuresNameThePath) {
    const auto f = cps::installedLocations(at("bin"), at("share"), user());
    std::string error;
    EXPECT_FALSE(cps::seedUserSettings(f, error));
    EXPECT_NE(error.find(f.deliveredSettings), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(f.settingsFile));

    // Portable: the settings beside the program are the user's own; nothing to seed.
    EXPECT_TRUE(cps::seedUserSettings(cps::portableLocations(at("stick")), error));
    EXPECT_FALSE(fs::exists(at("stick")));
}

} // namespace
