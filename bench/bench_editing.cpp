// Undo, redo and paste in the channel window, with the real main window,
// each against a plain redisplay of the same plan in the same run:
//
//   redisplay   ShowChTblGrid + InitOpt, the way undo shows a restored state
//   undo, redo  of one bulk edit that set a parameter on every channel
//   paste       16 tab-separated rows with a header, each value through the
//               entry rules, one undo step
//
// The target is each within one redisplay's time (ratio 1 or below); each
// line says whether it is met.
#include "BenchSupport.h"
#include "app/mdifrmMain.h"
#include "editors/ChMemGrid.h"
#include "editors/PlanHistory.h"
#include "editors/frmChMem.h"

#include <QApplication>
#include <cstdio>

namespace {
constexpr int kRounds = 15;
} // namespace

int main(int argc, char **argv) {
    bench::preferOffscreen();
    QApplication app(argc, argv);
    bench::SilentDialogs dialogs;
    bench::ProgramFolder folder;

    mdifrmMain w(folder.path());
    if (!bench::startUp(w, 1280, 800))
        return 1;
    frmChMem *ch = w.chMem();
    auto *grid = static_cast<ChGrid *>(ch->vsfgGridCh);
    auto &c = w.cps();
    const int channels = c.cols.channelCount;

    // 16 rows for the paste, every value different from the plan's.
    QString rows = QStringLiteral("Rx Freq [MHz]\tTx Freq [MHz]\tDecode (CTCSS/DCS)\tEncode "
                                  "(CTCSS/DCS)\tTx Power\tBandwidth\tScan Add\tBusy Lock\n");
    for (int r = 0; r < 16; ++r)
        rows += QStringLiteral("%1\t%2\t67\tD023N\tLow\tNarrow\tOff\tTone\n")
                    .arg(440.0125 + r * 0.0125, 0, 'f', 5)
                    .arg(445.0125 + r * 0.0125, 0, 'f', 5);

    const double redisplay = bench::medianMs(kRounds, [&](int) {
        ch->ShowChTblGrid();
        ch->InitOpt();
    });

    // One bulk edit on all channels: every row selected, a choice typed.
    grid->selectRows(1, channels);
    grid->setCurrentCell(0, 5, QItemSelectionModel::NoUpdate);
    ch->vsfgGridCh_BeforeEdit(1, 5);
    ch->vsfgGridCh_AfterEdit(1, 5, QStringLiteral("Low"), 0);
    if (!w.history().canUndo()) {
        std::fprintf(stderr, "the bulk edit recorded no step\n");
        return 1;
    }
    const double undoRedo = bench::medianMs(kRounds, [&](int r) {
        if (r % 2 == 0)
            w.history().undo();
        else
            w.history().redo();
    });

    const double paste = bench::medianMs(kRounds, [&](int) {
        grid->setCurrentCell(0, 1);
        ch->pasteText(rows);
        w.history().undo();
    });

    const auto line = [&](const char *what, double ms) {
        const double ratio = ms / redisplay;
        std::printf("%-45s %8.2f ms   ratio %.2f   %s\n", what, ms, ratio,
                    ratio <= 1.0 ? "target met" : "NOT met");
    };
    std::printf("channel window: %d channels\n", channels);
    std::printf("%-45s %8.2f ms\n", "plain redisplay (ShowChTblGrid + InitOpt):", redisplay);
    line("undo or redo of a bulk edit on all channels:", undoRedo);
    line("paste of 16 rows and its undo:", paste);
    return dialogs.shown() == 0 ? 0 : 1;
}
