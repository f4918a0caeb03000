#include "comm/RadioPresence.h"

#include "comm/WireFormat.h"

#include <algorithm>

namespace cps {

namespace {

constexpr int kIdentReplyLength = 7; // W 03 88 03 id1 id2 id3

template <std::size_t N> QByteArray bytesOf(const std::array<uint8_t, N> &a) {
    return QByteArray(reinterpret_cast<const char *>(a.data()), static_cast<qsizetype>(N));
}

// One request and its reply. A line that loops the request back delivers it
// ahead of the reply: it is taken off and noted, so the reply is still seen.
struct Exchange {
    QByteArray reply; // without the echo
    bool echoed = false;
    qint64 ms = 0; // from the send to the last byte needed
};

Exchange exchange(SerialPort &port, Waiter &waiter, const QByteArray &request, int replyLength,
                  int ms) {
    Exchange result;
    const qint64 sentAt = waiter.nowMs();
    port.send(request);
    QByteArray got;
    const qint64 deadline = sentAt + ms;
    for (;;) {
        got += port.takeAll();
        // The head of the request so far may still be the start of an echo.
        const bool echoSoFar =
            !got.isEmpty() && (got.startsWith(request) || request.startsWith(got));
        const qsizetype needed = (echoSoFar ? request.size() : 0) + replyLength;
        if (got.size() >= needed)
            break;
        const qint64 left = deadline - waiter.nowMs();
        if (left <= 0)
            break;
        waiter.waitForInput(port, static_cast<int>(left));
    }
    result.ms = waiter.nowMs() - sentAt;
    result.echoed = got.startsWith(request);
    result.reply = result.echoed ? got.mid(request.size()) : got;
    return result;
}

} // namespace

PresenceProbe probeForRadio(SerialPort &port, Waiter &waiter, int replyMs, int identRequests) {
    PresenceProbe probe;
    port.discardInput();
    const Exchange ack = exchange(port, waiter, bytesOf(kProgramRequest), 1, replyMs);
    probe.echoed = ack.echoed;
    if (ack.reply.isEmpty() || static_cast<uint8_t>(ack.reply[0]) != kAck)
        return probe;
    probe.replyMs.push_back(ack.ms);

    const auto wire = wireAddress(kIdentAddress);
    // Every radio answers the identification request with the standard read byte.
    QByteArray identRequest;
    for (const uint8_t b : {kStdReadCommand, wire[0], wire[1], uint8_t{3}})
        identRequest.append(static_cast<char>(b));
    for (int k = 0; k < std::max(1, identRequests); ++k) {
        const Exchange ident = exchange(port, waiter, identRequest, kIdentReplyLength, replyMs);
        probe.echoed = probe.echoed || ident.echoed;
        if (ident.reply.size() < kIdentReplyLength)
            break;
        probe.replyMs.push_back(ident.ms);
        probe.ident = ident.reply.mid(4, 3);
    }
    port.send(bytesOf(kEndFrame));
    return probe;
}

std::optional<QByteArray> askForRadio(SerialPort &port, Waiter &waiter, int replyMs) {
    const PresenceProbe probe = probeForRadio(port, waiter, replyMs);
    if (probe.echoed)
        return std::nullopt;
    return probe.ident;
}

} // namespace cps
