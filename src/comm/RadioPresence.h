#pragma once
// Is a radio on the line? One short exchange that a radio in any state
// answers and that leaves it as it was:
//
//   50 52 4F 47 52 41 4D  program request        -> 06
//   52 03 88 03           identification         -> W 03 88 03 id1 id2 id3
//   45 5A A5 32 23 45 F2  end frame              (no reply; the radio leaves programming)
#include "comm/SerialPort.h"
#include "comm/Waiter.h"

#include <QByteArray>
#include <optional>
#include <vector>

namespace cps {

// What one presence exchange showed of the line and the radio.
struct PresenceProbe {
    // The bytes we sent came back ahead of the reply: a cable with a loop-back.
    bool echoed = false;
    // The radio's three identification bytes; nothing when no radio answered.
    std::optional<QByteArray> ident;
    // Milliseconds from each request to its complete reply (echo included).
    std::vector<qint64> replyMs;
};

// The presence exchange with `identRequests` identification requests (1 or
// more: each repeat adds one more reply to time). The port must be open.
PresenceProbe probeForRadio(SerialPort &port, Waiter &waiter, int replyMs, int identRequests = 1);

// The radio's three identification bytes, or nothing when no radio answered
// within `replyMs` for each reply, or the line echoes. The port must be open.
std::optional<QByteArray> askForRadio(SerialPort &port, Waiter &waiter, int replyMs);

} // namespace cps
