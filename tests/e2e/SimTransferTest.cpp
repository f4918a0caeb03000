// End to end: the read/write window, driven by clicks, reads and writes the
// virtual radio over a real pseudo-terminal through QSerialPort.
#include "SimProcess.h"
#include "comm/QtSerialPortAdapter.h"
#include "core/DataFile.h"
#include "core/MemoryImage.h"
#include "core/Options.h"
#include "editors/frmCommun.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedDialogs.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;
constexpr std::size_t kImageSize = 8192;

// The default image with a pattern over the upper memory, so a read visibly
// brings something the plan did not hold.
Bytes radioImage() {
    auto image = cps::readDataFile(BRENVIK_PROGRAM_DIR "/dhcpqec.exe", kImageSize);
    Bytes m = image ? *image : Bytes(kImageSize, 0xFF);
    for (std::size_t a = 0x1000; a < kImageSize; ++a)
        m[a] = static_cast<uint8_t>(a * 29 + 3);
    return m;
}

struct SimTransferTest : ::testing::Test {
    SimTransferTest() {
        testsupport::initCps(c, folder, 3, &sink);
        imageFile = folder.dir.filePath("radio.dat");
        cps::writeFileAtomically(imageFile.toStdString(), cps::imageToFileBytes(radioImage()));
        // The port dialog would wait for a user: a radio that cannot be reached
        // fails the test with the reason instead of hanging it.
        window.onPortDialog = [this] {
            ADD_FAILURE() << "the radio's port could not be opened: "
                          << window.openFailure().toStdString();
        };
    }
    // Starts the radio and points COM1 at it through the settings' [Ports] map.
    void startRadio(QStringList args) {
        args << "--image" << imageFile << "--save" << savedFile() << "--log" << logFile();
        sim = std::make_unique<testsupport::SimProcess>(args);
        ASSERT_FALSE(sim->path.isEmpty()) << "brenvik-radio-sim did not start";
        folder.set("1", sim->path.toStdString(), "Ports");
        c.settings.com = 1;
    }
    QString savedFile() const { return folder.dir.filePath("saved.dat"); }
    QString logFile() const { return folder.dir.filePath("frames.log"); }
    // What the radio holds: its image as the data file carries it, with its
    // identification bytes.
    Bytes radioMemory(int ident2, int ident3) const {
        Bytes m = cps::fileBytesToImage(cps::imageToFileBytes(radioImage()), kImageSize);
        m[0x0388] = 0x5A;
        m[0x0389] = static_cast<uint8_t>(ident2);
        m[0x038A] = static_cast<uint8_t>(ident3);
        return m;
    }
    Bytes savedMemory() {
        EXPECT_TRUE(sim->stop());
        auto file = cps::readDataFile(savedFile().toStdString(), kImageSize);
        return file ? cps::fileBytesToImage(*file, kImageSize) : Bytes();
    }
    int loggedFrames(const QString &head) const {
        QFile f(logFile());
        f.open(QIODevice::ReadOnly);
        int n = 0;
        for (const QByteArray &line : f.readAll().split('\n'))
            n += line.simplified().split(' ').value(1) == head.left(2).toLatin1() &&
                 line.contains(" " + head.toLatin1() + " ");
        return n;
    }
    int logEntries(const QString &text) const {
        return static_cast<int>(window.listRtData->findItems(text, Qt::MatchExactly).size());
    }
    void click(QPushButton *button) {
        ASSERT_TRUE(button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
    }

    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    cps::CollectingSink sink;
    cps::Cps c;
    QString imageFile;
    std::unique_ptr<testsupport::SimProcess> sim;
    cps::QtSerialPortAdapter port{c};
    cps::TimeoutMark mark;
    frmCommun window{c, port, mark};
};

TEST_F(SimTransferTest, ReadsAlternativeAndStandardRadios) {
    struct Case {
        const char *ident;
        int id2, id3;
        const char *readHead; // first bytes of a data request after the handshake
    };
    for (const Case &rc :
         {Case{"alt", 0x23, 0x28, "23 00 00 10"}, Case{"std", 0x52, 0x57, "52 00 00 10"}}) {
        SCOPED_TRACE(rc.ident);
        startRadio({"--ident", rc.ident});
        int redisplays = 0;
        window.onSoftDisplay = [&] { ++redisplays; };
        std::fill(c.IicDat.begin(), c.IicDat.end(), 0);
        window.showRead();
        EXPECT_FALSE(window.cmdWrite->isVisible());
        click(window.cmdRead);
        EXPECT_EQ(c.IicDat, radioMemory(rc.id2, rc.id3));
        EXPECT_EQ(redisplays, 1);
        EXPECT_FALSE(window.isVisible()); // hidden at the end
        EXPECT_TRUE(window.cmdRead->isEnabled());
        EXPECT_EQ(window.prgCommunicate->value(), 0);
        EXPECT_TRUE(dialogs.asked.isEmpty());
        EXPECT_EQ(loggedFrames(rc.readHead), 1);
        EXPECT_TRUE(sim->stop());
    }
    EXPECT_TRUE(sink.entries.empty());
}

// The traffic log takes a read's entries in batches, at most once per display
// frame, yet ends complete and in order: one request per 16-byte block, in
// address order.
TEST_F(SimTransferTest, TrafficLogIsCompleteAndFilledInBatches) {
    startRadio({"--ident", "alt"});
    int batches = 0;
    QObject::connect(window.listRtData->model(), &QAbstractItemModel::rowsInserted,
                     [&] { ++batches; });
    window.showRead();
    click(window.cmdRead);
    ASSERT_TRUE(dialogs.asked.isEmpty());
    const int entries = window.listRtData->count();
    // Every block once, each request followed by its own reply before the next.
    QSet<QString> blocks;
    for (int k = 0; k < entries; ++k) {
        const QString entry = window.listRtData->item(k)->text();
        if (!entry.startsWith("Tx: 23 "))
            continue;
        const QString address = entry.mid(7, 6);
        blocks.insert(address);
        ASSERT_LT(k + 1, entries);
        EXPECT_EQ(window.listRtData->item(k + 1)->text().mid(7, 6), address) << "entry " << k;
    }
    EXPECT_EQ(blocks.size(), 512);
    // Every exchange adds at least a request and a reply entry.
    EXPECT_LE(batches * 2, entries);
    EXPECT_EQ(window.listRtData->currentRow(), entries - 1);
}

TEST_F(SimTransferTest, SilentRadioFailsAfterSevenPassesAndKeepsThePlan) {
    startRadio({"--silent"});
    const Bytes before = c.IicDat;
    window.showRead();
    click(window.cmdRead);
    EXPECT_EQ(dialogs.asked, QStringList{QString::fromStdString(c.text(79))});
    EXPECT_EQ(logEntries("Tx: 50 52 4F 47 "), 7);
    EXPECT_EQ(logEntries(QString::fromStdString(c.text(175))), 7);
    EXPECT_EQ(c.IicDat, before);
    EXPECT_FALSE(window.chkStopCom->isVisible());
}

TEST_F(SimTransferTest, StopBoxEndsTheReadWithoutMessage) {
    startRadio({"--silent"});
    window.showBoth();
    bool buttonsLockedDuringRead = true, blinked = false, stopClicked = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        buttonsLockedDuringRead &= !window.cmdRead->isEnabled() && !window.cmdWrite->isEnabled();
        blinked |= window.imgGreen->isVisible();
        if (window.chkStopCom->isVisible() && !stopClicked) { // after the sixth failed pass
            QTest::mouseClick(window.chkStopCom, Qt::LeftButton, {}, QPoint(4, 4));
            stopClicked = true;
        }
    });
    watch.start(20);
    click(window.cmdRead);
    watch.stop();
    EXPECT_TRUE(stopClicked);
    EXPECT_TRUE(buttonsLockedDuringRead);
    EXPECT_TRUE(blinked);
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_EQ(window.transfer().engine().attempts, 7);
    EXPECT_FALSE(window.chkStopCom->isChecked());
    EXPECT_TRUE(window.cmdWrite->isEnabled());
}

