#include "core/FileLocations.h"

#include "core/DataFile.h"
#include "platform/Folders.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace cps {

namespace fs = std::filesystem;

namespace {

std::string join(const std::string &dir, const std::string &name) {
    return (fs::path(dir) / name).string();
}

bool holdsDefaultImage(const std::string &dir) {
    std::error_code ec;
    return fs::is_regular_file(join(dir, kDefaultImageFileName), ec);
}

} // namespace

FileLocations portableLocations(const std::string &programDir) {
    FileLocations f;
    f.mode = LayoutMode::Portable;
    f.programDir = programDir;
    f.deliveredDir = programDir;
    f.settingsFile = join(programDir, kSettingsFileName);
    f.deliveredSettings = join(programDir, kDeliveredSettingsFileName);
    f.defaultImage = join(programDir, kDefaultImageFileName);
    f.dataFolder = join(programDir, "Data");
    f.backupFolder = join(f.dataFolder, "Backup");
    f.helpFolder = programDir;
    f.historyDatabase = join(programDir, kHistoryFileName);
    return f;
}

FileLocations installedLocations(const std::string &programDir, const std::string &deliveredDir,
                                 const UserFolders &user) {
    FileLocations f;
    f.mode = LayoutMode::Installed;
    f.programDir = programDir;
    f.deliveredDir = deliveredDir;
    f.settingsFile = join(join(user.config, kAppFolderName), kUserSettingsFileName);
    f.deliveredSettings = join(deliveredDir, kDeliveredSettingsFileName);
    // A read-only copy of the portable layout (a write-protected stick) has
    // only its own settings file to start the user's copy from.
    std::error_code ec;
    if (!fs::exists(f.deliveredSettings, ec) &&
        fs::exists(join(deliveredDir, kSettingsFileName), ec))
        f.deliveredSettings = join(deliveredDir, kSettingsFileName);
    f.defaultImage = join(deliveredDir, kDefaultImageFileName);
    f.dataFolder = join(user.documents, kDocumentsFolderName);
    f.backupFolder = join(f.dataFolder, "Backup");
    f.helpFolder = deliveredDir;
    // A record is the user's data, not a setting: it belongs in the data
    // folder where the desktop keeps one.
    const std::string dataDir = user.data.empty() ? user.config : user.data;
    f.historyDatabase = join(join(dataDir, kAppFolderName), kHistoryFileName);
    return f;
}

bool folderWritable(const std::string &dir) {
    return platform::folderWritable(dir);
}

std::string installDataDir(const std::string &programDir) {
    return platform::installDataDir(programDir, kAppFolderName);
}

std::string deliveredDataDir(const std::string &programDir) {
    return holdsDefaultImage(programDir) ? programDir : installDataDir(programDir);
}

FileLocations chooseLocations(const std::string &programDir, const UserFolders &user,
                              bool programDirWritable) {
    if (programDirWritable && holdsDefaultImage(programDir))
        return portableLocations(programDir);
    return installedLocations(programDir, deliveredDataDir(programDir), user);
}

FileLocations locateFiles(const std::string &programDir, const UserFolders &user) {
    return chooseLocations(programDir, user, folderWritable(programDir));
}

bool seedUserSettings(const FileLocations &files, std::string &error) {
    if (!files.installed())
        return true;
    std::error_code ec;
    if (fs::exists(files.settingsFile, ec))
        return true;
    std::ifstream in(files.deliveredSettings, std::ios::binary);
    if (!in) {
        error = "cannot read the delivered settings " + files.deliveredSettings;
        return false;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const fs::path folder = fs::path(files.settingsFile).parent_path();
    fs::create_directories(folder, ec);
    try {
        writeFileAtomically(files.settingsFile, std::vector<uint8_t>(text.begin(), text.end()));
    } catch (const std::exception &) {
        error = "cannot write the settings " + files.settingsFile;
        return false;
    }
    return true;
}

std::string settingsToRead(const FileLocations &files) {
    std::error_code ec;
    if (files.installed() && !fs::exists(files.settingsFile, ec))
        return files.deliveredSettings;
    return files.settingsFile;
}

std::string describeLocations(const FileLocations &files) {
    return std::string(files.installed() ? "installed" : "portable") +
           " mode, settings: " + files.settingsFile;
}

} // namespace cps
