#pragma once
// The standard streams as the system has them.
#include <string_view>

namespace platform {

bool standardErrorIsTerminal();

// Writes all of `bytes` to standard output, past any C++ buffering. Returns 0,
// or the system's error number of the first write that failed ("No space left
// on device", a closed pipe).
int writeStandardOutput(std::string_view bytes);

} // namespace platform
