// brenvik-cli against a virtual radio with one fault at a time: what the
// command prints and returns, how many passes the traffic (--verbose) shows,
// which error-log entries it reports, and that a failure leaves every file as
// it was (the plan written, the output of a read, the settings file).
//
// Rows already in RadioTest / WriteChecksTest (a silent radio, a hang-up
// mid-read, a device path that never existed, dropped replies before a
// backup) are not repeated.
#include "CliHarness.h"

#include "core/DataFile.h"
#include "platform/ExclusiveDevice.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QSerialPort>
#include <map>
#include <optional>
#include <unistd.h>

using clitest::CliFixture;
using clitest::CliRun;
using clitest::SimRadio;

namespace {

constexpr int kSlotSize = 16;
constexpr int kChannelOneSlot = 0x0010;
constexpr int kIdentFirst = 0x0388, kIdentLast = 0x038A;

const QString kProgramRequest = QStringLiteral("Tx: 50 52 4F 47 \n");
const QString kMissingReply = QStringLiteral("Rx：Communication failed! No receive Data!\n");
const QString kCommFailed = QStringLiteral("Communication failed,please check commuication port!");
const QString kUnsupported = QStringLiteral("This software Can't support this radio!Please use "
                                            "special radio software or contact with dealers!");

QString partlyWritten(const QString &lastBlock) {
    return "The radio now holds part of the new plan (the last block written is " + lastBlock +
           ") and must be written again before it is used.";
}

// Every file below `dir` with its content.
std::map<QString, QByteArray> filesUnder(const QString &dir) {
    std::map<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[path] = clitest::readAll(path);
    }
    return files;
}

QStringList errorPlaces(const QString &err) {
    static const QRegularExpression place(QStringLiteral("错误:  (\\S+)"));
    QStringList places;
    for (auto it = place.globalMatch(err); it.hasNext();)
        places << it.next().captured(1);
    return places;
}

enum class Cmd { Read, Write };

struct CliFault {
    const char *name;
    Cmd cmd;
    QStringList radioArgs;
    QString message;         // printed on failure; empty: the command succeeds
    int passes;              // program requests in the traffic
    int missingReplies;      // missing-reply entries in the traffic
    QStringList errorPlaces; // error-log entries on stderr, in order
    QString entry;           // a traffic entry (one whole line) to count ...
    int entryCount = 0;      // ... and how often it must appear
    QString rangeEnd = QStringLiteral("1FFF");
};

// A plan file and a radio that differs from it in channel 1 (440.12500 MHz).
struct CliFaults : CliFixture {
    void SetUp() override {
        plan = newPlan("plan.dat");
        radio = newPlan("radio.dat");
        clitest::patchImage(radio, {{kChannelOneSlot, 0x00},
                                    {kChannelOneSlot + 1, 0x25},
                                    {kChannelOneSlot + 2, 0x01},
                                    {kChannelOneSlot + 3, 0x44}});
        output = path("read.dat");
        clitest::writeAll(output, "an older read"); // a failed read must leave it
    }

    std::map<QString, QByteArray> allFiles() const {
        auto files = filesUnder(folder.path());
        files.merge(filesUnder(work.path()));
        return files;
    }
    CliRun transfer(Cmd cmd, const QString &port) const {
        return cmd == Cmd::Read
                   ? cli({"read", "--verbose", "--lang", "3", "--port", port, "-o", output}, 60000)
                   : cli({"write", "--verbose", "--lang", "3", "--port", port, plan}, 60000);
    }
    static int frameLines(const QString &log) {
        return static_cast<int>(clitest::readAll(log).count('\n'));
    }

