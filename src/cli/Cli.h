#pragma once
// brenvik-cli: the programming tool's engine without windows.
#include "cli/Console.h"

#include <string>
#include <vector>

namespace cli {

// Runs one command line (without the program name); returns the exit status:
// 0 success, 1 radio or port failure (diff: the plans differ), 2 usage error,
// 3 file error, 4 diff: a radio could not be read, 5 read or write stopped by a
// signal.
int run(const std::vector<std::string> &words, Console &console);

} // namespace cli
