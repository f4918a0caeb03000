#pragma once
// Ctrl-C (SIGINT) and SIGTERM for a program whose work runs in other threads:
// the thread that made the StopWaiter waits for either, and a worker can end
// that wait when the work has ended by itself.
#include <memory>

namespace platform {

class StopWaiter {
  public:
    // Takes the stop signals away from this thread and from the threads it
    // starts from now on; they reach only wait().
    StopWaiter();
    ~StopWaiter();
    StopWaiter(const StopWaiter &) = delete;
    StopWaiter &operator=(const StopWaiter &) = delete;

    // Returns at a stop signal or once wake() has been called.
    void wait();
    // Ends wait(); from any thread.
    void wake();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace platform
