#pragma once
// The COM number a newly found cable gets, so that it keeps it wherever it is
// plugged in next time (the settings' [Ports] entry pins it).
#include "core/Ini.h"

#include <QString>
#include <QStringList>

namespace cps {

// In this order: the number the settings already give `cable` (it was pulled
// out and came back); `selected` when no present device holds it (empty, or
// its device is unplugged); the number the automatic order gives `cable`;
// the lowest number without a device. 0 when every number is taken.
// `devices` are the serial devices present now, `cable` among them.
int comNumberForCable(const IniFile &ini, const QStringList &devices, const QString &cable,
                      int selected);

// Pins `cable` to COM `number` in the settings ([Ports] number=cable).
void pinComNumber(const IniFile &ini, int number, const QString &cable);

} // namespace cps
