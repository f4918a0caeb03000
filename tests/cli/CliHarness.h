#pragma once
// Running brenvik-cli and brenvik-radio-sim from the build as separate
// processes, the way a user or a script runs them. The CLI always gets a
// private copy of the program folder (--program-dir).
#include "core/DataFile.h"
#include "support/ProgramFolder.h"

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace clitest {

struct CliRun {
    int status = -1;
    QString out, err;
};

inline QString binary(const char *name) {
    return QStringLiteral(BRENVIK_PROGRAM_DIR "/") + name;
}

inline QByteArray readAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeAll(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

// A data file's image (through the file layout) and back.
inline std::vector<uint8_t> imageOf(const QString &file) {
    const QByteArray raw = readAll(file);
    return cps::fileBytesToImage(std::vector<uint8_t>(raw.begin(), raw.end()), 8192);
}

// Changes image bytes of a data file in place.
inline void patchImage(const QString &file, const std::vector<std::pair<int, uint8_t>> &bytes) {
    auto image = imageOf(file);
    for (auto [address, value] : bytes)
        image[static_cast<std::size_t>(address)] = value;
    const auto out = cps::imageToFileBytes(image);
    writeAll(file, QByteArray(reinterpret_cast<const char *>(out.data()),
                              static_cast<qsizetype>(out.size())));
}

// A program folder copy and a scratch folder for the files of one test.
struct CliFixture : ::testing::Test {
    testsupport::ProgramFolder folder;
    QTemporaryDir work;

    QString path(const QString &name) const { return work.filePath(name); }

    CliRun cli(QStringList args, int timeoutMs = 120000) const {
        args << QStringLiteral("--program-dir") << folder.path();
        QProcess p;
        p.start(binary("brenvik-cli"), args);
        CliRun r;
        if (!p.waitForFinished(timeoutMs)) {
            p.kill();
            p.waitForFinished();
            r.err = QStringLiteral("timed out");
            return r;
        }
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    // A new plan saved under `name` (default band unless given).
    QString newPlan(const QString &name, int band = 7) const {
        const QString file = path(name);
        const CliRun r = cli({"new", "-o", file, "--band", QString::number(band)});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        return file;
    }
};

// Two different plans: A (band 7, the default channels) to start a radio
// with, B (band 0, two channels) to write to it.
struct TwoPlans : CliFixture {
    void SetUp() override {
        planA = newPlan("a.dat", 7);
        const QString base = newPlan("base.dat", 0);
        writeAll(path("b.csv"), "Channel,Receive,Transmit,Decode,Encode,P5,P6,P7,P8\n"
                                "1,146.52,146.52,67.0,67.0,1,0,1,0\n"
                                "2,145.5,,D023N,,0,1,0,2\n");
        ASSERT_EQ(cli({"import-csv", base, path("b.csv"), "-o", path("b.dat")}).status, 0);
        planB = path("b.dat");
    }
    QString planA, planB;
};

// A virtual radio on a pseudo-terminal. Stopping it (or the destructor) ends
// the process with SIGTERM, which saves its memory when --save was given.
class SimRadio {
  public:
    explicit SimRadio(const QStringList &args) {
        process_.start(binary("brenvik-radio-sim"), args);
        if (!process_.waitForStarted(10000))
            return;
        while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
        }
        pty_ = QString::fromUtf8(process_.readLine()).trimmed();
    }
    ~SimRadio() { stop(); }
    SimRadio(const SimRadio &) = delete;
    SimRadio &operator=(const SimRadio &) = delete;

    const QString &pty() const { return pty_; }
    void stop() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.terminate();
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }

  private:
    QProcess process_;
    QString pty_;
};

// A running brenvik-cli whose output is read as it comes.
class RunningCli {
  public:
    explicit RunningCli(const QStringList &args) { process_.start(binary("brenvik-cli"), args); }
    ~RunningCli() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    RunningCli(const RunningCli &) = delete;
    RunningCli &operator=(const RunningCli &) = delete;

    // Waits until stdout (or stderr) holds `text` `count` times.
    bool waitFor(const QString &text, int count = 1, bool onStderr = false, int ms = 30000) {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            out_ += QString::fromUtf8(process_.readAllStandardOutput());
            err_ += QString::fromUtf8(process_.readAllStandardError());
            if ((onStderr ? err_ : out_).count(text) >= count)
                return true;
            const qint64 left = ms - clock.elapsed();
            if (left <= 0 || process_.state() == QProcess::NotRunning)
                return false;
            process_.waitForReadyRead(static_cast<int>(std::min<qint64>(left, 1000)));
        }
    }
    // Sends `signal` and waits for the end; the exit status (-1: it did not
    // end, or a signal ended it).
    int signalAndWait(int signal) {
        sendSignal(signal);
        return wait();
    }
    void sendSignal(int signal) { ::kill(static_cast<pid_t>(process_.processId()), signal); }
    // Waits for the end; the exit status as signalAndWait gives it.
    int wait() {
        if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(60000))
            return -1;
        out_ += QString::fromUtf8(process_.readAllStandardOutput());
        err_ += QString::fromUtf8(process_.readAllStandardError());
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }
    // Takes in what the program has written so far, waiting up to `ms` for
    // more, so that several programs running at once never stall on a full pipe.
    bool running(int ms) {
        waitFor(QStringLiteral("\x01"), 1, false, ms);
        return process_.state() != QProcess::NotRunning;
    }
    int interruptAndWait() { return signalAndWait(SIGINT); }
    const QString &out() const { return out_; }
    const QString &err() const { return err_; }

  private:
    QProcess process_;
    QString out_, err_;
};

// Addresses where two images differ, outside what a radio keeps of its own
// (identification) or takes from its parameters (radio settings frame).
inline std::vector<int> differencesOutside(const std::vector<uint8_t> &a,
                                           const std::vector<uint8_t> &b) {
    std::vector<int> diff;
    for (int i = 0; i < 8192; ++i) {
        const bool fixed = (i >= 0x388 && i <= 0x38A) || (i >= 0x3F0 && i <= 0x40F);
        if (!fixed && a[static_cast<std::size_t>(i)] != b[static_cast<std::size_t>(i)])
            diff.push_back(i);
    }
    return diff;
}

} // namespace clitest
