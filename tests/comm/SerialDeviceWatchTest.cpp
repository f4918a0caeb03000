// Devices coming and going, the file-driven device list, and the COM number a
// newly found cable is given.
#include "comm/CableComNumber.h"
#include "comm/PortMap.h"
#include "comm/SerialDeviceWatcher.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace cps {
namespace {

SerialDeviceFacts device(const char *path, uint16_t vid = 0, const char *serial = "") {
    SerialDeviceFacts f;
    f.device = QString::fromLatin1(path);
    if (vid) {
        f.vid = vid;
        f.pid = 0x7523;
    }
    f.serialNumber = QString::fromLatin1(serial);
    return f;
}

std::vector<std::string> described(const std::vector<SerialDeviceChange> &changes) {
    std::vector<std::string> out;
    for (const auto &c : changes)
        out.push_back((c.kind == SerialDeviceChange::Added ? "+" : "-") +
                      c.facts.device.toStdString());
    return out;
}

TEST(SerialDeviceWatchTest, ReportsDevicesThatCameAndWent) {
    FedSerialDeviceList list;
    list.set({device("/dev/ttyS0")});
    SerialDeviceWatcher watcher(list);
    EXPECT_TRUE(watcher.poll().empty()); // present from the start: no change

    list.set({device("/dev/ttyS0"), device("/dev/ttyUSB0", 0x1a86, "A")});
    EXPECT_EQ(described(watcher.poll()), std::vector<std::string>{"+/dev/ttyUSB0"});
    EXPECT_TRUE(watcher.poll().empty());

    // Another cable takes the same name between two looks: one went, one came.
    list.set({device("/dev/ttyS0"), device("/dev/ttyUSB0", 0x1a86, "B")});
    EXPECT_EQ(described(watcher.poll()),
              (std::vector<std::string>{"-/dev/ttyUSB0", "+/dev/ttyUSB0"}));

    list.set({});
    EXPECT_EQ(described(watcher.poll()),
              (std::vector<std::string>{"-/dev/ttyS0", "-/dev/ttyUSB0"}));
    list.set({device("/dev/ttyUSB0", 0x1a86, "B")}); // plugged in again
    EXPECT_EQ(described(watcher.poll()), std::vector<std::string>{"+/dev/ttyUSB0"});
}

TEST(SerialDeviceWatchTest, FileListReadsEachLineAsADevice) {
    QTemporaryDir dir;
    const QString path = dir.filePath("devices.txt");
    FileSerialDeviceList list(path);
    EXPECT_TRUE(list.snapshot().empty()); // no file yet: nothing plugged in

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("/dev/ttyUSB0\tUSB Serial\tQinHeng\t1a86:7523\tA1B2\n"
               "\n"
               "/dev/ttyACM0\n"
               "/dev/ttyUSB1\tX\tY\tnot-an-id\n"
               "/dev/ttyUSB2\t\t\t0403:6001\n");
    file.close();
    const auto devices = list.snapshot();
    ASSERT_EQ(devices.size(), 4u);
    EXPECT_EQ(devices[0].device, "/dev/ttyUSB0");
    EXPECT_EQ(devices[0].description, "USB Serial");
    EXPECT_EQ(devices[0].maker, "QinHeng");
    EXPECT_EQ(devices[0].usbId(), "1a86:7523");
    EXPECT_EQ(devices[0].serialNumber, "A1B2");
    EXPECT_EQ(devices[0].chip, "CH340/CH341");
    EXPECT_EQ(devices[1].device, "/dev/ttyACM0");
    EXPECT_FALSE(devices[1].vid.has_value());
    EXPECT_FALSE(devices[2].vid.has_value()); // a USB id that is none is left out
    EXPECT_EQ(devices[3].chip, "FTDI FT232R");
}

TEST(SerialDeviceWatchTest, ComNumberForAFoundCable) {
    const struct Case {
        const char *what;
        std::vector<std::pair<std::string, std::string>> pinned; // [Ports] entries
        QStringList present;
        const char *cable;
        int selected;
        int expected;
    } cases[] = {
        {"pinned before, pulled out and back",
         {{"5", "/dev/ttyUSB0"}},
         {"/dev/ttyS0", "/dev/ttyUSB0"},
         "/dev/ttyUSB0",
         1,
         5},
        {"the selected number is empty", {}, {"/dev/ttyUSB0"}, "/dev/ttyUSB0", 7, 7},
        {"the selected number's device is unplugged",
         {{"3", "/dev/ttyUSB4"}},
         {"/dev/ttyUSB0"},
         "/dev/ttyUSB0",
         3,
         3},
        {"the selected number holds a present device: the cable's own number",
         {},
         {"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"},
         "/dev/ttyUSB1",
         1,
         2},
        {"nothing selected", {}, {"/dev/ttyUSB0"}, "/dev/ttyUSB0", 0, 1},
    };
    for (const Case &k : cases) {
        QTemporaryDir dir;
        const IniFile ini(dir.filePath("settings.ini").toStdString());
        for (const auto &[key, value] : k.pinned)
            ini.write(kPortsSection, key, value);
        EXPECT_EQ(comNumberForCable(ini, k.present, QString::fromLatin1(k.cable), k.selected),
                  k.expected)
            << k.what;
    }

    // Every number held by a present device: none is left.
    QTemporaryDir dir;
    const IniFile ini(dir.filePath("settings.ini").toStdString());
    QStringList many;
    for (int n = 0; n < 17; ++n)
        many << QStringLiteral("/dev/ttyS%1").arg(n);
    EXPECT_EQ(comNumberForCable(ini, many, "/dev/ttyS16", 1), 0);

    pinComNumber(ini, 4, "/dev/ttyUSB3");
    EXPECT_EQ(ini.read(kPortsSection, "4", "", 512), "/dev/ttyUSB3");
}

} // namespace
} // namespace cps
