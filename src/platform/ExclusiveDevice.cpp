#include "platform/ExclusiveDevice.h"

#include "platform/Branch.h"

#if BRENVIK_POSIX
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace platform {

ExclusiveDeviceHold::ExclusiveDeviceHold(const std::string &device) {
#if BRENVIK_POSIX
    descriptor_ = ::open(device.c_str(), O_RDWR | O_NOCTTY);
    held_ = descriptor_ >= 0 && ::ioctl(descriptor_, TIOCEXCL) == 0;
#else
    (void)device;
#endif
}

ExclusiveDeviceHold::~ExclusiveDeviceHold() {
#if BRENVIK_POSIX
    if (descriptor_ >= 0)
        ::close(descriptor_);
#endif
}

} // namespace platform
