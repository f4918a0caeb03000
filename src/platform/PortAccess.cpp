#include "platform/PortAccess.h"

#include "platform/Branch.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#if BRENVIK_POSIX
#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#endif

namespace platform {

namespace {

#if BRENVIK_POSIX
class SystemFacts : public PortAccessFacts {
  public:
    int openError(const std::string &device) const override {
        // Non-blocking: a modem line without carrier would otherwise hold the open.
        const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0)
            return errno;
        ::close(fd);
        return 0;
    }

    std::string owningGroup(const std::string &device) const override {
        struct stat st {};
        if (::stat(device.c_str(), &st) != 0)
            return {};
        const group *g = ::getgrgid(st.st_gid);
        return g ? g->gr_name : std::string();
    }

    bool userListedIn(const std::string &groupName) const override {
        const group *g = ::getgrnam(groupName.c_str());
        const passwd *user = ::getpwuid(::getuid());
        if (!g || !user)
            return false;
        if (user->pw_gid == g->gr_gid)
            return true;
        for (char **member = g->gr_mem; member && *member; ++member)
            if (user->pw_name && std::string(*member) == user->pw_name)
                return true;
        return false;
    }

    bool loginCarries(const std::string &groupName) const override {
        const group *g = ::getgrnam(groupName.c_str());
        if (!g)
            return false;
        if (::getegid() == g->gr_gid)
            return true;
        const int count = ::getgroups(0, nullptr);
        if (count <= 0)
            return false;
        std::vector<gid_t> groups(static_cast<std::size_t>(count));
        const int got = ::getgroups(count, groups.data());
        return got > 0 &&
               std::find(groups.begin(), groups.begin() + got, g->gr_gid) != groups.begin() + got;
    }

    std::vector<PortHolder> holders(const std::string &device) const override {
        std::vector<PortHolder> found;
#if BRENVIK_LINUX
        namespace fs = std::filesystem;
        std::error_code ec;
        const fs::path target = fs::canonical(device, ec);
        if (ec)
            return found;
        const std::string self = std::to_string(::getpid());
        // Each process lists its open files as links under its fd folder;
        // those of other users' processes are hidden from us, and skipped.
        for (const auto &process : fs::directory_iterator("/proc", ec)) {
            const std::string pid = process.path().filename().string();
            if (pid.empty() || !std::all_of(pid.begin(), pid.end(), ::isdigit) || pid == self)
                continue;
            std::error_code fdError;
            for (const auto &fd : fs::directory_iterator(process.path() / "fd", fdError)) {
                std::error_code linkError;
                if (fs::read_symlink(fd.path(), linkError) != target || linkError)
                    continue;
                found.push_back({programName(process.path()), std::stoi(pid)});
                break;
            }
        }
#else
        (void)device;
#endif
        return found;
    }

  private:
#if BRENVIK_LINUX
    // The program's file name as started (the short "comm" name is cut at 15
    // characters); the short name for kernel threads and hidden command lines.
    static std::string programName(const std::filesystem::path &process) {
        std::ifstream cmdline(process / "cmdline");
        std::string first;
        std::getline(cmdline, first, '\0');
        if (!first.empty())
            return std::filesystem::path(first).filename().string();
        std::ifstream comm(process / "comm");
        std::getline(comm, first);
        return first;
    }
#endif
};
#else
// Without the system calls: a missing device is all that can be told.
class SystemFacts : public PortAccessFacts {
  public:
    int openError(const std::string &device) const override {
        std::error_code ec;
        return std::filesystem::exists(device, ec) ? 0 : ENOENT;
    }
    std::string owningGroup(const std::string &) const override { return {}; }
    bool userListedIn(const std::string &) const override { return false; }
    bool loginCarries(const std::string &) const override { return false; }
    std::vector<PortHolder> holders(const std::string &) const override { return {}; }
};
#endif

} // namespace

const PortAccessFacts &systemPortAccessFacts() {
    static const SystemFacts facts;
    return facts;
}

PortDiagnosis diagnosePort(int error, const std::string &device, const PortAccessFacts &facts) {
    PortDiagnosis d;
    d.error = error;
    d.device = device;
    if (error == 0)
        return d;
    d.systemText = std::generic_category().message(error);
    switch (error) {
    case EACCES:
    case EPERM:
        d.reason = PortReason::Permission;
        d.group = facts.owningGroup(device);
        if (d.group.empty() || d.group == "root" || facts.loginCarries(d.group))
            d.remedy = PortRemedy::None; // the group is not what keeps the user out
        else if (facts.userListedIn(d.group))
            d.remedy = PortRemedy::LogInAgain;
        else
            d.remedy = PortRemedy::AddToGroup;
        break;
    case EBUSY:
    case EAGAIN:
        d.reason = PortReason::Busy;
        d.remedy = PortRemedy::CloseHolder;
        d.holders = facts.holders(device);
        break;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        d.reason = PortReason::Unplugged;
        d.remedy = PortRemedy::PlugIn;
        break;
    case EIO:
        d.reason = PortReason::InputOutput;
        d.remedy = PortRemedy::Replug;
        break;
    default:
        d.reason = PortReason::Other;
        break;
    }
    return d;
}

PortDiagnosis diagnoseFailedOpen(const std::string &device, const PortAccessFacts &facts) {
    int error = facts.openError(device);
    if (error == 0)
        error = EBUSY; // it opens for us: the library found it locked by another program
    return diagnosePort(error, device, facts);
}

} // namespace platform
