#pragma once
// What a read or write needs from whoever shows it: the read/write window, the
// command line, or a test. Every hook but the wait has a do-nothing default.
#include <QString>
#include <atomic>

namespace cps {

class Waiter;

class TransferUi {
  public:
    virtual ~TransferUi() = default;

    virtual Waiter &waiter() = 0;

    // The Stop box chkStopCom: ticked ends the current wait; visible after the
    // sixth failed pass.
    virtual bool stopTicked() const { return false; }
    virtual void setStopTicked(bool) {}
    virtual void setStopVisible(bool) {}
    // A stop asked from outside (a signal on the command line): the transfer
    // finishes the frame on the wire, then ends without another pass.
    virtual bool stopRequested() const { return false; }

    // Progress bar prgCommunicate (0..100) and status label lblComStatus.
    virtual void setProgress(int) {}
    virtual void setStatus(const QString &) {}

    // Traffic log listRtData.
    virtual void insertLogEntry(int, const QString &) {}
    virtual void selectLogEntry(int) {}
    virtual void clearLog() {}

    // Message box with an OK button and the exclamation icon.
    virtual void message(const QString &, const QString &) {}

    // Blinking green light (tmrLigGrint).
    virtual void blinkStart() {}
    virtual void blinkStop() {}

    // The port could not be opened: let the user choose another (port dialog).
    // `reason` says why and what to do, in the interface language.
    virtual void showPortDialog(const QString &reason) { (void)reason; }
    // The memory data view follows the image when "Show Memory Data" is ticked.
    virtual void refreshMemoryView() {}
};

// Set by the first reply time-out of the program run and never cleared: from
// then on every group of every line starts with a 1 ms wait. The owner keeps
// one for the whole run and hands it to every transfer.
struct TimeoutMark {
    std::atomic<bool> set{false};
};

} // namespace cps
