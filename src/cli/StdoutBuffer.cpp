#include "cli/StdoutBuffer.h"

#include "platform/StandardStreams.h"

#include <string_view>

namespace cli {

StdoutBuffer::StdoutBuffer() : buffer_(1 << 16) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

StdoutBuffer::~StdoutBuffer() {
    drain();
}

bool StdoutBuffer::drain() {
    if (!error_ && pptr() > pbase())
        error_ = platform::writeStandardOutput(
            std::string_view(pbase(), static_cast<std::size_t>(pptr() - pbase())));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return !error_;
}

StdoutBuffer::int_type StdoutBuffer::overflow(int_type ch) {
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(ch);
        pbump(1);
    }
    return traits_type::not_eof(ch);
}

int StdoutBuffer::sync() {
    return drain() ? 0 : -1;
}

} // namespace cli
