#pragma once
// Notices serial devices coming and going by comparing the device list with
// the one seen last time. The caller decides how often to look (every half
// second is quick enough for a person plugging a cable in and costs nothing).
#include "comm/SerialDeviceList.h"

#include <vector>

namespace cps {

constexpr int kDeviceWatchIntervalMs = 500;

struct SerialDeviceChange {
    enum Kind { Added, Removed } kind;
    SerialDeviceFacts facts;
};

class SerialDeviceWatcher {
  public:
    // Takes the first look now: what is present already is not a change.
    explicit SerialDeviceWatcher(const SerialDeviceList &list);

    // Looks again: the devices gone since the last look, then the new ones.
    // A device whose facts changed under the same path (another cable on the
    // same name between two looks) counts as gone and new.
    std::vector<SerialDeviceChange> poll();

  private:
    const SerialDeviceList &list_;
    std::vector<SerialDeviceFacts> last_;
};

} // namespace cps
