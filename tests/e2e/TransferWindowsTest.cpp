// The read/write window, the port dialog and the radio information window:
// captions, the hidden panel, the address fields, closing, and the port choice.
#include "comm/FakePort.h"
#include "comm/QtSerialPortAdapter.h"
#include "editors/frmCommun.h"
#include "editors/frmRadioInfo.h"
#include "editors/frmToolCom.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <cerrno>
#include <gtest/gtest.h>

namespace {

struct WindowsTest : ::testing::Test {
    void start(int lang = 3) {
        testsupport::initCps(c, folder, lang, &sink);
        c.CurFont = lang == 1 ? "Noto Sans CJK SC" : "DejaVu Sans";
        window = std::make_unique<frmCommun>(c, port, mark);
    }
    void doubleClick(QWidget *w) { QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }

    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    cps::CollectingSink sink;
    cps::Cps c;
    cps::VirtualClock clock;
    cps::FakePort port{clock};
    cps::TimeoutMark mark;
    std::unique_ptr<frmCommun> window;
};

TEST_F(WindowsTest, CommunCaptionsAndFonts) {
    struct Case {
        int lang;
        const char *title, *read, *stop;
    };
    for (const Case &lc :
         {Case{3, "Communicate", "&Read", "Stop Communication"},
          Case{1, "通信", "读频(&R)", "停止通信..."}, Case{2, "通訊", "讀頻(&R)", "停止通信..."}}) {
        start(lc.lang);
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(lc.title));
        EXPECT_EQ(window->cmdRead->text(), QString::fromUtf8(lc.read));
        EXPECT_EQ(window->chkStopCom->text(), QString::fromUtf8(lc.stop));
        EXPECT_EQ(window->fraOne->title().toStdString(), c.text(156));
        EXPECT_EQ(window->cmdWrite->font().family().toStdString(), c.CurFont);
        EXPECT_TRUE(window->chkStopCom->isHidden());
        EXPECT_TRUE(window->lblComStatus->text().isEmpty());
        EXPECT_EQ(window->fraTwo->title(), "Communication Data");
    }
}

TEST_F(WindowsTest, SixthDoubleClickOpensTheHiddenPanelAndTheSixteenthClosesIt) {
    start();
    window->showRead();
    for (int n = 1; n <= 26; ++n) {
        doubleClick(window->fraOne);
        const bool open = n >= 6 && n < 16 || n >= 26;
        ASSERT_EQ(window->panelExpanded(), open) << n;
        ASSERT_EQ(window->txtReadStartAddr->isVisible(), open) << n;
        if (n == 10) { // the count survives closing and opening the window
            window->close();
            window->showWrite();
        }
    }
    EXPECT_EQ(window->panelDoubleClicks(), 26);
}

// Opening the hidden panel makes the window taller: near the screen's bottom
// edge it moves up so that nothing ends below the edge.
TEST_F(WindowsTest, OpeningTheHiddenPanelKeepsTheWindowOnScreen) {
    start();
    window->showRead();
    const QRect avail = window->screen()->availableGeometry();
    const int closedHeight = window->frameGeometry().height();
    window->move(avail.left() + 10, avail.bottom() - closedHeight - 5);
    for (int n = 1; n <= 6; ++n)
        doubleClick(window->fraOne);
    ASSERT_TRUE(window->panelExpanded());
    const QRect frame = window->frameGeometry();
    EXPECT_GT(frame.height(), closedHeight);
    EXPECT_TRUE(avail.contains(frame)) << "frame " << frame.y() << "+" << frame.height()
                                       << ", screen " << avail.y() << "+" << avail.height();
}

TEST_F(WindowsTest, AddressFieldsStoreOnlyWhatConverts) {
    start();
    window->txtReadEndAddr->setText("0400");
    EXPECT_EQ(c.settings.readEnd, 0x0400);
    EXPECT_EQ(c.ini().read("Setting", "ReadEndAddr", "", 15), "0400");
    window->txtMaxAddr->setText("0FFF");
    EXPECT_EQ(c.settings.tableMaxAddr, 0x0FFF);

    for (const char *bad : {"12G4", "", "10000"}) {
        window->txtReadEndAddr->setText(bad);
        EXPECT_EQ(c.settings.readEnd, 0x0400) << bad;
        EXPECT_EQ(c.ini().read("Setting", "ReadEndAddr", "", 15), "0400") << bad;
    }
    EXPECT_EQ(sink.places(), std::vector<std::string>(3, "frmCommun->txtReadEndAddr_Change"));

    window->txtWriteStartAddr->setText("8000"); // held as a 16-bit value
    EXPECT_EQ(c.settings.writeStart, -32768);
}

