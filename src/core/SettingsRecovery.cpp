#include "core/SettingsRecovery.h"

#include "core/Failure.h"
#include "core/Ini.h"
#include "core/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace cps {

SettingsCheck checkSettingsFile(const std::string &path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (!fs::exists(status))
        return {};
    if (!fs::is_regular_file(status))
        return {SettingsProblem::NotAFile,
                fs::is_directory(status) ? std::strerror(EISDIR) : std::string()};
    std::unique_ptr<FILE, int (*)(FILE *)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!in)
        return {SettingsProblem::Unreadable, std::strerror(errno)};
    std::string text;
    char buf[16384];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, in.get())) > 0)
        text.append(buf, n);
    if (std::ferror(in.get()))
        return {SettingsProblem::Unreadable, std::strerror(errno)};
    if (trimSpaces(text).find_first_not_of("\r\n") == std::string::npos)
        return {SettingsProblem::Empty, {}};
    // The section header on a line of its own, as the reader finds it.
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string t = trimSpaces(line);
        if (t.size() >= 9 && t.front() == '[') {
            const auto close = t.find(']');
            std::string name = close == std::string::npos ? "" : trimSpaces(t.substr(1, close - 1));
            for (auto &ch : name)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            if (name == "setting")
                return {};
        }
    }
    return {SettingsProblem::NoSettingSection, {}};
}

std::string describe(const SettingsCheck &check) {
    switch (check.problem) {
    case SettingsProblem::None: return {};
    case SettingsProblem::NotAFile:
        return check.reason.empty() ? "not a regular file" : check.reason;
    case SettingsProblem::Unreadable: return "cannot be read: " + check.reason;
    case SettingsProblem::Empty: return "empty";
    case SettingsProblem::NoSettingSection: return "no [Setting] section";
    }
    return {};
}

std::string setAsideAndRestore(const std::string &path, const std::string &delivered) {
    namespace fs = std::filesystem;
    // The delivered copy first: without it the user's file stays where it is.
    std::ifstream in(delivered, std::ios::binary);
    if (!in)
        throw RunError(err::FileNotFound, "BrenvikCPS", delivered + ": " + std::strerror(errno));
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::error_code ec;
    std::string kept = path + ".bad";
    for (int k = 1; fs::exists(fs::symlink_status(kept, ec)); ++k)
        kept = path + ".bad." + std::to_string(k);
    fs::rename(path, kept, ec);
    if (ec)
        throw RunError(err::PathFileAccess, "BrenvikCPS", ec.message());
    if (const std::string reason = saveFileAtomically(path, text); !reason.empty())
        throw RunError(err::PathFileAccess, "BrenvikCPS", reason);
    return kept;
}

} // namespace cps
