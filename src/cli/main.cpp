#include "cli/Cli.h"
#include "cli/CliFiles.h"
#include "cli/StdoutBuffer.h"
#include "platform/StandardStreams.h"

#include <QCoreApplication>
#include <iostream>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> words(argv + 1, argv + argc);
    cli::StdoutBuffer stdoutBuffer;
    std::ostream out(&stdoutBuffer);
    cli::Console console{out, std::cerr, platform::standardErrorIsTerminal()};
    console.outError = [&] { return stdoutBuffer.error(); };
    const int status = cli::run(words, console);
    return cli::finishOutput(console, status);
}
