// "Find cable" in the port dialog, with real clicks: a cable that appears in
// the device list gets a COM number the settings keep and is ticked; one that
// is pulled out and put back is found again; none within the time says so.
// The cable is a real pseudo-terminal, so the dialog's probe opens it.
#include "editors/FindCable.h"
#include "comm/QtSerialPortAdapter.h"
#include "comm/SerialDeviceList.h"
#include "editors/frmToolCom.h"
#include "platform/PseudoTerminal.h"
#include "support/ProgramFolder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <atomic>
#include <gtest/gtest.h>

namespace {

// A driven device list that counts how often it was looked at.
struct CountingList : cps::FedSerialDeviceList {
    std::vector<cps::SerialDeviceFacts> snapshot() const override {
        ++looks;
        return FedSerialDeviceList::snapshot();
    }
    mutable std::atomic<int> looks{0};
};

struct FindCableTest : ::testing::Test {
    void SetUp() override {
        testsupport::initCps(c, folder, 3);
        std::string error;
        ASSERT_TRUE(pty.open(error)) << error;
        // The cable's path is a link of our own: a closed pseudo-terminal's
        // number is soon taken by another program's, so unplugging removes the link.
        cable.device = folder.dir.filePath("ttyUSB0");
        ASSERT_TRUE(QFile::link(QString::fromStdString(pty.path()), cable.device));
        cable.description = "USB Serial";
        cable.vid = 0x1a86;
        cable.pid = 0x7523;
        cable.chip = cps::cableChipName(0x1a86, 0x7523);
        c.settings.com = 2;
        dialog = std::make_unique<frmToolCom>(c, port);
        dialog->findCable->devices = &devices;
        dialog->listDevices = [this] { return devices.snapshot(); };
        dialog->show();
    }
    // Processes events until `done` (or a generous bound passes).
    static bool waitUntil(const std::function<bool()> &done) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < 30000)
            QTest::qWait(20);
        return done();
    }
    // Until the dialog has looked at the device list once more.
    bool waitForALook() {
        const int seen = devices.looks;
        return waitUntil([&] { return devices.looks > seen; });
    }
    QString found() const {
        return QStringLiteral("Found %1 (CH340/CH341): it is now COM2.").arg(cable.device);
    }

    testsupport::ProgramFolder folder;
    cps::Cps c;
    cps::QtSerialPortAdapter port{c};
    platform::PseudoTerminal pty;
    cps::SerialDeviceFacts cable;
    CountingList devices;
    std::unique_ptr<frmToolCom> dialog;
};

TEST_F(FindCableTest, ACablePluggedInGetsTheSelectedNumberAndIsTicked) {
    FindCable &find = *dialog->findCable;
    EXPECT_EQ(find.cmdFindCable->text(), "Find cable");
    QTest::mouseClick(find.cmdFindCable, Qt::LeftButton);
    EXPECT_EQ(find.lblFindCable->text(), "Plug the programming cable in now");
    EXPECT_EQ(find.cmdFindCable->text(), "Stop finding");
    EXPECT_TRUE(dialog->isEnabled()); // the dialog stays usable while it looks

    devices.set({cable});
    ASSERT_TRUE(waitUntil([&] { return !find.finding(); }));
    EXPECT_EQ(find.lblFindCable->text(), found());
    EXPECT_EQ(find.cmdFindCable->text(), "Find cable");
    EXPECT_EQ(c.ini().read("Ports", "2", "", 512), cable.device.toStdString());
    EXPECT_TRUE(dialog->COM1[1]->isEnabled());
    EXPECT_TRUE(dialog->COM1[1]->isChecked());
    EXPECT_TRUE(dialog->deviceLabels[1]->text().startsWith(cable.device));

    // Pulled out and plugged in again, with another number ticked: it keeps its number.
    QTest::mouseClick(find.cmdFindCable, Qt::LeftButton);
    dialog->COM1[1]->setChecked(false);
    devices.set({});
    ASSERT_TRUE(waitForALook());
    EXPECT_TRUE(find.finding()); // a cable going away is not the one looked for
    devices.set({cable});
    ASSERT_TRUE(waitUntil([&] { return !find.finding(); }));
    EXPECT_EQ(find.lblFindCable->text(), found());
    EXPECT_TRUE(dialog->COM1[1]->isChecked());

    // OK stores the found cable's number as the port.
    QTest::mouseClick(dialog->cmdOk, Qt::LeftButton);
    EXPECT_EQ(c.settings.com, 2);

    // Unplugged, the number keeps its cable and says why it cannot be used.
    QFile::remove(cable.device);
    pty.close();
    devices.set({});
    dialog->show();
    EXPECT_EQ(c.ini().read("Ports", "2", "", 512), cable.device.toStdString());
    EXPECT_FALSE(dialog->COM1[1]->isEnabled());
    EXPECT_TRUE(dialog->deviceLabels[1]->text().startsWith(cable.device));
    EXPECT_TRUE(dialog->COM1[1]->toolTip().contains(cable.device + " is unplugged"))
        << dialog->COM1[1]->toolTip().toStdString();
}

TEST_F(FindCableTest, NothingAppearsOrTheUserStops) {
    FindCable &find = *dialog->findCable;
    devices.set({cable}); // plugged in before the click: not a new cable
    find.timeoutMs = 1000;
    QTest::mouseClick(find.cmdFindCable, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !find.finding(); }));
    EXPECT_EQ(find.lblFindCable->text(),
              "No new cable appeared within 30 seconds. Check that it is pushed fully in, or try "
              "another USB socket.");
    EXPECT_TRUE(c.ini().read("Ports", "2", "", 512).empty());

    find.timeoutMs = 30000;
    QTest::mouseClick(find.cmdFindCable, Qt::LeftButton);
    QTest::mouseClick(find.cmdFindCable, Qt::LeftButton);
    EXPECT_FALSE(find.finding());
    EXPECT_EQ(find.lblFindCable->text(), "Stopped finding the cable.");

    // Closing the dialog stops the looking too.
    QTest::mouseClick(find.cmdFindCable, Qt::LeftButton);
    QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    EXPECT_FALSE(find.finding());
    EXPECT_TRUE(find.lblFindCable->text().isEmpty());
}

} // namespace
