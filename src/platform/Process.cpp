#include "platform/Process.h"

#include "platform/Branch.h"

#if BRENVIK_POSIX
#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>
#else
#include <QCoreApplication>
#include <ctime>
#endif

#if BRENVIK_LINUX
#include <fstream>
#include <sys/prctl.h>
#endif

namespace platform {

long currentProcessId() {
#if BRENVIK_POSIX
    return static_cast<long>(::getpid());
#else
    return static_cast<long>(QCoreApplication::applicationPid());
#endif
}

double processCpuSeconds() {
#if BRENVIK_POSIX
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
           static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
#else
    // Processor time where the C library counts it (on Windows: time since start).
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
#endif
}

double threadCpuSeconds() {
#if BRENVIK_POSIX && defined(CLOCK_THREAD_CPUTIME_ID)
    timespec t{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t) != 0)
        return -1;
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
#else
    return -1;
#endif
}

ProcessCalls processCalls() {
    ProcessCalls calls;
#if BRENVIK_POSIX
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    calls.sleeps = ru.ru_nvcsw;
#endif
#if BRENVIK_LINUX
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "syscr:")
            calls.reads = value;
        else if (key == "syscw:")
            calls.writes = value;
    }
#endif
    return calls;
}

bool processRunning(long pid, const std::string &name) {
#if BRENVIK_POSIX
    if (pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH))
        return false;
#if BRENVIK_LINUX
    // /proc tells more: a killed process not yet reaped (state Z) is gone, and
    // the number may have been given to another program since (its name, of
    // which the kernel keeps the first 15 characters, tells).
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!stat || !std::getline(stat, line))
        return true;
    const auto open = line.find('('), close = line.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close + 2 >= line.size())
        return true;
    const std::string running = line.substr(open + 1, close - open - 1);
    const char state = line[close + 2];
    return state != 'Z' && state != 'X' && running == name.substr(0, 15);
#else
    (void)name;
    return true;
#endif
#else
    (void)pid;
    (void)name;
    return true; // no cheap check
#endif
}

bool raisePriority(long pid) {
#if BRENVIK_POSIX
    return ::geteuid() == 0 && setpriority(PRIO_PROCESS, static_cast<id_t>(pid), -5) == 0;
#else
    (void)pid;
    return false;
#endif
}

void endWithParent() {
#if BRENVIK_LINUX
    prctl(PR_SET_PDEATHSIG, SIGTERM);
#endif
}

} // namespace platform
