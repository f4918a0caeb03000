#pragma once
// What a signalling text may look like once the tool has made it: the none
// text, a CTCSS tone "x.y" from 60.0 to 265.0 Hz written without leading
// zeros, or a DCS code "D" + three octal digits + "N" or "I".
#include <string>

namespace fuzz {

inline bool isToneText(const std::string &t) {
    const auto point = t.find('.');
    if (point == std::string::npos || point == 0 || point + 2 != t.size() || t[0] == '0')
        return false;
    int tenfold = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (i == point)
            continue;
        if (t[i] < '0' || t[i] > '9' || tenfold > 100000)
            return false;
        tenfold = tenfold * 10 + (t[i] - '0');
    }
    return tenfold >= 600 && tenfold <= 2650;
}

inline bool isDcsText(const std::string &t) {
    auto octal = [](char ch) { return ch >= '0' && ch <= '7'; };
    return t.size() == 5 && t[0] == 'D' && octal(t[1]) && octal(t[2]) && octal(t[3]) &&
           (t[4] == 'N' || t[4] == 'I');
}

inline bool isSignallingText(const std::string &t, const std::string &noneText) {
    return t == noneText || isToneText(t) || isDcsText(t);
}

} // namespace fuzz
