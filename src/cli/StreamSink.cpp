#include "cli/StreamSink.h"

#include "core/ErrorLog.h"

namespace cli {

void StreamSink::runtimeError(const std::string &place, int number, const std::string &source) {
    std::lock_guard lock(mutex_);
    out_ << cps::errorLogFirstLine() << '\n'
         << cps::errorLogRuntimeLine(place, number, source) << '\n'
         << std::flush;
    ++count_;
}

void StreamSink::optionRange(const std::string &text) {
    std::lock_guard lock(mutex_);
    out_ << cps::errorLogFirstLine() << '\n' << cps::errorLogOptionLine(text) << '\n' << std::flush;
    ++count_;
}

int StreamSink::count() const {
    std::lock_guard lock(mutex_);
    return count_;
}

} // namespace cli
