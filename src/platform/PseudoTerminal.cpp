#include "platform/PseudoTerminal.h"

#include "platform/Branch.h"

#include <algorithm>
#include <cmath>
#include <csignal>

#if BRENVIK_LINUX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace platform {

namespace {

volatile std::sig_atomic_t stopFlag = 0;

void onStopSignal(int) {
    stopFlag = 1;
}

#if BRENVIK_LINUX
// The signal mask to wait with: the one from before the stop signals were held back.
sigset_t waitMask;
#endif

} // namespace

void catchStopRequests() {
#if BRENVIK_LINUX
    sigset_t blocked;
    sigemptyset(&blocked);
    struct sigaction sa {};
    sa.sa_handler = onStopSignal;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        sigaddset(&blocked, sig);
        sigaction(sig, &sa, nullptr);
    }
    sigprocmask(SIG_BLOCK, &blocked, &waitMask);
#else
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
#endif
}

bool stopRequested() {
    return stopFlag != 0;
}

PseudoTerminal::~PseudoTerminal() {
    close();
}

#if BRENVIK_LINUX

bool PseudoTerminal::open(std::string &error) {
    controller_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (controller_ < 0 || grantpt(controller_) != 0 || unlockpt(controller_) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char *name = ptsname(controller_);
    if (!name) {
        error = "cannot name the pseudo-terminal";
        return false;
    }
    path_ = name;
    // Holding the other side open keeps the terminal alive while the tool opens
    // and closes it between transfers (the last close would hang it up), and
    // lets us put it in raw mode before anyone reads a byte.
    deviceKeep_ = ::open(name, O_RDWR | O_NOCTTY);
    if (deviceKeep_ < 0) {
        error = std::string("cannot open ") + name + ": " + std::strerror(errno);
        return false;
    }
    termios tio{};
    tcgetattr(deviceKeep_, &tio);
    cfmakeraw(&tio);
    tcsetattr(deviceKeep_, TCSANOW, &tio);
    fcntl(controller_, F_SETFL, fcntl(controller_, F_GETFL) | O_NONBLOCK);
    return true;
}

void PseudoTerminal::close() {
    if (deviceKeep_ >= 0)
        ::close(deviceKeep_);
    if (controller_ >= 0)
        ::close(controller_);
    deviceKeep_ = controller_ = -1;
}

PseudoTerminal::Readiness PseudoTerminal::wait(double timeoutMs, bool wantWrite) {
    pollfd fd{controller_, static_cast<short>(POLLIN | (wantWrite ? POLLOUT : 0)), 0};
    timespec timeout{};
    const timespec *limit = nullptr;
    if (!std::isinf(timeoutMs)) {
        const double ms = std::max(0.0, timeoutMs);
        timeout.tv_sec = static_cast<time_t>(ms / 1000.0);
        timeout.tv_nsec = static_cast<long>(std::fmod(ms, 1000.0) * 1e6);
        limit = &timeout;
    }
    const int ready = ppoll(&fd, 1, limit, &waitMask);
    if (ready < 0)
        return {errno != EINTR, false};
    return {false, ready > 0 && (fd.revents & POLLIN) != 0};
}

std::size_t PseudoTerminal::read(uint8_t *buffer, std::size_t size) {
    const ssize_t n = ::read(controller_, buffer, size);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

long PseudoTerminal::write(const uint8_t *bytes, std::size_t size) {
    const ssize_t n = ::write(controller_, bytes, size);
    if (n < 0)
        return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
    return static_cast<long>(n);
}

#else

bool PseudoTerminal::open(std::string &error) {
    error = "cannot create a pseudo-terminal: not available on this system";
    return false;
}

void PseudoTerminal::close() {}

PseudoTerminal::Readiness PseudoTerminal::wait(double, bool) {
    return {true, false};
}

std::size_t PseudoTerminal::read(uint8_t *, std::size_t) {
    return 0;
}

long PseudoTerminal::write(const uint8_t *, std::size_t) {
    return -1;
}

#endif

} // namespace platform
