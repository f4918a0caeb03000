// The protocol engine: groups, reply budgets, comparison and capture, the
// radio's identification, Stop, and the traffic log.
#include "CommFixture.h"
#include "comm/ProtocolEngine.h"

#include <gtest/gtest.h>

namespace cps {
namespace {

using test::LinkFixture;

const std::string kAckLine = "TX06RX06EN";

struct EngineTest : LinkFixture, ::testing::Test {
    EngineTest() {
        scripts.startUp();
        port.open();
    }
    void run(const std::string &line, int lineNumber = 2) {
        engine.currentLine = lineNumber;
        engine.ConvComCode(line);
        engine.ProtocolCom();
    }
    // A radio that answers the handshake with the given identification bytes.
    void identifyAs(int c2, int c3, int c4) {
        port.responder = [=, this](const QByteArray &frame) {
            if (frame == bytes({0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D}))
                port.deliver(bytes({0x06}), 3);
            else if (frame == bytes({0x52, 0x03, 0x88, 0x03}))
                port.deliver(bytes({0x28, 0x03, 0x88, 0x03, c2, c3, c4}), 3);
        };
    }
    // Data reply for a read of 16 bytes at 0x0010: 28 00 10 10 + d0..d15.
    QByteArray dataReply(int echoLow = 0x10) const {
        QByteArray r = bytes({0x28, 0x00, echoLow, 0x10});
        for (int k = 0; k < 16; ++k)
            r.append(static_cast<char>(0xA0 + k));
        return r;
    }

