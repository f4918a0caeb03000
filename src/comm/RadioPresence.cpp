#include "comm/RadioPresence.h"

#include "comm/WireFormat.h"

namespace cps {

namespace {

constexpr int kIdentReplyLength = 7; // W 03 88 03 id1 id2 id3

template <std::size_t N> QByteArray bytesOf(const std::array<uint8_t, N> &a) {
    return QByteArray(reinterpret_cast<const char *>(a.data()), static_cast<qsizetype>(N));
}

// Collects at least `count` bytes, or what came before the deadline.
QByteArray collect(SerialPort &port, Waiter &waiter, int count, int ms) {
    QByteArray got;
    const qint64 deadline = waiter.nowMs() + ms;
    while (got.size() < count) {
        got += port.takeAll();
        if (got.size() >= count)
            break;
        const qint64 left = deadline - waiter.nowMs();
        if (left <= 0)
            break;
        waiter.waitForInput(port, static_cast<int>(left));
    }
    return got;
}

} // namespace

std::optional<QByteArray> askForRadio(SerialPort &port, Waiter &waiter, int replyMs) {
    port.discardInput();
    port.send(bytesOf(kProgramRequest));
    const QByteArray ack = collect(port, waiter, 1, replyMs);
    if (ack.isEmpty() || static_cast<uint8_t>(ack[0]) != kAck)
        return std::nullopt;

    const auto wire = wireAddress(kIdentAddress);
    // Every radio answers the identification request with the standard read byte.
    QByteArray identRequest;
    for (const uint8_t b : {kStdReadCommand, wire[0], wire[1], uint8_t{3}})
        identRequest.append(static_cast<char>(b));
    port.send(identRequest);
    const QByteArray reply = collect(port, waiter, kIdentReplyLength, replyMs);
    port.send(bytesOf(kEndFrame));
    if (reply.size() < kIdentReplyLength)
        return std::nullopt;
    return reply.mid(4, 3);
}

} // namespace cps
