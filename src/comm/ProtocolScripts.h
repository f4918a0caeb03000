#pragma once
// The read and write scripts: text lines of two-character tokens that drive
// every exchange with the radio (ProtocolEngine runs them line by line).
//
//   TX   start a send group: the following tokens are one frame
//   RX   end the send group, start what the radio must answer
//   hh   send / expect exactly this byte
//   VA   send the next capture-buffer byte / accept any byte and capture it
//   EN   end of the line
//   RF, WF + three hex tokens: no effect
//
// Read script (S..E = read range), write script likewise with the write range:
//
//   1      TX 50 52 4F 47 52 41 4D RX 06 TX 52 03 88 03 RX VA 03 88 03 VA VA VA EN
//   2..    read:  TX R AH AL LL RX W AH AL LL VA*L EN
//          write: TX W AH AL LL VA*L RX 06 EN         (one line per block of <= 16 bytes)
//   last   read:  TX 45 5A A5 32 23 45 F2 EN          write: TX 06 RX 06 EN
//
// Each line also carries its block address and size (0 for lines without data)
// and the progress mark shown once it succeeds.
#include "core/Cps.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace cps {

constexpr int kReadScript = 1, kWriteScript = 2;
constexpr int kMaxScriptLines = 520;
constexpr const char *kHandshakeLine = "TX50524F4752414DRX06TX52038803RXVA038803VAVAVAEN";

struct ScriptLine {
    std::string text;
    int blockAddress = 0;
    int blockSize = 0;
    int progressMark = 0;
};

class ProtocolScripts {
  public:
    // Ranges come from c.settings at every build; failures go to c.log().
    explicit ProtocolScripts(const Cps &c) : c_(c) {}

    // Rebuilds both scripts for the current address ranges. A range that cannot
    // be built is logged and leaves both scripts as they were.
    void InitProtocol(const std::string &readHex, const std::string &writeHex);
    void SetCommandSet(const std::string &readHex, const std::string &writeHex, uint8_t readByte,
                       uint8_t writeByte);
    void SelectAltCommandSet();
    void SelectStdCommandSet();
    // The start-up order: standard set (records the identification pair), then
    // the alternative set.
    void startUp();

    // Line i (1-based) of script s (kReadScript or kWriteScript). Throws RunError 9
    // for a line that does not exist.
    const ScriptLine &line(int s, int i) const;
    int lineCount(int s) const;
    uint8_t readCommand() const { return readCommand_; }
    uint8_t writeCommand() const { return writeCommand_; }
    std::array<uint8_t, 2> stdIdentPair() const { return stdIdent_; }
    // Whether the last build succeeded (a transfer must not run stale scripts).
    bool lastBuildOk() const { return lastBuildOk_; }

  private:
    const Cps &c_;
    std::array<std::vector<ScriptLine>, 2> lines_; // index 0 unused in each
    uint8_t readCommand_ = 0, writeCommand_ = 0;
    std::string readHex_, writeHex_;
    std::array<uint8_t, 2> stdIdent_{};
    bool lastBuildOk_ = false;
};

// Builds one script. Throws RunError 9 when the range lies beyond the image or
// would need more than 520 lines.
std::vector<ScriptLine> buildScript(int script, int start, int end, const std::string &readHex,
                                    const std::string &writeHex);

} // namespace cps
