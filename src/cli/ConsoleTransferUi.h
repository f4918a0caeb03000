#pragma once
// A transfer shown on the command line: a progress bar with the script's
// progress marks when stderr is a terminal, the traffic log with --verbose,
// and the transfer's message kept for the summary.
#include "comm/TransferUi.h"
#include "comm/Waiter.h"

#include <atomic>
#include <mutex>
#include <ostream>
#include <string>

namespace cli {

class ConsoleTransferUi : public cps::TransferUi {
  public:
    // `label` names the port in every line; `lock` serialises lines of
    // transfers that run side by side (may be null).
    ConsoleTransferUi(std::ostream &err, bool progressBar, bool verbose, std::string label,
                      std::mutex *lock = nullptr);
    ~ConsoleTransferUi() override { finishProgress(); }

    cps::Waiter &waiter() override { return waiter_; }
    void setProgress(int mark) override;
    void insertLogEntry(int index, const QString &text) override;
    void message(const QString &text, const QString &title) override;
    bool stopRequested() const override { return stopFlag_ && *stopFlag_ != 0; }

    // A stop signal's number (StopSignals): non-zero ends the transfer at the
    // next frame boundary.
    void setStopFlag(const std::atomic<int> *flag) { stopFlag_ = flag; }

    // Ends the progress bar's line, if one is drawn.
    void finishProgress();
    // The last message the transfer showed (empty when none).
    const std::string &lastMessage() const { return lastMessage_; }
    void clearMessage() { lastMessage_.clear(); }

  private:
    std::ostream &err_;
    bool progressBar_, verbose_;
    std::string label_;
    std::mutex *lock_;
    cps::BlockingWaiter waiter_;
    bool barDrawn_ = false;
    int lastMark_ = -1;
    std::string lastMessage_;
    const std::atomic<int> *stopFlag_ = nullptr;
};

} // namespace cli
