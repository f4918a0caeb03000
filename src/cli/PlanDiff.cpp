#include "cli/PlanDiff.h"

#include "cli/ShowPlan.h"
#include "core/ChannelCodec.h"
#include "core/ChannelEntry.h"
#include "core/MemoryImage.h"
#include "core/MessageText.h"
#include "core/Options.h"

#include <algorithm>
#include <cstdio>

namespace cli {

using cps::filled;
using cps::translated;

namespace {

constexpr int kTextModelLabel = 184, kTextBandLabel = 185;

std::string orDash(const std::string &s) {
    return s.empty() ? "-" : s;
}

std::string hex4(int a) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", a);
    return buf;
}

std::string hexBytes(const std::vector<uint8_t> &image, int first, int last) {
    std::string s;
    for (int a = first; a <= last; ++a) {
        char buf[4];
        std::snprintf(buf, sizeof buf, "%02X", image[static_cast<std::size_t>(a)]);
        s += (a > first ? " " : "") + std::string(buf);
    }
    return s;
}

// The option bytes and the bits their decoding reads (see Options.h).
struct OptionBits {
    int address;
    uint8_t bits;
};
constexpr OptionBits kOptionBits[] = {
    {0x130, 0xFF}, {0x134, 0xFF}, {0x3FF, 0xFF}, {0x12F, 0xFF}, {0x3F6, 0xFF}, {0x3F7, 0x0F},
    {0x135, 0x01}, {0x136, 0x01}, {0x3FC, 0x80}, {0x3FE, 0x07}, {0x3D8, 0xFF}, {0x3D3, 0xC0},
    {0x131, 0xFF}, {0x13A, 0xFF}, {0x13B, 0xFF}, {0x138, 0xFF},
};
constexpr int kSlotFullBytes = 12; // frequencies and signalling words
constexpr uint8_t kSlotByte12Bits = 0x18, kSlotByte13Bits = 0x30; // parameter bits

} // namespace

std::vector<uint8_t> decodedBits(const cps::Cps &c) {
    std::vector<uint8_t> bits(c.IicDat.size(), 0);
    const auto mark = [&](int address, uint8_t b) {
        if (address >= 0 && address < static_cast<int>(bits.size()))
            bits[static_cast<std::size_t>(address)] |= b;
    };
    for (int a = cps::kModelByte; a <= cps::kBandHighByte + 1; ++a)
        mark(a, 0xFF);
    for (int n = 1; n <= c.cols.channelCount; ++n) {
        const int slot = cps::slotAddress(n);
        for (int k = 0; k < kSlotFullBytes; ++k)
            mark(slot + k, 0xFF);
        mark(slot + 12, kSlotByte12Bits);
        mark(slot + 13, kSlotByte13Bits);
        const int bit = n - 1; // channel list word, low byte first
        if (bit < 16)
            mark(cps::kChannelListWord + bit / 8, static_cast<uint8_t>(1u << (bit % 8)));
    }
    for (const auto &o : kOptionBits)
        mark(o.address, o.bits);
    return bits;
}

std::vector<std::pair<int, int>> rawDifferences(const std::vector<uint8_t> &a,
                                                const std::vector<uint8_t> &b,
                                                const std::vector<uint8_t> &decoded) {
    std::vector<std::pair<int, int>> ranges;
    const std::size_t n = std::min({a.size(), b.size(), decoded.size()});
    for (std::size_t i = 0; i < n; ++i) {
        if (((a[i] ^ b[i]) & static_cast<uint8_t>(~decoded[i])) == 0)
            continue;
        const int addr = static_cast<int>(i);
        if (!ranges.empty() && ranges.back().second == addr - 1)
            ranges.back().second = addr;
        else
            ranges.emplace_back(addr, addr);
    }
    return ranges;
}

std::vector<std::string> decodedDifferences(const cps::Cps &a, const cps::Cps &b) {
    std::vector<std::string> lines;
    const auto differ = [&](const std::string &what, const std::string &x, const std::string &y) {
        if (x != y)
            lines.push_back(what + ": " + orDash(x) + " -> " + orDash(y));
    };
    differ(a.text(kTextModelLabel), std::to_string(a.modelIndex), std::to_string(b.modelIndex));
    differ(a.text(kTextBandLabel), cps::bandCaption(a, a.bandIndex, a.bandLow, a.bandHigh),
           cps::bandCaption(b, b.bandIndex, b.bandLow, b.bandHigh));
    const int channels = std::max(a.cols.channelCount, b.cols.channelCount);
    const int columns = std::min(a.cols.columnCount, b.cols.columnCount);
    for (int n = 1; n <= channels; ++n) {
        const auto cell = [&](const cps::Cps &c, int col) {
            return n <= c.cols.channelCount ? channelCellText(c, n, col) : std::string();
        };
        const auto inUse = [&](const cps::Cps &c) {
            return n <= c.cols.channelCount && cps::channelInUse(c, n);
        };
        const std::string channel = columnCaption(a, 0) + " " + std::to_string(n);
        if (inUse(a) != inUse(b)) { // a channel added or removed: all its cells on one line
            const auto row = [&](const cps::Cps &c) {
                std::string r;
                for (int col = 1; col <= columns; ++col)
                    r += (col > 1 ? " / " : "") + cell(c, col);
                return inUse(c) ? r : std::string();
            };
            differ(channel, row(a), row(b));
            continue;
        }
        for (int col = 1; col <= columns; ++col)
            differ(channel + " " + columnCaption(a, col), cell(a, col), cell(b, col));
    }
    for (int k = 0; k < cps::kOptionCount; ++k)
        differ(a.text(cps::optionDefs()[static_cast<std::size_t>(k)].captionText),
               optionValueText(a, k), optionValueText(b, k));
    return lines;
}

std::vector<std::string> planDifferences(const cps::Cps &a, const cps::Cps &b) {
    auto lines = decodedDifferences(a, b);
    auto decoded = decodedBits(a);
    const auto other = decodedBits(b);
    for (std::size_t i = 0; i < decoded.size() && i < other.size(); ++i)
        decoded[i] &= other[i];
    for (const auto &[first, last] : rawDifferences(a.IicDat, b.IicDat, decoded))
        lines.push_back(rawRangeLine(a.IicDat, b.IicDat, first, last));
    return lines;
}

std::string rawRangeLine(const std::vector<uint8_t> &a, const std::vector<uint8_t> &b, int first,
                         int last) {
    std::string line = filled(translated("Diff", "raw %1"),
                              {hex4(first) + (last > first ? "-" + hex4(last) : "")});
    if (last - first < 16)
        line += ": " + hexBytes(a, first, last) + " -> " + hexBytes(b, first, last);
    return line;
}

std::vector<std::string> takeUnwrittenDifferences(const std::vector<uint8_t> &file,
                                                  std::vector<uint8_t> &radio,
                                                  const std::vector<bool> &leftByWrite,
                                                  bool fileFirst) {
    const std::size_t n = std::min({file.size(), radio.size(), leftByWrite.size()});
    const auto differs = [&](std::size_t i) { return leftByWrite[i] && file[i] != radio[i]; };
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < n; ++i) {
        if (!differs(i))
            continue;
        std::size_t j = i;
        while (j + 1 < n && differs(j + 1))
            ++j;
        lines.push_back(rawRangeLine(fileFirst ? file : radio, fileFirst ? radio : file,
                                     static_cast<int>(i), static_cast<int>(j)));
        std::copy(file.begin() + static_cast<long>(i), file.begin() + static_cast<long>(j) + 1,
                  radio.begin() + static_cast<long>(i));
        i = j;
    }
    return lines;
}

} // namespace cli
