#include "sim/PtyServer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace sim {

namespace {
constexpr double kByteMs = 10.0 * 1000.0 / 9600.0; // start + 8 data + stop bits at 9600 baud
constexpr std::size_t kPieceSize = 7;              // --split: bytes per piece
constexpr double kPieceGapMs = 1.0;
constexpr double kPartialFrameMs = 200.0; // a half frame older than this is line noise
constexpr double kQuitAfterEndMs = 250.0; // quiet time after an end frame before --quit-after-end
} // namespace

double monotonicMs() {
    using Ms = std::chrono::duration<double, std::milli>;
    return std::chrono::duration_cast<Ms>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

PtyServer::PtyServer(SimRadio &radio, const SimOptions &options)
    : radio_(radio), options_(options) {}

PtyServer::~PtyServer() {
    if (log_)
        std::fclose(log_);
}

bool PtyServer::open(std::string &error) {
    if (!terminal_.open(error))
        return false;
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
    if (options_.echo) // a loop-back in the cable: what came in goes out first
        schedule(now, std::vector<uint8_t>(data, data + size));
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
        const long n = terminal_.write(bytes.data(), bytes.size());
        if (n < 0) {
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

void PtyServer::run() {
    std::vector<uint8_t> buffer(4096);
    bool writable = true;
    while (!platform::stopRequested()) {
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

        const auto ready = terminal_.wait(next - now, !writable);
        if (ready.failed)
            break;
        const double woke = monotonicMs();

        if (ready.readable) {
            const std::size_t n = terminal_.read(buffer.data(), buffer.size());
            if (n > 0) {
                onInput(woke, buffer.data(), n);
                if (options_.hangupAfter > 0 && radio_.framesSeen() >= options_.hangupAfter) {
                    terminal_.close(); // the tool sees the device vanish
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