    ProtocolScripts scripts{c};
    ProtocolEngine engine{c, scripts, port, ui, mark};
};

// Line 3 of the read script under the alternative set: 16 bytes at 0x0010.
const std::string kReadLine0010 = buildScript(kReadScript, 0, 0x1F, "23", "28")[3].text;

TEST_F(EngineTest, MissingReplyWaitsThePollLimitOfTheAttempt) {
    // attempt -> polls allowed; the reply counts as missing after one poll more.
    const std::vector<std::pair<int, int>> cases = {{0, 100},  {1, 110},  {6, 160}, {9, 190},
                                                    {10, 160}, {14, 200}, {15, 160}};
    for (const auto &[attempt, limit] : cases) {
        EXPECT_EQ(pollLimitFor(attempt), limit);
        mark.set = false;
        engine.attempts = attempt;
        const qint64 start = clock.now;
        run(kAckLine);
        EXPECT_TRUE(engine.lineFailed);
        EXPECT_EQ(clock.now - start, limit + 1) << "attempt " << attempt;
        EXPECT_EQ(engine.pollLimit, limit);
        EXPECT_TRUE(mark.set);
    }
    EXPECT_EQ(ui.log.mid(0, 2), (QStringList{"Tx: 06 ", c.SoftFaceText[175].c_str()}));
}

TEST_F(EngineTest, AfterATimeOutEveryGroupStartsWithOneMillisecond) {
    port.responder = [&](const QByteArray &) { port.deliver(bytes({0x06})); };
    run(kAckLine);
    EXPECT_FALSE(engine.lineFailed);
    EXPECT_EQ(clock.now, 0);
    mark.set = true; // as after any earlier time-out of the program run
    run(kAckLine);
    EXPECT_FALSE(engine.lineFailed);
    EXPECT_EQ(clock.now, 2); // before the TX group and before the closing EN
}

struct IdentCase {
    int c2, c3, c4;
    bool standardAfter, refused;
};

TEST_F(EngineTest, IdentificationChoosesOrRefuses) {
    const std::vector<IdentCase> cases = {
        {0x5A, 0x23, 0x28, false, false}, // alternative radio: set kept
        {0x5A, 0x52, 0x57, true, false},  // standard radio
        {0x00, 0x23, 0x28, true, false},  // no 5A marker: standard
        {0x5A, 0x11, 0x22, false, true},  // unknown pair: not supported
        {0x5A, 0x28, 0x23, false, true},
    };
    for (const auto &ic : cases) {
        SCOPED_TRACE(ic.c3 * 256 + ic.c4);
        scripts.SelectAltCommandSet();
        engine.attempts = 0;
        ui.messages.clear();
        identifyAs(ic.c2, ic.c3, ic.c4);
        run(kHandshakeLine, 1);
        EXPECT_EQ(engine.lineFailed, ic.refused);
        EXPECT_EQ(scripts.readCommand(), ic.standardAfter ? 0x52 : 0x23);
        EXPECT_EQ(scripts.line(kReadScript, 2).text.substr(0, 4),
                  ic.standardAfter ? "TX52" : "TX23");
        EXPECT_EQ(engine.attempts, ic.refused ? kUnsupportedRadio : 0);
        ASSERT_EQ(ui.messages.size(), ic.refused ? 1u : 0u);
        if (ic.refused) {
            EXPECT_EQ(ui.messages[0].text.toStdString(), c.SoftFaceText[69]);
            EXPECT_EQ(ui.messages[0].title, "Notice");
        }
    }
}

TEST_F(EngineTest, IdentificationIsCheckedOnlyOnTheFirstLine) {
    identifyAs(0x5A, 0x52, 0x57);
    run(kHandshakeLine, 2);
    EXPECT_FALSE(engine.lineFailed);
    EXPECT_EQ(scripts.readCommand(), 0x23);
}

TEST_F(EngineTest, ReplyInPiecesIsComparedOnceComplete) {
    port.responder = [&](const QByteArray &) {
        const QByteArray r = dataReply();
        port.deliver(r.left(3), 5);
        port.deliver(r.mid(3, 10), 12);
        port.deliver(r.mid(13), 30);
    };
    run(kReadLine0010);
    EXPECT_FALSE(engine.lineFailed);
    // After the first piece the engine looks again once the rest could be on
    // the line, rounded down: 17 bytes (17 ms) after 5 ms, then 7 bytes (7 ms)
    // after 22 ms; nothing came in that sleep, so it waits for the next byte
    // and takes the last piece as it arrives.
    EXPECT_EQ(clock.now, 30);
    EXPECT_EQ(ui.wait.inputWaits, 2);
    EXPECT_EQ(ui.wait.restWaits, 2);
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(engine.capture[k], 0xA0 + k);
    EXPECT_EQ(ui.log.filter("Rx: ").size(), 1); // taken and logged once
}

// A reply that comes at the line's pace (one byte every 1.04 ms) wakes the
// engine for its first byte, once more when the rest is about due and at most
// once for its last byte, not per byte, and is taken as its last byte arrives.
TEST_F(EngineTest, AWirePacedReplyCostsTwoWakeUps) {
    qint64 lastByteAt = 0;
    port.responder = [&](const QByteArray &) {
        const QByteArray r = dataReply();
        for (int k = 0; k < r.size(); ++k) {
            lastByteAt = clock.now + 3 + lineTimeMs(k + 1, 9600);
            port.deliver(r.mid(k, 1), lastByteAt - clock.now);
        }
    };
    run(kReadLine0010);
    EXPECT_FALSE(engine.lineFailed);
    EXPECT_EQ(clock.now, lastByteAt);
    EXPECT_LE(ui.wait.inputWaits + ui.wait.restWaits, 3);
}

// Stop and a pulled cable end a wait for the rest of a reply at once, and the
// deadline bounds it: a reply that stalls half-way fails after its budget.
TEST_F(EngineTest, AWaitForTheRestEndsAtStopALostDeviceOrTheDeadline) {
    struct Case {
        const char *what;
        std::function<void()> at20;
        qint64 endsAt;
    };
    const std::vector<Case> cases = {
        {"stop",
         [&] {
             ui.stop = true;
             ui.wait.wake();
         },
         20},
        {"lost", [&] { port.lost = true; }, 20},
        {"stalled", [] {}, 101},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        clock.now = 0;
        ui.stop = port.lost = mark.set = false;
        port.discardInput();
        port.responder = [&](const QByteArray &) {
            port.deliver(dataReply().left(2), 1);
            port.deliver(dataReply().mid(2, 1), 2); // then nothing more
        };
        ui.wait.at(20, k.at20);
        run(kReadLine0010);
        EXPECT_TRUE(engine.lineFailed);
        EXPECT_EQ(clock.now, k.endsAt);
    }
}

TEST_F(EngineTest, IncompleteReplyTimesOut) {
    port.responder = [&](const QByteArray &) { port.deliver(dataReply().left(19), 5); };
    run(kReadLine0010);
    EXPECT_TRUE(engine.lineFailed);
    EXPECT_EQ(clock.now, 101);
}

// A reply that came in time while the tool itself was not scheduled is taken
// from the system before the wait is declared failed; one that came too late
// still fails the line.
TEST_F(EngineTest, AReplyHeldByTheSystemIsTakenBeforeTheWaitFails) {
    for (const auto &[arrivesAt, fails] :
         {std::pair{60, false}, std::pair{101, false}, std::pair{102, true}}) {
        SCOPED_TRACE(arrivesAt);
        const qint64 start = clock.now;
        port.responder = [&, arrivesAt = arrivesAt](const QByteArray &) {
            port.deliverUnnoticed(dataReply(), arrivesAt);
        };
        run(kReadLine0010);
        EXPECT_EQ(engine.lineFailed, fails);
        EXPECT_EQ(clock.now - start, 101);
        port.takeAll();
    }
}

TEST_F(EngineTest, ExtraTrailingBytesAreLoggedAndDropped) {
    port.responder = [&](const QByteArray &) { port.deliver(dataReply() + bytes({0xEE, 0xEF})); };
    run(kReadLine0010);
    EXPECT_FALSE(engine.lineFailed);
    EXPECT_EQ(ui.log.last(), "    EE EF ");
    EXPECT_EQ(port.bytesWaiting(), 0);
}

TEST_F(EngineTest, WrongEchoFailsLikeAMissingReplyButLeavesTheMark) {
    port.responder = [&](const QByteArray &) { port.deliver(dataReply(0x20), 4); };
    run(kReadLine0010);
    EXPECT_TRUE(engine.lineFailed);
    EXPECT_EQ(ui.log.last().toStdString(), c.SoftFaceText[175]);
    EXPECT_FALSE(mark.set);
    EXPECT_EQ(clock.now, 4);
}

TEST_F(EngineTest, StopEndsTheWaitAtTheNextPoll) {
    ui.wait.at(30, [&] {
        ui.stop = true;
        ui.wait.wake();
    });
    run(kAckLine);
    EXPECT_TRUE(engine.lineFailed);
    EXPECT_EQ(clock.now, 30);
    EXPECT_TRUE(mark.set);
}

TEST_F(EngineTest, VanishedDeviceFailsAtOnce) {
    ui.wait.at(10, [&] { port.lost = true; });
    run(kAckLine);
    EXPECT_TRUE(engine.lineFailed);
    EXPECT_EQ(clock.now, 10);
    run(kAckLine); // the next line cannot even send
    EXPECT_TRUE(engine.lineFailed);
    EXPECT_EQ(sink.places(),
              (std::vector<std::string>{"modCommun->RxComDat", "modCommun->ProtocolCom"}));
}

TEST_F(EngineTest, WriteLineSendsTheCaptureBuffer) {
    port.responder = [&](const QByteArray &) { port.deliver(bytes({0x06})); };
    for (int k = 0; k < 5; ++k)
        engine.capture[k] = static_cast<uint8_t>(0x10 * k);
    run("TX28040005VAVAVAVAVARX06EN");
    EXPECT_FALSE(engine.lineFailed);
    ASSERT_EQ(port.sentFrames.size(), 1u);
    EXPECT_EQ(port.sentFrames[0], bytes({0x28, 0x04, 0x00, 0x05, 0x00, 0x10, 0x20, 0x30, 0x40}));
}

TEST_F(EngineTest, TokenSplitting) {
    engine.ConvComCode("TX06RX0");
    EXPECT_EQ(engine.tokens(), (std::vector<std::string>{"TX", "06", "RX", "0"}));

    engine.lineFailed = false;
    engine.ConvComCode(std::string(402, '0')); // 201 tokens
    EXPECT_TRUE(engine.lineFailed);
    EXPECT_TRUE(engine.tokens().empty());
    EXPECT_EQ(sink.places(), std::vector<std::string>{"modCommun->ConvComCode"});
}

TEST(TrafficEntries, Layout) {
    auto frame = [](int n) {
        QByteArray b;
        for (int k = 0; k < n; ++k)
            b.append(static_cast<char>(k));
        return b;
    };
    const QByteArray program("PROGRAM");
    EXPECT_EQ(trafficEntries(0, program), (QStringList{"Tx: 50 52 4F 47 ", "    52 41 4D "}));
    EXPECT_EQ(trafficEntries(-1, frame(3)), QStringList{"Rx: 00 01 02 "});
    EXPECT_EQ(trafficEntries(0, QByteArray()), QStringList{"Tx: "});
    EXPECT_EQ(trafficEntries(-1, frame(20)),
              (QStringList{"Rx: 00 01 02 03 ",
                           "       04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 "}));
    const QStringList longFrame = trafficEntries(-1, frame(37));
    ASSERT_EQ(longFrame.size(), 4);
    EXPECT_TRUE(longFrame[2].startsWith("       14 15"));
    EXPECT_EQ(longFrame[3], "    24 ");
}

TEST_F(EngineTest, TrafficLogStartsOverAfter3000Entries) {
    engine.logIndex = 3000;
    ui.log = QStringList(3000, "old");
    engine.ComDataShow(0, bytes({0x06}));
    EXPECT_EQ(ui.clears, 0);
    EXPECT_EQ(engine.logIndex, 3001);
    engine.ComDataShow(0, QByteArray("PROGRAM"));
    EXPECT_EQ(ui.clears, 1);
    EXPECT_EQ(ui.log, (QStringList{"Tx: 50 52 4F 47 ", "    52 41 4D "}));
    EXPECT_EQ(engine.logIndex, 2);
    EXPECT_EQ(ui.selected, 1);
}

} // namespace
} // namespace cps
