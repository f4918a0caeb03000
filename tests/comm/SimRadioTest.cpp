// The virtual radio's protocol side (the class brenvik-radio-sim runs on its
// pseudo-terminal). Its source is compiled in here because the simulator is a
// program of its own, not a library.
#include "sim/SimRadio.cpp"

#include <gtest/gtest.h>

namespace sim {
namespace {

using Bytes = std::vector<uint8_t>;
const Bytes kProgram{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x4D};
const Bytes kEnd{0x45, 0x5A, 0xA5, 0x32, 0x23, 0x45, 0xF2};

Bytes patternMemory() {
    Bytes m(SimRadio::kMemorySize);
    for (std::size_t a = 0; a < m.size(); ++a)
        m[a] = static_cast<uint8_t>(a * 7 + (a >> 8));
    return m;
}

// Feeds frames and returns the reply of each (empty vector = none).
std::vector<Bytes> exchange(SimRadio &radio, const std::vector<Bytes> &frames) {
    std::vector<Bytes> replies;
    for (const Bytes &f : frames) {
        const auto done = radio.receive(f.data(), f.size());
        replies.push_back(done.size() == 1 && done[0].reply ? *done[0].reply : Bytes{});
    }
    return replies;
}

Bytes slice(const Bytes &m, int from, int n) {
    return Bytes(m.begin() + from, m.begin() + from + n);
}
Bytes concat(Bytes a, const Bytes &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(SimRadio, AnswersOnlyInProgrammingMode) {
    SimRadio radio(patternMemory(), Ident::Alternative);
    const auto r = exchange(radio, {{0x23, 0x00, 0x00, 0x10},
                                    kProgram,
                                    {0x23, 0x00, 0x00, 0x10},
                                    kEnd,
                                    {0x23, 0x00, 0x00, 0x10}});
    EXPECT_TRUE(r[0].empty());
    EXPECT_EQ(r[1], Bytes{0x06});
    EXPECT_EQ(r[2], concat({0x28, 0x00, 0x00, 0x10}, slice(patternMemory(), 0, 16)));
    EXPECT_TRUE(r[3].empty());
    EXPECT_TRUE(r[4].empty());
}

TEST(SimRadio, IdentificationAndCommandSets) {
    struct Case {
        Ident ident;
        Bytes reply;
        uint8_t read;
    };
    for (const Case &c :
         {Case{Ident::Alternative, {0x28, 0x03, 0x88, 0x03, 0x5A, 0x23, 0x28}, 0x23},
          Case{Ident::Standard, {0x57, 0x03, 0x88, 0x03, 0x5A, 0x52, 0x57}, 0x52},
          Case{Ident::Unsupported, {0x28, 0x03, 0x88, 0x03, 0x5A, 0x11, 0x22}, 0x23}}) {
        SimRadio radio(patternMemory(), c.ident);
        const auto r = exchange(
            radio, {kProgram,
                    {0x52, 0x03, 0x88, 0x03},
                    {c.read, 0x10, 0x00, 0x02},
                    {static_cast<uint8_t>(c.read == 0x23 ? 0x52 : 0x23), 0x10, 0x00, 0x02}});
        EXPECT_EQ(r[1], c.reply);
        EXPECT_EQ(r[2], concat({radio.writeCommand(), 0x10, 0x00, 0x02},
                               slice(patternMemory(), 0x400, 2)));
        EXPECT_TRUE(r[3].empty()) << "the other set's read is not answered";
    }
}

TEST(SimRadio, WritesLandAtTheDecodedAddress) {
    SimRadio radio(patternMemory(), Ident::Standard);
    Bytes write{0x57, 0x73, 0xF0, 0x04, 1, 2, 3, 4}; // wire 73F0 = 0x1FF0
    const auto r = exchange(radio, {kProgram, write, {0x57, 0x04, 0x00, 0x01, 9}});
    EXPECT_EQ(r[1], Bytes{0x06});
    EXPECT_EQ(slice(radio.memory(), 0x1FF0, 4), (Bytes{1, 2, 3, 4}));
    EXPECT_TRUE(r[2].empty()) << "wire 0400 names no address";
}

TEST(SimRadio, FramesSplitAcrossReadsAndNoiseSkipped) {
    SimRadio radio(patternMemory(), Ident::Alternative);
    Bytes stream = concat(concat({0x99}, kProgram), {0x23, 0x00, 0x20, 0x03});
    std::vector<Frame> frames;
    for (uint8_t b : stream)
        for (auto &f : radio.receive(&b, 1))
            frames.push_back(f);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].bytes, kProgram);
    EXPECT_EQ(*frames[1].reply, concat({0x28, 0x00, 0x20, 0x03}, slice(patternMemory(), 0x20, 3)));
}

TEST(SimRadio, ProtectedBytes) {
    RadioFaults faults;
    faults.ignoreWritesAt = 0x0100;
    faults.forceP4 = 31;
    SimRadio radio(patternMemory(), Ident::Alternative, faults);
    EXPECT_EQ(radio.memory()[0x03D4], 31);
    Bytes data(16, 0xAB);
    exchange(radio,
             {kProgram, concat({0x28, 0x01, 0x00, 0x10}, data),
              concat({0x28, 0x03, 0x80, 0x10}, data), concat({0x28, 0x03, 0xD0, 0x10}, data)});
    EXPECT_EQ(slice(radio.memory(), 0x100, 16), slice(patternMemory(), 0x100, 16));
    EXPECT_EQ(slice(radio.memory(), 0x388, 3),
              (Bytes{0x5A, 0x23, 0x28})); // identification is fixed
    EXPECT_EQ(radio.memory()[0x0387], 0xAB);
    EXPECT_EQ(radio.memory()[0x03D4], 31);
    EXPECT_EQ(radio.memory()[0x03D5], 0xAB);
}

TEST(SimRadio, ReplyFaults) {
    RadioFaults faults;
    faults.dropFirst = 1;
    faults.corruptReply = 2;
    faults.wrongEchoReply = 3;
    faults.extraBytes = true;
    SimRadio radio(patternMemory(), Ident::Alternative, faults);
    const Bytes read{0x23, 0x00, 0x00, 0x01};
    const auto frames1 = radio.receive(kProgram.data(), kProgram.size());
    EXPECT_TRUE(frames1[0].dropped);
    const auto r = exchange(radio, {read, read, read});
    const uint8_t d = patternMemory()[0];
    EXPECT_EQ(r[0], (Bytes{0x28, 0xFF, 0x00, 0x01, d, 0xEE, 0xEE}));
    EXPECT_EQ(r[1], (Bytes{0x28, 0x00, 0x10, 0x01, d, 0xEE, 0xEE}));
    EXPECT_EQ(r[2], (Bytes{0x28, 0x00, 0x00, 0x01, d, 0xEE, 0xEE}));

    faults = {};
    faults.silent = true;
    SimRadio silent(patternMemory(), Ident::Alternative, faults);
    EXPECT_TRUE(exchange(silent, {kProgram})[0].empty());
}

} // namespace
} // namespace sim
