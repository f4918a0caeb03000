#include "core/Numeric.h"

#include <cctype>
#include <cmath>

namespace cps {

std::optional<long long> decimalToScaled(const std::string &raw, int scale) {
    std::size_t i = 0, n = raw.size();
    while (i < n && (raw[i] == ' ' || raw[i] == '\t')) ++i;
    while (n > i && (raw[n - 1] == ' ' || raw[n - 1] == '\t')) --n;
    if (i == n) return std::nullopt;
    bool negative = false;
    if (raw[i] == '+' || raw[i] == '-') negative = raw[i++] == '-';
    std::string digits; // all significant digits, integer part then fraction
    int fractionDigits = 0;
    bool seenPoint = false, anyDigit = false;
    for (; i < n; ++i) {
        char c = raw[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits += c;
            anyDigit = true;
            if (seenPoint) ++fractionDigits;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return std::nullopt;
    int exponent = 0;
    if (i < n && (raw[i] == 'e' || raw[i] == 'E')) {
        ++i;
        bool expNeg = false;
        if (i < n && (raw[i] == '+' || raw[i] == '-')) expNeg = raw[i++] == '-';
        if (i == n || !std::isdigit(static_cast<unsigned char>(raw[i]))) return std::nullopt;
        for (; i < n && std::isdigit(static_cast<unsigned char>(raw[i])); ++i) {
            exponent = exponent * 10 + (raw[i] - '0');
            if (exponent > 400) return std::nullopt;
        }
        if (expNeg) exponent = -exponent;
    }
    if (i != n) return std::nullopt;
    // value = digits * 10^(exponent - fractionDigits); want value * 10^scale
    int shift = exponent - fractionDigits + scale;
    // strip leading zeros to keep the integer part small
    std::size_t nz = digits.find_first_not_of('0');
    if (nz == std::string::npos) digits.assign(1, '0');
    else digits.erase(0, nz);
    std::string kept = digits, dropped;
    if (shift >= 0) {
        if (digits != "0") kept.append(static_cast<std::size_t>(shift), '0');
    } else {
        std::size_t cut = static_cast<std::size_t>(-shift);
        if (cut >= digits.size()) {
            dropped.assign(cut - digits.size(), '0');
            dropped.append(digits);
            kept.assign(1, '0');
        } else {
            dropped = digits.substr(digits.size() - cut);
            kept = digits.substr(0, digits.size() - cut);
        }
    }
    if (kept.size() > 18) return std::nullopt;
    long long v = std::stoll(kept);
    if (!dropped.empty()) {
        int first = dropped[0] - '0';
        bool restNonZero = dropped.find_first_not_of('0', 1) != std::string::npos;
        if (first > 5 || (first == 5 && restNonZero) || (first == 5 && !restNonZero && (v % 2)))
            ++v;
    }
    return negative ? -v : v;
}

bool isNumeric(const std::string &text) { return decimalToScaled(text, 0).has_value(); }

long long roundHalfEven(double v) { return static_cast<long long>(std::nearbyint(v)); }

long long divRoundHalfEven(long long a, long long b) {
    long long q = a / b, r = a % b;
    if (r < 0) { r += b; --q; }
    if (2 * r > b || (2 * r == b && (q % 2 != 0))) ++q;
    return q;
}

} // namespace cps
