// Faults of the radio and of the line, end to end through the main window: a
// virtual radio with one fault on COM1, a read or a write started from the
// toolbar and the read/write window's button, as a user starts it. Each row
// says what the user must see (nothing, "Communication failed" after seven
// passes, the unsupported-radio message without a retry, or the port dialog),
// what the traffic log and the error log hold, and that a failure leaves the
// plan (image, channel table, grid) and every file as they were.
//
// Rows already covered by SimTransferTest (silent read, Stop, dropped and split
// replies on a read, hang-up mid-read) and TransferWindowsTest (a COM number
// without a device) are not repeated here.
#include "../gui/ChMemFixture.h"
#include "SimProcess.h"
#include "core/DataFile.h"
#include "editors/PlanHistory.h"
#include "editors/frmCommun.h"
#include "editors/frmToolCom.h"

#include <QAction>
#include <QCheckBox>
#include <QDirIterator>
#include <QFileInfo>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTimer>
#include <map>

namespace {

using Bytes = std::vector<uint8_t>;
constexpr std::size_t kImageSize = 8192;
constexpr int kSlotSize = 16;
constexpr int kChannelOneSlot = 0x0010;
// The radio's channel 1 receives on 440.12500 MHz (BCD, low byte first); the
// plan's on 446.00625 MHz. Whichever the grid shows tells where the plan came from.
const Bytes kRadioChannelOneRx = {0x00, 0x25, 0x01, 0x44};
constexpr int32_t kRadioChannelOneValue = 44012500;

const QString kProgramRequest = QStringLiteral("Tx: 50 52 4F 47 ");

enum class Op { Read, Write };
enum class Outcome {
    Succeeded,   // no message
    CommFailed,  // SoftFaceText[79] once the passes (or a fixed frame's tries) are used up
    Unsupported, // SoftFaceText[69], and no further pass
    Aborted,     // a run-time error ended it: no message, the error log tells
};

struct FaultCase {
    const char *name;
    Op op;
    QStringList radioArgs;
    Outcome outcome;
    int passes;                                // program requests in the traffic log
    int missingReplies;                        // SoftFaceText[175] entries in the traffic log
    QStringList errorPlaces;                   // new error-log entries, in order
    QString trafficEntry;                      // a traffic log entry to count (optional) ...
    int trafficCount = 0;                      // ... and how often it must appear
    int radioFrames = -1;                      // frames the radio saw (-1: not checked)
    QString rangeEnd = QStringLiteral("1FFF"); // last address read or written
    QString lastBlock = {}; // a write cut off: the last block the radio acknowledged
};

// Every file below `dir` with its content, but the record of programmed
// radios, which every write adds to.
std::map<QString, QByteArray> filesUnder(const QString &dir) {
    std::map<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (QFileInfo(f.fileName()).fileName().startsWith(QLatin1String("history.sqlite")))
            continue;
        files[f.fileName()] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("?");
    }
    return files;
}

struct FaultInjection : ChMemFixture {
    // What a failed transfer must leave alone.
    struct Plan {
        Bytes image;
        cps::ChannelTable table;
        QString gridChannelOne;
        std::map<QString, QByteArray> files;
    };

    void SetUp() override {
        ChMemFixture::SetUp();
        if (HasFatalFailure())
            return;
        // The radio holds the plan the tool starts with, except channel 1.
        Bytes radio = c().IicDat;
        std::copy(kRadioChannelOneRx.begin(), kRadioChannelOneRx.end(),
                  radio.begin() + kChannelOneSlot);
        cps::writeFileAtomically(radioFile().toStdString(), cps::imageToFileBytes(radio));
    }

    QString radioFile() const { return radioDir.filePath("radio.dat"); }
    QString savedFile() const { return radioDir.filePath("saved.dat"); }
    QString framesFile() const { return radioDir.filePath("frames.log"); }

