#include "platform/LowLatency.h"

#include "platform/Branch.h"

#if BRENVIK_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace platform {

bool requestLowLatency(int descriptor) {
#if BRENVIK_LINUX
    if (descriptor < 0)
        return false;
    serial_struct ss{};
    if (ioctl(descriptor, TIOCGSERIAL, &ss) != 0)
        return false;
    if (ss.flags & ASYNC_LOW_LATENCY)
        return true;
    ss.flags |= ASYNC_LOW_LATENCY;
    return ioctl(descriptor, TIOCSSERIAL, &ss) == 0;
#else
    (void)descriptor;
    return false;
#endif
}

bool requestLowLatency(void *) {
    return false;
}

} // namespace platform
