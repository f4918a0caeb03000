// The memory data view's inputs: any text typed into a cell (taken back into
// the image, explained in the tool-tip) and any text in the fill dialog's value
// and address boxes. Qt's own number parsing serves as the second opinion.
#include "FuzzSupport.h"
#include "Targets.h"

#include "editors/MemDatText.h"

#include <QString>

#include <algorithm>

namespace fuzz {

// Helpers of this target, named so that several targets can share one test file.
namespace memDatInput {

bool isHexDigit(QChar ch) {
    return (ch >= u'0' && ch <= u'9') || (ch >= u'a' && ch <= u'f') || (ch >= u'A' && ch <= u'F');
}

bool isBinaryDigit(QChar ch) {
    return ch == u'0' || ch == u'1';
}

bool isDecimalDigit(QChar ch) {
    return ch >= u'0' && ch <= u'9';
}

bool allOf(const QString &t, bool (*digit)(QChar)) {
    return !t.isEmpty() && std::all_of(t.begin(), t.end(), digit);
}

void checkCellText(cps::Cps &c, const QString &text) {
    // Taking a cell back into the image: four digits at most, read from the right.
    try {
        memdat::SeparateChar(c, text);
        require(text.size() <= 4, "a cell text of more than four characters is refused");
        if (allOf(text, isHexDigit))
            require(memdat::convBufValue(c) == static_cast<int>(text.toUInt(nullptr, 16)),
                    "a cell's hexadecimal digits are its value");
    } catch (const cps::RunError &e) {
        require(e.number == cps::err::IndexOutOfRange && text.size() > 4,
                "only a cell text of more than four characters fails the split");
    }
    require(memdat::convBufValue(c) >= 0 && memdat::convBufValue(c) <= 0xFFFF,
            "the scratch bytes hold four hexadecimal digits");

    // The explanation of the cell's byte.
    const QString binary = memdat::H_To_B(text);
    const auto digits = std::count_if(text.begin(), text.end(), isHexDigit);
    require(binary.size() == 4 * digits && (binary.isEmpty() || allOf(binary, isBinaryDigit)),
            "each hexadecimal digit gives four binary digits");
    require(memdat::B_To_BitShow(binary).count(u'B') == binary.size(),
            "the bit display names every bit");
    try {
        const int value = memdat::B_To_D(binary);
        bool ok = false;
        require(value == (binary.isEmpty() ? 0 : static_cast<int>(binary.toUInt(&ok, 2))),
                "binary digits give their value");
        const QString tip = memdat::cellTipText(0x1FFF, text);
        require(tip.endsWith(QString::number(value) + QStringLiteral("    \r\n")),
                "the tool-tip ends with the byte's decimal value");
    } catch (const cps::RunError &e) {
        require(e.number == cps::err::Overflow && binary.indexOf(u'1') >= 0 &&
                    binary.size() - binary.indexOf(u'1') > 15,
                "only a value of more than 15 bits overflows");
    }
    const int prefix = memdat::hexPrefixValue(text);
    require(prefix >= 0 && prefix <= 0x10000, "a cell's shown value saturates above 16 bits");

    // Any bits text: a value of at most 15 bits, or a clean failure.
    try {
        const int value = memdat::B_To_D(text);
        require(value >= 0 && value <= 0x7FFF && (text.isEmpty() || allOf(text, isBinaryDigit)),
                "only binary digits convert");
    } catch (const cps::RunError &e) {
        require(e.number == cps::err::Overflow || e.number == cps::err::TypeMismatch,
                "a bits text fails as overflow or type mismatch");
    }
}

void checkFillBoxes(const QString &text) {
    const QString t = text.trimmed();
    struct Base {
        memdat::FillBase base;
        int radix;
        bool (*digit)(QChar);
    };
    const Base bases[] = {{memdat::FillBase::Hex, 16, isHexDigit},
                          {memdat::FillBase::Dec, 10, isDecimalDigit},
                          {memdat::FillBase::Bin, 2, isBinaryDigit}};
    for (const auto &b : bases) {
        const auto value = memdat::fillValueOf(text, b.base);
        const bool digitsOnly = allOf(t, b.digit);
        require(value.has_value() == digitsOnly,
                "a fill value is taken exactly when it is digits of its base");
        if (!value)
            continue;
        bool fits = false;
        const qulonglong exact = t.toULongLong(&fits, b.radix);
        require(*value == (fits && exact < 255 ? exact : 255),
                "a fill value above 255 becomes 255");
    }
    const auto address = memdat::addressOf(text);
    require(address.has_value() == (t.size() <= 4 && allOf(t, isHexDigit)),
            "an address box takes one to four hexadecimal digits");
    if (address)
        require(*address == static_cast<int>(t.toUInt(nullptr, 16)),
                "an address is its hexadecimal value");
}

} // namespace memDatInput

int fuzzMemDatInput(const uint8_t *data, std::size_t size) {
    using namespace memDatInput;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    cps::Cps c;
    checkCellText(c, text);
    checkFillBoxes(text);
    return 0;
}

} // namespace fuzz
