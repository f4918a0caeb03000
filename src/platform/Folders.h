#pragma once
// The folders that depend on the system: write access to a folder, where an
// installation keeps its data relative to the executables, and the folder of
// the running executable.
#include <string>

namespace platform {

// Whether this process may create files in `dir`.
bool folderWritable(const std::string &dir);

// The installation's data folder `appFolder` for executables in `programDir`:
// <prefix>/share/<appFolder> beside <prefix>/bin; an app bundle's Resources
// on macOS; the program folder itself on Windows, where installers put the
// data beside the executables.
std::string installDataDir(const std::string &programDir, const std::string &appFolder);

// The folder of the running executable; `argv0` is the program's first
// argument, for systems that cannot name the executable; "." when neither tells.
std::string executableDir(const char *argv0);

} // namespace platform
