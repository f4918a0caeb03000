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

namespace cps {

// The radio's three identification bytes, or nothing when no radio answered
// within `replyMs` for each reply. The port must be open.
std::optional<QByteArray> askForRadio(SerialPort &port, Waiter &waiter, int replyMs);

} // namespace cps
