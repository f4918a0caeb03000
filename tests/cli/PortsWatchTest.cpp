// ports --watch: a line for each serial device that comes or goes, from a
// device list the test rewrites (the system never lists a pseudo-terminal).
#include "CliHarness.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace clitest {
namespace {

struct PortsWatchTest : CliFixture {
    // The devices "plugged in" now; replaced in one step, as the system's list is.
    void plug(const QByteArray &lines) {
        QSaveFile file(devices);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(lines);
        ASSERT_TRUE(file.commit());
    }
    // A watching brenvik-cli pointed at that list.
    std::unique_ptr<RunningCli> watch(QStringList args) {
        qputenv("BRENVIK_TEST_SERIAL_DEVICES", devices.toLocal8Bit());
        args.prepend("--watch");
        args.prepend("ports");
        auto running = std::make_unique<RunningCli>(args << "--program-dir" << folder.path());
        qunsetenv("BRENVIK_TEST_SERIAL_DEVICES");
        return running;
    }
    QString devices = path("devices.txt");
    static constexpr const char *kCable = "/dev/ttyUSB0\tUSB Serial\tQinHeng\t1a86:7523\tA1B2\n";
};

TEST_F(PortsWatchTest, PrintsDevicesAsTheyComeAndGoUntilCtrlC) {
    folder.set("3", "/dev/ttyUSB0", "Ports"); // the cable keeps COM3 wherever it is
    plug("/dev/ttyS0\n");
    const auto running = watch({});
    ASSERT_TRUE(running->waitFor("watching", 1, true)) << running->err().toStdString();

    plug(QByteArray("/dev/ttyS0\n") + kCable);
    const QString added = "added\tCOM3\t/dev/ttyUSB0\tUSB Serial\tQinHeng\t1a86:7523\tA1B2\t"
                          "CH340/CH341\n";
    ASSERT_TRUE(running->waitFor(added)) << running->out().toStdString();
    plug("/dev/ttyS0\n");
    ASSERT_TRUE(running->waitFor("removed\tCOM3\t/dev/ttyUSB0\t")) << running->out().toStdString();
    plug(QByteArray("/dev/ttyS0\n") + kCable); // plugged in again
    ASSERT_TRUE(running->waitFor(added, 2)) << running->out().toStdString();

    EXPECT_EQ(running->interruptAndWait(), 0) << running->err().toStdString();
    EXPECT_TRUE(running->out().startsWith("EVENT\tCOM\tDEVICE\tDESCRIPTION\tMAKER\tUSB\tSERIAL\t"
                                          "CHIP\n"));
    EXPECT_FALSE(running->out().contains("ttyS0")); // there from the start: no event
    EXPECT_EQ(running->out().count('\n'), 4);
}

TEST_F(PortsWatchTest, JsonGivesOneObjectALine) {
    plug("");
    const auto running = watch({"--json"});
    ASSERT_TRUE(running->waitFor("watching", 1, true)) << running->err().toStdString();
    plug(QByteArray(kCable) + "/dev/ttyACM0\n");
    ASSERT_TRUE(running->waitFor("\n", 2)) << running->out().toStdString();
    plug("/dev/ttyACM0\n");
    ASSERT_TRUE(running->waitFor("\n", 3)) << running->out().toStdString();
    EXPECT_EQ(running->signalAndWait(SIGTERM), 0) << running->err().toStdString();

    const QStringList lines = running->out().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << running->out().toStdString();
    QJsonParseError error;
    const QJsonObject cable = QJsonDocument::fromJson(lines[0].toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << lines[0].toStdString();
    EXPECT_EQ(cable.value("event"), "added");
    EXPECT_EQ(cable.value("com"), "COM1");
    EXPECT_EQ(cable.value("device"), "/dev/ttyUSB0");
    EXPECT_EQ(cable.value("vid"), "1a86");
    EXPECT_EQ(cable.value("pid"), "7523");
    EXPECT_EQ(cable.value("serialNumber"), "A1B2");
    EXPECT_EQ(cable.value("chip"), "CH340/CH341");
    // The same keys as the list's, and the event.
    EXPECT_EQ(cable.keys(), (QStringList{"chip", "com", "description", "device", "event", "maker",
                                         "pid", "serialNumber", "usb", "vid"}));
    const QJsonObject acm = QJsonDocument::fromJson(lines[1].toUtf8()).object();
    EXPECT_EQ(acm.value("device"), "/dev/ttyACM0");
    EXPECT_EQ(acm.value("com"), "COM2");
    EXPECT_TRUE(acm.value("chip").isNull());
    const QJsonObject gone = QJsonDocument::fromJson(lines[2].toUtf8()).object();
    EXPECT_EQ(gone.value("event"), "removed");
    EXPECT_EQ(gone.value("device"), "/dev/ttyUSB0");
    EXPECT_EQ(gone.value("com"), "COM1"); // the number it had
}

} // namespace
} // namespace clitest
