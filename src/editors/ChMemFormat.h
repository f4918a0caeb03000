#pragma once
// Small pure helpers of the channel grid: how a frequency is shown and the
// settings' colour numbers.
#include <QColor>
#include <QString>
#include <cstdint>

namespace chmem {

// 10 Hz units as MHz with five decimals: 14652000 -> "146.52000".
QString formatMHz(long long tenHz);

// A settings colour number 0x00BBGGRR as a colour.
QColor colorFromSetting(uint32_t bgr);

} // namespace chmem