    // Starts the radio and points COM1 at it.
    void startRadio(QStringList args) {
        QFile::remove(savedFile());
        args << "--image" << radioFile() << "--save" << savedFile() << "--log" << framesFile();
        sim = std::make_unique<testsupport::SimProcess>(args);
        ASSERT_FALSE(sim->path.isEmpty()) << "brenvik-radio-sim did not start";
        folder.set("1", sim->path.toStdString(), "Ports");
        c().settings.com = 1;
    }
    // The radio's memory as it would answer a read (alternative identification).
    Bytes radioMemory() const {
        auto file = cps::readDataFile(radioFile().toStdString(), kImageSize);
        Bytes m = file ? cps::fileBytesToImage(*file, kImageSize) : Bytes();
        if (!m.empty()) {
            m[0x0388] = 0x5A;
            m[0x0389] = 0x23;
            m[0x038A] = 0x28;
        }
        return m;
    }
    Bytes savedRadio() {
        EXPECT_TRUE(sim->stop());
        auto file = cps::readDataFile(savedFile().toStdString(), kImageSize);
        return file ? cps::fileBytesToImage(*file, kImageSize) : Bytes();
    }
    int radioFramesSeen() const {
        QFile f(framesFile());
        return f.open(QIODevice::ReadOnly) ? static_cast<int>(f.readAll().count('\n')) : -1;
    }

    Plan plan() { return {c().IicDat, c().ch, cell(1, 1), filesUnder(folder.path())}; }
    void expectPlanUnchanged(const Plan &before) {
        const Plan now = plan();
        EXPECT_TRUE(now.image == before.image) << "the image changed";
        EXPECT_TRUE(now.table.ChInfo == before.table.ChInfo) << "the channel table changed";
        EXPECT_EQ(now.table.decText, before.table.decText);
        EXPECT_EQ(now.gridChannelOne, before.gridChannelOne);
        EXPECT_TRUE(now.files == before.files) << "a file changed";
    }

    int trafficEntries(const QString &text) const {
        return static_cast<int>(w->commun()->listRtData->findItems(text, Qt::MatchExactly).size());
    }
    // Places of the error-log entries added since `from` lines.
    QStringList errorPlacesSince(qsizetype from) {
        static const QRegularExpression place(QStringLiteral("错误:  (\\S+)"));
        QStringList places;
        const QStringList lines = errorLines();
        for (qsizetype i = from; i < lines.size(); ++i) {
            const auto m = place.match(lines[i]);
            if (m.hasMatch())
                places << m.captured(1);
        }
        return places;
    }

    // Opens the read/write window from the toolbar and presses its button.
    void transfer(Op op) {
        w->action(op == Op::Read ? "tlbRead" : "tlbWrite")->trigger();
        frmCommun *window = w->commun();
        ASSERT_TRUE(window->isVisible());
        QTest::mouseClick(op == Op::Read ? window->cmdRead : window->cmdWrite, Qt::LeftButton);
    }

