#pragma once
// The radio's end of the cable: a pseudo-terminal whose other side the tool
// opens like any serial device. Replies leave at the times a real line would
// allow: after the request has fully arrived (at 9600 baud with --wire-timing),
// after the configured latency, byte by byte or in pieces as asked.
#include "platform/PseudoTerminal.h"
#include "sim/SimOptions.h"
#include "sim/SimRadio.h"

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

namespace sim {

class PtyServer {
  public:
    PtyServer(SimRadio &radio, const SimOptions &options);
    ~PtyServer();

    // Creates the pseudo-terminal; false with a reason when it cannot.
    bool open(std::string &error);
    const std::string &slavePath() const { return terminal_.path(); }

    // Serves the radio until a stop request (platform::catchStopRequests), the
    // line is hung up (--hangup-after) or the transfer has ended (--quit-after-end).
    void run();

  private:
    struct Output {
        double at; // ms on the monotonic clock
        std::vector<uint8_t> bytes;
    };
    void onInput(double now, const uint8_t *data, std::size_t size);
    void schedule(double readyAt, const std::vector<uint8_t> &reply);
    // Writes what is due; returns false when the terminal refuses more for now.
    bool writeDue(double now);
    void logFrame(double now, const Frame &frame);

    SimRadio &radio_;
    const SimOptions &options_;
    platform::PseudoTerminal terminal_;
    std::FILE *log_ = nullptr;
    std::deque<Output> out_;
    double start_ = 0;
    double rxFreeAt_ = 0, txFreeAt_ = 0; // when each direction of the line is free again
    double lastInput_ = 0, endFrameAt_ = -1;
};

double monotonicMs();

} // namespace sim
