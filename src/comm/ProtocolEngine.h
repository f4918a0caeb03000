#pragma once
// Runs one script line at a time over an open port: sends each send group as
// one frame, waits for the reply against a time budget, compares it with the
// expect group, captures the "VA" bytes, checks the radio's identification on
// the handshake line, and lists every frame in the traffic log.
//
// All state belongs to this object, so several transfers can run side by side,
// each with its own engine, scripts and port; only the time-out mark is shared
// for the program run.
#include "comm/ProtocolScripts.h"
#include "comm/SerialPort.h"
#include "comm/TransferUi.h"
#include "core/Cps.h"

#include <QByteArray>
#include <QStringList>
#include <array>
#include <string>
#include <vector>

namespace cps {

constexpr int kMaxTokens = 200;
constexpr int kMaxSendBytes = 101;
constexpr int kMaxExpectTokens = 101;
constexpr int kCaptureSize = 100;
constexpr int kTrafficLogLimit = 3000;
constexpr int kUnsupportedRadio = 255; // attempt counter value after a refused radio

// Interface texts the engine shows.
constexpr int kTextUnsupportedRadio = 69, kTextNotice = 70, kTextRxFailed = 175;

// Traffic log entries of one frame: "Tx: "/"Rx: " + bytes 0..3, then one entry
// per full group of 16 bytes (7-space prefix), then the rest (4-space prefix);
// every byte as two upper-case hex digits and a space.
QStringList trafficEntries(int direction, const QByteArray &bytes);

// Polls allowed for one reply after a failed passes: 100 + 10a while a < 10
// (100..190), then 160..200 repeating. One poll is one poll delay (1 ms).
int pollLimitFor(int attempt);

// Milliseconds the line needs for `bytes` bytes at `baud` (10 bits a byte), rounded up.
int lineTimeMs(int bytes, int baud);

class ProtocolEngine {
  public:
    ProtocolEngine(Cps &c, ProtocolScripts &scripts, SerialPort &port, TransferUi &ui,
                   TimeoutMark &mark);

    void ConvComCode(const std::string &lineText);
    void ProtocolCom();
    void RxComDat(int n);
    // direction 0 = sent, -1 = received.
    void ComDataShow(int direction, const QByteArray &bytes);
    void DelayNms(int ms);
    void ReadWriteFre(const std::string &kind, int a, int b, int c);

    // One entry at the next-entry index, selected (the transfer's own notes).
    void addLogEntry(const QString &text);
    // Waits until at least `minBytes` are waiting. Gives up when the time for
    // `polls` + 1 polls of `msPerPoll` has passed or Stop is ticked. Once part
    // of a reply is in, it looks again only after the time the rest needs.
    bool waitForBytes(int minBytes, int polls, int msPerPoll);

    const std::vector<std::string> &tokens() const { return tokens_; }

    // --- state shared with the read and write procedures
    std::array<uint8_t, kCaptureSize> capture{};
    int capturePos = 1; // 1-based
    bool lineFailed = false;
    int pollDelay = 1;   // ms between two looks at the input
    int pollLimit = 100; // last limit computed
    int attempts = 0;    // failed passes so far; 255 = radio not supported
    int currentLine = 0;
    int logIndex = 0;      // next traffic log entry, 0-based
    QByteArray radioIdent; // the identification bytes the radio gave on line 1

  private:
    bool isHexToken(const std::string &t) const;
    uint8_t hexValue(const std::string &t) const;
    void identificationCheck();
    QString text(int n) const;

    Cps &c_;
    ProtocolScripts &scripts_;
    SerialPort &port_;
    TransferUi &ui_;
    TimeoutMark &mark_;
    std::vector<std::string> tokens_;
    std::vector<std::string> expect_;
};

} // namespace cps
