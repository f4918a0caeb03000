#include "cli/StdoutBuffer.h"

#include <cerrno>
#include <unistd.h>

namespace cli {

FdOutBuffer::FdOutBuffer(int fd) : fd_(fd), buffer_(1 << 16) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FdOutBuffer::~FdOutBuffer() {
    drain();
}

bool FdOutBuffer::drain() {
    const char *p = pbase();
    while (p < pptr() && !error_) {
        const ssize_t n = ::write(fd_, p, static_cast<std::size_t>(pptr() - p));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            error_ = n < 0 ? errno : EIO;
        else
            p += n;
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return !error_;
}

FdOutBuffer::int_type FdOutBuffer::overflow(int_type ch) {
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(ch);
        pbump(1);
    }
    return traits_type::not_eof(ch);
}

int FdOutBuffer::sync() {
    return drain() ? 0 : -1;
}

} // namespace cli
