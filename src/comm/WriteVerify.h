#pragma once
// Checking a write: the write range is read back with the read script and
// compared with what the radio should now hold.
//
//   the image over the write range, except
//   0x0379..0x037D   as the model-and-band frame carried them
//   0x03F0..0x03FF   as the radio settings frame carried them (when it was sent)
//   0x0388..0x038A   the radio's identification, which it never takes from a write
#include "comm/SerialPort.h"
#include "comm/TransferUi.h"
#include "core/Cps.h"

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <vector>

namespace cps {

// Image addresses the radio keeps whatever is written there.
constexpr int kIdentFirst = 0x0388, kIdentLast = 0x038A;

// What the radio should hold after a write of `image` whose sent frames are
// `sent` (in order, as the port saw them; `writeCommand` starts every write
// frame). Entries outside [start, end] and the identification are nullopt.
std::vector<std::optional<uint8_t>> expectedAfterWrite(const std::vector<uint8_t> &image,
                                                       const std::vector<QByteArray> &sent,
                                                       uint8_t writeCommand, int start, int end);

// One flag per image address: true where a write leaves the radio as it was,
// because no line of the write script (for the write range of c.settings)
// sends the address, or because it is the radio's identification. All false
// when the write script cannot be built.
std::vector<bool> addressesAWriteLeaves(const Cps &c);

// Addresses where `actual` differs from the expectation.
std::vector<int> mismatchedAddresses(const std::vector<std::optional<uint8_t>> &expected,
                                     const std::vector<uint8_t> &actual);

// "03F0 03F1 03F2" for the first `limit` addresses (with " ..." when there are more).
QString addressList(const std::vector<int> &addresses, int limit = 8);

// Reads image addresses [start, end] of the radio with the read script, with
// a copy of the state (the plan in `c` is not touched). Empty when the read failed.
std::optional<std::vector<uint8_t>> readRange(const Cps &c, SerialPort &port, TransferUi &ui,
                                              TimeoutMark &mark, int start, int end);

} // namespace cps
