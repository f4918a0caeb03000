#pragma once
// The memory image's fixed places: the model byte, the band edges and the
// band table, the default image file, and the column definition table.
//
//   0x0379        model byte: index into the model list (one model: 0)
//   0x037A-037B   band lower edge, 4 BCD digits in 100 kHz units, MSB first
//   0x037C-037D   band upper edge, same form (400.0 MHz = 4000 = 0x40 0x00)
#include "core/Cps.h"

#include <array>
#include <cstdint>
#include <string>

namespace cps {

constexpr int kModelByte = 0x0379;
constexpr int kBandLowByte = 0x037A;
constexpr int kBandHighByte = 0x037C;
constexpr int kBandCount = 15; // 14 fixed bands and "Custom" at index 14
constexpr int kCustomBand = 14;
constexpr int kDefaultBand = 7;

struct BandRow {
    const char *caption;
    int32_t low, high; // 10 Hz units
};
const std::array<BandRow, 14> &bandTable();

// Band limit (10 Hz units) to its two BCD bytes: rounded to 100 kHz, half to even.
std::array<uint8_t, 2> bandEdgeBytes(int32_t limit);
// Two BCD bytes back to 10 Hz units (nibbles taken as digits, unchecked).
int32_t bandEdgeValue(uint8_t first, uint8_t second);

// Reads the default image file (c.files.defaultImage): the image, then the template.
void InitTempArray(Cps &c);
// Hex-pair splitter: pair i of the text into convBuf[i] (a fifth pair fails).
void SeparateFreChar(Cps &c, const std::string &text);
// Reads the column definition table for the interface language.
void ReadChInfo(Cps &c);

// Model and band from the image (recovering silently): sets modelIndex,
// bandIndex, bandLow/bandHigh; the caller shows them (PlanView::showModelBand).
void decodeModelBand(Cps &c);
// Band selection for index 0..13, or 14 with bandLow/bandHigh already set by the
// custom range: writes the band edges and builds a new plan. Returns the caption
// the channel window shows.
std::string selectBand(Cps &c, int index);
// Caption for the current band: the band's text, for custom with "  low - high MHz".
std::string bandCaption(const Cps &c, int index, int32_t low, int32_t high);

} // namespace cps
