#pragma once
// Ctrl-C (SIGINT), SIGTERM and SIGHUP (a closed terminal, a dropped SSH link)
// for a program whose work runs in other threads: the thread that made the
// StopWaiter waits for any of them, and a worker can end that wait when the
// work has ended by itself.
#include <memory>
#include <string>

namespace platform {

class StopWaiter {
  public:
    // Takes the stop signals away from this thread and from the threads it
    // starts from now on; they reach only wait().
    StopWaiter();
    ~StopWaiter();
    StopWaiter(const StopWaiter &) = delete;
    StopWaiter &operator=(const StopWaiter &) = delete;

    // Returns at a stop signal (its number) or once wake() has been called (0).
    int wait();
    // Ends wait(); from any thread.
    void wake();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// "SIGINT", "SIGTERM", "SIGHUP" for a stop signal's number.
std::string stopSignalName(int signal);

} // namespace platform
