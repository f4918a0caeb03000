// The read/write window's cost during a transfer: a full read of the virtual
// radio at true 9600-baud pace (--wire-timing), started with the window's Read
// button (traffic log, progress bar, status, blinking light, the event-loop
// wait), against the same read through the command line's blocking wait in the
// same run. Prints the CPU time of each as a share of one core.
//
//   target: the window's read uses at most 2 % of a core
//
// usage: bench_commun
#include "BenchSupport.h"
#include "comm/QtSerialPortAdapter.h"
#include "comm/RadioTransfer.h"
#include "comm/Waiter.h"
#include "core/Plan.h"
#include "editors/frmCommun.h"
#include "platform/Process.h"

#include <QApplication>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>

#include <cstdio>

namespace {

constexpr double kWindowCpuTarget = 0.02;

class ConsoleUi : public cps::TransferUi {
  public:
    cps::Waiter &waiter() override { return wait; }
    cps::BlockingWaiter wait;
};

struct Figures {
    double wall, cpu;
    double share() const { return cpu / wall; }
};

Figures measure(const std::function<bool()> &read) {
    const double cpu0 = platform::processCpuSeconds();
    QElapsedTimer t;
    t.start();
    if (!read())
        std::fprintf(stderr, "the read failed\n");
    return {static_cast<double>(t.nsecsElapsed()) / 1e9, platform::processCpuSeconds() - cpu0};
}

} // namespace

int main(int argc, char **argv) {
    bench::preferOffscreen();
    QApplication app(argc, argv);
    bench::ProgramFolder folder;
    bench::SilentDialogs dialogs;
    cps::CollectingSink sink;
    cps::Cps c;
    testsupport::initCps(c, folder, 3, &sink);

    QProcess sim;
    const QString pty = bench::startWireTimedRadio(sim);
    if (pty.isEmpty())
        return 1;
    folder.set("1", pty.toStdString(), "Ports");
    c.settings.com = 1;

    cps::QtSerialPortAdapter port(c);
    cps::TimeoutMark mark;
    frmCommun window(c, port, mark);
    bool windowRead = false;
    window.onTransferDone = [&](bool reading) { windowRead = reading; };
    window.showRead();
    bench::settle();
    std::printf("full read of %s at 9600 baud: the window, then the command line's wait\n",
                qPrintable(pty));
    const Figures inWindow = measure([&] {
        window.cmdRead->click();
        return windowRead;
    });
    const int logEntries = window.listRtData->count();

    ConsoleUi console;
    cps::RadioTransfer transfer(c, port, console, mark);
    transfer.softDisplay = [&c] { cps::SoftDisplay(c); };
    const Figures onConsole =
        measure([&] { return transfer.read() == cps::TransferResult::Succeeded; });

    sim.terminate();
    sim.waitForFinished(5000);
    const bool met = inWindow.share() <= kWindowCpuTarget && dialogs.shown() == 0;
    std::printf("window  wall %7.3f s   CPU %6.3f s = %5.2f %% of a core (%s)   %d log entries\n",
                inWindow.wall, inWindow.cpu, 100 * inWindow.share(), met ? "target met" : "NOT met",
                logEntries);
    std::printf("cli     wall %7.3f s   CPU %6.3f s = %5.2f %% of a core\n", onConsole.wall,
                onConsole.cpu, 100 * onConsole.share());
    std::printf("window over the command line: %.2f x the CPU\n", inWindow.cpu / onConsole.cpu);
    return met ? 0 : 1;
}
