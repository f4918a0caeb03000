// Refill speed of the memory data view: TableFreDat redraws all 8192 cells
// after every radio transfer. Measured against filling a plain QTableWidget of
// the same shape with the same texts and red marks the naive way (one model
// signal per cell change), in the same run, so the ratio holds on any machine.
// Every round changes every byte, the worst case for the change marks.
#include "core/Cps.h"
#include "editors/MemDatText.h"
#include "editors/frmMemDat.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRounds = 15;
constexpr int kImageLast = 0x1FFF;

double medianMs(const std::function<void(int)> &round) {
    std::vector<double> ms;
    for (int r = 0; r < kRounds; ++r) {
        QElapsedTimer t;
        t.start();
        round(r);
        QCoreApplication::processEvents(); // the repaint is part of what the user waits for
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void fillImage(cps::Cps &c, int round) {
    for (int a = 0; a <= kImageLast; ++a)
        c.IicDat[static_cast<size_t>(a)] = static_cast<uint8_t>(a * 7 + round * 31);
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    cps::Cps c;
    cps::sizeImage(c, kImageLast);
    c.settings.tableMaxAddr = kImageLast;
    frmMemDat view(c);
    view.SetGridMemDat();
    view.show();
    fillImage(c, 99);
    view.TableFreDat();

    const double refill = medianMs([&](int r) {
        fillImage(c, r);
        view.TableFreDat();
    });
    const double takeBack = medianMs([&](int) { view.GridDataTemp(); });

    // The baseline: same shape, same texts and marks, an edit handler attached.
    QTableWidget naive(kImageLast / 16 + 1, 16);
    int edits = 0;
    QObject::connect(&naive, &QTableWidget::itemChanged, [&edits] { ++edits; });
    for (int a = 0; a <= kImageLast; ++a)
        naive.setItem(a / 16, a % 16, new QTableWidgetItem);
    naive.resize(view.size());
    naive.show();
    const double baseline = medianMs([&](int r) {
        fillImage(c, r);
        for (int a = 0; a <= kImageLast; ++a) {
            QTableWidgetItem *item = naive.item(a / 16, a % 16);
            item->setData(Qt::ForegroundRole, QVariant());
            const QString text = memdat::FormatByteDat(c.IicDat[static_cast<size_t>(a)]);
            if (item->text() != text)
                item->setForeground(QColor(255, 0, 0));
            item->setText(text);
        }
    });

    std::printf("memory view refill (TableFreDat, 8192 cells, all changed): %.2f ms\n", refill);
    std::printf("naive QTableWidget fill, same texts and marks:            %.2f ms\n", baseline);
    std::printf("ratio refill / naive: %.3f\n", refill / baseline);
    std::printf("take-back (GridDataTemp, 8192 cells):                      %.2f ms\n", takeBack);
    std::printf("(median of %d rounds; %d edit signals in the naive table)\n", kRounds, edits);
    return 0;
}
