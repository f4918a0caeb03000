#pragma once
// The names that files and scripts give the channel columns and the words of
// the parameter columns. They are fixed here, whatever the settings file's
// captions say: those only label the grid. Every CSV header and word and every
// JSON key of a channel comes from this table.
//
//   column  name        choice words (index = stored value)   stored in
//   0       Channel
//   1       Receive                                            slot bytes 0-3
//   2       Transmit                                           slot bytes 4-7
//   3       Decode      signalling text                        slot bytes 8-9
//   4       Encode      signalling text                        slot bytes 10-11
//   5       Tx Power    Low, High                              slot byte 13 bit 5
//   6       Bandwidth   Wide, Narrow                           slot byte 13 bit 4
//   7       Scan Add    Off, On                                list word bit n-1
//   8       Busy Lock   Off, Carrier, Tone                     slot byte 12 bits 3-4
//
// Each also has its Simplified and Traditional Chinese name and words, and is
// found under the common names other sheets head it with ("Rx Freq", "Pwr",
// "BW", "BCL", "接收频率", "功率", ...). A "Skip" column says the opposite of
// Scan Add.
#include <optional>
#include <string>
#include <vector>

namespace cps {

constexpr int kNamedColumnCount = 9; // columns 0..8 above
// The role of a Skip column: Scan Add with the meaning turned round.
constexpr int kSkipColumn = 100;

// The name of column 0..8 in language 1 (Simplified Chinese), 2 (Traditional
// Chinese) or any other (English); "" past the table.
std::string channelColumnName(int column, int lang = 3);

// The English names of every column, in order: "Channel, Receive, ...".
std::string channelColumnNamesText();

// The column a header names: 0..8, kSkipColumn, or -1. Letter case, spaces,
// '_', '-', '.', '/' and a bracketed unit after the name ("Rx Freq [MHz]",
// "Decode (CTCSS/DCS)") do not matter.
int channelColumnOfName(const std::string &name);

// Whether a header names something common in channel sheets that this radio
// does not store (a channel name, a comment, an offset, ...).
bool isColumnWithoutPlace(const std::string &name);

// Number of choices of parameter column 5..8 (0 for any other).
int parameterChoiceCount(int column);

// The word of choice `choice` of parameter column 5..8 in that language; ""
// when there is none.
std::string parameterWord(int column, int choice, int lang = 3);

// The choice a word of any of the three languages (or a common short form such
// as "H", "N", "Yes") means in parameter column 5..8; -1 when none.
int parameterChoiceOfWord(int column, const std::string &word);

// Whether a Skip column's value means "left out of the scan"; none when the
// value is not one of its words.
std::optional<bool> skipOfWord(const std::string &word);

} // namespace cps
