#include "cli/StreamSink.h"

#include "core/ErrorLog.h"
#include "core/Options.h"

namespace cli {

namespace {

constexpr int kTextFaultAt = 478, kTextOptionOutOfRange = 479;

std::string filled(std::string text, const std::string &first, const std::string &second = {}) {
    if (const auto at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, first);
    if (const auto at = text.find("%2"); at != std::string::npos)
        text.replace(at, 2, second);
    return text;
}

// The caption of the option a range report is about; the report itself when
// it names none.
std::string optionCaption(const cps::Cps &c, const std::string &report) {
    for (int k = 0; k < cps::kOptionCount; ++k)
        if (cps::optionRangeMessage(k) == report)
            return c.text(cps::optionDefs()[static_cast<std::size_t>(k)].captionText);
    return report;
}

} // namespace

void StreamSink::runtimeError(const std::string &place, int number, const std::string &source) {
    std::lock_guard lock(mutex_);
    ++count_;
    if (held_ && texts_ && !texts_->text(kTextFaultAt).empty()) {
        std::lock_guard heldLock(held_->mutex);
        if (held_->count++ == 0)
            held_->first = filled(texts_->text(kTextFaultAt), place, std::to_string(number));
        return;
    }
    out_ << cps::errorLogFirstLine() << '\n'
         << cps::errorLogRuntimeLine(place, number, source) << '\n'
         << std::flush;
}

void StreamSink::optionRange(const std::string &text) {
    std::lock_guard lock(mutex_);
    ++count_;
    if (texts_ && !texts_->text(kTextOptionOutOfRange).empty()) {
        out_ << filled(texts_->text(kTextOptionOutOfRange), optionCaption(*texts_, text)) << '\n'
             << std::flush;
        return;
    }
    out_ << cps::errorLogFirstLine() << '\n' << cps::errorLogOptionLine(text) << '\n' << std::flush;
}

int StreamSink::count() const {
    std::lock_guard lock(mutex_);
    return count_;
}

} // namespace cli
