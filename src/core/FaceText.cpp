#include "core/FaceText.h"

#include "core/Cps.h"

namespace cps {

void LoadSoftFaceText(Cps &c) {
    if (c.CurLang < 1 || c.CurLang > 3) c.CurLang = 3;
    c.SoftFaceText.assign(kSoftFaceTextSize, std::string());
    for (const auto &[n, text] : faceTextTable(c.CurLang))
        c.SoftFaceText.at(static_cast<std::size_t>(n)) = text;
}

std::string noneTextFor(int lang) {
    switch (lang) {
    case 1: return "无";
    case 2: return "無";
    default: return "None";
    }
}

} // namespace cps
