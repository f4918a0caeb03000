#include "editors/WriteGuard.h"

#include "core/OutOfBand.h"
#include "editors/Dialogs.h"

#include <QStringList>

bool confirmOutOfBandWrite(QWidget *parent, const cps::Cps &c) {
    const auto outside = cps::channelsOutsideBand(c);
    const auto tones = cps::channelsWithNonStandardTones(c);
    if (outside.empty() && tones.empty())
        return true;
    const auto text = [&](int n) { return QString::fromStdString(c.text(n)); };
    QStringList lines{text(outside.empty() ? 547 : 89)};
    if (!outside.empty())
        lines << text(545).arg(QString::fromStdString(cps::channelRanges(outside)));
    if (!tones.empty())
        lines << text(546).arg(QString::fromStdString(cps::channelRanges(tones)));
    return cps::dialogs().message(parent, lines.join(QLatin1Char('\n')), text(70),
                                  QMessageBox::Question,
                                  QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
