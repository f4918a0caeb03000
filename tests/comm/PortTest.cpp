// Port numbers: which device each COM number stands for, probing, and the
// automatic choice.
#include "CommFixture.h"
#include "comm/PortMap.h"
#include "comm/PortProbe.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

namespace cps {
namespace {

TEST(PortMap, AutomaticOrderThenExplicitEntries) {
    const QStringList found = sortSerialDevices({"/dev/ttyS10", "/dev/ttyS2", "/dev/ttyACM0",
                                                 "/dev/ttyUSB1", "/dev/ttyAMA0", "/dev/ttyUSB0"});
    EXPECT_EQ(found, (QStringList{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyACM0", "/dev/ttyS2",
                                  "/dev/ttyS10", "/dev/ttyAMA0"}));

    testsupport::ProgramFolder folder;
    auto map = mapComPorts(folder.ini(), found);
    EXPECT_EQ(map[0], "/dev/ttyUSB0");
    EXPECT_EQ(map[5], "/dev/ttyAMA0");
    EXPECT_EQ(map[6], "");

    // COM3 pointed at a pseudo-terminal, COM5 at a device also found: the found
    // devices fill the other numbers in order and none gets two numbers.
    folder.set("3", "/dev/pts/5", kPortsSection);
    folder.set("5", "/dev/ttyUSB1", kPortsSection);
    map = mapComPorts(folder.ini(), found);
    const std::vector<QString> expected = {
        "/dev/ttyUSB0", "/dev/ttyACM0", "/dev/pts/5",   "/dev/ttyS2",
        "/dev/ttyUSB1", "/dev/ttyS10",  "/dev/ttyAMA0", ""};
    for (std::size_t k = 0; k < expected.size(); ++k)
        EXPECT_EQ(map[k], expected[k]) << k + 1;
}

struct ProbeTest : test::LinkFixture, ::testing::Test {
    ProbeTest() {
        c.SettingsFile = folder.settingsFile().toStdString();
        status.fill(0);
    }
    testsupport::ProgramFolder folder;
    PortStatusTable status{};
};

TEST_F(ProbeTest, VerdictAndAutomaticChoice) {
    port.missingPorts = {1, 2, 3, 5};
    VerdictCom(port, status, 2);
    EXPECT_EQ(status[1], -1);
    EXPECT_FALSE(port.isOpen());

    c.settings.com = 2;
    AutoSetPort(c, port, status);
    EXPECT_EQ(c.settings.com, 4);
    EXPECT_EQ(c.ini().read("Setting", "COM", "", 9), "4");
    EXPECT_EQ(status[3], 1);
    EXPECT_EQ(status[4], -1);
    EXPECT_EQ(status[15], 1);
}

TEST_F(ProbeTest, NoUsablePortChangesNothing) {
    for (int n = 1; n <= 16; ++n)
        port.missingPorts.insert(n);
    c.settings.com = 7;
    c.ini().write("Setting", "COM", "7");
    AutoSetPort(c, port, status);
    EXPECT_EQ(c.settings.com, 7);
    EXPECT_EQ(c.ini().read("Setting", "COM", "", 9), "7");
    for (int s : status)
        EXPECT_EQ(s, -1);
}

TEST_F(ProbeTest, VerdictOutsideTheTableIsARunTimeError) {
    EXPECT_THROW(VerdictCom(port, status, 17), std::out_of_range);
}

} // namespace
} // namespace cps
