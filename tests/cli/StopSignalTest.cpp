// Stop signals (Ctrl-C, SIGTERM, SIGHUP from a closed terminal) during a
// transfer at the radio's own pace (brenvik-radio-sim --wire-timing): a write
// finishes the block on the wire and says the radio holds part of the plan,
// the programming line finishes and logs the radio in hand, a read says it
// was stopped. The signal goes out once the traffic (--verbose) shows the
// transfer past the block at 0x0400.
#include "CliHarness.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <csignal>
#include <memory>
#include <vector>

using clitest::RunningCli;
using clitest::SimRadio;

namespace {

constexpr int kFirstChanged = 0x0400, kBlock = 16;

struct StopSignal {
    int number;
    const char *name;
};
const StopSignal kSignals[] = {{SIGINT, "SIGINT"}, {SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}};

// Plan A on the radio; plan B differs from it in every byte from 0x0400 up
// (memory no decoded form covers), so each block written shows in the
// radio's memory.
struct StopSignals : clitest::CliFixture {
    void SetUp() override {
        planA = newPlan("a.dat");
        planB = path("b.dat");
        QFile::copy(planA, planB);
        std::vector<std::pair<int, uint8_t>> changes;
        const auto a = clitest::imageOf(planA);
        for (int addr = kFirstChanged; addr < 8192; ++addr)
            changes.emplace_back(addr,
                                 static_cast<uint8_t>(a[static_cast<std::size_t>(addr)] ^ 0x5A));
        clitest::patchImage(planB, changes);
    }
    QStringList withFolder(QStringList args) const {
        return args << "--verbose"
                    << "--lang"
                    << "3"
                    << "--program-dir" << folder.path();
    }
    QString planA, planB;
};

} // namespace

TEST_F(StopSignals, WriteFinishesTheBlockOnTheWireAndSaysTheRadioHoldsPartOfThePlan) {
    for (const StopSignal &s : kSignals) {
        SCOPED_TRACE(s.name);
        const QString saved = path("saved.dat");
        QFile::remove(saved);
        SimRadio radio({"--wire-timing", "--image", planA, "--save", saved});
        ASSERT_FALSE(radio.pty().isEmpty());
        RunningCli write(withFolder({"write", planB, "--port", radio.pty()}));
        ASSERT_TRUE(write.waitFor("Tx: 28 10 00 10 \n", 1, true)) << write.err().toStdString();

        EXPECT_EQ(write.signalAndWait(s.number), 5) << write.err().right(400).toStdString();
        const QRegularExpression said(
            "^" + QRegularExpression::escape(radio.pty()) + ": Stopped by " + s.name +
            "\\. The radio now holds part of the new plan \\(the last block written is "
            "0x([0-9A-F]{4})\\) and must be written again before it is used\\.\\n$");
        const auto m = said.match(write.out());
        ASSERT_TRUE(m.hasMatch()) << write.out().toStdString();
        const int last = m.captured(1).toInt(nullptr, 16);
        EXPECT_GE(last, kFirstChanged);
        EXPECT_LT(last, 0x1FF0) << "the write ran to its end";
        EXPECT_FALSE(write.err().contains("Tx: 45 5A A5 32 ")) << "no end frame after a stop";

        // Up to the last block named: the new plan; after it: the old one.
        radio.stop();
        const auto memory = clitest::imageOf(saved), a = clitest::imageOf(planA),
                   b = clitest::imageOf(planB);
        int wrong = 0;
        for (int addr = kFirstChanged; addr < 8192; ++addr) {
            const auto &want = addr < last + kBlock ? b : a;
            wrong += memory[static_cast<std::size_t>(addr)] != want[static_cast<std::size_t>(addr)];
        }
        EXPECT_EQ(wrong, 0);
    }
}

// The line finishes the radio it is programming, logs it, and ends; SIGHUP
// (a closed terminal, a dropped SSH link) as Ctrl-C and SIGTERM. The three
// lines run side by side: each finishes a whole write at the radio's pace.
TEST_F(StopSignals, ProgramFinishesAndLogsTheRadioInHand) {
    struct Line {
        const StopSignal &signal;
        QString saved, log;
        std::unique_ptr<SimRadio> radio;
        std::unique_ptr<RunningCli> cli;
    };
    std::vector<Line> lines;
    for (const StopSignal &s : kSignals) {
        Line &l = lines.emplace_back(Line{s, path(QStringLiteral("saved-%1.dat").arg(s.name)),
                                          path(QStringLiteral("line-%1.csv").arg(s.name)),
                                          nullptr, nullptr});
        l.radio = std::make_unique<SimRadio>(
            QStringList{"--wire-timing", "--image", planA, "--save", l.saved});
        ASSERT_FALSE(l.radio->pty().isEmpty());
        l.cli = std::make_unique<RunningCli>(
            withFolder({"program", planB, "--port", l.radio->pty(), "--log", l.log}));
    }
    for (Line &l : lines) {
        ASSERT_TRUE(l.cli->waitFor("Tx: 28 10 00 10 \n", 1, true)) << l.cli->err().toStdString();
        l.cli->sendSignal(l.signal.number);
    }
    QElapsedTimer clock;
    clock.start();
    for (bool any = true; any && clock.elapsed() < 60000;) {
        any = false;
        for (Line &l : lines)
            any |= l.cli->running(20);
    }
    for (Line &l : lines) {
        SCOPED_TRACE(l.signal.name);
        const QString pty = l.radio->pty();
        EXPECT_EQ(l.cli->wait(), 0) << l.cli->err().right(400).toStdString();
        EXPECT_TRUE(l.cli->err().contains("stopping after the radios being programmed"));
        EXPECT_TRUE(l.cli->out().startsWith("PASS " + pty + " ident 5A 23 28"))
            << l.cli->out().toStdString();
        EXPECT_TRUE(l.cli->out().endsWith("1 passed, 0 failed\n")) << l.cli->out().toStdString();
        const QStringList rows =
            QString::fromUtf8(clitest::readAll(l.log)).split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(rows.size(), 2) << rows.join('\n').toStdString();
        EXPECT_TRUE(rows[1].contains("," + pty + ",5A 23 28,PASS,")) << rows[1].toStdString();

        l.radio->stop();
        EXPECT_EQ(clitest::differencesOutside(clitest::imageOf(l.saved), clitest::imageOf(planB)),
                  std::vector<int>{});
    }
}

// A read stopped half-way says so and leaves no file (nor an older one changed).
TEST_F(StopSignals, ReadSaysItWasStoppedAndSavesNothing) {
    const QString output = path("read.dat");
    for (const StopSignal &s : kSignals) {
        SCOPED_TRACE(s.name);
        SimRadio radio({"--wire-timing", "--image", planA});
        ASSERT_FALSE(radio.pty().isEmpty());
        RunningCli read(withFolder({"read", "--port", radio.pty(), "-o", output}));
        ASSERT_TRUE(read.waitFor("Tx: 23 10 00 10 \n", 1, true)) << read.err().toStdString();

        EXPECT_EQ(read.signalAndWait(s.number), 5);
        EXPECT_TRUE(read.err().endsWith(radio.pty() + ": Stopped by " + s.name +
                                        ". Nothing was read and no file was saved.\n"))
            << read.err().right(300).toStdString();
        EXPECT_EQ(read.out(), "");
        EXPECT_FALSE(QFile::exists(output));
    }
}
