#include "core/ChannelCodec.h"

#include "core/Ctdcs.h"
#include "core/MemoryImage.h"

#include <cstdio>

namespace cps {

namespace {

int32_t &fieldOf(Cps &c, int n, int f) {
    return c.ch.ChInfo.at(static_cast<std::size_t>(n)).at(static_cast<std::size_t>(f));
}

std::string &textOf(std::array<std::string, kMaxChannels + 1> &texts, int n) {
    return texts.at(static_cast<std::size_t>(n));
}

uint8_t &slot(Cps &c, int n, int offset) { return c.at(slotAddress(n) + offset); }

// Four BCD bytes of a slot, most significant first, read as an 8-digit decimal
// number; a nibble above 9 is not a decimal digit and fails (error 13).
int32_t bcdFreq(Cps &c, int n, int firstOffset) {
    int32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        const uint8_t b = slot(c, n, firstOffset + i);
        if ((b >> 4) > 9 || (b & 0x0F) > 9) raise(err::TypeMismatch);
        v = v * 100 + (b >> 4) * 10 + (b & 0x0F);
    }
    return v;
}

void writeBcdFreq(Cps &c, int n, int firstOffset, int32_t value) {
    if (value == -1) {
        for (int i = 3; i >= 0; --i) slot(c, n, firstOffset + i) = 0xFF;
        return;
    }
    if (value < 0) raise(err::InvalidCall);
    char text[16];
    // Eight digits: frequencies below 100 MHz keep their leading zeros.
    // More than eight digits cannot be stored; refuse rather than write a cut-off value.
    if (value > 99999999) raise(err::Overflow);
    std::snprintf(text, sizeof text, "%08d", value);
    SeparateFreChar(c, text);
    for (int i = 0; i < 4; ++i) slot(c, n, firstOffset + 3 - i) = c.convBuf[static_cast<std::size_t>(i)];
}

bool emptyMarker(uint8_t b) { return b == 0x00 || b > 0x99; }

uint16_t listWord(Cps &c) {
    return static_cast<uint16_t>(c.at(kChannelListWord + 1) * 256 + c.at(kChannelListWord));
}

} // namespace

void ChInfoSaveSol(Cps &c, int direction) {
    if (direction == 0) ChInfoToIicDat(c);
    else if (direction == 1) IicDatToChInfo(c);
}

void IicDatToChInfo(Cps &c) {
    guarded(c.log(), "modChMem->IicDatToChInfo", [&] {
        for (int n = 1; n <= c.cols.channelCount; ++n) {
            const uint8_t b3 = slot(c, n, 3);
            if (b3 >= 0x01 && b3 <= 0x99) {
                IcChParaSol(c, n);
                IcRxFreSol(c, n);
                IcTxFreSol(c, n);
                IcCtdcsDecSol(c, n);
                IcCtdcsEncSol(c, n);
            } else {
                fieldOf(c, n, field::Rx) = -1;
                fieldOf(c, n, field::Tx) = -1;
                fieldOf(c, n, field::DecChoice) = 0;
                fieldOf(c, n, field::EncChoice) = 0;
                for (int f = 5; f <= c.cols.columnCount; ++f)
                    fieldOf(c, n, f) = toInt16(c.cols.item(f, 2));
            }
        }
    });
}

void ChInfoToIicDat(Cps &c) {
    guarded(c.log(), "modChMem->ChInfoToIicDat", [&] {
        for (int n = 1; n <= c.cols.channelCount; ++n) {
            CiChParaSol(c, n);
            CiRxFreSol(c, n);
            CiTxFreSol(c, n);
            CiCtdcsDecSol(c, n);
            CiCtdcsEncSol(c, n);
        }
    });
}

void IcChParaSol(Cps &c, int n) {
    guarded(c.log(), "modChMem->IcChParaSol", [&] {
        const uint8_t b13 = slot(c, n, 13);
        fieldOf(c, n, field::Bit5) = (b13 & 0x20) ? 1 : 0;
        fieldOf(c, n, field::Bit4) = (b13 & 0x10) ? 1 : 0;
        const uint16_t mask = c.BitMask.at(static_cast<std::size_t>(n - 1));
        fieldOf(c, n, field::ListFlag) = (listWord(c) & mask) ? 1 : 0;
        const uint8_t three = slot(c, n, 12) & 0x18;
        fieldOf(c, n, field::ThreeWay) = three == 0x08 ? 1 : three == 0x10 ? 2 : 0;
    });
}

