#pragma once
// The decoded plan as the user sees it: one JSON object for programs, or a
// table in the interface language for people.
#include "core/Cps.h"

#include <string>

namespace cli {

// One JSON object (docs/show-json.schema.json). The first keys are the raw
// decoded forms (frequencies in 10 Hz units, -1 = none; "fields" the channel
// table's 21 fields; "options" the option selections); the named keys say the
// same in words that do not depend on the interface language: MHz texts,
// "None"/"67.0"/"D023N", the parameter columns and options by their English
// captions with the English word shown.
std::string planJson(const cps::Cps &c);

// Model, band, the channel grid and the option controls as text.
std::string planTable(const cps::Cps &c);

// What grid cell (n, column) shows: "" for a channel not in use.
std::string channelCellText(const cps::Cps &c, int n, int column);
// What option control k shows (a choice caption, or the On/Off text of a check box).
std::string optionValueText(const cps::Cps &c, int k);

// A frequency in 10 Hz units as MHz with 5 decimals ("145.12500"); "" for none.
std::string mhzText(int32_t tenHz);

// The caption of parameter column `field`'s choice (the column's item 3 + choice).
std::string parameterCaption(const cps::Cps &c, int field, int32_t choice);
// The number of choices of parameter column `field`.
int parameterChoiceCount(const cps::Cps &c, int field);
// The caption of column `column` (0 = label column) from the grid format string.
std::string columnCaption(const cps::Cps &c, int column);

} // namespace cli
