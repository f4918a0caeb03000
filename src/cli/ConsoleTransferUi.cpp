#include "cli/ConsoleTransferUi.h"
#include "core/MessageText.h"

#include <memory>

namespace cli {

namespace {
constexpr int kBarWidth = 40;

std::unique_lock<std::mutex> lockIf(std::mutex *m) {
    return m ? std::unique_lock<std::mutex>(*m) : std::unique_lock<std::mutex>();
}
} // namespace

ConsoleTransferUi::ConsoleTransferUi(std::ostream &err, bool progressBar, bool verbose,
                                     std::string label, std::mutex *lock)
    : err_(err), progressBar_(progressBar), verbose_(verbose), label_(cps::shownName(label)),
      lock_(lock) {}

void ConsoleTransferUi::setProgress(int mark) {
    // The transfer resets the bar to 0 when it ends; the last mark stays shown.
    if (!progressBar_ || mark <= 0 || mark == lastMark_)
        return;
    lastMark_ = mark;
    const int filled = mark * kBarWidth / 100;
    auto guard = lockIf(lock_);
    err_ << '\r' << label_ << " [" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "] " << mark << " %"
         << std::flush;
    barDrawn_ = true;
}

void ConsoleTransferUi::finishProgress() {
    if (!barDrawn_)
        return;
    auto guard = lockIf(lock_);
    err_ << '\n' << std::flush;
    barDrawn_ = false;
    lastMark_ = -1;
}

void ConsoleTransferUi::insertLogEntry(int, const QString &text) {
    if (!verbose_)
        return;
    if (barDrawn_)
        finishProgress();
    auto guard = lockIf(lock_);
    err_ << label_ << ": " << text.toStdString() << '\n' << std::flush;
}

void ConsoleTransferUi::message(const QString &text, const QString &) {
    lastMessage_ = text.toStdString();
}

} // namespace cli