TEST_F(WindowsTest, CloseHidesUntilTheProgramCloses) {
    start();
    window->showRead();
    window->prgCommunicate->setValue(40);
    window->lblComStatus->setText("40 %");
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->prgCommunicate->value(), 0);
    EXPECT_TRUE(window->lblComStatus->text().isEmpty());
    window->showRead();
    c.Closing = 1;
    EXPECT_TRUE(window->close());
}

TEST_F(WindowsTest, PortThatCannotBeOpenedShowsThePortDialogAndKeepsTheWindow) {
    start();
    folder.set("1", folder.dir.filePath("no-such-device").toStdString(), "Ports");
    cps::QtSerialPortAdapter realPort(c);
    frmCommun w(c, realPort, mark);
    int portDialogs = 0;
    w.onPortDialog = [&] {
        ++portDialogs;
        EXPECT_TRUE(sink.entries.empty()); // logged once the dialog has closed
        // The dialog learns why: the failure text, the system's reason, the remedy.
        EXPECT_EQ(w.openFailure().toStdString(),
                  c.text(79) +
                      " No such device: " + folder.dir.filePath("no-such-device").toStdString() +
                      " is unplugged. Plug the cable in; its COM number is kept for when it "
                      "comes back.");
    };
    w.showRead();
    QTest::mouseClick(w.cmdRead, Qt::LeftButton);
    EXPECT_EQ(portDialogs, 1);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.cmdRead->isEnabled());
    EXPECT_TRUE(w.imgGreen->isHidden());
    EXPECT_EQ(sink.places(), std::vector<std::string>{"modCommun->OpenCom"});
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_TRUE(w.openFailure().isEmpty()); // gone with the dialog
}

// Each disabled choice says why in its tooltip; the status line lists them,
// after the failed open that brought the dialog up.
TEST_F(WindowsTest, PortDialogSaysWhyChoicesAreDisabled) {
    struct Facts : platform::PortAccessFacts {
        int openError(const std::string &) const override { return 0; }
        std::string owningGroup(const std::string &) const override { return "uucp"; }
        bool userListedIn(const std::string &) const override { return true; }
        bool loginCarries(const std::string &) const override { return false; }
        std::vector<platform::PortHolder> holders(const std::string &) const override {
            return {{"ModemManager", 512}};
        }
    } facts;
    start();
    port.openErrors = {{2, EACCES}, {4, EBUSY}};
    port.accessFacts = &facts;
    frmToolCom dialog(c, port);
    dialog.setOpenFailure(QString::fromStdString(c.text(79)));
    dialog.show();
    EXPECT_FALSE(dialog.COM1[1]->isEnabled());
    const QString permission = "Permission denied: fake2 belongs to the group uucp. You are "
                               "already in the group uucp, but this login does not carry it "
                               "yet: log out and in again.";
    const QString held = "fake4 is held by ModemManager (pid 512). Close it, then try again.";
    EXPECT_EQ(dialog.COM1[1]->toolTip(), permission);
    EXPECT_EQ(dialog.deviceLabels[3]->toolTip(), held);
    EXPECT_TRUE(dialog.COM1[0]->toolTip().isEmpty());
    EXPECT_EQ(dialog.lblPortStatus->text(),
              QString::fromStdString(c.text(79)) + "\nCOM2: " + permission + "\nCOM4: " + held);

    // Opened from the menu with every port usable: no status line.
    port.openErrors.clear();
    dialog.setOpenFailure({});
    dialog.hide();
    dialog.show();
    EXPECT_TRUE(dialog.COM1[1]->isEnabled());
    EXPECT_TRUE(dialog.COM1[1]->toolTip().isEmpty());
    EXPECT_TRUE(dialog.lblPortStatus->isHidden());
}