    void run(const FaultCase &fc) {
        SCOPED_TRACE(fc.name);
        startRadio(fc.radioArgs);
        if (HasFatalFailure())
            return;
        QLineEdit *end =
            fc.op == Op::Read ? w->commun()->txtReadEndAddr : w->commun()->txtWriteEndAddr;
        end->setText(fc.rangeEnd); // the hidden panel's field, as a user sets it
        const Plan before = plan();
        const qsizetype errorLinesBefore = errorLines().size();
        dialogs.asked.clear();

        transfer(fc.op);

        frmCommun *window = w->commun();
        EXPECT_FALSE(window->isVisible()); // the window closes after every exchange
        EXPECT_TRUE(window->cmdRead->isEnabled() && window->cmdWrite->isEnabled());
        EXPECT_TRUE(window->chkStopCom->isHidden());
        EXPECT_EQ(trafficEntries(kProgramRequest), fc.passes);
        EXPECT_EQ(trafficEntries(QString::fromStdString(c().text(175))), fc.missingReplies);
        if (!fc.trafficEntry.isEmpty())
            EXPECT_EQ(trafficEntries(fc.trafficEntry), fc.trafficCount)
                << fc.trafficEntry.toStdString();
        EXPECT_EQ(errorPlacesSince(errorLinesBefore).join(", ").toStdString(),
                  fc.errorPlaces.join(", ").toStdString());
        if (fc.radioFrames >= 0)
            EXPECT_EQ(radioFramesSeen(), fc.radioFrames);

        // A write cut off after its first data block adds what it left on the radio.
        const QString partly =
            fc.lastBlock.isEmpty()
                ? QString()
                : QLatin1Char(' ') + QString::fromStdString(c().text(500)).arg(fc.lastBlock);
        switch (fc.outcome) {
        case Outcome::Succeeded:
            EXPECT_TRUE(dialogs.asked.isEmpty()) << dialogs.asked.join('|').toStdString();
            break;
        case Outcome::CommFailed: {
            // A hang-up is a pulled cable: the message names the port.
            const QString unplugged =
                fc.radioArgs.contains("--hangup-after")
                    ? QLatin1Char(' ') + QString::fromStdString(c().text(615)).arg(sim->path)
                    : QString();
            const QString failed = QString::fromStdString(c().text(79));
            // A read says it after the failure; a write after what it left on the radio.
            EXPECT_EQ(dialogs.asked, QStringList{fc.op == Op::Read ? failed + unplugged + partly
                                                                   : failed + partly + unplugged});
            break;
        }
        case Outcome::Unsupported:
            EXPECT_EQ(dialogs.asked, QStringList{QString::fromStdString(c().text(69))});
            break;
        case Outcome::Aborted:
            // Cut off by a hang-up: the pulled cable follows what the write left.
            EXPECT_EQ(dialogs.asked,
                      QStringList{QString::fromStdString(c().text(79)) + partly +
                                  (fc.radioArgs.contains("--hangup-after")
                                       ? QLatin1Char(' ') +
                                             QString::fromStdString(c().text(615)).arg(sim->path)
                                       : QString())});
            EXPECT_TRUE(w->errorLog()->isVisible()); // the pane comes up with the entry
            break;
        }

        const bool succeeded = fc.outcome == Outcome::Succeeded;
        const int last = fc.rangeEnd.toInt(nullptr, 16);
        if (fc.op == Op::Read && succeeded) {
            // The radio's bytes over the range, the plan's beyond it; redisplayed.
            const Bytes radio = radioMemory();
            const Bytes &image = c().IicDat;
            EXPECT_TRUE(std::equal(radio.begin(), radio.begin() + last + 1, image.begin()));
            EXPECT_TRUE(std::equal(before.image.begin() + last + 1, before.image.end(),
                                   image.begin() + last + 1));
            EXPECT_EQ(c().ch.ChInfo[1][1], kRadioChannelOneValue);
            EXPECT_EQ(cell(1, 1), "440.12500");
            EXPECT_TRUE(filesUnder(folder.path()) == before.files) << "a file changed";
        } else {
            // A write keeps the plan whatever happens; a failed read changes nothing.
            expectPlanUnchanged(before);
        }
        if (fc.op == Op::Write && succeeded) {
            const Bytes radio = savedRadio();
            ASSERT_EQ(radio.size(), kImageSize);
            EXPECT_TRUE(std::equal(radio.begin() + kChannelOneSlot,
                                   radio.begin() + kChannelOneSlot + kSlotSize,
                                   c().IicDat.begin() + kChannelOneSlot))
                << "the radio did not get the plan's channel 1";
        }
        sim->stop();
    }

    QTemporaryDir radioDir;
    std::unique_ptr<testsupport::SimProcess> sim;
};

const QString kMissing = QStringLiteral("Rx: 未收到数据   第 串数据未收到");

