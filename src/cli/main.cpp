#include "cli/Cli.h"
#include "cli/CliFiles.h"

#include <QCoreApplication>
#include <iostream>
#include <unistd.h>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> words(argv + 1, argv + argc);
    cli::Console console{std::cout, std::cerr, isatty(STDERR_FILENO) == 1};
    const int status = cli::run(words, console);
    return cli::finishOutput(std::cout, std::cerr, status);
}
