#pragma once
// The failure convention of the whole program: a procedure that fails reports
// one entry to the error log and returns normally. Inside a procedure, fault
// points throw RunError carrying the run-time error number (9 index out of
// range, 13 type mismatch, 6 overflow, 53 file not found, ...); `guarded` runs
// the procedure body, catches, and hands the entry to the sink.
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace cps {

namespace err {
constexpr int InvalidCall = 5;
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int IndexOutOfRange = 9;
constexpr int TypeMismatch = 13;
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int InputPastEnd = 62;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int DeviceUnavailable = 68;
constexpr int InvalidProperty = 380;
constexpr int PortOpen = 8005; // serial port already open / cannot be opened
constexpr int PrinterError = 482;
} // namespace err

struct RunError : std::exception {
    int number;
    std::string source;
    std::string reason; // what the system said, for file errors (e.g. "No space left on device")
    RunError(int n, std::string src = "BrenvikCPS", std::string why = {})
        : number(n), source(std::move(src)), reason(std::move(why)) {}
    const char *what() const noexcept override { return "run-time error"; }
};

[[noreturn]] void raise(int number, const std::string &source = "BrenvikCPS");

// Where failures go: the GUI's error log pane, the CLI's stderr, a test's list.
class ErrorSink {
public:
    virtual ~ErrorSink() = default;
    // Run-time error form: place text such as "modChMem->IcRxFreSol".
    virtual void runtimeError(const std::string &place, int number, const std::string &source) = 0;
    // Option-range form: a whole report text supplied by the caller.
    virtual void optionRange(const std::string &text) = 0;
};

// Keeps entries in memory; used by tests and as the default sink.
class CollectingSink : public ErrorSink {
public:
    struct Entry {
        std::string place; // or the option-range text
        int number = 0;
        bool optionRange = false;
    };
    std::vector<Entry> entries;
    void runtimeError(const std::string &place, int number, const std::string &) override {
        entries.push_back({place, number, false});
    }
    void optionRange(const std::string &text) override { entries.push_back({text, 0, true}); }
    std::vector<std::string> places() const {
        std::vector<std::string> r;
        for (auto &e : entries) r.push_back(e.place);
        return r;
    }
};

// Maps any exception to its run-time error number.
int errorNumberOf(const std::exception &e);

// Runs `body`; on failure writes one entry for `place` and returns false.
bool guarded(ErrorSink &sink, const char *place, const std::function<void()> &body);

} // namespace cps
