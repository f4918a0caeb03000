#pragma once
// Settings values that the start-up of the window and of a command-line
// session read alike: fonts, the frequency cell colours and the five address
// keys of the read/write window.
#include "core/Cps.h"

#include <string>

namespace cps {

// "EngFont", "ChsFont" (CurFont follows CurLang), "OverColor", "DefColor";
// a missing or unusable colour falls back to red for out-of-band and black.
void readFontsAndColours(Cps &c);
// "TableMaxAddr", "ReadStartAddr", "ReadEndAddr", "WriteStartAddr",
// "WriteEndAddr": a text that does not convert is logged as `place` + key and
// its default is used, so one bad key cannot stop the rest of a start-up.
// Also sets the fill range of the memory view to 0..TableMaxAddr.
void readAddressKeys(Cps &c, const std::string &place);

} // namespace cps
