#pragma once
// How GoogleTest shows Qt strings, byte arrays and memory-image bytes in a
// failure message: as text and hex instead of "2-byte object <2F-00>". Every
// test file gets this header through the compiler's -include.
#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <cstdint>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <vector>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QChar &c, std::ostream *os) { PrintTo(QString(c), os); }
inline void PrintTo(const QStringList &list, std::ostream *os) {
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (i) *os << ", ";
        PrintTo(list[i], os);
    }
    *os << '}';
}

namespace testsupport {

// Hex rows of 16 bytes with the address in front; long runs are cut after
// `maxRows` rows.
template <typename Bytes>
void printHexRows(const Bytes &bytes, std::ostream *os, std::size_t maxRows = 8) {
    const std::size_t n = static_cast<std::size_t>(bytes.size());
    *os << n << " bytes";
    std::ostringstream hex;
    hex << std::hex << std::uppercase << std::setfill('0');
    for (std::size_t i = 0; i < n && i < maxRows * 16; ++i) {
        if (i % 16 == 0) hex << "\n  " << std::setw(4) << i << ':';
        hex << ' ' << std::setw(2) << static_cast<unsigned>(static_cast<uint8_t>(bytes[i]));
    }
    *os << hex.str();
    if (n > maxRows * 16) *os << "\n  ...";
}

// EXPECT_PRED_FORMAT2(testsupport::BytesEq, actual, expected): on a mismatch
// names the sizes and the first differing addresses with both bytes.
template <typename A, typename B>
::testing::AssertionResult BytesEq(const char *aExpr, const char *bExpr, const A &a, const B &b) {
    const std::size_t na = static_cast<std::size_t>(a.size()), nb = static_cast<std::size_t>(b.size());
    std::ostringstream diff;
    diff << std::hex << std::uppercase << std::setfill('0');
    int shown = 0, differing = 0;
    for (std::size_t i = 0; i < std::min(na, nb); ++i) {
        const auto x = static_cast<uint8_t>(a[i]), y = static_cast<uint8_t>(b[i]);
        if (x == y) continue;
        ++differing;
        if (shown++ < 16)
            diff << "\n  " << std::setw(4) << i << ": " << std::setw(2) << unsigned(x) << " vs "
                 << std::setw(2) << unsigned(y);
    }
    if (na == nb && differing == 0) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure();
    failure << aExpr << " and " << bExpr << " differ";
    if (na != nb) failure << " in size (" << na << " vs " << nb << ")";
    if (differing) failure << " at " << differing << " address(es):" << diff.str();
    if (shown > 16) failure << "\n  ...";
    return failure;
}

} // namespace testsupport

inline void PrintTo(const QByteArray &bytes, std::ostream *os) { testsupport::printHexRows(bytes, os); }

// Memory images and other byte vectors: hex rows instead of one char literal
// per byte.
namespace testing::internal {
template <>
class UniversalPrinter<std::vector<uint8_t>> {
  public:
    static void Print(const std::vector<uint8_t> &bytes, std::ostream *os) {
        testsupport::printHexRows(bytes, os);
    }
};
} // namespace testing::internal
