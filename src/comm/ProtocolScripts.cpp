#include "comm/ProtocolScripts.h"

#include "comm/WireFormat.h"
#include "core/Numeric.h"

#include <algorithm>

namespace cps {

namespace {
constexpr int kFirstMark = 3, kLastDataMark = 97, kMarkSpan = 94, kDoneMark = 100;
constexpr const char *kReadClosingLine = "TX455AA5322345F2EN";
constexpr const char *kWriteClosingLine = "TX06RX06EN";
} // namespace

std::vector<ScriptLine> buildScript(int script, int start, int end, const std::string &readHex,
                                    const std::string &writeHex) {
    if (start <= end && (start < 0 || end > kImageTop))
        raise(err::IndexOutOfRange);
    std::vector<ScriptLine> lines(2);
    lines[1] = {kHandshakeLine, 0, 0, kFirstMark};

    // N only scales the progress marks.
    long long n = roundHalfEven(static_cast<double>(end - start) / kMaxBlock);
    if (n == 0)
        n = 1;

    int i = 2;
    for (int a = start; a <= end; ++i) {
        if (i >= kMaxScriptLines)
            raise(err::IndexOutOfRange); // keep room for the closing line
        const int length = std::min(kMaxBlock, end - a + 1);
        const std::string addr = wireAddressDigits(a), len = hexByte(length);
        std::string va;
        for (int k = 0; k < length; ++k)
            va += "VA";
        ScriptLine line;
        line.text = script == kReadScript
                        ? "TX" + readHex + addr + len + "RX" + writeHex + addr + len + va + "EN"
                        : "TX" + writeHex + addr + len + va + "RX06EN";
        line.blockAddress = a;
        line.blockSize = length;
        line.progressMark = static_cast<int>(std::min<long long>(
            roundHalfEven(static_cast<double>(i - 1) * kMarkSpan / static_cast<double>(n) +
                          kFirstMark),
            kLastDataMark));
        lines.push_back(std::move(line));
        a += length;
    }
    lines.push_back(
        {script == kReadScript ? kReadClosingLine : kWriteClosingLine, 0, 0, kDoneMark});
    return lines;
}

void ProtocolScripts::InitProtocol(const std::string &readHex, const std::string &writeHex) {
    lastBuildOk_ = guarded(c_.log(), "modCommun->InitProtocol", [&] {
        // Addresses are 16-bit values: texts 8000..FFFF are held as negative numbers.
        const auto u16 = [](int16_t v) { return static_cast<int>(static_cast<uint16_t>(v)); };
        const Settings &s = c_.settings;
        auto readLines =
            buildScript(kReadScript, u16(s.readStart), u16(s.readEnd), readHex, writeHex);
        auto writeLines =
            buildScript(kWriteScript, u16(s.writeStart), u16(s.writeEnd), readHex, writeHex);
        lines_[0] = std::move(readLines);
        lines_[1] = std::move(writeLines);
    });
}

void ProtocolScripts::SetCommandSet(const std::string &readHex, const std::string &writeHex,
                                    uint8_t readByte, uint8_t writeByte) {
    readHex_ = readHex;
    writeHex_ = writeHex;
    readCommand_ = readByte;
    writeCommand_ = writeByte;
    InitProtocol(readHex, writeHex);
}

void ProtocolScripts::SelectAltCommandSet() {
    SetCommandSet(hexByte(kAltReadCommand), hexByte(kAltWriteCommand), kAltReadCommand,
                  kAltWriteCommand);
}

void ProtocolScripts::SelectStdCommandSet() {
    stdIdent_ = {kStdReadCommand, kStdWriteCommand};
    SetCommandSet(hexByte(kStdReadCommand), hexByte(kStdWriteCommand), kStdReadCommand,
                  kStdWriteCommand);
}

void ProtocolScripts::startUp() {
    SelectStdCommandSet();
    SelectAltCommandSet();
}

const ScriptLine &ProtocolScripts::line(int s, int i) const {
    if (s != kReadScript && s != kWriteScript)
        raise(err::IndexOutOfRange);
    const auto &lines = lines_[static_cast<std::size_t>(s - 1)];
    if (i < 1 || i >= static_cast<int>(lines.size()))
        raise(err::IndexOutOfRange);
    return lines[static_cast<std::size_t>(i)];
}

int ProtocolScripts::lineCount(int s) const {
    if (s != kReadScript && s != kWriteScript)
        raise(err::IndexOutOfRange);
    const auto &lines = lines_[static_cast<std::size_t>(s - 1)];
    return lines.empty() ? 0 : static_cast<int>(lines.size()) - 1;
}

} // namespace cps
