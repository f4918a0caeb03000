// The plain names of programming-cable chips, by USB vendor and product.
#include "comm/SerialDeviceFacts.h"

#include <gtest/gtest.h>

namespace cps {
namespace {

TEST(SerialDeviceFactsTest, CableChipsByVendorAndProduct) {
    const struct {
        uint16_t vid, pid;
        const char *name;
    } cases[] = {
        {0x1a86, 0x7523, "CH340/CH341"},
        {0x1a86, 0x55d4, "CH9102"},
        {0x067b, 0x2303, "PL2303"},
        {0x10c4, 0xea60, "CP210x"},
        {0x0403, 0x6001, "FTDI FT232R"},
        {0x0403, 0x6015, "FTDI FT230X"},
        {0x0403, 0x6010, ""}, // an FTDI dual chip: no cable of ours
        {0x1a86, 0x0000, ""},
    };
    for (const auto &k : cases)
        EXPECT_EQ(cableChipName(k.vid, k.pid).toStdString(), k.name)
            << std::hex << k.vid << ":" << k.pid;
}

TEST(SerialDeviceFactsTest, UsbIdsAreFourHexDigits) {
    SerialDeviceFacts f;
    EXPECT_TRUE(f.vidHex().isEmpty());
    EXPECT_TRUE(f.usbId().isEmpty());
    f.vid = 0x403;
    f.pid = 0x6001;
    EXPECT_EQ(f.vidHex(), "0403");
    EXPECT_EQ(f.usbId(), "0403:6001");
    // A device the system does not list (a pseudo-terminal) keeps only its path.
    const SerialDeviceFacts pty = serialDeviceFacts(QStringLiteral("/dev/pts/999"));
    EXPECT_EQ(pty.device, "/dev/pts/999");
    EXPECT_FALSE(pty.vid.has_value());
}

} // namespace
} // namespace cps
