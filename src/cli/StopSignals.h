#pragma once
// A transfer that Ctrl-C, SIGTERM or SIGHUP (a closed terminal, a dropped SSH
// link) ends at a frame boundary instead of in the middle of one: the work
// runs in a thread of its own while this thread waits for the signal.
#include <atomic>
#include <functional>
#include <string>

namespace cli {

class StopSignals {
  public:
    // Runs `work` to its end; a stop signal on the way is kept in signal()
    // for the work to look at (it goes on until it stops itself). An
    // exception thrown by `work` is thrown again here.
    void run(const std::function<void()> &work);

    // The stop signal's number, 0 while none came.
    int signal() const { return signal_; }
    const std::atomic<int> &flag() const { return signal_; }
    // `stoppedByText` ("Stopped by %1.") with the signal's name.
    std::string stoppedText(const std::string &stoppedByText) const;

  private:
    std::atomic<int> signal_{0};
};

} // namespace cli
