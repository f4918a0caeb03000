// The plan in the channel window, with the real main window:
//
//   decode + redisplay  SoftDisplay (model and band, channel table, grid,
//                       options) after a read or an opened file, alternating
//                       two plans so every frequency cell changes
//   edit round trip     a click on a receive frequency cell, the frequency
//                       typed into the in-place editor, Enter, then the
//                       conversion step (SetConvIicDat) bringing it into the
//                       image, as before a save or a write
//
// Each is measured against a baseline in the same run: a plain QTableWidget of
// the grid's shape filled with the same texts one cell at a time, and the same
// clicks and keys into a plain QTableWidget's default editor followed by a
// plain text-to-BCD conversion. Medians of several rounds, repaints included.
#include "BenchSupport.h"
#include "app/mdifrmMain.h"
#include "core/ChannelCodec.h"
#include "core/Plan.h"
#include "editors/ChMemGrid.h"
#include "editors/frmChMem.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableWidget>
#include <QWindow>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

constexpr int kRounds = 15;
constexpr int kRxColumn = 1;
using Bytes = std::vector<uint8_t>;

// 8-digit packed BCD, least significant byte first (the slot's frequency form).
void putBcd(Bytes &image, int address, int32_t value) {
    for (int k = 0; k < 4; ++k) {
        const int two = value % 100;
        value /= 100;
        image[static_cast<std::size_t>(address + k)] =
            static_cast<uint8_t>((two / 10) << 4 | two % 10);
    }
}
int32_t getBcd(const Bytes &image, int address) {
    int32_t value = 0;
    for (int k = 3; k >= 0; --k) {
        const uint8_t b = image[static_cast<std::size_t>(address + k)];
        value = value * 100 + (b >> 4) * 10 + (b & 0x0F);
    }
    return value;
}

void send(QWidget *target, QEvent *event) {
    QApplication::sendEvent(target, event);
}

// A left click at `pos` of `target`, optionally a double click.
void click(QWidget *target, QPoint pos, bool twice = false) {
    const QPointF local(pos), global(target->mapToGlobal(pos));
    auto mouse = [&](QEvent::Type type, Qt::MouseButtons buttons) {
        QMouseEvent e(type, local, global, Qt::LeftButton, buttons, Qt::NoModifier);
        send(target, &e);
    };
    mouse(QEvent::MouseButtonPress, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, Qt::NoButton);
    if (twice) {
        mouse(QEvent::MouseButtonDblClick, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, Qt::NoButton);
    }
}

