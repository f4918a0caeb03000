#pragma once
// Which device each of COM1..COM16 stands for. The rule is the system's, so the
// system is a parameter and every rule can be checked on any machine:
//
//   Linux    An explicit entry (the settings' [Ports] section) wins. The numbers
//            without one take the machine's devices in a stable order:
//            /dev/ttyUSB* (USB-serial cables), then /dev/ttyACM*, then
//            /dev/ttyS*, then any other serial device, each family by number.
//            A device already named by an entry is not given a second number.
//   macOS    The same with the call-out devices: /dev/cu.usbserial* (USB-serial
//            cables), then /dev/cu.usbmodem*, then the other /dev/cu.*. Their
//            dial-in twins /dev/tty.* wait for a carrier and get no number.
//   Windows  An explicit entry wins; every other number is the system's own
//            device name COMn.
//
// Other systems follow the Linux rule (their devices sort by name).
#include <array>
#include <string>
#include <vector>

namespace platform {

enum class SerialNaming { Linux, MacOS, Windows };

constexpr int kComNumbers = 16;
using ComAssignment = std::array<std::string, kComNumbers>; // index 0 = COM1; empty: none

// The rule of the system this program was built for.
SerialNaming thisSystemsNaming();

// The machine's serial devices in the order the COM numbers take them, without
// duplicates and without the devices that never get a number.
std::vector<std::string> orderSerialDevices(SerialNaming naming, std::vector<std::string> devices);

// The device of every COM number: `entries` the explicit ones (empty where a
// number has none), `devices` the machine's in the order above.
ComAssignment assignComNumbers(SerialNaming naming, const ComAssignment &entries,
                               const std::vector<std::string> &devices);

} // namespace platform
