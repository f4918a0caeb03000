#include "editors/MemDatText.h"

#include "core/Cps.h"
#include "core/Failure.h"

#include <algorithm>

namespace memdat {

namespace {

// Value of one hexadecimal digit, -1 for any other character.
int hexDigit(QChar ch) {
    const char16_t u = ch.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

int digitIn(QChar ch, FillBase base) {
    switch (base) {
    case FillBase::Hex:
        return hexDigit(ch);
    case FillBase::Dec:
        return ch.unicode() >= u'0' && ch.unicode() <= u'9' ? ch.unicode() - u'0' : -1;
    case FillBase::Bin:
        return ch == u'0' || ch == u'1' ? ch.unicode() - u'0' : -1;
    }
    return -1;
}

int radixOf(FillBase base) {
    switch (base) {
    case FillBase::Hex:
        return 16;
    case FillBase::Dec:
        return 10;
    case FillBase::Bin:
        return 2;
    }
    return 16;
}

constexpr int kSaturated = 0x10000;

} // namespace

QString FormatByteDat(uint8_t value) {
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

QString rowLabel(int address) {
    if (address < 0 || address > 0xFFFF)
        cps::raise(cps::err::Overflow);
    return QStringLiteral("%1H").arg(address, 4, 16, QLatin1Char('0')).toUpper();
}

void SeparateChar(cps::Cps &c, const QString &text) {
    c.convBuf.fill(0);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i >= static_cast<qsizetype>(c.convBuf.size()))
            cps::raise(cps::err::IndexOutOfRange);
        const int d = hexDigit(text[n - 1 - i]);
        c.convBuf[static_cast<std::size_t>(i)] = static_cast<uint8_t>(d < 0 ? 0 : d);
    }
}

int convBufValue(const cps::Cps &c) {
    return c.convBuf[3] * 4096 + c.convBuf[2] * 256 + c.convBuf[1] * 16 + c.convBuf[0];
}

QString H_To_B(const QString &text) {
    QString out;
    out.reserve(text.size() * 4);
    for (QChar ch : text) {
        const int d = hexDigit(ch);
        if (d < 0)
            continue;
        for (int bit = 3; bit >= 0; --bit)
            out += (d >> bit) & 1 ? u'1' : u'0';
    }
    return out;
}

int B_To_D(const QString &binary) {
    int value = 0;
    for (QChar ch : binary) {
        if (ch != u'0' && ch != u'1')
            cps::raise(cps::err::TypeMismatch);
        value = value * 2 + (ch == u'1' ? 1 : 0);
        if (value > 0x7FFF)
            cps::raise(cps::err::Overflow);
    }
    return value;
}

QString B_To_BitShow(const QString &binary) {
    QString out;
    const qsizetype n = binary.size();
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype index = n - 1 - i;
        out += QStringLiteral("B%1:%2 ").arg(index).arg(binary[i]);
        if (index == 4)
            out += QStringLiteral("  "); // the nibbles stand apart
    }
    return out;
}

QString cellTipText(int address, const QString &cellText) {
    const QString binary = H_To_B(cellText);
    const int decimal = B_To_D(binary);
    const QString bits = B_To_BitShow(binary);
    const QString addressText =
        QStringLiteral("%1").arg(address & 0xFFFF, 4, 16, QLatin1Char('0')).toUpper();
    return QStringLiteral("地址为: 0x") + addressText + QStringLiteral("    二进制:") + binary +
           QStringLiteral("    ") + bits + QStringLiteral("    十进制") + QString::number(decimal) +
           QStringLiteral("    \r\n");
}

int hexPrefixValue(const QString &text) {
    int value = 0;
    for (QChar ch : text) {
        const int d = hexDigit(ch);
        if (d < 0)
            break;
        value = std::min(value * 16 + d, kSaturated);
    }
    return value;
}

std::optional<uint8_t> fillValueOf(const QString &text, FillBase base) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    int value = 0;
    for (QChar ch : t) {
        const int d = digitIn(ch, base);
        if (d < 0)
            return std::nullopt;
        value = std::min(value * radixOf(base) + d, kSaturated);
    }
    return static_cast<uint8_t>(std::min(value, 255));
}

std::optional<int> addressOf(const QString &text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 4)
        return std::nullopt;
    int value = 0;
    for (QChar ch : t) {
        const int d = hexDigit(ch);
        if (d < 0)
            return std::nullopt;
        value = value * 16 + d;
    }
    return value;
}

} // namespace memdat
