#pragma once
// [Ports] entries that belong to a running brenvik-radio-sim. The simulator
// writes its pseudo-terminal with its process id,
//
//     [Ports]
//     1=/dev/pts/5 (brenvik-radio-sim 4242)
//
// and removes the entry when it ends. Should it be killed outright, the entry
// stays behind: the port map then finds the process gone and ignores the
// entry, so a later Read never talks to an unrelated terminal that reused the
// pseudo-terminal's number.
#include <string>

namespace cps {

struct PortsValue {
    std::string device;
    long simulatorPid = 0; // 0: an ordinary entry, no process behind it
};

std::string simulatorPortsValue(const std::string &device, long pid);
PortsValue parsePortsValue(const std::string &value);

// Whether the process `pid` is a running brenvik-radio-sim.
bool simulatorRunning(long pid);

// The device a [Ports] value stands for: empty when it is a simulator's entry
// whose process has ended.
std::string liveDevice(const std::string &value);

} // namespace cps
