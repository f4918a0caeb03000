#pragma once
// One function per command of brenvik-cli. Each returns the exit status or
// throws UsageError / CliFailure.
#include "cli/Args.h"
#include "cli/Console.h"

namespace cli {

int newCommand(const Args &args, Console &console);
int showCommand(const Args &args, Console &console);
int exportCsvCommand(const Args &args, Console &console);
int importCsvCommand(const Args &args, Console &console);
int readCommand(const Args &args, Console &console);
int writeCommand(const Args &args, Console &console);
int portsCommand(const Args &args, Console &console);
int bandsCommand(const Args &args, Console &console);
int diffCommand(const Args &args, Console &console);
int programCommand(const Args &args, Console &console);
int cableCheckCommand(const Args &args, Console &console);
int historyCommand(const Args &args, Console &console);

} // namespace cli
