#include "core/Plan.h"

#include "core/ChannelCodec.h"
#include "core/MemoryImage.h"
#include "core/Options.h"

namespace cps {

namespace {
// The option controls show the selections (checking their ranges as they do);
// without windows the same check runs alone.
void showOptions(Cps &c) {
    if (c.view) c.view->InitOpt();
    else InitOptValues(c);
}
} // namespace

void SetConvIicDat(Cps &c) {
    guarded(c.log(), "mdifrmMain->SetConvIicDat", [&] {
        ChInfoSaveSol(c, 0);
        OptSelSaveSol(c, 0);
    });
}

void NewFileSol(Cps &c) {
    guarded(c.log(), "mdifrmMain->NewFileSol", [&] {
        std::array<uint8_t, 5> kept{};
        for (int i = 0; i < 5; ++i) kept[static_cast<std::size_t>(i)] = c.at(kModelByte + i);
        InitTempArray(c);
        for (int i = 0; i < 5; ++i) c.at(kModelByte + i) = kept[static_cast<std::size_t>(i)];
        ChInfoSaveSol(c, 1);
        if (c.view) c.view->ShowChTblGrid();
        OptNowDefSol(c, 0);
        OptNowDefSol(c, 2);
        showOptions(c);
        if (c.view) c.view->hideCtdcsBox();
    });
}

void SoftDisplay(Cps &c) {
    guarded(c.log(), "frmChMem->SoftDisplay", [&] {
        // Decoding leaves an empty slot's signalling texts alone and the next
        // conversion writes them back, so texts of the plan shown before would
        // end up in the empty slots of this one. A new image starts from none.
        for (auto &t : c.ch.decText) t.clear();
        for (auto &t : c.ch.encText) t.clear();
        decodeModelBand(c);
        ChInfoSaveSol(c, 1);
        if (c.view) c.view->ShowChTblGrid();
        OptSelSaveSol(c, 1);
        showOptions(c);
    });
}

} // namespace cps