TEST_F(WindowsTest, PortDialogChoices) {
    start();
    port.missingPorts = {2, 3};
    c.settings.com = 3;
    frmToolCom dialog(c, port);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Communication Port");
    EXPECT_EQ(dialog.cmdOk->text().toStdString(), c.text(63));
    EXPECT_EQ(dialog.deviceLabels[4]->text(), "fake5");
    EXPECT_FALSE(dialog.COM1[1]->isEnabled());
    EXPECT_FALSE(dialog.COM1[1]->isChecked());
    EXPECT_FALSE(dialog.COM1[2]->isEnabled());
    EXPECT_TRUE(dialog.COM1[2]->isChecked()); // the current port stays ticked, though disabled

    // Cancel keeps the port even after another was ticked.
    QTest::mouseClick(dialog.COM1[4], Qt::LeftButton);
    EXPECT_TRUE(dialog.COM1[4]->isChecked());
    QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
    EXPECT_EQ(c.settings.com, 3);
    EXPECT_EQ(c.ini().read("Setting", "COM", "", 9), "1");

    // OK with the disabled current port still ticked keeps it and stores it.
    dialog.show();
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    EXPECT_EQ(c.settings.com, 3);
    EXPECT_EQ(c.ini().read("Setting", "COM", "", 9), "3");

    dialog.show();
    QTest::mouseClick(dialog.COM1[15], Qt::LeftButton);
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    EXPECT_EQ(c.settings.com, 16);
    EXPECT_EQ(c.ini().read("Setting", "COM", "", 9), "16");
}

// Beside each choice: the chip's name; in its tooltip every fact the system
// knows, in the interface language.
TEST_F(WindowsTest, PortDialogShowsTheDeviceFacts) {
    start(2);
    port.openErrors = {{3, ENOENT}};
    frmToolCom dialog(c, port);
    cps::SerialDeviceFacts cable;
    cable.device = "fake3";
    cable.description = "USB Serial";
    cable.maker = "QinHeng Electronics";
    cable.vid = 0x1a86;
    cable.pid = 0x7523;
    cable.serialNumber = "A1B2";
    cable.chip = cps::cableChipName(0x1a86, 0x7523);
    dialog.listDevices = [&] { return std::vector<cps::SerialDeviceFacts>{cable}; };
    dialog.show();
    EXPECT_EQ(dialog.deviceLabels[2]->text(), QStringLiteral("fake3 · CH340/CH341"));
    EXPECT_EQ(dialog.deviceLabels[1]->text(), "fake2");
    const QStringList tip = dialog.COM1[2]->toolTip().split('\n');
    ASSERT_EQ(tip.size(), 6) << dialog.COM1[2]->toolTip().toStdString();
    EXPECT_EQ(tip[0], QStringLiteral("描述：USB Serial"));
    EXPECT_EQ(tip[2], QStringLiteral("USB：1a86:7523"));
    EXPECT_EQ(tip[3], QStringLiteral("序號：A1B2"));
    EXPECT_EQ(tip[4], QStringLiteral("晶片：CH340/CH341"));
    EXPECT_EQ(tip[5], QString::fromStdString(c.text(606)).arg("fake3")); // and why it is disabled
}

TEST_F(WindowsTest, RadioInfoDebugDoubleClicks) {
    start();
    frmRadioInfo info(c);
    info.show();
    int views = 0;
    info.onOpenMemoryView = [&] { ++views; };
    EXPECT_EQ(info.fraMain->title(), "Radio Info");
    EXPECT_EQ(info.lblRange->text(), "Frequency[MHz]");
    doubleClick(info.fraMain);
    EXPECT_EQ(views, 0);
    doubleClick(info.lblDebug);
    EXPECT_TRUE(info.debugFlag());
    doubleClick(info.fraMain);
    EXPECT_EQ(views, 1);
    doubleClick(info.lblDebug);
    doubleClick(info.fraMain);
    EXPECT_EQ(views, 1);
    EXPECT_FALSE(info.close());
    EXPECT_FALSE(info.isVisible());
}

} // namespace
