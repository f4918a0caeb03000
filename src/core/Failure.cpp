#include "core/Failure.h"

#include <new>
#include <stdexcept>

namespace cps {

void raise(int number, const std::string &source) { throw RunError(number, source); }

int errorNumberOf(const std::exception &e) {
    if (auto *r = dynamic_cast<const RunError *>(&e)) return r->number;
    if (dynamic_cast<const std::out_of_range *>(&e)) return err::IndexOutOfRange;
    if (dynamic_cast<const std::bad_alloc *>(&e)) return err::OutOfMemory;
    if (dynamic_cast<const std::invalid_argument *>(&e)) return err::TypeMismatch;
    if (dynamic_cast<const std::overflow_error *>(&e)) return err::Overflow;
    return err::InvalidCall;
}

bool guarded(ErrorSink &sink, const char *place, const std::function<void()> &body) {
    try {
        body();
        return true;
    } catch (const RunError &e) {
        // The system's reason, when there is one, travels with the source.
        sink.runtimeError(place, e.number,
                          e.reason.empty() ? e.source : e.source + " (" + e.reason + ")");
    } catch (const std::exception &e) {
        sink.runtimeError(place, errorNumberOf(e), "BrenvikCPS");
    }
    return false;
}

} // namespace cps
