#pragma once
// Two plans compared as the user thinks of them (model, band, each channel's
// cells, each option by its caption), then the raw address ranges that differ
// outside the decoded fields.
#include "core/Cps.h"

#include <string>
#include <utility>
#include <vector>

namespace cli {

// "Frequency[MHz]: 400 - 470 MHz -> 134 - 174 MHz", "CH 3 Rx Freq [MHz]: ... -> ...",
// "Time Out Timer[s]: 60s -> Off"; captions in a's language, "-" for nothing.
std::vector<std::string> decodedDifferences(const cps::Cps &a, const cps::Cps &b);

// The bits of each image address that the decoded forms stand for (model,
// band, channel slots and list word, option bytes); a set bit is decoded.
std::vector<uint8_t> decodedBits(const cps::Cps &c);

// Inclusive address ranges where the images differ in bits no decoded form covers.
std::vector<std::pair<int, int>> rawDifferences(const std::vector<uint8_t> &a,
                                                const std::vector<uint8_t> &b,
                                                const std::vector<uint8_t> &decoded);

// "raw 0389-038A: 23 28 -> 52 57" (the bytes only for ranges under 16 bytes).
std::string rawRangeLine(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b, int first,
                         int last);

// A plan file against what a radio holds: the addresses a write leaves alone
// (`leftByWrite`, see addressesAWriteLeaves) cannot differ because of a write,
// so the radio's bytes there take the file's. Returns those differences as
// raw lines, file before radio when `fileFirst`.
std::vector<std::string> takeUnwrittenDifferences(const std::vector<uint8_t> &file,
                                                  std::vector<uint8_t> &radio,
                                                  const std::vector<bool> &leftByWrite,
                                                  bool fileFirst);

// Everything as text lines; empty when the plans are the same.
std::vector<std::string> planDifferences(const cps::Cps &a, const cps::Cps &b);

} // namespace cli
