#include "core/Ctdcs.h"

#include "core/FaceText.h"
#include "core/Numeric.h"

#include <cstdlib>
#include <optional>

namespace cps {

const std::array<const char *, kToneCount> &ctcssTones() {
    static const std::array<const char *, kToneCount> tones{
        "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
        "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
        "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
        "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
        "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};
    return tones;
}

const std::array<const char *, kDcsCount> &dcsCodes() {
    static const std::array<const char *, kDcsCount> codes{
        "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
        "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
        "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
        "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
        "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
        "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
        "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
        "631", "632", "645", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743",
        "754"};
    return codes;
}

void GenCtdcsList(Cps &c) {
    guarded(c.log(), "modCtdcs->GenCtdcsList", [&] {
        c.noneText = noneTextFor(c.lang());
        c.ctdcsList.clear();
        c.ctdcsList.reserve(kCtdcsListSize);
        c.ctdcsList.push_back(c.noneText);
        for (auto t : ctcssTones()) c.ctdcsList.emplace_back(t);
        for (auto d : dcsCodes()) c.ctdcsList.push_back(std::string("D") + d + "N");
        for (auto d : dcsCodes()) c.ctdcsList.push_back(std::string("D") + d + "I");
    });
}

std::string QtDqtIicToChar(Cps &c, uint8_t high, uint8_t low) {
    std::string text;
    guarded(c.log(), "modChMem->QtDqtIicToChar", [&] {
        const int w = high * 256 + low;
        if (w >= 600 && w <= 2650) {
            text = std::to_string(w / 10) + "." + std::to_string(w % 10);
        } else if ((w >= 0x2800 && w <= 0x29FF) || (w >= 0xA800 && w <= 0xA9FF)) {
            const int d1 = (high & 1) * 4 + (low & 0xC0) / 64;
            const int d2 = (low & 0x38) / 8;
            const int d3 = low & 7;
            text = "D" + std::to_string(d1) + std::to_string(d2) + std::to_string(d3) +
                   (w >= 0xA800 ? "I" : "N");
        } else {
            text = c.noneText;
        }
    });
    return text;
}

namespace {

// Characters of a UTF-8 text (each code point one string).
std::vector<std::string> characters(const std::string &s) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

int digitOf(const std::vector<std::string> &ch, std::size_t i) {
    if (i >= ch.size() || ch[i].size() != 1 || ch[i][0] < '0' || ch[i][0] > '9')
        raise(err::TypeMismatch);
    return ch[i][0] - '0';
}

bool isOctal(const std::vector<std::string> &ch, std::size_t i) {
    return i < ch.size() && ch[i].size() == 1 && ch[i][0] >= '0' && ch[i][0] <= '7';
}

std::string polarity(const std::vector<std::string> &ch, std::size_t i) {
    if (i < ch.size() && (ch[i] == "I" || ch[i] == "i")) return "I";
    return "N";
}

} // namespace

void QtDqtCharToIic(Cps &c, const std::string &text) {
    guarded(c.log(), "modChMem->QtDqtCharToIic", [&] {
        if (text.empty() || text == c.noneText) {
            c.convBuf[0] = 0xFF;
            c.convBuf[1] = 0xFF;
            return;
        }
        if (auto tenfold = decimalToScaled(text, 1)) {
            if (*tenfold < 0) raise(err::InvalidCall);
            c.convBuf[0] = static_cast<uint8_t>(*tenfold % 256);
            if (*tenfold >= 65536) raise(err::Overflow);
            c.convBuf[1] = static_cast<uint8_t>(*tenfold / 256);
            return;
        }
        const auto ch = characters(text);
        if (ch.size() > 5) raise(err::IndexOutOfRange);
        const int w = digitOf(ch, 1) * 64 + digitOf(ch, 2) * 8 + digitOf(ch, 3) + 0x800;
        c.convBuf[0] = static_cast<uint8_t>(w % 256);
        c.convBuf[1] = static_cast<uint8_t>(w / 256 + (ch.size() > 4 && ch[4] == "N" ? 0x20 : 0xA0));
    });
}

std::string parseCtdcsEntry(const std::string &text, const std::string &noneText) {
    auto ch = characters(text);
    if (ch.size() > 5) ch.resize(5);
    if (auto tenfold = decimalToScaled(text, 1)) {
        if (*tenfold >= 600 && *tenfold <= 2650)
            return std::to_string(*tenfold / 10) + "." + std::to_string(*tenfold % 10);
        if (isOctal(ch, 0) && isOctal(ch, 1) && isOctal(ch, 2))
            return "D" + ch[0] + ch[1] + ch[2] + "N";
        return noneText;
    }
    if (!ch.empty() && ch[0] != "D" && isOctal(ch, 0) && isOctal(ch, 1) && isOctal(ch, 2))
        return "D" + ch[0] + ch[1] + ch[2] + polarity(ch, 3);
    if (!ch.empty() && ch[0] == "D" && isOctal(ch, 1) && isOctal(ch, 2) && isOctal(ch, 3))
        return "D" + ch[1] + ch[2] + ch[3] + polarity(ch, 4);
    return noneText;
}

namespace {

// A tone text in 0.1 Hz ("88.0" -> 880); empty when it is not a CTCSS tone.
std::optional<long long> toneTenths(const std::string &text) {
    const auto tenths = decimalToScaled(text, 1);
    if (!tenths || *tenths < 600 || *tenths > 2650)
        return std::nullopt;
    return tenths;
}

} // namespace

bool isNonStandardTone(const std::string &text) {
    const auto tenths = toneTenths(text);
    return tenths && *tenths != *toneTenths(nearestStandardTone(text));
}

std::string nearestStandardTone(const std::string &text) {
    const auto tenths = toneTenths(text);
    if (!tenths)
        return {};
    const char *nearest = ctcssTones().front();
    long long best = -1;
    for (const char *tone : ctcssTones()) {
        const long long distance = std::llabs(*toneTenths(tone) - *tenths);
        if (best < 0 || distance < best) {
            best = distance;
            nearest = tone;
        }
    }
    return nearest;
}

} // namespace cps
