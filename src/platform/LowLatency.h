#pragma once
// USB-serial adapters hold short replies back for their latency timer (16 ms by
// default), which would add seconds to every transfer of a few hundred short
// frames. These ask the driver of an open serial device to pass bytes on at
// once. Devices without the setting (pseudo-terminals, some UARTs) and systems
// without the request keep their behaviour. True when low-latency mode is on.

namespace platform {

// `descriptor`: the open device's file descriptor (Linux, macOS).
bool requestLowLatency(int descriptor);
// `handle`: the open device's handle (Windows, where the adapter's driver
// settings decide and nothing is asked).
bool requestLowLatency(void *handle);

} // namespace platform