    void run(const CliFault &fc) {
        SCOPED_TRACE(fc.name);
        folder.set(fc.cmd == Cmd::Read ? "ReadEndAddr" : "WriteEndAddr", fc.rangeEnd.toStdString());
        const QString saved = radioDir.filePath("saved.dat");
        QFile::remove(saved);
        SimRadio sim(fc.radioArgs + QStringList{"--image", radio, "--save", saved});
        ASSERT_FALSE(sim.pty().isEmpty());
        const auto before = allFiles();

        const CliRun r = transfer(fc.cmd, sim.pty());
        const QString all = r.out + r.err;
        EXPECT_EQ(all.count(kProgramRequest), fc.passes);
        EXPECT_EQ(all.count(kMissingReply), fc.missingReplies);
        EXPECT_EQ(errorPlaces(r.err).join(", ").toStdString(),
                  fc.errorPlaces.join(", ").toStdString());
        if (!fc.entry.isEmpty())
            EXPECT_EQ(all.count(": " + fc.entry + "\n"), fc.entryCount) << fc.entry.toStdString();

        if (!fc.message.isEmpty()) {
            EXPECT_EQ(r.status, 1);
            EXPECT_TRUE(all.contains(fc.message)) << all.right(400).toStdString();
            EXPECT_TRUE(allFiles() == before) << "a failed command changed a file";
            return;
        }
        ASSERT_EQ(r.status, 0) << all.right(600).toStdString();
        if (fc.cmd == Cmd::Read) {
            // The radio's bytes over the range (its identification aside), the
            // plan's beyond it.
            const auto got = clitest::imageOf(output), want = clitest::imageOf(radio),
                       plain = clitest::imageOf(plan);
            const int last = fc.rangeEnd.toInt(nullptr, 16);
            for (int a = 0; a < 8192; ++a) {
                if (a >= kIdentFirst && a <= kIdentLast)
                    continue;
                const auto &expected = a <= last ? want : plain;
                ASSERT_EQ(got[static_cast<std::size_t>(a)], expected[static_cast<std::size_t>(a)])
                    << "address " << a;
            }
        } else {
            sim.stop();
            const auto got = clitest::imageOf(saved), want = clitest::imageOf(plan);
            EXPECT_TRUE(std::equal(got.begin() + kChannelOneSlot,
                                   got.begin() + kChannelOneSlot + kSlotSize,
                                   want.begin() + kChannelOneSlot))
                << "the radio did not get the plan's channel 1";
            EXPECT_EQ(clitest::readAll(plan), before.at(plan)) << "the plan file changed";
        }
    }

    QString plan, radio, output;
    QTemporaryDir radioDir; // what the radio itself writes: not the tool's files
};

// Columns: name, command, radio options, failure message (empty: succeeds),
// passes, missing-reply entries, error-log places, a traffic entry and its
// count, last address of the range.
// clang-format off
TEST_F(CliFaults, RepliesThatGoWrong) {
    const CliFault cases[] = {
        // One bad reply costs one pass.
        {"corrupted reply", Cmd::Read, {"--corrupt", "3"}, {}, 2, 1, {}},
        {"wrong echoed address", Cmd::Read, {"--wrong-echo", "3"}, {}, 2, 1, {}},
        {"dropped reply", Cmd::Write, {"--drop", "1"}, {}, 2, 1, {}},
        // Pieces are put together, trailing bytes listed and dropped.
        {"split replies", Cmd::Read, {"--split"}, {}, 1, 0, {}},
        {"extra trailing bytes", Cmd::Read, {"--extra"}, {}, 1, 0, {}, "    EE EE ", 512},
        {"delayed replies", Cmd::Read, {"--latency", "40"}, {}, 1, 0, {},
         "Tx: 23 00 F0 10 ", 1, "00FF"},
        // The model-and-band frame's acknowledge flipped: that frame alone is sent again.
        {"corrupted fixed-frame reply", Cmd::Write, {"--corrupt", "516"}, {}, 1, 0, {},
         "Tx: 28 03 79 05 ", 2},
    };
    for (const CliFault &fc : cases)
        run(fc);
}

TEST_F(CliFaults, RadiosThatFail) {
    const CliFault cases[] = {
        // Refused at the handshake: one pass, the radio's message, nothing written.
        {"unsupported identification", Cmd::Read, {"--ident", "unsupported"},
         kUnsupported, 1, 0, {}},
        {"unsupported identification", Cmd::Write, {"--ident", "unsupported"},
         "Write Failed - " + kUnsupported, 1, 0, {}},
        // The line dies mid-write: the wait in progress ends at once and every later
        // pass fails on its first send, without waiting out its polls.
        // The failure first, then what it left: frames 3..99 were data blocks
        // the radio acknowledged (0x0000..0x0600).
        {"hang-up mid-write", Cmd::Write, {"--hangup-after", "100"},
         "Write Failed - " + kCommFailed + " " + partlyWritten("0x0600"), 1, 0,
         QStringList{"modCommun->RxComDat"} + QStringList(6, "modCommun->ProtocolCom")},
        // Gone at the model-and-band frame: a run-time error of the write ends it.
        {"hang-up in the fixed frames", Cmd::Write, {"--hangup-after", "516"},
         "Write Failed - " + kCommFailed + " " + partlyWritten("0x1FF0"), 1, 0,
         {"frmCommun->cmdWrite_Click"},
         "Tx: 28 03 79 05 ", 1},
    };
    for (const CliFault &fc : cases)
        run(fc);
}
// clang-format on

