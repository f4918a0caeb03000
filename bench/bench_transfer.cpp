// A full read and a full write of the virtual radio running at true 9600-baud
// pace (--wire-timing), through the command line's blocking wait. Prints the
// measured time over the serial line's own time for the same frames (every
// byte sent and received at 10 bits / 9600 baud, plus the radio's reply
// latency), the tool's CPU time as a share of the wall time, and the system
// calls per exchange (one frame sent and its reply) that read, write or sleep.
// Then one more read with a busy loop on every core and the simulator at a
// higher priority (when run as root), so that every stall is the tool's own: a
// reply that came in time must not be missed, which would restart the whole
// pass (--no-stress leaves it out on a machine shared with other work).
// Each transfer's frames are then replayed by a bare loop (send, wait for the
// reply's bytes, nothing else) on the same radio: its ratio is what this
// machine's scheduling allows any program, the floor under the tool's.
//
//   targets: time ratio <= 1.02, CPU <= 1 %, calls per exchange <= 8;
//            under CPU stress 0 pass restarts
//
// usage: bench_transfer [latency-ms] [--no-stress]
#include "BenchSupport.h"
#include "CountingPort.h"

#include "comm/QtSerialPortAdapter.h"
#include "comm/RadioTransfer.h"
#include "comm/Waiter.h"
#include "core/Ctdcs.h"
#include "core/FaceText.h"
#include "core/Ini.h"
#include "core/MemoryImage.h"
#include "core/Plan.h"
#include "platform/Process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>

#include <QThread>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using bench::CountingPort;
using bench::kByteSeconds;

class ConsoleUi : public cps::TransferUi {
  public:
    cps::Waiter &waiter() override { return wait; }
    void message(const QString &text, const QString &) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        failed = true;
    }
    cps::BlockingWaiter wait;
    bool failed = false;
};

constexpr double kRatioTarget = 1.02, kCpuTarget = 0.01, kCallsTarget = 8;

struct Figures {
    double wall, line, cpu, callsPerExchange;
};

long long countedCalls() {
    const platform::ProcessCalls c = platform::processCalls();
    return c.reads + c.writes + c.sleeps;
}

const char *verdict(bool met) {
    return met ? "target met" : "NOT met";
}

Figures measure(CountingPort &port, int latencyMs,
                const std::function<cps::TransferResult()> &run) {
    port.sent = port.received = port.replies = port.frames = 0;
    port.exchanges.clear();
    port.recording = true;
    const double cpu0 = platform::processCpuSeconds();
    const long long calls0 = countedCalls();
    QElapsedTimer t;
    t.start();
    const cps::TransferResult result = run();
    const double wall = static_cast<double>(t.nsecsElapsed()) / 1e9;
    const double cpu = platform::processCpuSeconds() - cpu0;
    const long long calls = countedCalls() - calls0;
    port.recording = false;
    if (result != cps::TransferResult::Succeeded)
        std::fprintf(stderr, "transfer failed\n");
    const double line = static_cast<double>(port.sent + port.received) * kByteSeconds +
                        static_cast<double>(port.replies) * latencyMs / 1000.0;
    std::printf("  %lld bytes sent, %lld received, %lld replies\n", port.sent, port.received,
                port.replies);
    return {wall, line, cpu,
            static_cast<double>(calls) / static_cast<double>(std::max(1LL, port.frames))};
}

// The bare loop's figures: its time over the line's own time and its CPU share.
struct Floor {
    double ratio = 0, cpu = 0; // ratio 0: the radio did not answer as it did to the tool
};

// Sends the recorded frames one by one and waits for as many bytes as the tool
// took in after each, with nothing else.
Floor bareLoop(const QString &pty, const std::vector<bench::Exchange> &exchanges, int latencyMs) {
    QSerialPort serial(pty);
    if (!serial.open(QIODevice::ReadWrite))
        return {};
    serial.setBaudRate(QSerialPort::Baud9600);
    long long bytes = 0, replies = 0;
    const double cpu0 = platform::processCpuSeconds();
    QElapsedTimer t;
    t.start();
    for (const bench::Exchange &e : exchanges) {
        serial.write(e.frame);
        serial.flush();
        while (serial.bytesAvailable() < e.replyBytes)
            if (!serial.waitForReadyRead(1000))
                return {};
        serial.readAll();
        bytes += e.frame.size() + e.replyBytes;
        replies += e.replyBytes > 0 ? 1 : 0;
    }
    const double wall = static_cast<double>(t.nsecsElapsed()) / 1e9;
    const double line = static_cast<double>(bytes) * kByteSeconds +
                        static_cast<double>(replies) * latencyMs / 1000.0;
    return {wall / line, (platform::processCpuSeconds() - cpu0) / wall};
}

