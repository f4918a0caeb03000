#pragma once
// The radio side of the programming protocol, without any I/O: bytes from the
// cable go in, complete replies come out. The pseudo-terminal loop around it
// (PtyServer) decides when each reply reaches the wire.
//
// Frames understood (R/W = the radio's read and write command bytes):
//
//   50 52 4F 47 52 41 4D        program request        -> 06, programming mode
//   06                          acknowledge            -> 06
//   R AH AL L                   read L bytes           -> W AH AL L d1..dL
//   52 03 88 03                 identification (any radio) -> W 03 88 03 id1 id2 id3
//   W AH AL L d1..dL            write L bytes          -> 06
//   45 5A A5 32 23 45 F2        end frame              (no reply), back to idle
//
// AH AL is the paged wire address (1 KB pages, see comm/WireFormat.h). Outside
// programming mode only the program request is answered. The identification
// bytes 0x0388..0x038A are fixed by the radio's model and never written.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

enum class Ident { Alternative, Standard, Unsupported };

struct RadioFaults {
    bool silent = false;         // never answers
    int dropFirst = 0;           // the first N replies are not sent
    int corruptReply = 0;        // reply N (1-based) has a byte flipped
    int wrongEchoReply = 0;      // reply N, if a data reply, echoes another address
    bool extraBytes = false;     // every reply carries two trailing bytes
    int ignoreWritesAt = -1;     // writes to the 16-byte block at this address are ignored
    int forceP4 = -1;            // memory 0x03D4 held at this value
    bool silentAfterEnd = false; // answers nothing more once an end frame came
};

struct Frame {
    std::vector<uint8_t> bytes;
    std::optional<std::vector<uint8_t>> reply; // empty: no reply sent
    bool dropped = false;                      // a reply was due but dropped
};

class SimRadio {
  public:
    static constexpr int kMemorySize = 8192;
    static constexpr int kIdentAddress = 0x0388;
    static constexpr int kP4Address = 0x03D4;

    SimRadio(std::vector<uint8_t> memory, Ident ident, RadioFaults faults = {});

    // Takes bytes from the cable; returns the frames they completed, in order.
    std::vector<Frame> receive(const uint8_t *data, std::size_t size);
    // Forgets a frame left half-received (the line went quiet).
    void dropPartial() { pending_.clear(); }
    bool hasPartial() const { return !pending_.empty(); }

    const std::vector<uint8_t> &memory() const { return memory_; }
    int framesSeen() const { return framesSeen_; }
    bool programming() const { return programming_; }
    uint8_t readCommand() const { return readCommand_; }
    uint8_t writeCommand() const { return writeCommand_; }

  private:
    // Length of the frame at the front of the buffer: 0 = need more bytes,
    // -1 = the first byte starts no frame.
    int frameLength() const;
    std::optional<std::vector<uint8_t>> answer(const std::vector<uint8_t> &frame);
    std::optional<std::vector<uint8_t>> readReply(const std::vector<uint8_t> &frame);
    void store(int address, const uint8_t *data, int length);
    void applyFaults(std::vector<uint8_t> &reply, bool dataReply);

    std::vector<uint8_t> memory_;
    RadioFaults faults_;
    uint8_t readCommand_, writeCommand_;
    std::vector<uint8_t> pending_;
    bool programming_ = false;
    int framesSeen_ = 0;
    int repliesMade_ = 0;
    bool muted_ = false; // silentAfterEnd, after the end frame
};

// Hex text of bytes, "50 52 4F".
std::string hexText(const std::vector<uint8_t> &bytes);

} // namespace sim
