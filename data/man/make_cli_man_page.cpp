// make-cli-man-page LANG VERSION OUTPUT: writes brenvik-cli's manual page in
// interface language LANG (1 Simplified Chinese, 2 Traditional Chinese,
// 3 English) from the command table and its translations.
#include "cli/CliManPage.h"
#include "cli/MessageLanguage.h"

#include <QCoreApplication>

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const std::string lang = argc == 4 ? argv[1] : "";
    if (lang != "1" && lang != "2" && lang != "3") {
        std::fputs("usage: make-cli-man-page 1|2|3 VERSION OUTPUT\n", stderr);
        return 2;
    }
    cli::useMessageLanguage(std::stoi(lang));
    std::ofstream out(argv[3], std::ios::binary);
    out << cli::cliManPage(argv[2], lang != "3");
    out.close();
    if (!out) {
        std::perror(argv[3]);
        return 1;
    }
    return 0;
}
