#include "comm/SerialDeviceWatcher.h"

#include <algorithm>

namespace cps {

namespace {

bool sameDevice(const SerialDeviceFacts &a, const SerialDeviceFacts &b) {
    return a.device == b.device && a.vid == b.vid && a.pid == b.pid &&
           a.serialNumber == b.serialNumber;
}

bool contains(const std::vector<SerialDeviceFacts> &list, const SerialDeviceFacts &f) {
    return std::any_of(list.begin(), list.end(),
                       [&](const SerialDeviceFacts &g) { return sameDevice(f, g); });
}

} // namespace

SerialDeviceWatcher::SerialDeviceWatcher(const SerialDeviceList &list)
    : list_(list), last_(list.snapshot()) {}

std::vector<SerialDeviceChange> SerialDeviceWatcher::poll() {
    std::vector<SerialDeviceFacts> now = list_.snapshot();
    std::vector<SerialDeviceChange> changes;
    for (const auto &f : last_)
        if (!contains(now, f))
            changes.push_back({SerialDeviceChange::Removed, f});
    for (const auto &f : now)
        if (!contains(last_, f))
            changes.push_back({SerialDeviceChange::Added, f});
    last_ = std::move(now);
    return changes;
}

} // namespace cps
