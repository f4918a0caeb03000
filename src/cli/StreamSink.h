#pragma once
// The command line's error log: every entry is printed, in the error log's own
// two-line form, to a stream (stderr). Safe to share between threads.
#include "core/Failure.h"

#include <mutex>
#include <ostream>

namespace cli {

class StreamSink : public cps::ErrorSink {
  public:
    explicit StreamSink(std::ostream &out) : out_(out) {}
    void runtimeError(const std::string &place, int number, const std::string &source) override;
    void optionRange(const std::string &text) override;
    int count() const;

  private:
    std::ostream &out_;
    mutable std::mutex mutex_;
    int count_ = 0;
};

} // namespace cli
