#include "platform/StopWaiter.h"

#include "platform/Branch.h"

#include <atomic>
#include <csignal>

#if BRENVIK_POSIX
#include <pthread.h>
#else
#include <chrono>
#include <thread>
#endif

namespace platform {

#if BRENVIK_POSIX

struct StopWaiter::State {
    sigset_t signals;
    pthread_t waiter;
    std::atomic<bool> woken{false};
};

StopWaiter::StopWaiter() : state_(std::make_unique<State>()) {
    sigemptyset(&state_->signals);
    sigaddset(&state_->signals, SIGINT);
    sigaddset(&state_->signals, SIGTERM);
    sigaddset(&state_->signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &state_->signals, nullptr);
    state_->waiter = pthread_self();
}

int StopWaiter::wait() {
    int signal = 0;
    sigwait(&state_->signals, &signal);
    // wake() sends SIGTERM too; its flag tells the two apart.
    return state_->woken ? 0 : signal;
}

void StopWaiter::wake() {
    state_->woken = true;
    pthread_kill(state_->waiter, SIGTERM);
}

#else

namespace {
volatile std::sig_atomic_t stopSignalled = 0;
void onStopSignal(int signal) {
    stopSignalled = signal;
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
int StopWaiter::wait() {
    while (!stopSignalled && !state_->woken)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return state_->woken ? 0 : static_cast<int>(stopSignalled);
}

void StopWaiter::wake() {
    state_->woken = true;
}

#endif

StopWaiter::~StopWaiter() = default;

// The names a user knows from kill(1) and the shell.
std::string stopSignalName(int signal) {
    switch (signal) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
#ifdef SIGHUP
    case SIGHUP:
        return "SIGHUP";
#endif
    default:
        return "signal " + std::to_string(signal);
    }
}

} // namespace platform
