#include "platform/SerialDeviceNames.h"

#include <algorithm>
#include <tuple>

namespace platform {

namespace {

bool startsWith(const std::string &s, const std::string &prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

std::string withoutDev(const std::string &path) {
    return startsWith(path, "/dev/") ? path.substr(5) : path;
}

// The number after `prefix` when the rest of `name` is all digits (a number too
// long to count sorts as 0).
bool numberAfter(const std::string &name, const std::string &prefix, long long &number) {
    if (!startsWith(name, prefix) || name.size() == prefix.size())
        return false;
    const std::string digits = name.substr(prefix.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    number = digits.size() <= 18 ? std::stoll(digits) : 0;
    return true;
}

// (family rank, number, name): the order in which devices take COM numbers.
using OrderKey = std::tuple<int, long long, std::string>;

OrderKey linuxKey(const std::string &path) {
    const std::string name = withoutDev(path);
    int rank = 0;
    for (const char *family : {"ttyUSB", "ttyACM", "ttyS"}) {
        long long number = 0;
        if (numberAfter(name, family, number))
            return {rank, number, path};
        ++rank;
    }
    return {rank, 0, path};
}

OrderKey macKey(const std::string &path) {
    const std::string name = withoutDev(path);
    const int rank = startsWith(name, "cu.usbserial")  ? 0
                     : startsWith(name, "cu.usbmodem") ? 1
                     : startsWith(name, "cu.")         ? 2
                                                       : 3;
    return {rank, 0, path};
}

OrderKey windowsKey(const std::string &name) {
    long long number = 0;
    if (numberAfter(name, "COM", number))
        return {0, number, name};
    return {1, 0, name};
}

OrderKey orderKey(SerialNaming naming, const std::string &device) {
    switch (naming) {
    case SerialNaming::MacOS:
        return macKey(device);
    case SerialNaming::Windows:
        return windowsKey(device);
    case SerialNaming::Linux:
        break;
    }
    return linuxKey(device);
}

} // namespace

SerialNaming thisSystemsNaming() {
#if defined(_WIN32)
    return SerialNaming::Windows;
#elif defined(__APPLE__)
    return SerialNaming::MacOS;
#else
    return SerialNaming::Linux;
#endif
}

std::vector<std::string> orderSerialDevices(SerialNaming naming, std::vector<std::string> devices) {
    if (naming == SerialNaming::MacOS)
        std::erase_if(devices,
                      [](const std::string &d) { return startsWith(withoutDev(d), "tty."); });
    std::stable_sort(devices.begin(), devices.end(), [naming](const auto &a, const auto &b) {
        return orderKey(naming, a) < orderKey(naming, b);
    });
    // Equal names are neighbours now; the first of each stays.
    devices.erase(std::unique(devices.begin(), devices.end()), devices.end());
    return devices;
}

ComAssignment assignComNumbers(SerialNaming naming, const ComAssignment &entries,
                               const std::vector<std::string> &devices) {
    ComAssignment map = entries;
    if (naming == SerialNaming::Windows) {
        for (int n = 1; n <= kComNumbers; ++n)
            if (map[static_cast<std::size_t>(n - 1)].empty())
                map[static_cast<std::size_t>(n - 1)] = "COM" + std::to_string(n);
        return map;
    }
    const auto taken = [&entries](const std::string &device) {
        return std::find(entries.begin(), entries.end(), device) != entries.end();
    };
    auto next = devices.cbegin();
    for (auto &slot : map) {
        if (!slot.empty())
            continue;
        while (next != devices.cend() && taken(*next))
            ++next;
        if (next == devices.cend())
            break;
        slot = *next++;
    }
    return map;
}

} // namespace platform
