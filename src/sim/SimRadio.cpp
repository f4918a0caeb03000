#include "sim/SimRadio.h"

#include "comm/WireFormat.h"

#include <algorithm>
#include <cstdio>

namespace sim {

namespace {
constexpr int kMaxLength = 64; // longest request a radio accepts (the parameter read asks 48)
constexpr uint8_t kExtraByte = 0xEE;

bool startsWith(const std::vector<uint8_t> &buffer, const auto &frame) {
    return buffer.size() >= frame.size() && std::equal(frame.begin(), frame.end(), buffer.begin());
}
} // namespace

std::string hexText(const std::vector<uint8_t> &bytes) {
    std::string s;
    char part[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(part, sizeof part, i ? " %02X" : "%02X", bytes[i]);
        s += part;
    }
    return s;
}

SimRadio::SimRadio(std::vector<uint8_t> memory, Ident ident, RadioFaults faults)
    : memory_(std::move(memory)), faults_(faults) {
    memory_.resize(kMemorySize, 0xFF);
    std::array<uint8_t, 3> id{};
    switch (ident) {
    case Ident::Alternative:
        id = {0x5A, cps::kAltReadCommand, cps::kAltWriteCommand};
        break;
    case Ident::Standard:
        id = {0x5A, cps::kStdReadCommand, cps::kStdWriteCommand};
        break;
    case Ident::Unsupported:
        id = {0x5A, 0x11, 0x22};
        break;
    }
    std::copy(id.begin(), id.end(), memory_.begin() + kIdentAddress);
    const bool standard = ident == Ident::Standard;
    readCommand_ = standard ? cps::kStdReadCommand : cps::kAltReadCommand;
    writeCommand_ = standard ? cps::kStdWriteCommand : cps::kAltWriteCommand;
    if (faults_.forceP4 >= 0)
        memory_[kP4Address] = static_cast<uint8_t>(faults_.forceP4);
}

int SimRadio::frameLength() const {
    const uint8_t first = pending_.front();
    const std::size_t have = pending_.size();
    auto fixed = [&](const auto &frame) -> int {
        const std::size_t n = std::min(have, frame.size());
        if (!std::equal(frame.begin(), frame.begin() + static_cast<long>(n), pending_.begin()))
            return -1;
        return n == frame.size() ? static_cast<int>(frame.size()) : 0;
    };
    if (first == cps::kProgramRequest[0])
        return fixed(cps::kProgramRequest);
    if (first == cps::kEndFrame[0])
        return fixed(cps::kEndFrame);
    if (first == cps::kAck)
        return 1;
    if (first == readCommand_ || first == cps::kStdReadCommand)
        return have >= 4 ? 4 : 0;
    if (first == writeCommand_) {
        if (have < 4)
            return 0;
        return 4 + pending_[3];
    }
    return -1;
}

std::vector<Frame> SimRadio::receive(const uint8_t *data, std::size_t size) {
    pending_.insert(pending_.end(), data, data + size);
    std::vector<Frame> frames;
    while (!pending_.empty()) {
        const int length = frameLength();
        if (length < 0) { // a byte that starts no frame: line noise, skip it
            pending_.erase(pending_.begin());
            continue;
        }
        if (length == 0 || static_cast<int>(pending_.size()) < length)
            break;
        Frame frame;
        frame.bytes.assign(pending_.begin(), pending_.begin() + length);
        pending_.erase(pending_.begin(), pending_.begin() + length);
        ++framesSeen_;
        auto reply = answer(frame.bytes);
        if (reply && !faults_.silent && !muted_) {
            ++repliesMade_;
            if (repliesMade_ <= faults_.dropFirst) {
                frame.dropped = true;
            } else {
                applyFaults(*reply, frame.bytes[0] != cps::kAck && reply->size() > 1);
                frame.reply = std::move(reply);
            }
        }
        frames.push_back(std::move(frame));
    }
    return frames;
}

std::optional<std::vector<uint8_t>> SimRadio::answer(const std::vector<uint8_t> &frame) {
    const std::vector<uint8_t> ack{cps::kAck};
    if (startsWith(frame, cps::kProgramRequest)) {
        programming_ = true;
        return ack;
    }
    if (!programming_)
        return std::nullopt;
    if (startsWith(frame, cps::kEndFrame)) {
        programming_ = false;
        muted_ = muted_ || faults_.silentAfterEnd;
        return std::nullopt;
    }
    if (frame[0] == cps::kAck)
        return ack;
    if (frame.size() == 4 && (frame[0] == readCommand_ || frame[0] == cps::kStdReadCommand))
        return readReply(frame);
    if (frame[0] == writeCommand_) {
        const int address = cps::imageAddressFromWire(frame[1], frame[2]);
        const int length = frame[3];
        if (address < 0 || length < 1 || length > kMaxLength || address + length > kMemorySize)
            return std::nullopt;
        store(address, frame.data() + 4, length);
        return ack;
    }
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> SimRadio::readReply(const std::vector<uint8_t> &frame) {
    const int address = cps::imageAddressFromWire(frame[1], frame[2]);
    const int length = frame[3];
    if (address < 0 || length < 1 || length > kMaxLength || address + length > kMemorySize)
        return std::nullopt;
    // Every radio answers the identification request, whatever its own command set.
    const bool identRequest = address == kIdentAddress && length == 3;
    if (frame[0] != readCommand_ && !identRequest)
        return std::nullopt;
    std::vector<uint8_t> reply{writeCommand_, frame[1], frame[2], frame[3]};
    reply.insert(reply.end(), memory_.begin() + address, memory_.begin() + address + length);
    return reply;
}

void SimRadio::store(int address, const uint8_t *data, int length) {
    for (int k = 0; k < length; ++k) {
        const int a = address + k;
        const bool ignored = faults_.ignoreWritesAt >= 0 && a >= faults_.ignoreWritesAt &&
                             a < faults_.ignoreWritesAt + 16;
        const bool fixed = (a >= kIdentAddress && a < kIdentAddress + 3) ||
                           (a == kP4Address && faults_.forceP4 >= 0);
        if (!ignored && !fixed)
            memory_[static_cast<std::size_t>(a)] = data[k];
    }
}

void SimRadio::applyFaults(std::vector<uint8_t> &reply, bool dataReply) {
    if (repliesMade_ == faults_.corruptReply)
        reply[reply.size() > 1 ? 1 : 0] ^= 0xFF;
    if (repliesMade_ == faults_.wrongEchoReply && dataReply)
        reply[2] ^= 0x10;
    if (faults_.extraBytes)
        reply.insert(reply.end(), {kExtraByte, kExtraByte});
}

} // namespace sim
