#pragma once
// CTCSS/DCS signalling: the 261 offered settings and the 16-bit word stored in
// a channel slot (low byte first):
//   600..2650        CTCSS tone in 0.1 Hz (67.0 Hz = 0x029E)
//   0x2800..0x29FF   DCS normal: 0x2800 | 9-bit code (D023N = 0x2813)
//   0xA800..0xA9FF   DCS inverted: 0xA800 | code     (D023I = 0xA813)
//   0xFFFF           none; any other word also reads as none
#include "core/Cps.h"

#include <array>
#include <string>

namespace cps {

constexpr int kToneCount = 50;
constexpr int kDcsCount = 105;
constexpr int kCtdcsListSize = 1 + kToneCount + 2 * kDcsCount; // 261

const std::array<const char *, kToneCount> &ctcssTones();
const std::array<const char *, kDcsCount> &dcsCodes();

// Sets the none text for the language and builds c.ctdcsList (261 entries).
void GenCtdcsList(Cps &c);
// Word (high, low bytes) to text.
std::string QtDqtIicToChar(Cps &c, uint8_t high, uint8_t low);
// Text to word: low byte in convBuf[0], high byte in convBuf[1]. Reports failures.
void QtDqtCharToIic(Cps &c, const std::string &text);

// The grid's rule for a typed signalling entry: "67" -> "67.0", "023" -> "D023N",
// "D023i" -> "D023I"; anything else gives the none text.
std::string parseCtdcsEntry(const std::string &text, const std::string &noneText);

// The radio's standard CTCSS tones are the ones of its signalling list
// (ctcssTones). An entry such as "88" is kept as "88.0", a tone the radio can
// send but that a receiver set to 88.5 will not open for.
// Whether a signalling text is a CTCSS tone outside that list.
bool isNonStandardTone(const std::string &text);
// The standard tone nearest to a tone text ("88.0" -> "88.5"; a tie goes to the
// lower one); empty when the text is not a CTCSS tone (none, a DCS code).
std::string nearestStandardTone(const std::string &text);

} // namespace cps
