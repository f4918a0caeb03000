#include "sim/PtyServer.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace sim {

namespace {
constexpr double kByteMs = 10.0 * 1000.0 / 9600.0; // start + 8 data + stop bits at 9600 baud
constexpr std::size_t kPieceSize = 7;              // --split: bytes per piece
constexpr double kPieceGapMs = 1.0;
constexpr double kPartialFrameMs = 200.0; // a half frame older than this is line noise
constexpr double kQuitAfterEndMs = 250.0; // quiet time after an end frame before --quit-after-end
} // namespace

double monotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

PtyServer::PtyServer(SimRadio &radio, const SimOptions &options)
    : radio_(radio), options_(options) {}

PtyServer::~PtyServer() {
    closeTerminal();
    if (log_)
        std::fclose(log_);
}

bool PtyServer::open(std::string &error) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char *name = ptsname(master_);
    if (!name) {
        error = "cannot name the pseudo-terminal";
        return false;
    }
    slavePath_ = name;
    // Holding the other side open keeps the terminal alive while the tool opens
    // and closes it between transfers (the last close would hang it up), and
    // lets us put it in raw mode before anyone reads a byte.
    slaveKeep_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slaveKeep_ < 0) {
        error = std::string("cannot open ") + name + ": " + std::strerror(errno);
        return false;
    }
    termios tio{};
    tcgetattr(slaveKeep_, &tio);
    cfmakeraw(&tio);
    tcsetattr(slaveKeep_, TCSANOW, &tio);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (!options_.logFile.empty()) {
        log_ = std::fopen(options_.logFile.c_str(), "w");
        if (!log_) {
            error = "cannot write " + options_.logFile;
            return false;
        }
    }
    start_ = monotonicMs();
    return true;
}

void PtyServer::closeTerminal() {
    if (slaveKeep_ >= 0)
        ::close(slaveKeep_);
    if (master_ >= 0)
        ::close(master_);
    slaveKeep_ = master_ = -1;
}

void PtyServer::logFrame(double now, const Frame &frame) {
    if (!log_)
        return;
    const std::string reply = frame.reply     ? hexText(*frame.reply)
                              : frame.dropped ? "(dropped)"
                                              : "(no reply)";
    std::fprintf(log_, "%10.1f  %s  ->  %s\n", now - start_, hexText(frame.bytes).c_str(),
                 reply.c_str());
    std::fflush(log_);
}

void PtyServer::onInput(double now, const uint8_t *data, std::size_t size) {
    lastInput_ = now;
    // On a real line the request is complete only once its last byte has crossed it.
    rxFreeAt_ = std::max(rxFreeAt_, now) +
                (options_.wireTiming ? static_cast<double>(size) * kByteMs : 0.0);
    for (const Frame &frame : radio_.receive(data, size)) {
        logFrame(now, frame);
        const bool endFrame = frame.bytes.size() == 7 && frame.bytes[0] == 0x45;
        endFrameAt_ = endFrame ? now : -1;
        if (frame.reply)
            schedule(rxFreeAt_ + options_.latencyMs, *frame.reply);
    }
}

void PtyServer::schedule(double readyAt, const std::vector<uint8_t> &reply) {
    const double start = std::max(readyAt, txFreeAt_);
    if (options_.wireTiming) {
        for (std::size_t k = 0; k < reply.size(); ++k)
            out_.push_back({start + static_cast<double>(k + 1) * kByteMs, {reply[k]}});
        txFreeAt_ = start + static_cast<double>(reply.size()) * kByteMs;
    } else if (options_.split) {
        double at = start;
        for (std::size_t k = 0; k < reply.size(); k += kPieceSize, at += kPieceGapMs) {
            const auto end =
                reply.begin() + static_cast<long>(std::min(reply.size(), k + kPieceSize));
            out_.push_back({at, std::vector<uint8_t>(reply.begin() + static_cast<long>(k), end)});
        }
        txFreeAt_ = at - kPieceGapMs;
    } else {
        out_.push_back({start, reply});
        txFreeAt_ = start;
    }
}

bool PtyServer::writeDue(double now) {
    while (!out_.empty() && out_.front().at <= now) {
        std::vector<uint8_t> &bytes = out_.front().bytes;
        const ssize_t n = ::write(master_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return false;
            out_.pop_front(); // the line cannot carry it: lost as on a broken cable
            continue;
        }
        bytes.erase(bytes.begin(), bytes.begin() + n);
        if (!bytes.empty())
            return false;
        out_.pop_front();
    }
    return true;
}

void PtyServer::run(const volatile std::sig_atomic_t &stop, const sigset_t &waitMask) {
    std::vector<uint8_t> buffer(4096);
    bool writable = true;
    while (!stop) {
        const double now = monotonicMs();
        writable = writeDue(now);

        // Next moment something is due: an output, a stale half frame, the quit.
        double next = INFINITY;
        if (!out_.empty() && writable)
            next = out_.front().at;
        if (radio_.hasPartial())
            next = std::min(next, lastInput_ + kPartialFrameMs);
        if (options_.quitAfterEnd && endFrameAt_ >= 0)
            next = std::min(next, endFrameAt_ + kQuitAfterEndMs);

        pollfd fd{master_, static_cast<short>(POLLIN | (writable ? 0 : POLLOUT)), 0};
        timespec timeout{};
        const timespec *wait = nullptr;
        if (next != INFINITY) {
            const double ms = std::max(0.0, next - now);
            timeout.tv_sec = static_cast<time_t>(ms / 1000.0);
            timeout.tv_nsec = static_cast<long>(std::fmod(ms, 1000.0) * 1e6);
            wait = &timeout;
        }
        const int ready = ppoll(&fd, 1, wait, &waitMask);
        if (ready < 0 && errno != EINTR)
            break;
        const double woke = monotonicMs();

        if (ready > 0 && (fd.revents & POLLIN)) {
            const ssize_t n = ::read(master_, buffer.data(), buffer.size());
            if (n > 0) {
                onInput(woke, buffer.data(), static_cast<std::size_t>(n));
                if (options_.hangupAfter > 0 && radio_.framesSeen() >= options_.hangupAfter) {
                    closeTerminal(); // the tool sees the device vanish
                    return;
                }
            }
        }
        if (radio_.hasPartial() && woke - lastInput_ >= kPartialFrameMs)
            radio_.dropPartial();
        if (options_.quitAfterEnd && endFrameAt_ >= 0 && woke - endFrameAt_ >= kQuitAfterEndMs &&
            lastInput_ <= endFrameAt_)
            return;
    }
}

} // namespace sim
