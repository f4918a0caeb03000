#include "editors/ChMemFormat.h"

namespace chmem {

QString formatMHz(long long tenHz) {
    const bool negative = tenHz < 0;
    const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(tenHz)
                                                  : static_cast<unsigned long long>(tenHz);
    return QStringLiteral("%1%2.%3")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(magnitude / 100000ULL)
        .arg(magnitude % 100000ULL, 5, 10, QLatin1Char('0'));
}

QColor colorFromSetting(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

} // namespace chmem