// Columns: name, operation, radio options, outcome, passes, missing-reply
// entries, error-log places, a traffic log entry and its count, frames the radio
// saw, last address of the range.
// clang-format off
TEST_F(FaultInjection, ReadFaults) {
    const FaultCase cases[] = {
        // A flipped address echo in the first data reply fails that pass; the next one reads.
        {"corrupted reply", Op::Read, {"--corrupt", "3"}, Outcome::Succeeded, 2, 1, {}},
        {"wrong echoed address", Op::Read, {"--wrong-echo", "3"}, Outcome::Succeeded, 2, 1, {}},
        // Trailing bytes are listed and dropped: once per data reply, after its 16 data bytes.
        {"extra trailing bytes", Op::Read, {"--extra"}, Outcome::Succeeded, 1, 0, {},
         "    EE EE ", 512},
        // Replies late, but within the first pass's 100 polls.
        {"delayed replies", Op::Read, {"--latency", "40"}, Outcome::Succeeded, 1, 0, {},
         "Tx: 23 00 F0 10 ", 1, -1, "00FF"},
        // The radio names itself with an identification this tool does not know:
        // one message, no further pass, and only the handshake reached it.
        {"unsupported identification", Op::Read, {"--ident", "unsupported"},
         Outcome::Unsupported, 1, 0, {}, {}, 0, 2},
    };
    for (const FaultCase &fc : cases)
        run(fc);
}

TEST_F(FaultInjection, WriteFaults) {
    const FaultCase cases[] = {
        {"dropped reply", Op::Write, {"--drop", "1"}, Outcome::Succeeded, 2, 1, {}},
        // Reply 516 acknowledges the model-and-band frame: flipped, that frame is sent again.
        {"corrupted fixed-frame reply", Op::Write, {"--corrupt", "516"}, Outcome::Succeeded, 1, 0,
         {}, "Tx: 28 03 79 05 ", 2},
        // The parameter reply's address echo is not looked at: taken as it comes.
        {"wrong echo in the parameter reply", Op::Write, {"--wrong-echo", "517"},
         Outcome::Succeeded, 1, 0, {}, "Rx: 28 03 C0 30 ", 1},
        {"extra trailing bytes", Op::Write, {"--extra"}, Outcome::Succeeded, 1, 0, {},
         "Rx: 06 EE EE ", 516},
        {"split replies", Op::Write, {"--split"}, Outcome::Succeeded, 1, 0, {}},
        {"delayed replies", Op::Write, {"--latency", "40"}, Outcome::Succeeded, 1, 0, {},
         "Tx: 28 00 F0 10 ", 1, -1, "00FF"},
        {"unsupported identification", Op::Write, {"--ident", "unsupported"},
         Outcome::Unsupported, 1, 0, {}, {}, 0, 2},
        // The line goes dead in the middle of the data: the wait in progress ends at
        // once, every later pass fails on its first send; no pass waits out its polls.
        // The message adds that the radio holds the blocks up to 0x0600 (frames 3..99).
        {"hang-up mid-write", Op::Write, {"--hangup-after", "100"}, Outcome::CommFailed, 1, 0,
         QStringList{"modCommun->RxComDat"} + QStringList(6, "modCommun->ProtocolCom"), {}, 0,
         -1, "1FFF", "0x0600"},
        // Gone after the data, at the model-and-band frame: sending on the dead line
        // is a run-time error of the write, which ends it (the radio never gets the
        // end frame); the message says the radio holds every block but not the rest.
        {"hang-up in the fixed frames", Op::Write, {"--hangup-after", "516"}, Outcome::Aborted, 1,
         0, {"frmCommun->cmdWrite_Click"}, "Tx: 28 03 79 05 ", 1, -1, "1FFF", "0x1FF0"},
        // Seven passes and no fixed frame. Last in the table: after a time-out every
        // later exchange pauses 1 ms per group.
        {"silent radio", Op::Write, {"--silent"}, Outcome::CommFailed, 7, 7, {}, kMissing, 0, 7},
    };
    for (const FaultCase &fc : cases)
        run(fc);
}
// clang-format on

