#include "comm/WriteVerify.h"

#include "comm/ProtocolScripts.h"
#include "comm/RadioTransfer.h"
#include "comm/WireFormat.h"

#include <algorithm>

namespace cps {

namespace {

// The data bytes of the last frame sent to `address` with `length` bytes,
// at or after frame `from`; the index of that frame in `at`.
std::optional<QByteArray> lastFrameData(const std::vector<QByteArray> &sent, uint8_t writeCommand,
                                        int address, int length, std::size_t from,
                                        std::size_t *at = nullptr) {
    const auto wire = wireAddress(address);
    for (std::size_t i = sent.size(); i-- > from;) {
        const QByteArray &f = sent[i];
        if (f.size() == 4 + length && static_cast<uint8_t>(f[0]) == writeCommand &&
            static_cast<uint8_t>(f[1]) == wire[0] && static_cast<uint8_t>(f[2]) == wire[1] &&
            static_cast<uint8_t>(f[3]) == length) {
            if (at)
                *at = i;
            return f.mid(4);
        }
    }
    return std::nullopt;
}

void overlay(std::vector<std::optional<uint8_t>> &expected, int address, const QByteArray &data) {
    for (int k = 0; k < data.size(); ++k) {
        auto &slot = expected.at(static_cast<std::size_t>(address + k));
        if (slot)
            slot = static_cast<uint8_t>(data[k]);
    }
}

} // namespace

std::vector<std::optional<uint8_t>> expectedAfterWrite(const std::vector<uint8_t> &image,
                                                       const std::vector<QByteArray> &sent,
                                                       uint8_t writeCommand, int start, int end) {
    std::vector<std::optional<uint8_t>> expected(image.size());
    for (int a = std::max(start, 0); a <= end && a < static_cast<int>(image.size()); ++a)
        if (a < kIdentFirst || a > kIdentLast)
            expected[static_cast<std::size_t>(a)] = image[static_cast<std::size_t>(a)];

    // The fixed frames follow the script: the model-and-band frame first, then
    // (when the radio's parameters call for it) the radio settings frame, whose
    // header equals that of the script's line for block 0x03F0.
    std::size_t modelBandAt = 0;
    const auto modelBand =
        lastFrameData(sent, writeCommand, kModelBandAddress, kModelBandLength, 0, &modelBandAt);
    if (!modelBand)
        return expected;
    overlay(expected, kModelBandAddress, *modelBand);
    if (const auto settings = lastFrameData(sent, writeCommand, kRadioSettingsAddress,
                                            kRadioSettingsLength, modelBandAt + 1))
        overlay(expected, kRadioSettingsAddress, *settings);
    return expected;
}

std::vector<bool> addressesAWriteLeaves(const Cps &c) {
    std::vector<bool> left(c.IicDat.size(), false);
    ProtocolScripts scripts(c);
    scripts.startUp();
    if (!scripts.lastBuildOk())
        return left;
    std::fill(left.begin(), left.end(), true);
    for (int i = 1; i <= scripts.lineCount(kWriteScript); ++i) {
        const ScriptLine &line = scripts.line(kWriteScript, i);
        for (int a = line.blockAddress; a < line.blockAddress + line.blockSize; ++a)
            if (a >= 0 && a < static_cast<int>(left.size()))
                left[static_cast<std::size_t>(a)] = a >= kIdentFirst && a <= kIdentLast;
    }
    return left;
}

std::vector<int> mismatchedAddresses(const std::vector<std::optional<uint8_t>> &expected,
                                     const std::vector<uint8_t> &actual) {
    std::vector<int> diff;
    for (std::size_t a = 0; a < expected.size() && a < actual.size(); ++a)
        if (expected[a] && *expected[a] != actual[a])
            diff.push_back(static_cast<int>(a));
    return diff;
}

QString addressList(const std::vector<int> &addresses, int limit) {
    QStringList parts;
    for (std::size_t i = 0; i < addresses.size() && static_cast<int>(i) < limit; ++i)
        parts << QStringLiteral("%1").arg(addresses[i], 4, 16, QLatin1Char('0')).toUpper();
    if (static_cast<int>(addresses.size()) > limit)
        parts << QStringLiteral("...");
    return parts.join(QLatin1Char(' '));
}

std::optional<std::vector<uint8_t>> readRange(const Cps &c, SerialPort &port, TransferUi &ui,
                                              TimeoutMark &mark, int start, int end) {
    Cps copy = c;
    copy.view = nullptr;
    copy.settings.readStart = static_cast<int16_t>(start);
    copy.settings.readEnd = static_cast<int16_t>(end);
    RadioTransfer transfer(copy, port, ui, mark);
    transfer.softDisplay = [] {}; // the bytes only: nothing is decoded or shown
    if (transfer.read() != TransferResult::Succeeded)
        return std::nullopt;
    return copy.IicDat;
}

} // namespace cps
