// Which device each COM number stands for, by each system's rule: the order in
// which the machine's devices take the numbers, and explicit entries.
#include "platform/SerialDeviceNames.h"

#include <gtest/gtest.h>

namespace {

using platform::SerialNaming;
using Devices = std::vector<std::string>;

TEST(SerialDeviceNames, OrderOfTheMachinesDevices) {
    struct Row {
        SerialNaming naming;
        Devices found, ordered;
    };
    const Row rows[] = {
        // Families by number (ttyS2 before ttyS10), then the rest by name;
        // ttySAC0 is not of the ttyS family. A device listed twice counts once.
        {SerialNaming::Linux,
         {"/dev/ttyS10", "/dev/ttySAC0", "/dev/ttyS2", "/dev/ttyACM0", "/dev/ttyUSB1",
          "/dev/ttyAMA0", "/dev/ttyUSB0", "/dev/rfcomm0", "/dev/ttyUSB1"},
         {"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyACM0", "/dev/ttyS2", "/dev/ttyS10",
          "/dev/rfcomm0", "/dev/ttyAMA0", "/dev/ttySAC0"}},
        // Call-out devices only: USB-serial cables, then modems, then the rest.
        {SerialNaming::MacOS,
         {"/dev/tty.usbserial-A1", "/dev/cu.Bluetooth-Incoming-Port", "/dev/cu.usbmodem14101",
          "/dev/cu.usbserial-A1", "/dev/tty.usbmodem14101", "/dev/cu.usbserial-0001"},
         {"/dev/cu.usbserial-0001", "/dev/cu.usbserial-A1", "/dev/cu.usbmodem14101",
          "/dev/cu.Bluetooth-Incoming-Port"}},
        {SerialNaming::Windows, {"COM10", "COM3", "COM1", "COM3"}, {"COM1", "COM3", "COM10"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(static_cast<int>(row.naming));
        EXPECT_EQ(platform::orderSerialDevices(row.naming, row.found), row.ordered);
    }
}

TEST(SerialDeviceNames, ExplicitEntriesThenTheMachinesDevices) {
    platform::ComAssignment entries;
    entries[2] = "/dev/pts/5";   // COM3: the virtual radio
    entries[4] = "/dev/ttyUSB1"; // COM5: a cable that is also found
    const Devices found = {"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyACM0"};

    // The found devices fill the other numbers in order; none gets two numbers.
    for (SerialNaming naming : {SerialNaming::Linux, SerialNaming::MacOS}) {
        const auto map = platform::assignComNumbers(naming, entries, found);
        EXPECT_EQ(map[0], "/dev/ttyUSB0");
        EXPECT_EQ(map[1], "/dev/ttyACM0");
        EXPECT_EQ(map[2], "/dev/pts/5");
        EXPECT_EQ(map[3], "");
        EXPECT_EQ(map[4], "/dev/ttyUSB1");
        EXPECT_EQ(map[15], "");
    }

    // More devices than numbers: the first sixteen.
    Devices many;
    for (int k = 0; k < 20; ++k)
        many.push_back("/dev/ttyS" + std::to_string(k));
    const auto full = platform::assignComNumbers(SerialNaming::Linux, {}, many);
    EXPECT_EQ(full[0], "/dev/ttyS0");
    EXPECT_EQ(full[15], "/dev/ttyS15");

    // Windows: every number is its own device name COMn unless an entry says otherwise.
    const auto windows = platform::assignComNumbers(SerialNaming::Windows, entries, {"COM7"});
    EXPECT_EQ(windows[0], "COM1");
    EXPECT_EQ(windows[1], "COM2");
    EXPECT_EQ(windows[2], "/dev/pts/5");
    EXPECT_EQ(windows[4], "/dev/ttyUSB1");
    EXPECT_EQ(windows[6], "COM7");
    EXPECT_EQ(windows[15], "COM16");
}

} // namespace
