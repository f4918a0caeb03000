// Tones that are not the radio's standard CTCSS tones. The entry rules keep
// such a tone ("88" becomes 88.0), which the radio sends as it is; a receiver
// set to the standard 88.5 does not open for it. The grid marks the cell and
// names the nearest standard tone, so the slip is seen before it is written.
#include "core/ChannelCodec.h"
#include "core/Ctdcs.h"
#include "editors/ChMemGrid.h"
#include "editors/frmChMem.h"

namespace {
const QColor kNonStandardTone(204, 85, 0);
} // namespace

void frmChMem::markTone(int n, int col, const std::string &text) {
    if (cps::isNonStandardTone(text)) {
        grid()->setTextColor(n, col, kNonStandardTone);
        grid()->setCellToolTip(
            n, col, faceText(543).arg(QString::fromStdString(cps::nearestStandardTone(text))));
    } else {
        grid()->setTextColor(n, col, defColor());
        grid()->setCellToolTip(n, col, QString());
    }
}

QString frmChMem::toneNotice(int row, int col) const {
    if ((col != 3 && col != 4) || row < 1 || row > c().cols.channelCount || !channelInUse(row) ||
        (col == 4 && field(row, cps::field::Tx) == -1))
        return {};
    const std::string &text = col == 3 ? decText(row) : encText(row);
    if (!cps::isNonStandardTone(text))
        return {};
    return faceText(544).arg(QString::fromStdString(text),
                             QString::fromStdString(cps::nearestStandardTone(text)));
}
