// The protocol engine running one script line while the radio answers each
// frame with any bytes after any delay. The port is the in-memory fake on a
// virtual clock, so a wait costs no real time.
#include "FuzzSupport.h"
#include "Targets.h"

#include "comm/FakePort.h"
#include "comm/ProtocolEngine.h"
#include "comm/ProtocolScripts.h"
#include "core/FaceText.h"

#include <QByteArray>

namespace fuzz {

// Helpers of this target, named so that several targets can share one test file.
namespace engineReply {

// The read/write window as far as the engine needs it: the wait and the traffic log.
class QuietUi : public cps::TransferUi {
  public:
    QuietUi(cps::VirtualClock &clock, cps::FakePort &port) : wait_(clock, port) {}
    cps::Waiter &waiter() override { return wait_; }
    void insertLogEntry(int, const QString &) override { ++logEntries; }
    void clearLog() override { logEntries = 0; }
    void message(const QString &, const QString &) override { ++messages; }
    int logEntries = 0, messages = 0;

  private:
    cps::VirtualWaiter wait_;
};

struct Reply {
    qint64 afterMs;
    QByteArray bytes;
};

// One send group of a script line and what the radio must answer to it.
struct Group {
    std::vector<std::string> expect;
};

std::vector<Group> groupsOf(const std::vector<std::string> &tokens) {
    std::vector<Group> groups;
    bool expecting = false;
    for (const auto &t : tokens) {
        if (t == "TX") {
            groups.emplace_back();
            expecting = false;
        } else if (t == "RX") {
            expecting = !groups.empty();
        } else if (t == "EN") {
            break;
        } else if (expecting) {
            groups.back().expect.push_back(t);
        }
    }
    return groups;
}

// Whether a reply answers a group in time: long enough, every fixed byte as expected.
bool answers(const Reply &reply, const Group &g, int budgetMs) {
    if (reply.afterMs > budgetMs || reply.bytes.size() < static_cast<qsizetype>(g.expect.size()))
        return false;
    for (std::size_t j = 0; j < g.expect.size(); ++j)
        if (g.expect[j] != "VA" &&
            std::stoi(g.expect[j], nullptr, 16) != static_cast<uint8_t>(reply.bytes[j]))
            return false;
    return true;
}

// The real script lines (both command sets' handshake, data and closing lines).
const std::vector<std::string> &scriptLines() {
    static const std::vector<std::string> lines = [] {
        cps::Cps c;
        cps::ProtocolScripts scripts(c);
        std::vector<std::string> all;
        for (bool standard : {false, true}) {
            if (standard)
                scripts.SelectStdCommandSet();
            else
                scripts.SelectAltCommandSet();
            for (int s : {cps::kReadScript, cps::kWriteScript})
                for (int i = 1; i <= scripts.lineCount(s); ++i)
                    all.push_back(scripts.line(s, i).text);
        }
        return all;
    }();
    return lines;
}

} // namespace engineReply

int fuzzEngineReply(const uint8_t *data, std::size_t size) {
    using namespace engineReply;
    Cursor in(data, size);
    const uint8_t pick = in.byte(), state = in.byte();
    // Most inputs run a real line; some run any text as a line.
    const bool ownLine = pick & 0x80;
    std::string line;
    if (ownLine) {
        line = in.text();
    } else {
        const auto &lines = scriptLines();
        line = lines[static_cast<std::size_t>((pick * 256 + in.byte()) % lines.size())];
    }
    std::vector<Reply> replies;
    while (!in.atEnd()) {
        const qint64 afterMs = in.byte();
        const std::string bytes = in.text();
        replies.push_back(
            {afterMs, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))});
    }

    cps::CollectingSink sink;
    cps::Cps c;
    c.sink = &sink;
    cps::LoadSoftFaceText(c);
    c.IicDat.assign(0x2000, 0);
    c.settings.readEnd = c.settings.writeEnd = 0; // the engine needs only the command set
    cps::ProtocolScripts scripts(c);
    scripts.startUp();
    cps::VirtualClock clock;
    cps::FakePort port(clock);
    port.select(1);
    port.open();
    QuietUi ui(clock, port);
    cps::TimeoutMark mark;
    mark.set = state & 0x80;
    cps::ProtocolEngine engine(c, scripts, port, ui, mark);
    engine.attempts = state % 16;
    engine.currentLine = line.starts_with(cps::kHandshakeLine) ? 1 : 2;
    std::size_t answered = 0;
    port.responder = [&](const QByteArray &) {
        if (answered < replies.size())
            port.deliver(replies[answered].bytes, replies[answered].afterMs);
        ++answered;
    };

    const int budget = cps::pollLimitFor(engine.attempts) + 1; // ms for one reply
    engine.ConvComCode(line);
    const auto tokens = engine.tokens();
    engine.ProtocolCom();

    require(engine.capturePos >= 1 && engine.capturePos <= cps::kCaptureSize + 1,
            "the engine never captures past its buffer");
    const auto groups = groupsOf(tokens);
    require(port.sentFrames.size() <= groups.size(), "one frame at most per send group");
    const qint64 allowed = static_cast<qint64>(groups.size()) * budget +
                           static_cast<qint64>(tokens.size()) +
                           1; // + the 1 ms waits after a time-out
    require(clock.now <= allowed, "a line ends within the reply budgets of its groups");
    if (ownLine)
        return 0;

    // A real line succeeds exactly when every group is answered in time with the
    // expected bytes and the radio is not refused.
    bool allAnswered = true;
    for (std::size_t g = 0; g < groups.size(); ++g)
        if (!groups[g].expect.empty() &&
            (g >= replies.size() || !answers(replies[g], groups[g], budget)))
            allAnswered = false;
    const bool refused = engine.attempts == cps::kUnsupportedRadio;
    require(engine.lineFailed == (!allAnswered || refused),
            "a line succeeds exactly when every group is answered correctly in time");
    require(!refused || (engine.currentLine == 1 && ui.messages == 1),
            "only the handshake refuses a radio, with one message");
    if (engine.lineFailed)
        return 0;
    require(port.sentFrames.size() == groups.size(), "a line that succeeds sends every group");
    // The capture holds the "VA" bytes of the last answered group.
    for (std::size_t g = groups.size(); g-- > 0;) {
        if (groups[g].expect.empty())
            continue;
        int k = 0;
        for (std::size_t j = 0; j < groups[g].expect.size(); ++j)
            if (groups[g].expect[j] == "VA")
                require(engine.capture[static_cast<std::size_t>(k++)] ==
                            static_cast<uint8_t>(replies[g].bytes[static_cast<qsizetype>(j)]),
                        "captured bytes are the reply's bytes at the \"VA\" places");
        require(engine.capturePos == k + 1, "the capture position follows the captured bytes");
        break;
    }
    return 0;
}

} // namespace fuzz
