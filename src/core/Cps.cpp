#include "core/Cps.h"

namespace cps {

namespace {
CollectingSink fallbackSink;
}

const std::string &ColumnDefs::item(int column, int k) const {
    return items.at(static_cast<std::size_t>(column)).at(static_cast<std::size_t>(k));
}

int ColumnDefs::itemCount(int column) const {
    if (column < 0 || column >= static_cast<int>(items.size())) return 0;
    return static_cast<int>(items[static_cast<std::size_t>(column)].size());
}

ErrorSink &Cps::log() const { return sink ? *sink : fallbackSink; }

uint8_t &Cps::at(int address) {
    if (address < 0 || address >= static_cast<int>(IicDat.size())) raise(err::IndexOutOfRange);
    return IicDat[static_cast<std::size_t>(address)];
}

uint8_t &Cps::tmpl(int address) {
    if (address < 0 || address >= static_cast<int>(TempDat.size())) raise(err::IndexOutOfRange);
    return TempDat[static_cast<std::size_t>(address)];
}

void initBitTables(Cps &c) {
    for (int i = 0; i < 16; ++i) {
        c.BitMask[static_cast<std::size_t>(i)] = static_cast<uint16_t>(1u << i);
        c.BitClear[static_cast<std::size_t>(i)] = static_cast<uint16_t>(0xFFFFu & ~(1u << i));
    }
}

void sizeImage(Cps &c, int datNum) {
    if (datNum < 0) raise(err::IndexOutOfRange);
    c.IicDat.assign(static_cast<std::size_t>(datNum) + 1, 0);
    c.TempDat.assign(static_cast<std::size_t>(datNum) + 1, 0);
}

} // namespace cps
