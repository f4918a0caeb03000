// The production line window with four virtual radios at true 9600-baud pace
// (--wire-timing), each on a pseudo-terminal of its own, started with the
// window's Start (its threads, its queued signals, its rows and totals). The
// plan is written without backup and verify, so each radio's time compares
// with the serial line's own time of one write (counted byte by byte on the
// first radio beforehand). Three runs of the window: one radio alone, then all
// four at once.
//
//   targets: with four cables each radio takes at most 1.05 x its time alone;
//            the window's event loop never waits longer than 50 ms (the worst
//            gap of a 10 ms timer); the window's own thread uses at most 3 %
//            of a core (the engine's port threads not counted)
//
// usage: bench_line
#include "BenchSupport.h"
#include "CountingPort.h"

#include "comm/QtSerialPortAdapter.h"
#include "comm/RadioRecord.h"
#include "comm/RadioTransfer.h"
#include "comm/Waiter.h"
#include "editors/LineCableRow.h"
#include "editors/frmProductionLine.h"
#include "platform/Process.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>

#include <array>
#include <cstdio>

namespace {

constexpr int kRadios = 4;
constexpr double kAloneTarget = 1.05, kGapTargetMs = 50, kWindowCpuTarget = 0.03;

class ConsoleUi : public cps::TransferUi {
  public:
    cps::Waiter &waiter() override { return wait; }
    cps::BlockingWaiter wait;
};

// Keeps the window's events flowing until `done`, at most `ms`.
bool waitFor(const std::function<bool()> &done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

const char *verdict(bool met) {
    return met ? "target met" : "NOT met";
}

struct Run {
    double wall = 0;                  // Start to the last result, seconds
    double windowCpu = 0;             // the window's thread, seconds
    double worstGapMs = 0;            // of the 10 ms timer
    std::vector<double> radioSeconds; // each radio's own time, from the record
    int passed = 0;
    double startMs = 0, startCpu = 0; // the Start click itself
};

// Starts the line on `cables`, waits for a result on each, stops it.
Run runLine(frmProductionLine &window, cps::Cps &c, int cables) {
    for (auto &[com, box] : window.chkCables)
        box->setChecked(com >= 1 && com <= cables);
    Run run;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        run.worstGapMs =
            std::max(run.worstGapMs, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.start();
    });
    const double cpu0 = platform::threadCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    sinceTick.start();
    ticker.start();
    if (!window.startLine()) {
        std::fprintf(stderr, "the line did not start\n");
        return run;
    }
    // Start itself opens and closes every ticked cable once, in the click.
    run.startMs = static_cast<double>(wall.nsecsElapsed()) / 1e6;
    const double runCpu0 = platform::threadCpuSeconds();
    run.worstGapMs = 0;
    sinceTick.start();
    const auto allDone = [&] {
        for (const auto &[port, row] : window.rows) {
            const QString state = row->lblState->text();
            if (row->programming() || (state != "PASS" && state != "FAIL"))
                return false;
        }
        return true;
    };
    if (!waitFor(allDone, 120000))
        std::fprintf(stderr, "not every radio had a result in time\n");
    run.wall = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    run.windowCpu = platform::threadCpuSeconds() - runCpu0;
    run.startCpu = runCpu0 - cpu0;
    ticker.stop();
    window.stopLine();
    waitFor([&] { return !window.running(); }, 30000);

    cps::RecordFilter newest;
    newest.limit = cables;
    for (const auto &r :
         cps::queryRecords(QString::fromStdString(c.files.historyDatabase), newest)) {
        run.radioSeconds.push_back(static_cast<double>(r.durationMs) / 1000.0);
        run.passed += r.pass ? 1 : 0;
    }
    return run;
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

    std::array<QProcess, kRadios> sims;
    for (int i = 0; i < kRadios; ++i) {
        const QString pty = bench::startWireTimedRadio(sims[static_cast<std::size_t>(i)]);
        if (pty.isEmpty())
            return 1;
        folder.set(std::to_string(i + 1), pty.toStdString(), "Ports");
    }

    // The serial line's own time of one write of this plan.
    c.settings.com = 1;
    double lineSeconds = 0;
    {
        cps::QtSerialPortAdapter device(c);
        bench::CountingPort port(device);
        ConsoleUi ui;
        cps::TimeoutMark mark;
        cps::RadioTransfer transfer(c, port, ui, mark);
        if (transfer.write() != cps::TransferResult::Succeeded)
            std::fprintf(stderr, "the write to count the line's bytes failed\n");
        lineSeconds = port.lineSeconds(0);
    }

    frmProductionLine window(c);
    window.show();
    bench::settle();
    window.chkVerify->setChecked(false);
    window.chkSound->setChecked(false);
    window.txtBackupFolder->clear();
    window.txtLogFile->clear();
    window.spnStopAfter->setValue(0);

    std::printf("production line window, %d radios at 9600 baud; one write on the line: %.3f s\n",
                kRadios, lineSeconds);
    const Run alone = runLine(window, c, 1);
    const Run four = runLine(window, c, kRadios);
    for (auto &sim : sims) {
        sim.terminate();
        sim.waitForFinished(5000);
    }
    if (alone.radioSeconds.size() != 1 || four.radioSeconds.size() != kRadios) {
        std::fprintf(stderr, "the record has %zu and %zu results\n", alone.radioSeconds.size(),
                     four.radioSeconds.size());
        return 1;
    }

    const double aloneSeconds = alone.radioSeconds[0];
    const double worst = *std::max_element(four.radioSeconds.begin(), four.radioSeconds.end());
    std::printf("one radio alone   %7.3f s = %.3f x the line's time\n", aloneSeconds,
                aloneSeconds / lineSeconds);
    for (std::size_t i = 0; i < four.radioSeconds.size(); ++i)
        std::printf("four cables, radio %zu  %7.3f s = %.3f x alone\n", i + 1, four.radioSeconds[i],
                    four.radioSeconds[i] / aloneSeconds);
    const bool timeMet = worst / aloneSeconds <= kAloneTarget && four.passed == kRadios;
    std::printf("worst of four     %.3f x alone (%s), %d of %d passed\n", worst / aloneSeconds,
                verdict(timeMet), four.passed, kRadios);

    // Radios per hour while the four cables are kept busy, against the line's
    // own pace (a radio's write on each cable, back to back).
    std::printf("radios per hour   %.0f from Start to the last result (%.3f s); the line's own "
                "pace %.0f = %.3f x\n",
                kRadios * 3600.0 / four.wall, four.wall, kRadios * 3600.0 / lineSeconds,
                four.wall / lineSeconds);

    const double share = four.windowCpu / four.wall;
    const bool cpuMet = four.windowCpu >= 0 && share <= kWindowCpuTarget;
    const bool gapMet = four.worstGapMs <= kGapTargetMs;
    std::printf("window thread CPU %.3f s = %.2f %% of a core (%s)\n", four.windowCpu, 100 * share,
                verdict(cpuMet));
    std::printf("event loop        worst gap of a 10 ms timer %.1f ms (%s)\n", four.worstGapMs,
                verdict(gapMet));
    std::printf("the Start click   %.1f ms, CPU %.1f ms (checks that every ticked cable opens)\n",
                four.startMs, 1000 * four.startCpu);
    for (const auto &e : sink.entries)
        std::fprintf(stderr, "error log: %s\n", e.place.c_str());
    const bool ok = timeMet && cpuMet && gapMet && dialogs.shown() == 0;
    std::printf("%s\n", ok ? "targets met" : "targets NOT met");
    return ok ? 0 : 1;
}