// Types `text` into `editor` and presses Enter.
void type(QWidget *editor, const QString &text) {
    for (const QChar ch : text) {
        const int key = ch == QLatin1Char('.') ? Qt::Key_Period : ch.unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
        send(editor, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
        send(editor, &release);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    send(editor, &enter);
    QKeyEvent enterUp(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    send(editor, &enterUp);
    bench::settle(); // the editor commits through a queued call
}

// The frequency typed in round r, in 10 Hz units, and as the user types it.
int32_t roundFrequency(int r) {
    return 44000000 + (r + 1) * 1250; // 440.0125 MHz upwards, on the 12.5 kHz raster
}
QString frequencyText(int32_t f) {
    return QString::number(f / 100000.0, 'f', 5);
}

// Every text of the grid's channel rows.
QStringList gridTexts(const ChGrid &grid, int rows, int cols) {
    QStringList texts;
    for (int r = 1; r <= rows; ++r)
        for (int col = 1; col < cols; ++col)
            texts << grid.text(r, col);
    return texts;
}

} // namespace

int main(int argc, char **argv) {
    bench::preferOffscreen();
    QApplication app(argc, argv);
    bench::SilentDialogs dialogs;
    bench::ProgramFolder folder;

    mdifrmMain w(folder.path());
    if (!bench::startUp(w, 1400, 900))
        return 1;
    cps::Cps &c = w.cps();
    auto *grid = static_cast<ChGrid *>(w.chMem()->vsfgGridCh);
    const int channels = c.cols.channelCount;
    const int columns = grid->columnCount();

    // Two plans that differ in every channel's frequencies.
    const Bytes planA = c.IicDat;
    Bytes planB = planA;
    for (int n = 1; n <= channels; ++n) {
        if (c.ch.ChInfo[n][kRxColumn] == -1)
            continue; // an empty slot stays empty
        const int slot = cps::slotAddress(n);
        putBcd(planB, slot, 43000000 + n * 2500);
        putBcd(planB, slot + 4, 43100000 + n * 2500);
    }
    const Bytes *plans[] = {&planA, &planB};

    const double redisplay = bench::medianMs(kRounds, [&](int r) {
        c.IicDat = *plans[r % 2];
        cps::SoftDisplay(c);
    });
    QStringList shown[2];
    for (int k = 0; k < 2; ++k) {
        c.IicDat = *plans[k];
        cps::SoftDisplay(c);
        shown[k] = gridTexts(*grid, channels, columns);
    }
    if (shown[0] == shown[1]) {
        std::fprintf(stderr, "the two plans show the same grid\n");
        return 1;
    }

    QTableWidget plain(channels, columns);
    for (int r = 0; r < channels; ++r)
        for (int col = 0; col < columns; ++col)
            plain.setItem(r, col, new QTableWidgetItem);
    plain.resize(grid->size());
    plain.show();
    bench::settle();
    const double fillBaseline = bench::medianMs(kRounds, [&](int r) {
        const QStringList &texts = shown[r % 2];
        int i = 0;
        for (int row = 0; row < channels; ++row)
            for (int col = 1; col < columns; ++col)
                plain.item(row, col)->setText(texts[i++]);
    });

    // The edit round trip on the real grid, from plan A.
    c.IicDat = planA;
    cps::SoftDisplay(c);
    w.raise();
    w.activateWindow();
    bench::settle();
    bool editsLanded = true;
    const double edit = bench::medianMs(kRounds, [&](int r) {
        const int row = 1 + r % channels;
        const int32_t f = roundFrequency(r);
        grid->scrollToItem(grid->cell(row, kRxColumn));
        click(grid->viewport(), grid->cellRect(row, kRxColumn).center());
        if (!grid->openEditor) {
            editsLanded = false;
            return;
        }
        type(grid->openEditor, frequencyText(f));
        cps::SetConvIicDat(c);
        editsLanded = editsLanded && c.ch.ChInfo[row][kRxColumn] == f &&
                      getBcd(c.IicDat, cps::slotAddress(row)) == f;
    });

    Bytes plainImage = planA;
    const double editBaseline = bench::medianMs(kRounds, [&](int r) {
        const int row = r % channels;
        const int32_t f = roundFrequency(r);
        QTableWidgetItem *item = plain.item(row, kRxColumn);
        plain.scrollToItem(item);
        click(plain.viewport(), plain.visualItemRect(item).center(), true);
        auto *editor = plain.viewport()->findChild<QLineEdit *>();
        if (!editor) {
            editsLanded = false;
            return;
        }
        type(editor, frequencyText(f));
        const auto value = static_cast<int32_t>(std::lround(item->text().toDouble() * 100000.0));
        putBcd(plainImage, cps::slotAddress(row + 1), value);
        editsLanded = editsLanded && value == f;
    });

    std::printf("channel window: %d channels x %d columns\n", channels, columns - 1);
    std::printf("decode + redisplay (SoftDisplay):           %8.2f ms\n", redisplay);
    std::printf("plain QTableWidget fill, same texts:        %8.2f ms   ratio %.2f\n", fillBaseline,
                redisplay / fillBaseline);
    std::printf("grid edit round trip (click, type, Enter, SetConvIicDat): %8.2f ms\n", edit);
    std::printf("plain QTableWidget edit + text-to-BCD:      %8.2f ms   ratio %.2f\n", editBaseline,
                edit / editBaseline);
    std::printf("(median of %d rounds, repaints included)\n", kRounds);
    if (!editsLanded || dialogs.shown() != 0) {
        std::fprintf(stderr, "an edit did not reach the image (%d message boxes)\n", dialogs.shown());
        return 1;
    }
    w.cps().QuietExit = true;
    w.close();
    return 0;
}
