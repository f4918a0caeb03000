#include "comm/RadioTransfer.h"

#include "comm/PortTrouble.h"

#include "comm/Waiter.h"
#include "comm/WireFormat.h"
#include "core/MemoryImage.h"
#include "core/Options.h"
#include "core/Plan.h"

namespace cps {

namespace {
// Traffic log notes of a write, as the radio's dealers know them.
const QString kNoteWriteChannels = QStringLiteral("写入:频率");
const QString kNoteModelBand = QStringLiteral("写入:机型和频段");
const QString kNoteParameters = QStringLiteral("读取:对讲机的机型和参数");
const QString kNoteRadioSettings = QStringLiteral("写入:收音机的SQL和音量及对讲机的参数");
const QString kNoReplyLong = QStringLiteral("Rx: 未收到数据   第 串数据未收到");
const QString kNoReplyShort = QStringLiteral("Rx: 未收到数据");

constexpr int kFixedWaitExtra = 30; // fixed-frame wait: last poll limit + 30 polls
constexpr int kParamP4Low = 22, kParamP4High = 99, kParamP4Skip = 31;
constexpr int kSettingsByteAlarm = 16;  // frame byte of radio address 0x03FC
constexpr int kSettingsByteLowBat = 18; // frame byte of radio address 0x03FE
constexpr int kEndFrameCount = 4;

QByteArray bytesOf(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}

template <std::size_t N> QByteArray bytesOf(const std::array<uint8_t, N> &a) {
    return QByteArray(reinterpret_cast<const char *>(a.data()), static_cast<qsizetype>(N));
}
} // namespace

RadioTransfer::RadioTransfer(Cps &c, SerialPort &port, TransferUi &ui, TimeoutMark &mark)
    : c_(c), port_(port), ui_(ui), scripts_(c), engine_(c, scripts_, port, ui, mark) {
    softDisplay = [this] { SoftDisplay(c_); };
    scripts_.startUp();
}

QString RadioTransfer::text(int n) const {
    return QString::fromStdString(c_.text(n));
}

void RadioTransfer::ShowComPercent(int mark) {
    ui_.setProgress(mark);
    ui_.setStatus(QString::number(mark) + QStringLiteral(" %"));
}

void RadioTransfer::OpenCom() {
    try {
        port_.select(c_.settings.com);
        port_.open();
        portOpenFailed_ = false;
    } catch (const std::exception &e) {
        portOpenFailed_ = true;
        // The user may pick another port; the failure is logged once the dialog closed.
        ui_.showPortDialog(openFailureText());
        const auto *run = dynamic_cast<const RunError *>(&e);
        c_.log().runtimeError("modCommun->OpenCom", errorNumberOf(e),
                              run ? run->source : std::string("BrenvikCPS"));
    }
}

QString RadioTransfer::commFailedText() const {
    if (!port_.unplugged())
        return text(kTextCommFailed);
    return text(kTextCommFailed) + QLatin1Char(' ') +
           text(kTextUnplugged).arg(port_.deviceName(port_.selected()));
}

QString RadioTransfer::openFailureText() const {
    return portOpenFailureText(c_, port_.openFailure());
}

void RadioTransfer::CloseCom() {
    guarded(c_.log(), "modCommun->CloseCom", [&] { port_.close(); });
}

bool RadioTransfer::startTransfer(bool reading) {
    stopped_ = false;
    blocks_ = {};
    scripts_.SelectAltCommandSet();
    engine_.attempts = 0;
    engine_.pollDelay = 1;
    engine_.logIndex = 0;
    if (reading) {
        ui_.setStopTicked(false);
        ui_.setStopVisible(false);
    }
    ui_.clearLog();
    ui_.blinkStart();
    if (!reading) {
        ui_.setStopTicked(false);
        ui_.setStopVisible(false);
    }
    // Scripts that could not be built for the configured ranges (logged by the
    // builder) must not be replaced by stale ones: nothing is exchanged.
    if (scripts_.lastBuildOk())
        OpenCom();
    if (!scripts_.lastBuildOk() || portOpenFailed_) {
        ui_.blinkStop();
        return false;
    }
    return true;
}

// A failed pass: decides whether another one runs. Gives up on a refused radio,
// when Stop is ticked (visible from the sixth failure on), and after seven passes.
bool RadioTransfer::retryAfterFailedPass() {
    if (engine_.attempts == kUnsupportedRadio || stopAsked())
        return false;
    ++engine_.attempts;
    if (engine_.attempts > kStopVisibleAfter) {
        ui_.setStopVisible(true);
        if (ui_.stopTicked())
            return false;
    }
    if (engine_.attempts < kMaxPasses)
        return true;
    ui_.message(commFailedText(), text(kTextNotice));
    return false;
}

bool RadioTransfer::stopAsked() {
    if (ui_.stopRequested())
        stopped_ = true;
    return stopped_;
}

bool RadioTransfer::runReadPass(std::vector<uint8_t> &scratch) {
    for (int i = 1; i <= scripts_.lineCount(kReadScript); ++i) {
        if (stopAsked())
            return false;
        engine_.currentLine = i;
        engine_.ConvComCode(scripts_.line(kReadScript, i).text);
        engine_.ProtocolCom(); // may switch the command set: read the line again below
        if (engine_.lineFailed)
            return false;
        const ScriptLine &line = scripts_.line(kReadScript, i);
        ShowComPercent(line.progressMark);
        for (int k = 0; k < line.blockSize; ++k)
            scratch.at(static_cast<std::size_t>(line.blockAddress + k)) =
                engine_.capture.at(static_cast<std::size_t>(k));
    }
    return true;
}

TransferResult RadioTransfer::read() {
    TransferResult result = TransferResult::Failed;
    const bool ok = guarded(c_.log(), "frmCommun->cmdRead_Click", [&] {
        if (!startTransfer(true)) {
            result = TransferResult::NotStarted;
            return;
        }
        ui_.setStatus(text(kTextReading));
        // Lines land in a copy: the plan changes only when the whole read succeeded.
        std::vector<uint8_t> scratch = c_.IicDat;
        bool success = false;
        do {
            success = runReadPass(scratch);
        } while (!success && retryAfterFailedPass());

        CloseCom();
        ui_.setStopTicked(false);
        ui_.setStopVisible(false);
        ui_.blinkStop();
        engine_.DelayNms(5);
        if (success) {
            c_.IicDat = std::move(scratch);
            softDisplay();
            ui_.setStatus(text(kTextReadOk));
            ui_.setProgress(100);
            ui_.refreshMemoryView();
        } else {
            ui_.setStatus(text(kTextReadFailed));
        }
        engine_.DelayNms(1);
        ui_.waiter().pause(1);
        ui_.setProgress(0);
        ui_.setStatus(QString());
        ui_.setStopTicked(false);
        ui_.setStopVisible(false);
        result = success ? TransferResult::Succeeded : TransferResult::Failed;
    });
    if (!ok)
        endAfterError();
    return result;
}

// After a run-time error in a read or a write: port closed, light off, labels
// emptied, Stop unticked and hidden.
void RadioTransfer::endAfterError() {
    CloseCom();
    ui_.blinkStop();
    ui_.setProgress(0);
    ui_.setStatus(QString());
    ui_.setStopTicked(false);
    ui_.setStopVisible(false);
}

bool RadioTransfer::runWritePass() {
    int acknowledged = 0;
    for (int i = 1; i <= scripts_.lineCount(kWriteScript); ++i) {
        if (stopAsked())
            return false;
        engine_.currentLine = i;
        const ScriptLine line = scripts_.line(kWriteScript, i);
        for (int k = 0; k < line.blockSize; ++k)
            engine_.capture.at(static_cast<std::size_t>(k)) = c_.at(line.blockAddress + k);
        engine_.ConvComCode(line.text);
        engine_.ProtocolCom();
        if (engine_.lineFailed)
            return false;
        // Every pass starts again at the first block: the furthest pass counts.
        if (line.blockSize > 0 && ++acknowledged > blocks_.count)
            blocks_ = {acknowledged, line.blockAddress, line.blockSize};
        ShowComPercent(scripts_.line(kWriteScript, i).progressMark);
    }
    return true;
}

// One try of a fixed frame: log it, send it, wait for `minBytes` within the
// fixed-frame budget. Input is discarded before sending, so a quick reply can
// never be thrown away.
std::optional<QByteArray> RadioTransfer::exchangeFixed(const QByteArray &frame, int minBytes,
                                                       int msPerPoll, const QString &missingEntry) {
    engine_.ComDataShow(0, frame);
    port_.discardOutput();
    port_.discardInput();
    port_.send(frame);
    if (!engine_.waitForBytes(minBytes, engine_.pollLimit + kFixedWaitExtra, msPerPoll)) {
        engine_.addLogEntry(missingEntry);
        return std::nullopt;
    }
    QByteArray reply = port_.takeAll();
    engine_.ComDataShow(-1, reply);
    return reply;
}

bool RadioTransfer::sendModelAndBand() {
    ui_.waiter().pause(5);
    engine_.DelayNms(5);
    engine_.addLogEntry(kNoteModelBand);
    for (int t = 0; t < kFixedFrameTries; ++t) {
        const auto low = bandEdgeBytes(c_.bandLow), high = bandEdgeBytes(c_.bandHigh);
        const QByteArray frame =
            bytesOf({scripts_.writeCommand(), 0x03, kModelBandAddress & 0xFF, kModelBandLength,
                     c_.at(kModelByte), low[0], low[1], high[0], high[1]});
        const auto reply = exchangeFixed(frame, 1, 1, kNoReplyLong);
        if (reply && static_cast<uint8_t>(reply->at(0)) == kAck)
            return true;
    }
    ui_.message(commFailedText(), text(kTextNotice));
    return false;
}

bool RadioTransfer::readParameters() {
    ui_.waiter().pause(5);
    engine_.DelayNms(5);
    engine_.addLogEntry(kNoteParameters);
    for (int t = 0; t < kFixedFrameTries; ++t) {
        const QByteArray frame =
            bytesOf({scripts_.readCommand(), 0x03, kParamAddress & 0xFF, kParamLength});
        // Every poll of this wait also pauses 1 ms: 2 ms per poll.
        const auto reply = exchangeFixed(frame, kParamReplyMin, 2, kNoReplyLong);
        if (reply && static_cast<uint8_t>(reply->at(0)) == scripts_.writeCommand()) {
            for (std::size_t k = 0; k < params_.size(); ++k)
                params_[k] = static_cast<uint8_t>(reply->at(static_cast<qsizetype>(4 + k)));
            return true;
        }
    }
    ui_.message(commFailedText(), text(kTextNotice));
    return false;
}

bool RadioTransfer::sendRadioSettings() {
    const int p4 = params_[4];
    if (p4 < kParamP4Low || p4 > kParamP4High || p4 == kParamP4Skip)
        return true;
    const bool lowBatTx = c_.opt.sel[opt::LowBatTx] != 0;
    for (int t = 0; t < kFixedFrameTries; ++t) {
        engine_.addLogEntry(kNoteRadioSettings);
        ui_.waiter().pause(2);
        engine_.DelayNms(2);
        QByteArray frame = bytesOf(
            {scripts_.writeCommand(), 0x03, kRadioSettingsAddress & 0xFF, kRadioSettingsLength});
        for (int k = 32; k < 48; ++k)
            frame.append(static_cast<char>(params_[static_cast<std::size_t>(k)]));
        frame[kSettingsByteAlarm] = static_cast<char>(frame[kSettingsByteAlarm] & 0x7F);
        frame[kSettingsByteLowBat] =
            static_cast<char>((frame[kSettingsByteLowBat] & ~0x04) | (lowBatTx ? 0x04 : 0x00));
        const auto reply = exchangeFixed(frame, 1, 1, kNoReplyShort);
        if (reply && static_cast<uint8_t>(reply->at(0)) == kAck)
            return true;
    }
    ui_.message(commFailedText(), text(kTextNotice));
    return false;
}

void RadioTransfer::sendEndFrames() {
    for (int k = 0; k < kEndFrameCount; ++k) {
        engine_.DelayNms(2);
        engine_.ComDataShow(0, bytesOf(kEndFrame));
        port_.discardOutput();
        port_.send(bytesOf(kEndFrame));
    }
    ui_.waiter().pause(10);
}

TransferResult RadioTransfer::write() {
    TransferResult result = TransferResult::Failed;
    const bool ok = guarded(c_.log(), "frmCommun->cmdWrite_Click", [&] {
        if (!startTransfer(false)) {
            result = TransferResult::NotStarted;
            return;
        }
        SetConvIicDat(c_);
        ui_.refreshMemoryView();
        engine_.addLogEntry(kNoteWriteChannels);
        ui_.setStatus(QString());

        bool passOk = false;
        do {
            passOk = runWritePass();
        } while (!passOk && retryAfterFailedPass());

        bool reachedEnd = false;
        // A stop after the last block still leaves the closing frames unsent.
        if (passOk && !stopAsked() && sendModelAndBand() && readParameters() &&
            sendRadioSettings()) {
            sendEndFrames();
            reachedEnd = true;
        }
        CloseCom();
        ui_.blinkStop();
        ui_.setStatus(QString());
        ui_.setStopTicked(false);
        ui_.setStopVisible(false);
        ui_.waiter().pause(20);
        result = reachedEnd ? TransferResult::Succeeded : TransferResult::Failed;
    });
    if (!ok)
        endAfterError();
    return result;
}

} // namespace cps
