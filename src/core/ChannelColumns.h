#pragma once
// The channel grid's columns as a table file names them: captions and choice
// words of the parameter columns in each interface language, taken from the
// column definition table of the settings file ([ChInfo], one block per
// language). The channel CSV layouts read and write the grid through these.
#include "core/Cps.h"

#include <array>
#include <string>
#include <vector>

namespace cps {

// The column definition table of language 1, 2 or 3 as the settings file holds
// it; the session's own table for its language, and also when the file has no
// usable block for the other language. Only reads the settings file.
ColumnDefs columnDefsOfLanguage(const Cps &c, int lang);
// Languages 1, 2 and 3 (index 0, 1, 2).
std::array<ColumnDefs, 3> columnDefsOfEveryLanguage(const Cps &c);

// Caption of column `column` (0 = label column) in the grid format string;
// empty when the format string has none.
std::string gridCaption(const ColumnDefs &defs, int column);
// Number of choices of parameter column `field` (item 1, or the captions present).
int choiceCount(const ColumnDefs &defs, int field);
// Caption of choice `choice` of parameter column `field` ("" when missing).
std::string choiceCaption(const ColumnDefs &defs, int field, int choice);
// The choice of parameter column `field` whose caption is `word` (ASCII letters
// in any case), or -1.
int choiceOfWord(const ColumnDefs &defs, int field, const std::string &word);
// The parameter column (5..) whose grid caption is `caption` (any case), or -1.
int parameterColumnOf(const ColumnDefs &defs, const std::string &caption);

} // namespace cps
