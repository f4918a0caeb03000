#include "platform/StopWaiter.h"

#include "platform/Branch.h"

#include <csignal>

#if BRENVIK_POSIX
#include <pthread.h>
#else
#include <atomic>
#include <chrono>
#include <thread>
#endif

namespace platform {

#if BRENVIK_POSIX

struct StopWaiter::State {
    sigset_t signals;
    pthread_t waiter;
};

StopWaiter::StopWaiter() : state_(std::make_unique<State>()) {
    sigemptyset(&state_->signals);
    sigaddset(&state_->signals, SIGINT);
    sigaddset(&state_->signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &state_->signals, nullptr);
    state_->waiter = pthread_self();
}

void StopWaiter::wait() {
    int signal = 0;
    sigwait(&state_->signals, &signal);
}

void StopWaiter::wake() {
    pthread_kill(state_->waiter, SIGTERM);
}

#else

namespace {
volatile std::sig_atomic_t stopSignalled = 0;
void onStopSignal(int) {
    stopSignalled = 1;
}
} // namespace

struct StopWaiter::State {
    std::atomic<bool> woken{false};
};

StopWaiter::StopWaiter() : state_(std::make_unique<State>()) {
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
}

// A signal handler may only set a flag, so the wait looks at it now and then.
void StopWaiter::wait() {
    while (!stopSignalled && !state_->woken)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

void StopWaiter::wake() {
    state_->woken = true;
}

#endif

StopWaiter::~StopWaiter() = default;

} // namespace platform