TEST_F(SimTransferTest, DroppedAndSplitRepliesOverAPartialRange) {
    startRadio({"--drop", "1", "--split"});
    window.txtReadEndAddr->setText("03FF"); // the hidden panel's field; the first 1 KB only
    const Bytes before = c.IicDat;
    window.showRead();
    click(window.cmdRead);
    EXPECT_TRUE(dialogs.asked.isEmpty());
    const Bytes radio = radioMemory(0x23, 0x28);
    EXPECT_TRUE(std::equal(radio.begin(), radio.begin() + 0x400, c.IicDat.begin()));
    EXPECT_TRUE(std::equal(before.begin() + 0x400, before.end(), c.IicDat.begin() + 0x400));
    EXPECT_EQ(logEntries("Tx: 50 52 4F 47 "),
              2); // one pass lost its ack, the next one went through
    EXPECT_EQ(c.ini().read("Setting", "ReadEndAddr", "", 15), "03FF");
}

TEST_F(SimTransferTest, HangUpMidReadLeavesThePlanAndFailsFast) {
    startRadio({"--hangup-after", "120"});
    const Bytes before = c.IicDat;
    window.showRead();
    click(window.cmdRead);
    EXPECT_EQ(c.IicDat, before);
    EXPECT_EQ(dialogs.asked, QStringList{QString::fromStdString(c.text(79)) + " " +
                                         QString::fromStdString(c.text(615)).arg(sim->path)});
    // Every pass after the hang-up fails at once on the vanished device.
    const auto places = sink.places();
    EXPECT_EQ(places.front(), "modCommun->RxComDat"); // the wait in progress ends at once
    EXPECT_EQ(std::count(places.begin(), places.end(), "modCommun->ProtocolCom"), 6);
    EXPECT_EQ(logEntries(QString::fromStdString(c.text(175))), 0); // no pass timed out
    EXPECT_EQ(logEntries("Tx: 50 52 4F 47 "), 1);
}

