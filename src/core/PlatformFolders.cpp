// The platform-dependent half of the file locations: write access to a folder
// and where an installation keeps its data relative to the executables.
#include "core/FileLocations.h"

#include <filesystem>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace cps {

namespace fs = std::filesystem;

bool folderWritable(const std::string &dir) {
#if defined(__unix__) || defined(__APPLE__)
    // access() also knows read-only mounts and the process's groups.
    return ::access(dir.c_str(), W_OK) == 0;
#else
    std::error_code ec;
    const auto perms = fs::status(dir, ec).permissions();
    return !ec && (perms & fs::perms::owner_write) != fs::perms::none;
#endif
}

std::string installDataDir(const std::string &programDir) {
    const fs::path bin(programDir);
#if defined(__APPLE__)
    // An app bundle: Contents/MacOS/<exe> beside Contents/Resources.
    if (bin.filename() == "MacOS")
        return (bin.parent_path() / "Resources").lexically_normal().string();
#endif
#if defined(_WIN32)
    // Installers put the data beside the executables.
    return bin.string();
#else
    // <prefix>/bin beside <prefix>/share/brenvik-cps.
    return (bin.parent_path() / "share" / kAppFolderName).lexically_normal().string();
#endif
}

} // namespace cps
