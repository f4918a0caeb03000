#include "core/PortsEntry.h"

#include <fstream>
#include <string>

#ifndef _WIN32
#include <cerrno>
#include <csignal>
#endif

namespace cps {

namespace {
const std::string kMarker = " (brenvik-radio-sim ";
}

std::string simulatorPortsValue(const std::string &device, long pid) {
    return device + kMarker + std::to_string(pid) + ")";
}

PortsValue parsePortsValue(const std::string &value) {
    const auto at = value.rfind(kMarker);
    if (at == std::string::npos || value.empty() || value.back() != ')')
        return {value, 0};
    const std::string digits = value.substr(at + kMarker.size(), value.size() - 1 - at - kMarker.size());
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
        return {value, 0};
    return {value.substr(0, at), std::stol(digits)};
}

bool simulatorRunning(long pid) {
#ifdef _WIN32
    (void)pid;
    return true; // no cheap check: keep the entry
#else
    if (pid <= 0 || (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH))
        return false;
    // Where /proc tells more: a killed process not yet reaped (state Z) is
    // gone, and the number may have been given to another program since
    // (its name, of which the kernel keeps the first 15 characters, tells).
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!stat || !std::getline(stat, line))
        return true;
    const auto open = line.find('('), close = line.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close + 2 >= line.size())
        return true;
    const std::string name = line.substr(open + 1, close - open - 1);
    const char state = line[close + 2];
    return state != 'Z' && state != 'X' && name == std::string("brenvik-radio-sim").substr(0, 15);
#endif
}

std::string liveDevice(const std::string &value) {
    const PortsValue v = parsePortsValue(value);
    return v.simulatorPid == 0 || simulatorRunning(v.simulatorPid) ? v.device : std::string();
}

} // namespace cps
