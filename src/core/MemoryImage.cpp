#include "core/MemoryImage.h"

#include "core/ChannelCodec.h"
#include "core/Numeric.h"
#include "core/Plan.h"

#include <fstream>

namespace cps {

const std::array<BandRow, 14> &bandTable() {
    static const std::array<BandRow, 14> rows{{
        {"134 - 174 MHz", 13400000, 17400000}, {"136 - 174 MHz", 13600000, 17400000},
        {"136 - 150 MHz", 13600000, 15000000}, {"150 - 174 MHz", 15000000, 17400000},
        {"200 - 260 MHz", 20000000, 26000000}, {"245 - 246 MHz", 24500000, 24600000},
        {"320 - 400 MHz", 32000000, 40000000}, {"400 - 470 MHz", 40000000, 47000000},
        {"400 - 480 MHz", 40000000, 48000000}, {"400 - 440 MHz", 40000000, 44000000},
        {"440 - 480 MHz", 44000000, 48000000}, {"470 - 520 MHz", 47000000, 52000000},
        {"400 - 520 MHz", 40000000, 52000000}, {"120 - 520 MHz", 12000000, 52000000},
    }};
    return rows;
}

std::array<uint8_t, 2> bandEdgeBytes(int32_t limit) {
    const long long v = divRoundHalfEven(limit, 10000); // 100 kHz units
    return {static_cast<uint8_t>((v / 1000) * 16 + (v % 1000) / 100),
            static_cast<uint8_t>(((v % 100) / 10) * 16 + v % 10)};
}

int32_t bandEdgeValue(uint8_t first, uint8_t second) {
    return ((first >> 4) * 1000 + (first & 0x0F) * 100 + (second >> 4) * 10 + (second & 0x0F)) *
           10000;
}

void InitTempArray(Cps &c) {
    guarded(c.log(), "mdifrmMain->InitTempArray", [&] {
        std::ifstream in(c.files.defaultImage, std::ios::binary);
        if (!in)
            raise(err::FileNotFound);
        in.read(reinterpret_cast<char *>(c.IicDat.data()), static_cast<long>(c.IicDat.size()));
        in.read(reinterpret_cast<char *>(c.TempDat.data()), static_cast<long>(c.TempDat.size()));
    });
}

void SeparateFreChar(Cps &c, const std::string &text) {
    auto hexDigit = [](char ch) -> int {
        if (ch >= '0' && ch <= '9') return ch - '0';
        if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
        if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
        raise(err::TypeMismatch);
    };
    guarded(c.log(), "modChMem->SeparateFreChar", [&] {
        for (std::size_t i = 0; 2 * i < text.size(); ++i) {
            if (i >= c.convBuf.size()) raise(err::IndexOutOfRange);
            int v = hexDigit(text[2 * i]);
            if (2 * i + 1 < text.size()) v = v * 16 + hexDigit(text[2 * i + 1]);
            c.convBuf[i] = static_cast<uint8_t>(v);
        }
    });
}

void ReadChInfo(Cps &c) {
    guarded(c.log(), "modChMem->ReadChInfo", [&] {
        const auto ini = c.ini();
        const int base = c.keyBase();
        auto key = [&](int k) { return std::to_string(base + k); };
        auto &cols = c.cols;
        const int16_t channels = toInt16(ini.read("ChInfo", key(0), "16", 5));
        if (channels < 0 || channels > kMaxChannels) raise(err::IndexOutOfRange);
        cols.channelCount = channels;
        cols.rowHeight = toInt16(ini.read("ChInfo", key(1), "240", 5));
        cols.columnCount = toInt16(ini.read("ChInfo", key(2), "9", 5));
        cols.format = ini.read("ChInfo", key(3), "0|0|0|0|0|0|0|0|0|0", 200);
        if (cols.columnCount < 0 || cols.columnCount > 50) raise(err::IndexOutOfRange);
        cols.widths.assign(static_cast<std::size_t>(cols.columnCount) + 1, 1000);
        for (int col = 0; col <= cols.columnCount; ++col)
            cols.widths[static_cast<std::size_t>(col)] =
                toInt16(ini.read("ChInfo", key(100 + col), "1000", 10));
        cols.items.assign(static_cast<std::size_t>(cols.columnCount) + 1, {});
        for (int col = 1; col <= cols.columnCount; ++col) {
            auto &list = cols.items[static_cast<std::size_t>(col)];
            for (int k = 0;; ++k) {
                const auto v =
                    trimSpaces(ini.read("ChInfo", key(200 + (col - 1) * 50 + k), "0", 100));
                if (v == c.ItemEnd) break;
                if (k >= 50) raise(err::IndexOutOfRange); // 51st item without terminator
                list.push_back(v);
            }
        }
    });
}

std::string bandCaption(const Cps &c, int index, int32_t low, int32_t high) {
    if (index >= 0 && index < 14) return bandTable()[static_cast<std::size_t>(index)].caption;
    return c.text(373) + "  " + std::to_string(low / 100000) + " - " +
           std::to_string(high / 100000) + " MHz";
}

void decodeModelBand(Cps &c) {
    try {
        if (c.at(kModelByte) < 1) {
            c.modelIndex = c.at(kModelByte);
        } else {
            c.modelIndex = 0;
            c.at(kModelByte) = 0;
        }
    } catch (const std::exception &) {
        c.modelIndex = 0;
        if (!c.IicDat.empty() && kModelByte < static_cast<int>(c.IicDat.size()))
            c.IicDat[kModelByte] = 0;
    }
    try {
        c.bandGuard = true;
        const int32_t low = bandEdgeValue(c.at(kBandLowByte), c.at(kBandLowByte + 1));
        const int32_t high = bandEdgeValue(c.at(kBandHighByte), c.at(kBandHighByte + 1));
        int index = kCustomBand;
        for (int i = 0; i < 14; ++i) {
            const auto &row = bandTable()[static_cast<std::size_t>(i)];
            if (row.low == low && row.high == high) {
                index = i;
                break;
            }
        }
        c.bandIndex = index;
        c.bandLow = low;
        c.bandHigh = high;
        c.bandGuard = false;
    } catch (const std::exception &) {
        c.bandLow = 12000000;
        c.bandHigh = 52000000;
        c.bandIndex = kCustomBand;
        c.bandGuard = false;
    }
    if (c.view) c.view->showModelBand();
}

std::string selectBand(Cps &c, int index) {
    std::string caption;
    if (c.bandGuard) return caption;
    guarded(c.log(), "frmChMem->cboFrequency_Click", [&] {
        if (index >= 0 && index < 14) {
            c.bandLow = bandTable()[static_cast<std::size_t>(index)].low;
            c.bandHigh = bandTable()[static_cast<std::size_t>(index)].high;
        } else if (index != kCustomBand) {
            raise(err::InvalidProperty);
        }
        c.bandIndex = index;
        const auto lo = bandEdgeBytes(c.bandLow), hi = bandEdgeBytes(c.bandHigh);
        c.at(kBandLowByte) = lo[0];
        c.at(kBandLowByte + 1) = lo[1];
        c.at(kBandHighByte) = hi[0];
        c.at(kBandHighByte + 1) = hi[1];
        if (index == kCustomBand) {
            const long long L = divRoundHalfEven(c.bandLow, 10000);
            const long long H = divRoundHalfEven(c.bandHigh, 10000);
            caption = c.text(373) + "  " + std::to_string(L / 10) + " - " + std::to_string(H / 10) +
                      " MHz";
        } else {
            caption = bandTable()[static_cast<std::size_t>(index)].caption;
        }
        NewFileSol(c);
    });
    return caption;
}

} // namespace cps