// Replies later than the first pass's 100 polls but within the seventh pass's
// 160: each failed pass waits longer, so a later pass reads everything (with
// the same budget every pass would fail). The latency lies halfway, 30 ms from
// both, so neither a late wake of the tool (which still takes a reply that came
// in time) nor a late radio decides the outcome. A late reply from the pass
// before may be taken for the next request's; the echoed address keeps it out
// of the image.
TEST_F(CliFaults, RepliesLaterThanTheFirstPassAllows) {
    folder.set("ReadEndAddr", "00FF");
    SimRadio sim({"--image", radio, "--latency", "131"});
    ASSERT_FALSE(sim.pty().isEmpty());
    const CliRun r = transfer(Cmd::Read, sim.pty());
    ASSERT_EQ(r.status, 0) << r.err.right(600).toStdString();
    EXPECT_LE(r.err.count(kProgramRequest), 7);
    const auto got = clitest::imageOf(output), want = clitest::imageOf(radio);
    EXPECT_TRUE(std::equal(want.begin(), want.begin() + 0x100, got.begin()));
}

// The port cannot be opened: no exchange, the device named, status 1, no file
// touched. A program holding the device through a lock file (QSerialPort,
// minicom and most serial tools do) keeps it from us; one holding it only in
// exclusive mode (TIOCEXCL) does so for ordinary users, while the superuser
// opens it regardless.
TEST_F(CliFaults, PortHeldOrGone) {
    enum class Holder { LockFile, ExclusiveMode, Gone };
    struct Row {
        const char *name;
        Holder holder;
        Cmd cmd;
    };
    for (const Row &row : {Row{"held with a lock file", Holder::LockFile, Cmd::Read},
                           Row{"held in exclusive mode", Holder::ExclusiveMode, Cmd::Write},
                           Row{"vanished before opening", Holder::Gone, Cmd::Write}}) {
        SCOPED_TRACE(row.name);
        const QString log = radioDir.filePath("frames.log");
        QFile::remove(log);
        SimRadio sim({"--image", radio, "--log", log});
        ASSERT_FALSE(sim.pty().isEmpty());
        // A vanished radio is reached through a name of this test's own: tests
        // running side by side reuse pseudo-terminal numbers at once.
        QString port = sim.pty();
        QSerialPort lockHolder(sim.pty());
        std::optional<platform::ExclusiveDeviceHold> exclusive;
        switch (row.holder) {
        case Holder::LockFile:
            ASSERT_TRUE(lockHolder.open(QIODevice::ReadWrite));
            break;
        case Holder::ExclusiveMode:
            exclusive.emplace(sim.pty().toStdString());
            ASSERT_TRUE(exclusive->held());
            break;
        case Holder::Gone:
            port = radioDir.filePath("vanished-radio");
            sim.stop();
            break;
        }
        const auto before = allFiles();
        const CliRun r = transfer(row.cmd, port);
        exclusive.reset();

        if (row.holder == Holder::ExclusiveMode && ::geteuid() == 0) {
            EXPECT_EQ(r.status, 0) << r.out.toStdString() << r.err.toStdString();
            continue;
        }
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.out.contains(port + " cannot be opened: " + kCommFailed) ||
                    r.err.contains(port + " cannot be opened: " + kCommFailed))
            << r.out.toStdString() << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("Tx:")) << "nothing may be sent";
        EXPECT_EQ(errorPlaces(r.err).join(", ").toStdString(), "modCommun->OpenCom");
        EXPECT_TRUE(allFiles() == before) << "a file changed";
        if (row.holder != Holder::Gone)
            EXPECT_EQ(frameLines(log), 0);
    }
}

} // namespace
