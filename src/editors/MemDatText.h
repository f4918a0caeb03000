#pragma once
// Texts of the memory data view: byte and address formatting, the hexadecimal,
// binary and decimal conversions behind the cell explanation, and the parsing
// of the fill dialog's boxes. No widgets here, so tests and fuzzers can drive
// them directly. A failure throws cps::RunError; the window that calls a
// helper reports it under its own procedure name.
#include <QString>

#include <cstdint>
#include <optional>

namespace cps {
struct Cps;
}

namespace memdat {

// Two upper-case hexadecimal digits: 0x0A gives "0A".
QString FormatByteDat(uint8_t value);

// Four upper-case hexadecimal digits and "H": the label of the row starting at
// `address` (0x01A0 gives "01A0H"). An address above 0xFFFF is error 6.
QString rowLabel(int address);

// Clears the four scratch bytes c.convBuf, then stores the value of the i-th
// character from the right into byte i (a character that is not a hexadecimal
// digit counts as 0). More than four characters is error 9, raised after the
// four rightmost have been stored.
void SeparateChar(cps::Cps &c, const QString &text);

// The value the scratch bytes hold: digit3 * 4096 + digit2 * 256 + digit1 * 16 + digit0.
int convBufValue(const cps::Cps &c);

// Each hexadecimal digit as four binary digits, left to right; every other
// character is skipped. "1A" gives "00011010".
QString H_To_B(const QString &text);

// The value of a text of binary digits, most significant first. More than 15
// significant bits is error 6; a character other than 0 and 1 is error 13.
int B_To_D(const QString &binary);

// The bits from the most significant down as "B<index>:<digit> ", with two
// more blanks between bit 4 and bit 3: "00011010" gives
// "B7:0 B6:0 B5:0 B4:1   B3:1 B2:0 B1:1 B0:0 ".
QString B_To_BitShow(const QString &binary);

// The explanation of the byte at `address` whose cell shows `cellText`:
// "地址为: 0x01A3    二进制:00011010    <bits>    十进制26    \r\n".
QString cellTipText(int address, const QString &cellText);

// A cell's text read as a hexadecimal number up to its first character that is
// not a hexadecimal digit (no digit gives 0); saturates at 0x10000 so any text
// that does not fit a 16-bit value still compares as "above a byte".
int hexPrefixValue(const QString &text);

enum class FillBase { Hex, Dec, Bin };

// The fill value typed in the fill dialog, in the chosen base: digits of that
// base only (surrounding blanks allowed), a value above 255 becomes 255.
// Empty when the text is empty, negative or not a number in that base.
std::optional<uint8_t> fillValueOf(const QString &text, FillBase base);

// A start or end address box: one to four hexadecimal digits (surrounding
// blanks allowed). Empty when the text is anything else.
std::optional<int> addressOf(const QString &text);

} // namespace memdat
