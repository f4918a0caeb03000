// Start-up to a shown main window: the main window built, its start-up
// sequence run (settings, texts, the port check, scripts, the channel window,
// a new plan, the memory view's layout) and the window on screen with its
// first paint. Measured against a bare QMainWindow of the same size with an
// empty MDI area, shown the same way in the same run, so the ratio holds on
// any machine. The first (cold) start is reported apart from the median.
#include "BenchSupport.h"
#include "app/mdifrmMain.h"

#include <QApplication>
#include <QMdiArea>
#include <QWindow>

#include <cstdio>
#include <memory>

namespace {

constexpr int kRounds = 9;

// Shows the window and waits for the platform to expose it.
void showAndExpose(QWidget &w) {
    w.show();
    while (!w.windowHandle() || !w.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    bench::settle(); // the first paint
}

double startMainWindow(const bench::ProgramFolder &folder, bool &ok) {
    QElapsedTimer t;
    t.start();
    auto w = std::make_unique<mdifrmMain>(folder.path());
    ok = w->MDIForm_Load() && w->chMem() != nullptr && ok;
    showAndExpose(*w);
    const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
    w->cps().QuietExit = true;
    w->close();
    w.reset();
    bench::settle();
    return ms;
}

double startBareWindow() {
    QElapsedTimer t;
    t.start();
    auto w = std::make_unique<QMainWindow>();
    w->setCentralWidget(new QMdiArea);
    w->resize(1280, 800);
    showAndExpose(*w);
    const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
    w.reset();
    bench::settle();
    return ms;
}

} // namespace

int main(int argc, char **argv) {
    bench::preferOffscreen();
    QApplication app(argc, argv);
    bench::SilentDialogs dialogs;
    bench::ProgramFolder folder;

    bool ok = true;
    const double cold = startMainWindow(folder, ok);
    const double bareCold = startBareWindow();
    std::vector<double> mainMs, bareMs;
    for (int r = 0; r < kRounds; ++r) {
        mainMs.push_back(startMainWindow(folder, ok));
        bareMs.push_back(startBareWindow());
    }
    const double warm = bench::median(mainMs), bare = bench::median(bareMs);

    std::printf("start-up to a shown main window, first in this process: %8.2f ms\n", cold);
    std::printf("start-up to a shown main window (median of %d):          %8.2f ms\n", kRounds,
                warm);
    std::printf("bare QMainWindow with an MDI area, first / median:       %8.2f / %.2f ms\n",
                bareCold, bare);
    std::printf("ratio start-up / bare window (medians): %.1f\n", warm / bare);
    if (!ok || dialogs.shown() != 0) {
        std::fprintf(stderr, "start-up did not run through (%d message boxes)\n", dialogs.shown());
        return 1;
    }
    return 0;
}
