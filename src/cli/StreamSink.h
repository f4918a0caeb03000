#pragma once
// The command line's error log. With --verbose every entry is printed in the
// error log's own two-line form; otherwise each is one line in the interface
// language. Safe to share between threads.
#include "core/Cps.h"
#include "core/Failure.h"

#include <mutex>
#include <ostream>

namespace cli {

class StreamSink : public cps::ErrorSink {
  public:
    explicit StreamSink(std::ostream &out) : out_(out) {}
    // The one-line form takes its texts from `texts` once it is set.
    void setShortForm(const cps::Cps *texts) { texts_ = texts; }
    void runtimeError(const std::string &place, int number, const std::string &source) override;
    void optionRange(const std::string &text) override;
    int count() const;

  private:
    std::ostream &out_;
    const cps::Cps *texts_ = nullptr;
    mutable std::mutex mutex_;
    int count_ = 0;
};

} // namespace cli
