#pragma once
// Running brenvik-cli and brenvik-radio-sim from the build as separate
// processes, the way a user or a script runs them. The CLI always gets a
// private copy of the program folder (--program-dir).
#include "core/DataFile.h"
#include "support/ProgramFolder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
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

} // namespace clitest
