#pragma once
// Exact decimal arithmetic for typed numbers: "146.5225" MHz becomes 14652250
// (10 Hz units) straight from its digits, so binary floating point never shifts
// a value and a typed half rounds to even exactly as the digits say.
#include <cstdint>
#include <optional>
#include <string>

namespace cps {

// The text as a number (decimal point ".", optional sign, optional exponent,
// surrounding spaces allowed) multiplied by 10^scale and rounded half to even.
// Empty optional when the text is not a number or the result exceeds 64 bits.
std::optional<long long> decimalToScaled(const std::string &text, int scale);

// True when the text reads as a number (the rule the entry fields use).
bool isNumeric(const std::string &text);

// Rounds a double to the nearest integer, halves to the even neighbour.
long long roundHalfEven(double v);
// Integer division rounded half to even (b > 0).
long long divRoundHalfEven(long long a, long long b);

} // namespace cps
