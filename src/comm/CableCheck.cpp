#include "comm/CableCheck.h"

#include "comm/PortTrouble.h"
#include "comm/ProtocolScripts.h"
#include "comm/WireFormat.h"

#include <algorithm>

namespace cps {

namespace {

constexpr int kTextPortOpened = 617, kTextEchoes = 618, kTextNoEcho = 619,
              kTextSupportedRadio = 620, kTextRadioAnswered = 621, kTextNoRadio = 622,
              kTextLatency = 623, kTextSlowReplies = 624, kTextNoLatency = 632,
              kTextVerdictOk = 625, kTextVerdictEcho = 626, kTextVerdictNoRadio = 627,
              kTextVerdictUnsupported = 628, kTextVerdictNotOpened = 629, kTextVerdictSlow = 633,
              kTextUnsupportedRadio = 69;
constexpr uint8_t kIdentMarker = 0x5A;
constexpr double kByteMs = 10.0 * 1000.0 / 9600.0; // start + 8 data + stop bits at 9600 baud
// Bytes on the line of each timed exchange: program request and its 06, then
// identification requests and their 7-byte replies.
constexpr int kProgramExchangeBytes = 7 + 1, kIdentExchangeBytes = 4 + 7;

// Supported: an alternative-set radio, or a standard one (the identification
// does not start with 5A, or names the standard command set).
bool supportedIdent(const QByteArray &ident, const ProtocolScripts &scripts) {
    if (ident.size() < 3 || static_cast<uint8_t>(ident[0]) != kIdentMarker)
        return true;
    const uint8_t c3 = static_cast<uint8_t>(ident[1]), c4 = static_cast<uint8_t>(ident[2]);
    const auto stdPair = scripts.stdIdentPair();
    return (c3 == stdPair[0] && c4 == stdPair[1]) ||
           (c3 == scripts.readCommand() && c4 == scripts.writeCommand());
}

// The read script's bytes on the line and its exchanges, for the estimate.
void readScriptLoad(const ProtocolScripts &scripts, int &bytes, int &exchanges) {
    bytes = exchanges = 0;
    for (int i = 1; i <= scripts.lineCount(kReadScript); ++i) {
        const std::string &text = scripts.line(kReadScript, i).text;
        for (std::size_t k = 0; k + 1 < text.size(); k += 2) {
            const std::string token = text.substr(k, 2);
            if (token == "RX")
                ++exchanges;
            else if (token != "TX" && token != "EN")
                ++bytes;
        }
    }
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

QString number(double v) {
    return QString::number(v, 'f', v < 10 ? 1 : 0);
}

} // namespace

CableCheck checkCable(const Cps &c, SerialPort &port, Waiter &waiter, int replyMs) {
    CableCheck check;
    try {
        port.open();
    } catch (const std::exception &) {
        check.openFailure = port.openFailure();
        return check;
    }
    check.opened = true;
    try {
        check.probe = probeForRadio(port, waiter, replyMs, kCheckIdentRequests);
    } catch (const std::exception &) {
        // The device went away during the check: what came so far stands.
    }
    try {
        port.close();
    } catch (const std::exception &) {
    }

    ProtocolScripts scripts(c);
    scripts.startUp();
    if (check.probe.ident)
        check.supported = supportedIdent(*check.probe.ident, scripts);

    std::vector<double> latencies;
    for (std::size_t k = 0; k < check.probe.replyMs.size(); ++k) {
        const int lineBytes = k == 0 ? kProgramExchangeBytes : kIdentExchangeBytes;
        latencies.push_back(
            std::max(0.0, static_cast<double>(check.probe.replyMs[k]) - lineBytes * kByteMs));
    }
    if (!latencies.empty()) {
        check.medianLatencyMs = median(latencies);
        check.worstLatencyMs = *std::max_element(latencies.begin(), latencies.end());
        int bytes = 0, exchanges = 0;
        if (scripts.lastBuildOk())
            readScriptLoad(scripts, bytes, exchanges);
        check.fullReadSeconds = (bytes * kByteMs + exchanges * check.medianLatencyMs) / 1000.0;
    }
    return check;
}

QStringList cableCheckLines(const Cps &c, const CableCheck &check,
                            const QString &openFailurePrefix) {
    const auto text = [&](int n) { return QString::fromStdString(c.text(n)); };
    if (!check.opened)
        return {openFailurePrefix + portOpenFailureText(c, check.openFailure),
                text(kTextVerdictNotOpened)};

    QStringList lines{text(kTextPortOpened)};
    const PresenceProbe &probe = check.probe;
    lines << text(probe.echoed ? kTextEchoes : kTextNoEcho);
    const QString ident =
        probe.ident ? QString::fromLatin1(probe.ident->toHex(' ').toUpper()) : QString();
    if (!probe.ident)
        lines << text(kTextNoRadio);
    else if (check.supported)
        lines << text(kTextSupportedRadio).arg(ident);
    else
        lines << text(kTextRadioAnswered).arg(ident) + QLatin1Char(' ') +
                     text(kTextUnsupportedRadio);
    const bool slow = check.medianLatencyMs > kSlowReplyMs;
    if (probe.replyMs.empty())
        lines << text(kTextNoLatency);
    else
        lines << text(kTextLatency)
                     .arg(number(check.medianLatencyMs), number(check.worstLatencyMs),
                          QString::number(check.fullReadSeconds, 'f', 0));
    if (slow)
        lines << text(kTextSlowReplies);

    if (probe.echoed)
        lines << text(kTextVerdictEcho);
    else if (!probe.ident)
        lines << text(kTextVerdictNoRadio);
    else if (!check.supported)
        lines << text(kTextVerdictUnsupported);
    else
        lines << text(slow ? kTextVerdictSlow : kTextVerdictOk);
    return lines;
}

int cableCheckStatus(const CableCheck &check) {
    if (!check.opened)
        return 2;
    return check.probe.ident && check.supported && !check.probe.echoed ? 0 : 1;
}

} // namespace cps
