#pragma once
// Frames on the programming cable (raw bytes, multi-byte addresses big-endian).
//
//   program request   50 52 4F 47 52 41 4D ("PROGRAM")      radio answers 06
//   read request      R  AH AL L                 (L = 1..16) radio answers W AH AL L d1..dL
//   write request     W  AH AL L d1..dL                      radio answers 06
//   identification    52 03 88 03  (read 3 bytes at 0x0388, whatever the command set)
//   end frame         45 5A A5 32 23 45 F2                   no answer
//
// R and W are the read and write command bytes of the command set in use:
// alternative set 23/28, standard set 52/57 ("R"/"W").
//
// Wire address AH AL of image address A (0..0x1FFF), in pages of 1 KB:
//
//   AH = (A div 1024) * 16 + (A mod 1024) div 256       0x0400 -> 10 00
//   AL = A mod 256                                      0x1FF0 -> 73 F0
#include <array>
#include <cstdint>
#include <string>

namespace cps {

constexpr uint8_t kAltReadCommand = 0x23, kAltWriteCommand = 0x28;
constexpr uint8_t kStdReadCommand = 0x52, kStdWriteCommand = 0x57;
constexpr uint8_t kAck = 0x06;
constexpr int kImageTop = 0x1FFF;     // highest radio address
constexpr int kMaxBlock = 16;         // data bytes per read or write request
constexpr int kIdentAddress = 0x0388; // three identification bytes 0x0388..0x038A

constexpr std::array<uint8_t, 7> kProgramRequest{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D};
constexpr std::array<uint8_t, 7> kEndFrame{0x45, 0x5A, 0xA5, 0x32, 0x23, 0x45, 0xF2};

// Fixed frames of a write (outside the scripts).
constexpr int kModelBandAddress = 0x0379; // model byte + band edges, 5 bytes
constexpr int kModelBandLength = 5;
constexpr int kParamAddress = 0x03D0; // parameter read: P[0..47] = 0x03D0..0x03FF
constexpr int kParamLength = 0x30;
constexpr int kParamReplyMin = 52;            // command byte, address, length, 48 bytes
constexpr int kRadioSettingsAddress = 0x03F0; // radio settings frame: 16 bytes
constexpr int kRadioSettingsLength = 16;

constexpr int kWirePage = 1024;

// The two wire address bytes of image address A (0..0x1FFF).
constexpr std::array<uint8_t, 2> wireAddress(int address) {
    return {static_cast<uint8_t>((address / kWirePage) * 16 + (address % kWirePage) / 256),
            static_cast<uint8_t>(address % 256)};
}

// Image address back from the wire bytes; -1 when they name no image address
// (a low nibble of 4 or more in AH, or beyond 0x1FFF).
constexpr int imageAddressFromWire(uint8_t high, uint8_t low) {
    const int page = high >> 4, quarter = high & 0x0F;
    if (quarter >= kWirePage / 256)
        return -1;
    const int address = page * kWirePage + quarter * 256 + low;
    return address <= kImageTop ? address : -1;
}

// Two upper-case hex digits of a byte value.
inline std::string hexByte(int value) {
    constexpr const char *digits = "0123456789ABCDEF";
    return {digits[(value >> 4) & 0x0F], digits[value & 0x0F]};
}

// The four hex digits of the wire address as the scripts write them:
// Hex(A div 1024), Hex((A mod 1024) div 256), Hex((A mod 256) div 16), Hex(A mod 16).
inline std::string wireAddressDigits(int address) {
    const auto w = wireAddress(address);
    return hexByte(w[0]) + hexByte(w[1]);
}

} // namespace cps
