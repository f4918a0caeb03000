#pragma once
// Where every file of the tool lives. Two layouts:
//
//   portable   the program folder holds the delivered files and is writable
//              (a build folder, a USB stick): settings, default image, Data/
//              and help beside the executables, as the radio tool always had.
//   installed  the program folder is read-only (a package in /usr/bin): the
//              delivered files come from the installed data folder, the user's
//              settings from the user's config folder (seeded from the
//              delivered copy on the first start), plans and backups from a
//              folder in the user's documents.
//
// Nothing else builds a path to the settings, the default image, Data/ or the
// help by hand.
#include <string>

namespace cps {

enum class LayoutMode { Portable, Installed };

// The user's own folders, as the desktop names them.
struct UserFolders {
    std::string config;    // e.g. ~/.config
    std::string documents; // e.g. ~/Documents, ~/文档
    std::string data;      // e.g. ~/.local/share; empty: beside the settings
};

struct FileLocations {
    LayoutMode mode = LayoutMode::Portable;
    std::string programDir;        // the executables' folder
    std::string deliveredDir;      // delivered data: default image, settings copy, help
    std::string settingsFile;      // the settings this user reads and writes
    std::string deliveredSettings; // the pristine settings file as delivered
    std::string defaultImage;      // default image + template image
    std::string dataFolder;        // plans; Untitled.dat lives here
    std::string backupFolder;      // radio backups before a write
    std::string helpFolder;        // <Lang>Help.CHM and help/<lang>/
    std::string historyDatabase;   // the record of every radio programmed (SQLite)

    bool installed() const { return mode == LayoutMode::Installed; }
};

// File names inside the folders.
inline constexpr const char *kSettingsFileName = "selvarn.exe"; // INI text despite its name
inline constexpr const char *kUserSettingsFileName = "selvarn.ini";
inline constexpr const char *kDeliveredSettingsFileName = "selvarn.default.ini";
inline constexpr const char *kDefaultImageFileName = "dhcpqec.exe";
inline constexpr const char *kAppFolderName = "brenvik-cps";   // in the config folder
inline constexpr const char *kDocumentsFolderName = "Brenvik"; // in the documents folder
inline constexpr const char *kHistoryFileName = "history.sqlite";

// Everything in and beside `programDir` (also what --program-dir forces).
FileLocations portableLocations(const std::string &programDir);

// Delivered files from `deliveredDir`, the user's files under `user`.
FileLocations installedLocations(const std::string &programDir, const std::string &deliveredDir,
                                 const UserFolders &user);

// Decides the layout for the executables' folder `programDir`: portable when it
// holds the default image and `programDirWritable`, installed otherwise.
FileLocations chooseLocations(const std::string &programDir, const UserFolders &user,
                              bool programDirWritable);
// The same, asking the system whether this process may write there.
FileLocations locateFiles(const std::string &programDir, const UserFolders &user);

// The folder of the delivered data for `programDir`: the program folder itself
// when it holds the default image, else the install prefix's data folder.
std::string deliveredDataDir(const std::string &programDir);

// Installed layout only: when the user has no settings file yet, creates its
// folder and copies the delivered settings there (atomically). The copy keeps
// the delivered first-run marker, so the first start chooses the language.
// Returns false with `error` naming the path when the copy cannot be made.
bool seedUserSettings(const FileLocations &files, std::string &error);

// The settings file a command that only reads should read: the user's copy,
// or the delivered one while the user has none yet (installed layout).
std::string settingsToRead(const FileLocations &files);

// One line for About boxes and --version: mode and settings location.
std::string describeLocations(const FileLocations &files);

// --- the system's part (platform/Folders.h)

// Whether this process may create files in `dir`.
bool folderWritable(const std::string &dir);
// The install prefix's data folder for executables in `programDir`.
std::string installDataDir(const std::string &programDir);

} // namespace cps
