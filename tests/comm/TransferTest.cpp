// Reading and writing a whole radio: the procedures run against the virtual
// radio's protocol class over the fake port, on virtual time.
#include "CommFixture.h"
#include "comm/RadioTransfer.h"
#include "comm/WireFormat.h"
#include "core/MemoryImage.h"
#include "core/Options.h"
#include "sim/SimRadio.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

namespace cps {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes patternMemory() {
    Bytes m(sim::SimRadio::kMemorySize);
    for (std::size_t a = 0; a < m.size(); ++a)
        m[a] = static_cast<uint8_t>(a * 13 + (a >> 9));
    return m;
}

QByteArray toQ(const Bytes &b) {
    return QByteArray(reinterpret_cast<const char *>(b.data()), static_cast<qsizetype>(b.size()));
}

struct TransferTest : ::testing::Test {
    TransferTest() {
        testsupport::initCps(c, folder, 3, &sink);
        test::fillLinkTexts(c);
        useRadio(sim::Ident::Alternative);
        softDisplays = 0;
        transfer.softDisplay = [this] { ++softDisplays; };
    }
    // Connects the fake port to a virtual radio answering after 2 ms.
    void useRadio(sim::Ident ident, sim::RadioFaults faults = {}, Bytes memory = patternMemory()) {
        radio = std::make_unique<sim::SimRadio>(std::move(memory), ident, faults);
        port.responder = [this](const QByteArray &frame) {
            const auto *data = reinterpret_cast<const uint8_t *>(frame.constData());
            for (const auto &f : radio->receive(data, static_cast<std::size_t>(frame.size()))) {
                if (hangupAfter && radio->framesSeen() >= hangupAfter)
                    port.lost = true;
                if (f.reply && !port.lost)
                    port.deliver(toQ(*f.reply), 2);
            }
        };
    }
    int framesStartingWith(std::initializer_list<int> head) const {
        int n = 0;
        for (const QByteArray &f : port.sentFrames) {
            bool match = f.size() >= static_cast<qsizetype>(head.size());
            int k = 0;
            for (int b : head)
                match = match && static_cast<uint8_t>(f[k++]) == b;
            n += match;
        }
        return n;
    }

