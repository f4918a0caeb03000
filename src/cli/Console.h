#pragma once
// Where a command's output goes, and the failure that ends a command with an
// exit status and a message.
#include <functional>
#include <mutex>
#include <ostream>
#include <stdexcept>
#include <string>

namespace cli {

constexpr int kExitOk = 0;
constexpr int kExitRadio = 1; // radio or port failure
constexpr int kExitUsage = 2;
constexpr int kExitFile = 3;
constexpr int kExitDiffers = 1;     // diff: the plans differ
constexpr int kExitRadioUnread = 4; // diff: a radio could not be read
// A stop signal (SIGINT, SIGTERM, SIGHUP) ended a read or a write: a written
// radio may hold part of the plan.
constexpr int kExitStopped = 5;

// Run-time errors held back while a command runs without --verbose: a failed
// command's own message is its one line; a command that succeeds all the same
// names the first of them at its end.
struct HeldFaults {
    std::mutex mutex;
    std::string first;
    int count = 0;
};

struct Console {
    std::ostream &out;
    std::ostream &err;
    bool progressBar = false; // stderr is a terminal: draw the transfer's progress
    bool verbose = false;     // print the traffic log
    // Why writing `out` failed (an errno value), when it can tell; 0 otherwise.
    std::function<int()> outError;
    HeldFaults faults;
};

// Ends a command: the message goes to stderr, the status is the exit status.
struct CliFailure : std::runtime_error {
    int status;
    CliFailure(int exitStatus, const std::string &message)
        : std::runtime_error(message), status(exitStatus) {}
};

} // namespace cli