void IcRxFreSol(Cps &c, int n) {
    guarded(c.log(), "modChMem->IcRxFreSol", [&] {
        try {
            fieldOf(c, n, field::Rx) = bcdFreq(c, n, 0);
        } catch (const RunError &) {
            fieldOf(c, n, field::Rx) = 12000000;
            throw;
        }
    });
}

void IcTxFreSol(Cps &c, int n) {
    guarded(c.log(), "modChMem->IcTxFreSol", [&] {
        if (emptyMarker(slot(c, n, 7))) fieldOf(c, n, field::Tx) = -1;
        else fieldOf(c, n, field::Tx) = bcdFreq(c, n, 4);
    });
}

void IcCtdcsDecSol(Cps &c, int n) {
    guarded(c.log(), "modChMem->IcCtdcsDecSol", [&] {
        textOf(c.ch.decText, n) = QtDqtIicToChar(c, slot(c, n, 9), slot(c, n, 8));
    });
}

void IcCtdcsEncSol(Cps &c, int n) {
    guarded(c.log(), "modChMem->IcCtdcsEncSol", [&] {
        textOf(c.ch.encText, n) = QtDqtIicToChar(c, slot(c, n, 11), slot(c, n, 10));
    });
}

void CiChParaSol(Cps &c, int n) {
    guarded(c.log(), "modChMem->CiChParaSol", [&] {
        uint8_t &b13 = slot(c, n, 13);
        b13 = static_cast<uint8_t>((b13 & 0xDF) | (fieldOf(c, n, field::Bit5) == 1 ? 0x20 : 0));
        b13 = static_cast<uint8_t>((b13 & 0xEF) | (fieldOf(c, n, field::Bit4) == 1 ? 0x10 : 0));
        uint16_t word = listWord(c);
        const auto bit = static_cast<std::size_t>(n - 1);
        if (fieldOf(c, n, field::ListFlag) == 1) word |= c.BitMask.at(bit);
        else word &= c.BitClear.at(bit);
        c.at(kChannelListWord + 1) = static_cast<uint8_t>(word >> 8);
        c.at(kChannelListWord) = static_cast<uint8_t>(word & 0xFF);
        uint8_t &b12 = slot(c, n, 12);
        const int32_t three = fieldOf(c, n, field::ThreeWay);
        b12 = static_cast<uint8_t>((b12 & 0xE7) | (three == 1 ? 0x08 : 0) | (three == 2 ? 0x10 : 0));
    });
}

void CiRxFreSol(Cps &c, int n) {
    guarded(c.log(), "modChMem->CiRxFreSol", [&] { writeBcdFreq(c, n, 0, fieldOf(c, n, field::Rx)); });
}

void CiTxFreSol(Cps &c, int n) {
    guarded(c.log(), "modChMem->CiTxFreSol", [&] { writeBcdFreq(c, n, 4, fieldOf(c, n, field::Tx)); });
}

void CiCtdcsDecSol(Cps &c, int n) {
    guarded(c.log(), "modChMem->CiCtdcsDecSol", [&] {
        QtDqtCharToIic(c, textOf(c.ch.decText, n));
        slot(c, n, 8) = c.convBuf[0];
        slot(c, n, 9) = c.convBuf[1];
    });
}

void CiCtdcsEncSol(Cps &c, int n) {
    guarded(c.log(), "modChMem->CiCtdcsEncSol", [&] {
        QtDqtCharToIic(c, textOf(c.ch.encText, n));
        slot(c, n, 10) = c.convBuf[0];
        slot(c, n, 11) = c.convBuf[1];
    });
}

void DelOneChannel(Cps &c, int n) {
    guarded(c.log(), "modChMem->DelOneChannel", [&] {
        if (n < 1 || n > kMaxChannels) raise(err::IndexOutOfRange);
        fieldOf(c, n, field::Edited) = 1;
        fieldOf(c, n, field::Rx) = -1;
        fieldOf(c, n, field::Tx) = -1;
        for (int i = 0; i < kSlotSize; ++i) c.at(slotAddress(n) + i) = c.tmpl(slotAddress(n) + i);
        if (c.view) c.view->clearChannelRow(n);
        textOf(c.ch.decText, n).clear();
        textOf(c.ch.encText, n).clear();
        if (c.view) c.view->hideCtdcsBox();
    });
}

void InitChTable(Cps &c) {
    guarded(c.log(), "frmChMem->InitChTable", [&] {
        for (int n = 1; n <= c.cols.channelCount; ++n) DelOneChannel(c, n);
    });
}

} // namespace cps