    testsupport::ProgramFolder folder;
    CollectingSink sink;
    Cps c;
    VirtualClock clock;
    FakePort port{clock};
    test::RecordingUi ui{clock, port};
    TimeoutMark mark;
    RadioTransfer transfer{c, port, ui, mark};
    std::unique_ptr<sim::SimRadio> radio;
    int hangupAfter = 0;
    int softDisplays = 0;
};

TEST_F(TransferTest, ReadCopiesTheWholeRadio) {
    for (auto ident : {sim::Ident::Alternative, sim::Ident::Standard}) {
        useRadio(ident);
        port.sentFrames.clear();
        ASSERT_EQ(transfer.read(), TransferResult::Succeeded);
        EXPECT_EQ(c.IicDat, radio->memory());
        // After the handshake every request uses the radio's own read command.
        const uint8_t read = ident == sim::Ident::Standard ? 0x52 : 0x23;
        EXPECT_EQ(framesStartingWith({read}) - (read == 0x52 ? 1 : 0), 512);
    }
    EXPECT_EQ(softDisplays, 2);
    EXPECT_TRUE(ui.statuses.contains("Reading Now......"));
    EXPECT_TRUE(ui.statuses.contains("Read Successful"));
    EXPECT_TRUE(ui.statuses.contains("97 %"));
    EXPECT_EQ(ui.statuses.last(), "");
    EXPECT_EQ(ui.progress.back(), 0);
    EXPECT_FALSE(ui.blinking);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(ui.log.first(), "Tx: 50 52 4F 47 ");
    EXPECT_TRUE(sink.entries.empty());
}

TEST_F(TransferTest, FailedReadLeavesThePlanUntouched) {
    const Bytes before = c.IicDat;
    hangupAfter = 100; // the cable goes after 100 frames, well into the data lines
    EXPECT_EQ(transfer.read(), TransferResult::Failed);
    EXPECT_EQ(c.IicDat, before);
    EXPECT_EQ(softDisplays, 0);
    EXPECT_TRUE(ui.statuses.contains("Read Failed"));
    ASSERT_EQ(ui.messages.size(), 1u);
    // The failure says the cable went, and from which port.
    EXPECT_EQ(ui.messages[0].text.toStdString(),
              c.SoftFaceText[79] + " The cable was unplugged from fake1.");
    // A vanished device fails every remaining pass at once instead of timing out.
    EXPECT_LT(clock.now, 1000);
    EXPECT_EQ(port.openCount, 1);
    EXPECT_EQ(port.closeCount, 1);
}

TEST_F(TransferTest, SilentRadioSevenPassesThenMessage) {
    useRadio(sim::Ident::Alternative, {.silent = true});
    EXPECT_EQ(transfer.read(), TransferResult::Failed);
    EXPECT_EQ(framesStartingWith({0x50, 0x52, 0x4F}), 7);
    EXPECT_EQ(ui.count("Tx: 50 52 4F 47 "), 7);
    EXPECT_EQ(ui.count(QString::fromStdString(c.SoftFaceText[175])), 7);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Notice");
    // Budgets 101, 111, ... 161 ms; after the first time-out each pass starts
    // its group with 1 ms; the end waits 5 + 1 ms and pauses 1 ms.
    EXPECT_EQ(clock.now, (101 + 111 + 121 + 131 + 141 + 151 + 161) + 6 + 7);
    EXPECT_FALSE(ui.stopVisible);
}

TEST_F(TransferTest, DroppedRepliesAreRecoveredByARetry) {
    useRadio(sim::Ident::Alternative, {.dropFirst = 2}); // the first two passes lose their ack
    EXPECT_EQ(transfer.read(), TransferResult::Succeeded);
    EXPECT_EQ(transfer.engine().attempts, 2);
    EXPECT_EQ(c.IicDat, radio->memory());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TransferTest, UnsupportedRadioIsRefusedWithoutRetry) {
    useRadio(sim::Ident::Unsupported);
    const Bytes before = c.IicDat;
    EXPECT_EQ(transfer.read(), TransferResult::Failed);
    EXPECT_EQ(framesStartingWith({0x50, 0x52, 0x4F}), 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.toStdString(), c.SoftFaceText[69]);
    EXPECT_EQ(c.IicDat, before);
}

TEST_F(TransferTest, StopAfterTheSixthFailedPassEndsWithoutMessage) {
    useRadio(sim::Ident::Alternative, {.silent = true});
    struct StopUi : test::RecordingUi {
        using RecordingUi::RecordingUi;
        void setStopVisible(bool on) override {
            if (on && !stopVisible)
                wait.at(wait.nowMs() + 10, [this] { stop = true; });
            stopVisible = on;
        }
    } stopUi{clock, port};
    RadioTransfer t{c, port, stopUi, mark};
    EXPECT_EQ(t.read(), TransferResult::Failed);
    EXPECT_EQ(t.engine().attempts, 7);
    EXPECT_TRUE(stopUi.messages.empty());
    EXPECT_FALSE(stopUi.stop); // unticked at the end
}

// The line dies at frame 100: frames 3..99 were data blocks the radio
// acknowledged, 0x0000 up to 0x0600; the retries that fail on their first
// send do not lower the count.
TEST_F(TransferTest, AWriteCutOffCountsTheBlocksTheRadioAcknowledged) {
    hangupAfter = 100;
    EXPECT_EQ(transfer.write(), TransferResult::Failed);
    EXPECT_EQ(transfer.blocksWritten().count, 97);
    EXPECT_EQ(transfer.blocksWritten().lastAddress, 0x0600);
    EXPECT_FALSE(transfer.stopped());
}

// A stop asked from outside (a signal) while block 0x0100 is on the wire: that
// block is finished, nothing follows (no further pass, no fixed or end frame,
// no message), and the radio holds the plan up to it.
TEST_F(TransferTest, AStopRequestEndsTheWriteAfterTheBlockOnTheWire) {
    struct SignalUi : test::RecordingUi {
        SignalUi(VirtualClock &clock, FakePort &port) : RecordingUi(clock, port), port_(port) {}
        bool stopRequested() const override { return port_.sentFrames.size() >= 2 + 17; }
        FakePort &port_;
    } signalUi{clock, port};
    const Bytes before = radio->memory();
    RadioTransfer t{c, port, signalUi, mark};
    EXPECT_EQ(t.write(), TransferResult::Failed);
    EXPECT_TRUE(t.stopped());
    EXPECT_EQ(t.blocksWritten().count, 17);
    EXPECT_EQ(t.blocksWritten().lastAddress, 0x0100);
    EXPECT_EQ(port.sentFrames.size(), 2u + 17u);
    EXPECT_EQ(framesStartingWith({0x50, 0x52, 0x4F}), 1);
    EXPECT_TRUE(signalUi.messages.empty());
    const Bytes &now = radio->memory();
    EXPECT_TRUE(std::equal(now.begin() + 0x0110, now.end(), before.begin() + 0x0110));
    EXPECT_TRUE(std::equal(now.begin(), now.begin() + 0x0110, c.IicDat.begin()));
}

TEST_F(TransferTest, PortThatDoesNotOpen) {
    port.missingPorts = {1};
    int entriesWhenDialogShown = -1;
    struct DialogUi : test::RecordingUi {
        using RecordingUi::RecordingUi;
        std::function<void()> onDialog;
        void showPortDialog(const QString &) override { onDialog(); }
    } dialogUi{clock, port};
    dialogUi.onDialog = [&] { entriesWhenDialogShown = static_cast<int>(sink.entries.size()); };
    RadioTransfer t{c, port, dialogUi, mark};
    EXPECT_EQ(t.read(), TransferResult::NotStarted);
    EXPECT_EQ(entriesWhenDialogShown, 0); // logged only after the dialog closed
    EXPECT_EQ(sink.places(), std::vector<std::string>{"modCommun->OpenCom"});
    EXPECT_TRUE(port.sentFrames.empty());
    EXPECT_FALSE(dialogUi.blinking);
}

TEST_F(TransferTest, ReadIntoTooSmallAnImageIsARunTimeError) {
    c.IicDat.resize(0x100);
    EXPECT_EQ(transfer.read(), TransferResult::Failed);
    EXPECT_EQ(sink.places(), std::vector<std::string>{"frmCommun->cmdRead_Click"});
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(c.IicDat.size(), 0x100u);
}

// What the radio must hold after a write: the converted plan, except the bytes
// the fixed frames set and the radio's own identification.
Bytes expectedAfterWrite(const Cps &c, const Bytes &radioBefore, bool settingsFrame) {
    Bytes expected = c.IicDat;
    const auto low = bandEdgeBytes(c.bandLow), high = bandEdgeBytes(c.bandHigh);
    expected[0x037A] = low[0];
    expected[0x037B] = low[1];
    expected[0x037C] = high[0];
    expected[0x037D] = high[1];
    for (int a = 0x0388; a <= 0x038A; ++a)
        expected[a] = radioBefore[a];
    if (settingsFrame) {
        expected[0x03FC] &= 0x7F;
        expected[0x03FE] = static_cast<uint8_t>((expected[0x03FE] & ~0x04) |
                                                (c.opt.sel[opt::LowBatTx] ? 0x04 : 0));
    }
    return expected;
}

TEST_F(TransferTest, WriteStoresThePlanAndTheFixedFrames) {
    for (auto ident : {sim::Ident::Alternative, sim::Ident::Standard}) {
        useRadio(ident);
        const Bytes radioBefore = radio->memory();
        c.opt.sel[opt::EmergencyAlarm] = 1; // image bit 7 of 0x03FC; the settings frame clears it
        c.bandLow = 13600000;
        c.bandHigh = 17400000;
        port.sentFrames.clear();
        ASSERT_EQ(transfer.write(), TransferResult::Succeeded);
        ASSERT_TRUE(c.IicDat[0x03FC] & 0x80);
        EXPECT_EQ(radio->memory(), expectedAfterWrite(c, radioBefore, true));
        const uint8_t w = radio->writeCommand();
        EXPECT_EQ(
            framesStartingWith({w, 0x03, 0x79, 0x05, c.IicDat[0x0379], 0x13, 0x60, 0x17, 0x40}), 1);
        EXPECT_EQ(framesStartingWith({radio->readCommand(), 0x03, 0xD0, 0x30}), 1);
        // The script's own line for 0x03F0 has the same head as the settings frame.
        EXPECT_EQ(framesStartingWith({w, 0x03, 0xF0, 0x10}), 2);
        EXPECT_EQ(framesStartingWith({0x45, 0x5A, 0xA5}), 4);
        EXPECT_EQ(port.sentFrames.back(), toQ({0x45, 0x5A, 0xA5, 0x32, 0x23, 0x45, 0xF2}));
    }
    EXPECT_TRUE(ui.log.contains("写入:频率"));
    EXPECT_TRUE(ui.log.contains("写入:收音机的SQL和音量及对讲机的参数"));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(sink.entries.empty());
}

TEST_F(TransferTest, RadioSettingsFrameOnlyForP4From22To99Except31) {
    for (const auto &[p4, sent] : std::vector<std::pair<int, bool>>{
             {21, false}, {22, true}, {31, false}, {48, true}, {99, true}, {100, false}}) {
        useRadio(sim::Ident::Alternative, {.forceP4 = p4});
        c.opt.sel[opt::LowBatTx] = static_cast<int16_t>(p4 % 2);
        const Bytes radioBefore = radio->memory();
        port.sentFrames.clear();
        ASSERT_EQ(transfer.write(), TransferResult::Succeeded) << p4;
        EXPECT_EQ(transfer.parameters()[4], p4);
        EXPECT_EQ(framesStartingWith({0x28, 0x03, 0xF0, 0x10}), sent ? 2 : 1) << p4;
        EXPECT_EQ(framesStartingWith({0x45, 0x5A, 0xA5}), 4);
        Bytes expected = expectedAfterWrite(c, radioBefore, sent);
        expected[0x03D4] = static_cast<uint8_t>(p4);
        EXPECT_EQ(radio->memory(), expected) << p4;
    }
}

TEST_F(TransferTest, FixedFrameWithoutAnswerGivesUpAfter16Tries) {
    useRadio(sim::Ident::Alternative);
    auto answerAll = port.responder;
    port.responder = [&](const QByteArray &frame) {
        if (!frame.startsWith(toQ({0x28, 0x03, 0x79})))
            answerAll(frame);
    };
    EXPECT_EQ(transfer.write(), TransferResult::Failed);
    EXPECT_EQ(framesStartingWith({0x28, 0x03, 0x79, 0x05}), 16);
    EXPECT_EQ(ui.count("Rx: 未收到数据   第 串数据未收到"), 16);
    EXPECT_EQ(framesStartingWith({0x45, 0x5A, 0xA5}), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.toStdString(), c.SoftFaceText[79]);
}

} // namespace
} // namespace cps
