#pragma once
// The numbered interface texts in three languages (1 Simplified Chinese,
// 2 Traditional Chinese, 3 English). The same entry number means the same text
// in every language; entries a language does not set are empty.
#include <string>
#include <utility>
#include <vector>

namespace cps {

struct Cps;

// One language's table as (entry number, UTF-8 text) pairs; lang outside 1..3 is 3.
const std::vector<std::pair<int, const char *>> &faceTextTable(int lang);

// Fills c.SoftFaceText (kSoftFaceTextSize entries) for c.CurLang; a CurLang outside 1..3 becomes 3.
void LoadSoftFaceText(Cps &c);

// The none text of the signalling list: "无", "無" or "None".
std::string noneTextFor(int lang);

} // namespace cps