// A write that went through leaves its outcome, with the time, in the main
// window's status bar; with Verify after write ticked it says so.
TEST_F(FaultInjection, ASuccessfulWriteLeavesALineInTheStatusBar) {
    for (const bool verify : {false, true}) {
        SCOPED_TRACE(verify ? "verified" : "written");
        startRadio({});
        ASSERT_FALSE(HasFatalFailure());
        w->commun()->chkVerifyAfterWrite->setChecked(verify);
        w->history().command("edit", [&] { c().ch.ChInfo[2][1] = 44602500; });
        dialogs.asked.clear();
        transfer(Op::Write);
        EXPECT_TRUE(dialogs.asked.isEmpty()) << dialogs.asked.join('|').toStdString();
        const QString said = QString::fromStdString(c().text(verify ? 503 : 502));
        const QStringList around = said.split(QStringLiteral("%1"));
        ASSERT_EQ(around.size(), 2);
        const QRegularExpression line("^" + QRegularExpression::escape(around[0]) +
                                      "\\d\\d:\\d\\d:\\d\\d" +
                                      QRegularExpression::escape(around[1]) + "$");
        EXPECT_TRUE(line.match(w->panel(1)).hasMatch()) << w->panel(1).toStdString();
        EXPECT_TRUE(w->windowTitle().contains(" *")) << "a write is no save: the edit stays unsaved";
        // The next change of the plan ends the line.
        w->history().command("edit", [&] { c().ch.ChInfo[1][1] = verify ? 44612500 : 44613750; });
        EXPECT_EQ(w->panel(1), "Ready");
        sim->stop();
    }
}

// The port cannot be opened: held by another program (QSerialPort's lock file
// and exclusive mode), or gone with a radio that has ended. The port dialog
// shows that port disabled; nothing is exchanged; the window stays open for
// another try; the failure is logged once the dialog has closed.
TEST_F(FaultInjection, PortHeldOrGoneShowsThePortDialog) {
    struct Row {
        const char *name;
        Op op;
        bool held; // else: the radio has ended and its terminal is gone
    };
    for (const Row &row : {Row{"held by another program", Op::Read, true},
                           Row{"vanished before opening", Op::Write, false}}) {
        SCOPED_TRACE(row.name);
        startRadio({});
        ASSERT_FALSE(HasFatalFailure());
        QSerialPort holder(sim->path);
        if (row.held) {
            ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
        } else {
            // COM1 names a device that no longer exists (not the ended radio's
            // terminal number: tests running side by side reuse it at once).
            ASSERT_TRUE(sim->stop());
            folder.set("1", (folder.path() + "/vanished-radio").toStdString(), "Ports");
        }
        const Plan before = plan();
        const qsizetype errorLinesBefore = errorLines().size();
        dialogs.asked.clear();

        // Answers the port dialog with Cancel once it is up.
        int dialogsShown = 0;
        bool portOneOffered = true;
        QStringList placesWhileOpen;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<frmToolCom *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            ++dialogsShown;
            portOneOffered = dialog->COM1[0]->isEnabled();
            placesWhileOpen = errorPlacesSince(errorLinesBefore);
            QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
        });
        answer.start(10);
        transfer(row.op);
        answer.stop();

        EXPECT_EQ(dialogsShown, 1);
        EXPECT_FALSE(portOneOffered);
        EXPECT_TRUE(placesWhileOpen.isEmpty());
        EXPECT_EQ(errorPlacesSince(errorLinesBefore).join(", ").toStdString(),
                  "modCommun->OpenCom");
        EXPECT_TRUE(dialogs.asked.isEmpty());
        frmCommun *window = w->commun();
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE((row.op == Op::Read ? window->cmdRead : window->cmdWrite)->isEnabled());
        EXPECT_TRUE(window->imgGreen->isHidden());
        EXPECT_EQ(window->listRtData->count(), 0);
        expectPlanUnchanged(before);
        EXPECT_EQ(w->panel(2), "COM1");

        if (row.held) {
            EXPECT_EQ(radioFramesSeen(), 0);
            // Once the other program lets go, the next press reads the radio.
            holder.close();
            QTest::mouseClick(window->cmdRead, Qt::LeftButton);
            EXPECT_TRUE(dialogs.asked.isEmpty());
            EXPECT_EQ(cell(1, 1), "440.12500");
        }
        window->close();
        sim->stop();
    }
}

} // namespace