// After a write the radio holds the converted plan over the write range,
// except what the fixed frames set and what the radio keeps as its own.
Bytes expectedAfterWrite(const cps::Cps &c, const Bytes &radioBefore, bool settingsFrame, int p4) {
    Bytes expected = c.IicDat;
    const auto low = cps::bandEdgeBytes(c.bandLow), high = cps::bandEdgeBytes(c.bandHigh);
    expected[0x037A] = low[0];
    expected[0x037B] = low[1];
    expected[0x037C] = high[0];
    expected[0x037D] = high[1];
    for (int a = 0x0388; a <= 0x038A; ++a)
        expected[a] = radioBefore[a]; // identification
    if (p4 >= 0)
        expected[0x03D4] = static_cast<uint8_t>(p4);
    if (settingsFrame) {
        expected[0x03FC] &= 0x7F;
        expected[0x03FE] = static_cast<uint8_t>((expected[0x03FE] & ~0x04) |
                                                (c.opt.sel[cps::opt::LowBatTx] ? 0x04 : 0));
    }
    // The data file layout does not carry 0x0400..0x040F; they read back as 0x03F0..0x03FF.
    std::copy(expected.begin() + 0x03F0, expected.begin() + 0x0400, expected.begin() + 0x0400);
    return expected;
}

TEST_F(SimTransferTest, WriteStoresThePlanAndTheFixedFrames) {
    struct Case {
        const char *ident;
        int p4; // -1: the plan's own value (0x30)
        bool settingsFrame;
    };
    for (const Case &wc : {Case{"alt", -1, true}, Case{"std", -1, true}, Case{"alt", 31, false}}) {
        SCOPED_TRACE(std::string(wc.ident) + " p4 " + std::to_string(wc.p4));
        QStringList args{"--ident", wc.ident};
        if (wc.p4 >= 0)
            args << "--p4" << QString::number(wc.p4);
        startRadio(args);
        c.opt.sel[cps::opt::EmergencyAlarm] =
            1; // sets 0x03FC bit 7, which the settings frame clears
        window.showWrite();
        EXPECT_FALSE(window.cmdRead->isVisible());
        click(window.cmdWrite);
        EXPECT_TRUE(dialogs.asked.isEmpty());
        EXPECT_FALSE(window.isVisible());
        ASSERT_TRUE(c.IicDat[0x03FC] & 0x80);
        const uint8_t w = wc.ident == std::string("std") ? 0x57 : 0x28;
        const QString settingsHead = QStringLiteral("%1 03 F0 10").arg(w, 2, 16).toUpper();
        EXPECT_EQ(loggedFrames(settingsHead),
                  wc.settingsFrame ? 2 : 1); // the script's line has the same head
        // Four end frames go out, each after the port's output is discarded: a
        // radio (or a simulator on a busy machine) that has not taken one yet
        // loses it, so the radio is only sure to see the last.
        EXPECT_EQ(logEntries("Tx: 45 5A A5 32 "), 4);
        EXPECT_TRUE(QTest::qWaitFor([&] { return loggedFrames("45 5A A5 32") >= 1; }, 5000));
        const Bytes before = radioMemory(w == 0x57 ? 0x52 : 0x23, w);
        EXPECT_EQ(savedMemory(), expectedAfterWrite(c, before, wc.settingsFrame, wc.p4));
    }
    EXPECT_TRUE(sink.entries.empty());
}

} // namespace
