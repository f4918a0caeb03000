// Writes the default image file: the default plan (8192 bytes) followed by the
// template image (8192 bytes) whose channel slots are empty. A new plan starts
// from the first; deleting a channel restores its slot from the second.
//
// The default plan is for the 400-470 MHz band: the eight PMR446 channels and
// eight UHF business channels, wide receive squelch, no signalling, sensible
// radio-wide options. Everything not listed here is 0xFF (unused memory).
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

constexpr int kImageSize = 8192;
constexpr int kSlotSize = 16;

struct Channel {
    int32_t rx, tx;   // 10 Hz units
    uint16_t dec, enc; // signalling words, 0xFFFF = none
    uint8_t byte12, byte13;
};

// 8 BCD digits, least significant byte first.
void putBcd(std::vector<uint8_t> &img, int at, int32_t value) {
    for (int i = 0; i < 4; ++i) {
        const int two = value % 100;
        img[at + i] = static_cast<uint8_t>((two / 10) << 4 | (two % 10));
        value /= 100;
    }
}

void putChannel(std::vector<uint8_t> &img, int n, const Channel &ch) {
    const int s = kSlotSize * n;
    putBcd(img, s, ch.rx);
    putBcd(img, s + 4, ch.tx);
    img[s + 8] = ch.dec & 0xFF;
    img[s + 9] = ch.dec >> 8;
    img[s + 10] = ch.enc & 0xFF;
    img[s + 11] = ch.enc >> 8;
    img[s + 12] = ch.byte12;
    img[s + 13] = ch.byte13;
    img[s + 14] = 0xFF;
    img[s + 15] = 0xFF;
}

std::vector<uint8_t> defaultPlan() {
    std::vector<uint8_t> img(kImageSize, 0xFF);
    for (int a = 0; a < 16; ++a) img[a] = 0x00; // header bytes, carried through

    // Channels 1-8: PMR446 (446.00625 MHz + 12.5 kHz steps), narrow, high power.
    for (int n = 1; n <= 8; ++n) {
        const int32_t f = 44600625 + (n - 1) * 1250;
        putChannel(img, n, {f, f, 0xFFFF, 0xFFFF, 0x00, 0x20});
    }
    // Channels 9-16: UHF business channels with CTCSS 67.0 (0x029E) / DCS D023N (0x2813).
    const int32_t uhf[8] = {40100000, 40200000, 40300000, 40400000,
                            45000000, 45100000, 45200000, 45300000};
    for (int n = 9; n <= 16; ++n) {
        const uint16_t sig = n <= 12 ? 0x029E : 0x2813;
        putChannel(img, n, {uhf[n - 9], uhf[n - 9], sig, sig, 0x00, 0x20});
    }
    // Channel list word (0x017E low, 0x017F high): all 16 channels in the list.
    img[0x017E] = 0xFF;
    img[0x017F] = 0xFF;

    // Radio-wide options.
    img[0x012F] = 2;  // voice annunciation: English
    img[0x0130] = 4;  // time-out timer 60 s
    img[0x0131] = 0;  // TOT pre-alert off
    img[0x0134] = 3;  // squelch 3
    img[0x0135] = 1;  // battery save on
    img[0x0136] = 1;  // beep on
    img[0x0138] = 0;  // VOX inhibit on receive off
    img[0x013A] = 0;  // VOX off
    img[0x013B] = 1;  // VOX delay 0.5 s

    // Model and band: model 0, 400.0-470.0 MHz.
    img[0x0379] = 0x00;
    img[0x037A] = 0x40;
    img[0x037B] = 0x00;
    img[0x037C] = 0x47;
    img[0x037D] = 0x00;

    // Identification bytes of a supported radio (alternative command set 23/28).
    img[0x0388] = 0x5A;
    img[0x0389] = 0x23;
    img[0x038A] = 0x28;

    // Radio parameters 0x03D0..0x03FF.
    for (int a = 0x03D0; a <= 0x03FF; ++a) img[a] = 0x00;
    img[0x03D3] = 0x00;
    img[0x03D4] = 0x30; // radio parameter P[4]
    img[0x03D8] = 0x5A; // crystal 12.8 MHz
    img[0x03F6] = 134 + 10; // broadcast receiver squelch 10
    img[0x03F7] = 160 + 8;  // broadcast receiver volume 8
    img[0x03FC] = 0x00;     // emergency alarm off (bit 7)
    img[0x03FE] = 0x04;     // voice chip 0, low-battery transmit on (bit 2)
    img[0x03FF] = 8;        // volume 8
    return img;
}

std::vector<uint8_t> templateImage(const std::vector<uint8_t> &plan) {
    std::vector<uint8_t> t = plan;
    for (int a = kSlotSize; a < kSlotSize * 17; ++a) t[a] = 0xFF; // slots 1-16 empty
    return t;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-default-image OUTPUT\n");
        return 2;
    }
    const auto plan = defaultPlan();
    const auto tmpl = templateImage(plan);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(plan.data()), static_cast<long>(plan.size()));
    out.write(reinterpret_cast<const char *>(tmpl.data()), static_cast<long>(tmpl.size()));
    return out ? 0 : 1;
}
