#include "cli/Cli.h"
#include "cli/CliFiles.h"
#include "cli/StdoutBuffer.h"

#include <QCoreApplication>
#include <iostream>
#include <unistd.h>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> words(argv + 1, argv + argc);
    cli::FdOutBuffer stdoutBuffer(STDOUT_FILENO);
    std::ostream out(&stdoutBuffer);
    cli::Console console{out, std::cerr, isatty(STDERR_FILENO) == 1};
    console.outError = [&] { return stdoutBuffer.error(); };
    const int status = cli::run(words, console);
    return cli::finishOutput(console, status);
}
