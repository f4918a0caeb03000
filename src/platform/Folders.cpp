#include "platform/Folders.h"

#include "platform/Branch.h"

#include <filesystem>

#if BRENVIK_POSIX
#include <unistd.h>
#endif
#if BRENVIK_LINUX
#include <climits>
#endif

namespace platform {

namespace fs = std::filesystem;

bool folderWritable(const std::string &dir) {
#if BRENVIK_POSIX
    // access() also knows read-only mounts and the process's groups.
    return ::access(dir.c_str(), W_OK) == 0;
#else
    std::error_code ec;
    const auto perms = fs::status(dir, ec).permissions();
    return !ec && (perms & fs::perms::owner_write) != fs::perms::none;
#endif
}

std::string installDataDir(const std::string &programDir, const std::string &appFolder) {
    const fs::path bin(programDir);
#if defined(__APPLE__)
    // An app bundle: Contents/MacOS/<exe> beside Contents/Resources.
    if (bin.filename() == "MacOS")
        return (bin.parent_path() / "Resources").lexically_normal().string();
#endif
#if defined(_WIN32)
    (void)appFolder;
    return bin.string();
#else
    return (bin.parent_path() / "share" / appFolder).lexically_normal().string();
#endif
}

std::string executableDir(const char *argv0) {
#if BRENVIK_LINUX
    (void)argv0;
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    std::string p(path, static_cast<std::size_t>(n));
    return p.substr(0, p.find_last_of('/'));
#else
    std::error_code ec;
    const fs::path exe = argv0 ? fs::absolute(argv0, ec) : fs::path();
    return ec || !exe.has_parent_path() ? "." : exe.parent_path().string();
#endif
}

} // namespace platform
