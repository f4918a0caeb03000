// The command line says why a port cannot be opened: a real second
// brenvik-cli holding the virtual radio's port is named with its process id.
#include "CliHarness.h"
#include "platform/PortAccess.h"

#include <QElapsedTimer>
#include <QThread>

namespace clitest {
namespace {

struct PortTroubleCliTest : CliFixture {};

// Until a brenvik-cli holds `device` open (or the bound passes).
std::optional<platform::PortHolder> waitForCliHolding(const QString &device) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000) {
        for (const auto &h : platform::systemPortAccessFacts().holders(device.toStdString()))
            if (h.name == "brenvik-cli")
                return h;
        QThread::msleep(20);
    }
    return std::nullopt;
}

TEST_F(PortTroubleCliTest, ASecondCliNamesTheOneHoldingThePort) {
    SimRadio radio({"--silent"}); // the first read keeps waiting for replies
    ASSERT_FALSE(radio.pty().isEmpty());
    RunningCli first(
        {"read", "--port", radio.pty(), "-o", path("first.dat"), "--program-dir", folder.path()});
    const auto holder = waitForCliHolding(radio.pty());
    ASSERT_TRUE(holder) << "the first brenvik-cli never opened " << radio.pty().toStdString();

    const CliRun second = cli({"read", "--port", radio.pty(), "-o", path("second.dat")});
    EXPECT_EQ(second.status, 1) << second.err.toStdString();
    EXPECT_TRUE(second.err.contains(radio.pty() + " cannot be opened: Communication failed"))
        << second.err.toStdString();
    EXPECT_TRUE(second.err.contains(QStringLiteral("brenvik-cli (pid %1)").arg(holder->pid)))
        << second.err.toStdString();

    // Unplugged: a device that is not there, in the settings' language too.
    const CliRun gone = cli({"read", "--port", "/dev/ttyUSB97", "-o", path("x.dat")});
    EXPECT_EQ(gone.status, 1);
    EXPECT_TRUE(gone.err.contains("No such device: /dev/ttyUSB97 is unplugged"))
        << gone.err.toStdString();
    const CliRun goneChinese =
        cli({"read", "--port", "/dev/ttyUSB97", "-o", path("x.dat"), "--lang", "1"});
    EXPECT_TRUE(goneChinese.err.contains(QStringLiteral("没有此设备：/dev/ttyUSB97 已拔出")))
        << goneChinese.err.toStdString();
}

// A cable pulled during a read (the virtual radio hangs up its terminal) is
// reported as unplugged, with the port.
TEST_F(PortTroubleCliTest, ACablePulledDuringAReadIsNamed) {
    SimRadio radio({"--hangup-after", "40"});
    ASSERT_FALSE(radio.pty().isEmpty());
    const CliRun r = cli({"read", "--port", radio.pty(), "-o", path("x.dat")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("The cable was unplugged from " + radio.pty() + "."))
        << r.err.toStdString();
}

} // namespace
} // namespace clitest
