// cable-check against brenvik-radio-sim on a pseudo-terminal: the lines in
// order, the verdict and the exit status for each kind of line and radio.
#include "CliHarness.h"

#include <QRegularExpression>

using clitest::CliFixture;
using clitest::CliRun;
using clitest::SimRadio;

namespace {

const QString kOpened = "The port opened.";
const QString kNoEcho = "The cable does not echo what is sent.";
const QString kEchoes = "The cable echoes what is sent: the bytes sent came back before the "
                        "reply. Such a cable cannot work with this radio.";
const QString kLatency = "Reply latency: median [0-9.]+ ms, worst [0-9.]+ ms; a full read at "
                         "9600 baud takes about [0-9]+ s.";
const QString kSlow = "The replies are slow: the cable's USB-serial chip holds received bytes "
                      "until its latency timer (often 16 ms) runs out. The udev rule the package "
                      "installs, /usr/lib/udev/rules.d/60-brenvik-cps-cables.rules, sets an FTDI "
                      "chip's latency timer to 1 ms: unplug the cable and plug it in again after "
                      "installing.";

// Whole lines: a line of `expected` is literal, except the latency line's numbers.
void expectLines(const QString &out, const QStringList &expected) {
    const QStringList lines = out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), expected.size()) << out.toStdString();
    for (qsizetype k = 0; k < lines.size(); ++k) {
        const QString pattern =
            expected[k] == kLatency ? kLatency : QRegularExpression::escape(expected[k]);
        EXPECT_TRUE(QRegularExpression("^" + pattern + "$").match(lines[k]).hasMatch())
            << "line " << k + 1 << ": " << lines[k].toStdString();
    }
}

// The median and the full-read estimate of the latency line.
std::pair<double, int> latencyOf(const QString &out) {
    const auto m = QRegularExpression("median ([0-9.]+) ms.* about ([0-9]+) s").match(out);
    return {m.captured(1).toDouble(), m.captured(2).toInt()};
}

} // namespace

using CableCheck = CliFixture;

TEST_F(CableCheck, ReportsTheCableAndTheRadioInOrderWithAVerdict) {
    const QString unsupported = "A radio answered, identification 5A 11 22. This software Can't "
                                "support this radio!Please use special radio software or contact "
                                "with dealers!";
    struct Case {
        const char *name;
        QStringList simArgs;
        int status;
        QStringList lines;
    };
    const std::vector<Case> cases{
        {"alternative radio",
         {"--ident", "alt"},
         0,
         {kOpened, kNoEcho, "A radio answered, identification 5A 23 28: this tool supports it.",
          kLatency, "Verdict: the cable and the radio work with this tool."}},
        {"standard radio",
         {"--ident", "std"},
         0,
         {kOpened, kNoEcho, "A radio answered, identification 5A 52 57: this tool supports it.",
          kLatency, "Verdict: the cable and the radio work with this tool."}},
        {"unsupported radio",
         {"--ident", "unsupported"},
         1,
         {kOpened, kNoEcho, unsupported, kLatency,
          "Verdict: this tool does not support the radio."}},
        {"silent radio",
         {"--silent"},
         1,
         {kOpened, kNoEcho, "no radio answered: is it switched on, is the plug pushed fully in?",
          "Reply latency: no reply to measure.", "Verdict: no radio answered."}},
        {"slow replies",
         {"--latency", "40"},
         0,
         {kOpened, kNoEcho, "A radio answered, identification 5A 23 28: this tool supports it.",
          kLatency, kSlow,
          "Verdict: the cable and the radio work with this tool, but the replies are slow (see "
          "the latency above)."}},
        {"echoing line",
         {"--echo"},
         1,
         {kOpened, kEchoes, "A radio answered, identification 5A 23 28: this tool supports it.",
          kLatency, "Verdict: this cable cannot work with this radio (it echoes what is sent)."}},
    };
    std::map<std::string, std::pair<double, int>> latency;
    for (const Case &t : cases) {
        SCOPED_TRACE(t.name);
        SimRadio radio(t.simArgs);
        ASSERT_FALSE(radio.pty().isEmpty());
        const CliRun r = cli({"cable-check", "--port", radio.pty()});
        EXPECT_EQ(r.status, t.status) << r.err.toStdString();
        expectLines(r.out, t.lines);
        latency[t.name] = latencyOf(r.out);
    }
    // 40 ms per reply is seen as such, and a full read's hundreds of replies add it up.
    const auto [fastMedian, fastRead] = latency["alternative radio"];
    const auto [slowMedian, slowRead] = latency["slow replies"];
    EXPECT_LT(fastMedian, 5.0);
    EXPECT_GT(slowMedian, 20.0);
    EXPECT_GE(slowRead, fastRead + 5);
}

TEST_F(CableCheck, APortThatCannotBeOpenedSaysWhyAndEndsWithStatusTwo) {
    const CliRun r = cli({"cable-check", "--port", "/dev/ttyUSB97"});
    EXPECT_EQ(r.status, 2);
    expectLines(r.out, {"/dev/ttyUSB97: /dev/ttyUSB97 cannot be opened: Communication "
                        "failed,please check commuication port! No such device: /dev/ttyUSB97 "
                        "is unplugged. Plug the cable in; its COM number is kept for when it "
                        "comes back.",
                        "Verdict: the port cannot be opened."});

    // A COM number without a device is a port that cannot be opened too.
    const CliRun com = cli({"cable-check", "--port", "COM16"});
    EXPECT_EQ(com.status, 2);
    EXPECT_TRUE(com.err.contains("COM16: no serial device has this number"))
        << com.err.toStdString();
}

TEST_F(CableCheck, FollowsTheInterfaceLanguage) {
    SimRadio radio({"--silent"});
    ASSERT_FALSE(radio.pty().isEmpty());
    const CliRun r = cli({"cable-check", "--port", radio.pty(), "--lang", "1"});
    EXPECT_EQ(r.status, 1);
    expectLines(r.out, {"端口已打开。", "写频线不回显发出的数据。",
                        "没有对讲机应答：对讲机是否已开机？插头是否已完全插入？",
                        "应答延迟：没有应答可供测量。", "结论：没有对讲机应答。"});
}
