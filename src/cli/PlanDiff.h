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

// Everything as text lines; empty when the plans are the same.
std::vector<std::string> planDifferences(const cps::Cps &a, const cps::Cps &b);

} // namespace cli
