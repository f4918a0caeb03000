#pragma once
// The command line's error log. With --verbose every entry is printed in the
// error log's own two-line form. Otherwise a range report is one line in the
// interface language, and run-time errors are held (see HeldFaults). Safe to
// share between threads.
#include "cli/Console.h"
#include "core/Cps.h"
#include "core/Failure.h"

#include <mutex>
#include <ostream>

namespace cli {

class StreamSink : public cps::ErrorSink {
  public:
    explicit StreamSink(std::ostream &out) : out_(out) {}
    // The short form takes its texts from `texts` and holds run-time errors in `held`.
    void setShortForm(const cps::Cps *texts, HeldFaults *held) {
        texts_ = texts;
        held_ = held;
    }
    void runtimeError(const std::string &place, int number, const std::string &source) override;
    void optionRange(const std::string &text) override;
    int count() const;

  private:
    std::ostream &out_;
    const cps::Cps *texts_ = nullptr;
    HeldFaults *held_ = nullptr;
    mutable std::mutex mutex_;
    int count_ = 0;
};

} // namespace cli
