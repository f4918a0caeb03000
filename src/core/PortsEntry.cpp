#include "core/PortsEntry.h"

#include "platform/Process.h"

#include <string>

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
    return platform::processRunning(pid, "brenvik-radio-sim");
}

std::string liveDevice(const std::string &value) {
    const PortsValue v = parsePortsValue(value);
    return v.simulatorPid == 0 || simulatorRunning(v.simulatorPid) ? v.device : std::string();
}

} // namespace cps
