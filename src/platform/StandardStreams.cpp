#include "platform/StandardStreams.h"

#include "platform/Branch.h"

#include <cerrno>
#include <cstdio>

#if BRENVIK_POSIX
#include <unistd.h>
#endif

namespace platform {

bool standardErrorIsTerminal() {
#if BRENVIK_POSIX
    return isatty(STDERR_FILENO) == 1;
#else
    return false; // plain messages, no terminal control
#endif
}

int writeStandardOutput(std::string_view bytes) {
#if BRENVIK_POSIX
    while (!bytes.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
#else
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0)
        return errno ? errno : EIO;
    return 0;
#endif
}

} // namespace platform
