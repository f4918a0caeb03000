#include "comm/ProtocolEngine.h"

#include "comm/Waiter.h"

#include <algorithm>
#include <cctype>

namespace cps {

namespace {
constexpr int kIdentMarker = 0x5A;
constexpr int kIdentCaptured = 4; // reply command byte + three identification bytes
const QString kSentPrefix = QStringLiteral("Tx: "), kReceivedPrefix = QStringLiteral("Rx: ");
const QString kGroupPrefix = QString(7, QLatin1Char(' ')),
              kRestPrefix = QString(4, QLatin1Char(' '));

QString hexBytes(const QByteArray &bytes, qsizetype from, qsizetype count) {
    QString s;
    for (qsizetype i = from; i < from + count; ++i)
        s += QStringLiteral("%1 ")
                 .arg(static_cast<uint8_t>(bytes[i]), 2, 16, QLatin1Char('0'))
                 .toUpper();
    return s;
}
} // namespace

QStringList trafficEntries(int direction, const QByteArray &bytes) {
    const QString &head = direction == 0 ? kSentPrefix : kReceivedPrefix;
    constexpr qsizetype kHead = 4, kGroup = 16;
    QStringList entries;
    entries << head + hexBytes(bytes, 0, std::min(kHead, bytes.size()));
    qsizetype pos = kHead;
    for (; pos + kGroup <= bytes.size(); pos += kGroup)
        entries << kGroupPrefix + hexBytes(bytes, pos, kGroup);
    if (pos < bytes.size())
        entries << kRestPrefix + hexBytes(bytes, pos, bytes.size() - pos);
    return entries;
}

int pollLimitFor(int attempt) {
    return attempt < 10 ? 100 + (attempt % 10) * 10 : 160 + (attempt % 5) * 10;
}

ProtocolEngine::ProtocolEngine(Cps &c, ProtocolScripts &scripts, SerialPort &port, TransferUi &ui,
                               TimeoutMark &mark)
    : c_(c), scripts_(scripts), port_(port), ui_(ui), mark_(mark) {}

QString ProtocolEngine::text(int n) const {
    return QString::fromStdString(c_.text(n));
}

bool ProtocolEngine::isHexToken(const std::string &t) const {
    if (t.empty() || t.size() > 2)
        return false;
    for (char ch : t)
        if (!std::isxdigit(static_cast<unsigned char>(ch)))
            return false;
    return true;
}

uint8_t ProtocolEngine::hexValue(const std::string &t) const {
    if (!isHexToken(t))
        raise(err::TypeMismatch);
    return static_cast<uint8_t>(std::stoi(t, nullptr, 16));
}

void ProtocolEngine::ConvComCode(const std::string &lineText) {
    tokens_.clear();
    const bool ok = guarded(c_.log(), "modCommun->ConvComCode", [&] {
        for (std::size_t k = 0; k < lineText.size(); k += 2) {
            if (tokens_.size() == kMaxTokens)
                raise(err::IndexOutOfRange);
            tokens_.push_back(lineText.substr(k, 2));
        }
    });
    // A line that does not split cleanly must not run half of itself.
    if (!ok) {
        tokens_.clear();
        lineFailed = true;
    }
}

void ProtocolEngine::ProtocolCom() {
    const bool ok = guarded(c_.log(), "modCommun->ProtocolCom", [&] {
        capturePos = 1;
        port_.setBinaryMode();
        std::size_t t = 0; // current token, 0-based
        for (;;) {
            if (mark_.set)
                DelayNms(1);
            if (t >= tokens_.size())
                return;
            const std::string &token = tokens_[t];
            if (token == "TX") {
                QByteArray send;
                expect_.clear();
                bool expecting = false;
                for (++t; t < tokens_.size(); ++t) {
                    const std::string &k = tokens_[t];
                    if (k == "RX") {
                        expecting = true;
                        ++t;
                        break;
                    }
                    if (k == "EN")
                        break;
                    if (send.size() == kMaxSendBytes)
                        raise(err::IndexOutOfRange);
                    if (k == "VA") {
                        send.append(static_cast<char>(
                            capture.at(static_cast<std::size_t>(capturePos - 1))));
                        ++capturePos;
                    } else {
                        send.append(static_cast<char>(hexValue(k)));
                    }
                }
                for (; expecting && t < tokens_.size(); ++t) {
                    const std::string &k = tokens_[t];
                    if (k == "TX" || k == "EN" || k == "RF" || k == "WF")
                        break;
                    if (expect_.size() == kMaxExpectTokens)
                        raise(err::IndexOutOfRange);
                    expect_.push_back(k);
                }
                lineFailed = false;
                port_.discardOutput();
                port_.discardInput();
                ComDataShow(0, send);
                port_.send(send);
                if (!expect_.empty())
                    RxComDat(static_cast<int>(expect_.size()));
                if (lineFailed)
                    return;
            } else if (token == "RF" || token == "WF") {
                if (t + 3 >= tokens_.size())
                    raise(err::IndexOutOfRange);
                ReadWriteFre(token, hexValue(tokens_[t + 1]), hexValue(tokens_[t + 2]),
                             hexValue(tokens_[t + 3]));
                t += 4;
            } else {
                return; // "EN" or anything else ends the line
            }
        }
    });
    if (!ok)
        lineFailed = true;
}

int lineTimeMs(int bytes, int baud) {
    const qint64 bits = static_cast<qint64>(bytes) * 10 * 1000;
    return static_cast<int>((bits + baud - 1) / baud);
}

// The first byte of a reply ends the wait at once; once a reply has begun, the
// wait sleeps for the time its remaining bytes need on the line, so a reply
// costs a few wake-ups rather than one per byte. A reply that stalled (nothing
// new after such a sleep) is waited for byte by byte again.
bool ProtocolEngine::waitForBytes(int minBytes, int polls, int msPerPoll) {
    Waiter &w = ui_.waiter();
    const qint64 budget = static_cast<qint64>(polls + 1) * msPerPoll;
    const qint64 start = w.nowMs();
    int haveBeforeRest = 0;
    for (;;) {
        const int have = port_.bytesWaiting();
        if (have >= minBytes)
            return true;
        if (ui_.stopTicked())
            return false;
        const qint64 left = start + budget - w.nowMs();
        if (left <= 0) {
            // Out of time by our clock; but a stall of this process (not of the
            // radio) may have kept arrived bytes from being noticed.
            port_.collectPending();
            return port_.bytesWaiting() >= minBytes;
        }
        if (have > haveBeforeRest) {
            haveBeforeRest = have;
            w.waitForRest(port_, static_cast<int>(std::min<qint64>(
                                     left, lineTimeMs(minBytes - have, port_.baudRate()))));
        } else {
            w.waitForInput(port_, static_cast<int>(left));
        }
    }
}

void ProtocolEngine::RxComDat(int n) {
    const bool ok = guarded(c_.log(), "modCommun->RxComDat", [&] {
        pollLimit = pollLimitFor(attempts);
        capturePos = 1;
        if (!waitForBytes(n, pollLimit, pollDelay)) {
            addLogEntry(text(kTextRxFailed));
            lineFailed = true;
            mark_.set = true;
            return;
        }
        const QByteArray reply = port_.takeAll();
        ComDataShow(-1, reply);
        for (int j = 0; j < n; ++j) {
            const std::string &token = expect_.at(static_cast<std::size_t>(j));
            const auto byte = static_cast<uint8_t>(reply.at(j));
            if (token == "VA") {
                capture.at(static_cast<std::size_t>(capturePos - 1)) = byte;
                ++capturePos;
            } else if (hexValue(token) != byte) {
                addLogEntry(text(kTextRxFailed));
                lineFailed = true;
                return;
            }
        }
        identificationCheck();
    });
    if (!ok)
        lineFailed = true;
}

// The handshake's second group captured the reply's command byte and the radio's
// identification bytes 0x0388..0x038A: 5A 23 28 is an alternative-set radio,
// 5A 52 57 (or anything not starting with 5A) a standard one; any other pair is
// a radio this tool does not support.
void ProtocolEngine::identificationCheck() {
    if (currentLine != 1 || capturePos != kIdentCaptured + 1)
        return;
    const uint8_t c2 = capture[1], c3 = capture[2], c4 = capture[3];
    radioIdent = QByteArray(reinterpret_cast<const char *>(&capture[1]), 3);
    const auto stdPair = scripts_.stdIdentPair();
    if (c2 != kIdentMarker || (c3 == stdPair[0] && c4 == stdPair[1])) {
        scripts_.SelectStdCommandSet();
        return;
    }
    if (c3 == scripts_.readCommand() && c4 == scripts_.writeCommand())
        return;
    ui_.message(text(kTextUnsupportedRadio), text(kTextNotice));
    lineFailed = true;
    attempts = kUnsupportedRadio;
}

void ProtocolEngine::ComDataShow(int direction, const QByteArray &bytes) {
    guarded(c_.log(), "modCommun->ComDataShow", [&] {
        if (logIndex > kTrafficLogLimit) {
            ui_.clearLog();
            logIndex = 0;
        }
        for (const QString &entry : trafficEntries(direction, bytes))
            addLogEntry(entry);
    });
}

void ProtocolEngine::addLogEntry(const QString &entry) {
    ui_.insertLogEntry(logIndex, entry);
    ui_.selectLogEntry(logIndex);
    ++logIndex;
}

void ProtocolEngine::DelayNms(int ms) {
    guarded(c_.log(), "modCommun->DelayNms", [&] { ui_.waiter().delay(ms); });
}

void ProtocolEngine::ReadWriteFre(const std::string &, int, int, int) {}

} // namespace cps