void reportFloor(const char *what, const Figures &tool, const Floor &bare) {
    if (bare.ratio <= 0) {
        std::printf("%-6s bare loop: the radio did not answer the replayed frames\n", what);
        return;
    }
    std::printf("%-6s bare loop over the same frames: ratio %.4f, CPU %.2f %% of a core; "
                "the tool adds %.2f %% to the time\n",
                what, bare.ratio, 100.0 * bare.cpu,
                100.0 * (tool.wall / tool.line / bare.ratio - 1.0));
}

bool report(const char *what, const Figures &f) {
    const double ratio = f.wall / f.line, cpu = f.cpu / f.wall;
    std::printf("%-6s wall %7.3f s   line %7.3f s   ratio %.4f (%s)\n", what, f.wall, f.line, ratio,
                verdict(ratio <= kRatioTarget));
    std::printf("%-6s CPU %5.2f %% of a core (%s)\n", what, 100.0 * cpu,
                verdict(cpu <= kCpuTarget));
    std::printf("%-6s %.1f read/write/sleep system calls per exchange (%s)\n", what,
                f.callsPerExchange, verdict(f.callsPerExchange <= kCallsTarget));
    return ratio <= kRatioTarget && cpu <= kCpuTarget && f.callsPerExchange <= kCallsTarget;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool stress = !args.contains(QStringLiteral("--no-stress"));
    const int latencyMs = args.size() > 1 && args[1] != "--no-stress" ? args[1].toInt() : 0;

    // A private program folder: the build's settings file is never touched.
    QTemporaryDir dir;
    QFile::copy(QStringLiteral(BRENVIK_SOURCE_DIR "/data/selvarn.ini"),
                dir.filePath("selvarn.exe"));
    QFile::copy(QStringLiteral(BRENVIK_PROGRAM_DIR "/dhcpqec.exe"), dir.filePath("dhcpqec.exe"));
    QFile::setPermissions(dir.filePath("selvarn.exe"), QFile::ReadOwner | QFile::WriteOwner);

    QProcess sim;
    const QString pty = bench::startWireTimedRadio(sim, {"--latency", QString::number(latencyMs)});
    if (pty.isEmpty())
        return 1;

    cps::CollectingSink sink;
    cps::Cps c;
    c.files = cps::portableLocations(dir.path().toStdString());
    c.SettingsFile = dir.filePath("selvarn.exe").toStdString();
    c.sink = &sink;
    c.CurLang = 3;
    cps::initBitTables(c);
    cps::LoadSoftFaceText(c);
    cps::sizeImage(c, cps::toInt16(c.ini().read("Setting", "DatNum", "0", 9)));
    cps::ReadChInfo(c);
    cps::GenCtdcsList(c);
    cps::selectBand(c, cps::kDefaultBand);
    c.ini().write("Ports", "1", pty.toStdString());
    c.settings.com = 1;

    cps::QtSerialPortAdapter device(c);
    CountingPort port(device);
    ConsoleUi ui;
    cps::TimeoutMark mark;
    cps::RadioTransfer transfer(c, port, ui, mark);
    transfer.softDisplay = [&c] { cps::SoftDisplay(c); };

    std::printf("full read and write of %s at 9600 baud, reply latency %d ms\n", qPrintable(pty),
                latencyMs);
    const Figures read = measure(port, latencyMs, [&] { return transfer.read(); });
    const Floor readFloor = bareLoop(pty, port.exchanges, latencyMs);
    const Figures write = measure(port, latencyMs, [&] { return transfer.write(); });
    const Floor writeFloor = bareLoop(pty, port.exchanges, latencyMs);
    const bool readMet = report("read", read);
    reportFloor("read", read, readFloor);
    const bool writeMet = report("write", write);
    reportFloor("write", write, writeFloor);

    int restarts = 0;
    if (stress) {
        // The stressed read.
        const bool raised = platform::raisePriority(static_cast<long>(sim.processId()));
        std::vector<std::unique_ptr<QProcess>> busy;
        for (int k = 0; k < QThread::idealThreadCount(); ++k) {
            busy.push_back(std::make_unique<QProcess>());
            busy.back()->start("sh", {"-c", "while :; do :; done"});
        }
        std::printf("under CPU stress: %zu busy loops, simulator %s\n", busy.size(),
                    raised ? "at nice -5" : "at normal priority (not root: stalls may be its own)");
        const Figures stressed = measure(port, latencyMs, [&] { return transfer.read(); });
        restarts = transfer.engine().attempts;
        for (auto &loop : busy) {
            loop->kill();
            loop->waitForFinished(5000);
        }
        std::printf("busy   wall %7.3f s   line %7.3f s   ratio %.4f\n", stressed.wall,
                    stressed.line, stressed.wall / stressed.line);
        std::printf("busy   pass restarts %d (%s)\n", restarts, verdict(restarts == 0));
    }

    sim.terminate();
    sim.waitForFinished(5000);
    for (const auto &e : sink.entries)
        std::fprintf(stderr, "error log: %s\n", e.place.c_str());
    const bool ok = !ui.failed && readMet && writeMet && restarts == 0;
    std::printf("%s\n", ok ? "targets met" : "targets NOT met");
    return ok ? 0 : 1;
}
