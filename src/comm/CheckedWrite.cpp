#include "comm/CheckedWrite.h"

#include "comm/PortTrouble.h"

#include "comm/Backup.h"
#include "comm/ProtocolEngine.h"
#include "comm/RadioTransfer.h"
#include "comm/RecordingPort.h"
#include "comm/WriteVerify.h"

namespace cps {

namespace {

// The transfer's own message box text, or the general communication failure.
class MessageCatcher : public TransferUi {
  public:
    explicit MessageCatcher(TransferUi &inner) : inner_(inner) {}
    Waiter &waiter() override { return inner_.waiter(); }
    bool stopTicked() const override { return inner_.stopTicked(); }
    bool stopRequested() const override { return inner_.stopRequested(); }
    void setStopTicked(bool on) override { inner_.setStopTicked(on); }
    void setStopVisible(bool on) override { inner_.setStopVisible(on); }
    void setProgress(int p) override { inner_.setProgress(p); }
    void setStatus(const QString &s) override { inner_.setStatus(s); }
    void insertLogEntry(int i, const QString &e) override { inner_.insertLogEntry(i, e); }
    void selectLogEntry(int i) override { inner_.selectLogEntry(i); }
    void clearLog() override { inner_.clearLog(); }
    void message(const QString &text, const QString &title) override {
        last = text;
        inner_.message(text, title);
    }
    void blinkStart() override { inner_.blinkStart(); }
    void blinkStop() override { inner_.blinkStop(); }
    void showPortDialog(const QString &reason) override { inner_.showPortDialog(reason); }
    void refreshMemoryView() override { inner_.refreshMemoryView(); }

    QString last;

  private:
    TransferUi &inner_;
};

QString text(const Cps &c, int n) {
    return QString::fromStdString(c.text(n));
}

} // namespace

QString partlyWrittenText(const Cps &c, const BlocksWritten &blocks) {
    const QString address =
        QStringLiteral("%1").arg(blocks.lastAddress, 4, 16, QLatin1Char('0')).toUpper();
    return text(c, kTextPartlyWritten).arg(QStringLiteral("0x") + address);
}

QString stepName(WriteStep step) {
    switch (step) {
    case WriteStep::Backup:
        return QStringLiteral("backup");
    case WriteStep::Write:
        return QStringLiteral("write");
    case WriteStep::Verify:
        return QStringLiteral("verify");
    case WriteStep::None:
        break;
    }
    return {};
}

namespace {

CheckedWriteResult runWriteWithChecks(Cps &c, SerialPort &port, TransferUi &ui, TimeoutMark &mark,
                                      const WriteChecks &checks) {
    CheckedWriteResult r;
    MessageCatcher catcher(ui);
    const auto failed = [&](WriteStep step, const QString &message) {
        r.failedStep = step;
        r.message = message;
        return r;
    };
    const auto stoppedBefore = [&](WriteStep step) {
        r.stopped = true;
        return failed(step, text(c, kTextNothingWritten));
    };
    const auto begin = [&](WriteStep step) {
        if (checks.onStep)
            checks.onStep(step);
    };

    if (!checks.backupDir.isEmpty()) {
        begin(WriteStep::Backup);
        r.backupFile = backupRadio(c, port, catcher, mark, checks.backupDir, checks.portName);
        // An unsupported radio is named as the write names it; any other
        // failure is the backup's own.
        const QString unsupported = text(c, kTextUnsupportedRadio);
        if (r.backupFile.isEmpty() && ui.stopRequested())
            return stoppedBefore(WriteStep::Backup);
        if (r.backupFile.isEmpty())
            return failed(WriteStep::Backup,
                          catcher.last == unsupported ? unsupported : text(c, kTextBackupFailed));
    }

    begin(WriteStep::Write);
    RecordingPort recorder(port);
    RadioTransfer transfer(c, recorder, catcher, mark);
    catcher.last.clear();
    const TransferResult written = transfer.write();
    r.ident = transfer.engine().radioIdent;
    r.portOpenFailed = transfer.portOpenFailed();
    r.blocks = transfer.blocksWritten();
    if (written != TransferResult::Succeeded) {
        r.stopped = transfer.stopped();
        if (r.blocks.count == 0)
            return r.stopped
                       ? stoppedBefore(WriteStep::Write)
                       : failed(WriteStep::Write,
                                catcher.last.isEmpty() ? text(c, kTextCommFailed) : catcher.last);
        // The failure's own text first, then what it left on the radio.
        QString message = r.stopped                ? QString()
                          : catcher.last.isEmpty() ? text(c, kTextCommFailed)
                                                   : catcher.last;
        if (!message.isEmpty())
            message += QLatin1Char(' ');
        return failed(WriteStep::Write, message + partlyWrittenText(c, r.blocks));
    }

    if (checks.verify) {
        begin(WriteStep::Verify);
        const auto u16 = [](int16_t v) { return static_cast<int>(static_cast<uint16_t>(v)); };
        const int start = u16(c.settings.writeStart), end = u16(c.settings.writeEnd);
        catcher.last.clear();
        const auto actual = readRange(c, port, catcher, mark, start, end);
        // The write itself went through: a read-back that fails says nothing
        // about what the radio holds.
        if (!actual) {
            r.stopped = ui.stopRequested();
            r.readBackFailed = true;
            return failed(WriteStep::Verify, text(c, kTextReadBackFailed));
        }
        const auto expected = expectedAfterWrite(c.IicDat, recorder.sent(),
                                                 transfer.scripts().writeCommand(), start, end);
        r.mismatches = mismatchedAddresses(expected, *actual);
        if (!r.mismatches.empty())
            return failed(WriteStep::Verify, text(c, kTextVerifyFailedAt) + QLatin1Char(' ') +
                                                 addressList(r.mismatches));
    }
    r.ok = true;
    return r;
}

} // namespace

CheckedWriteResult writeWithChecks(Cps &c, SerialPort &port, TransferUi &ui, TimeoutMark &mark,
                                   const WriteChecks &checks) {
    CheckedWriteResult r = runWriteWithChecks(c, port, ui, mark, checks);
    if (r.ok)
        return r;
    // The port's own reason follows the step's failure (a backup that could
    // not open the port, a cable pulled during the write).
    r.portTrouble = portTroubleText(c, port.openFailure());
    if (port.unplugged())
        r.portTrouble = text(c, kTextUnplugged).arg(port.deviceName(port.selected()));
    if (!r.portTrouble.isEmpty() && !r.message.contains(r.portTrouble))
        r.message += QLatin1Char(' ') + r.portTrouble;
    return r;
}

} // namespace cps
