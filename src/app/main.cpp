// brenvik-cps: the desktop programming tool. The executable's own folder
// decides where the files live (portable beside it, or installed).
#include "app/WindowIcon.h"
#include "app/mdifrmMain.h"
#include "comm/UserFolders.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <string_view>

#ifndef BRENVIK_VERSION
#define BRENVIK_VERSION "unknown"
#endif

namespace {

// --help and --version print and end before any window (or display) is needed.
bool printedHelpOrVersion(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--version") {
            // Which layout this copy uses and where its settings are: the
            // first thing to ask when a user's settings seem to be ignored.
            QCoreApplication core(argc, argv);
            const auto files = cps::locateProgramFiles(QCoreApplication::applicationDirPath());
            std::printf("brenvik-cps %s\n%s\n", BRENVIK_VERSION,
                        cps::describeLocations(files).c_str());
            return true;
        }
        if (a == "--help" || a == "-h") {
            std::printf(
                "Usage: brenvik-cps [--help] [--version] [FILE.dat]\n\n"
                "The desktop programming tool for Brenvik handheld radios: read a radio,\n"
                "edit its channels and optional features, write it back; keep plans as\n"
                "data files (*.dat).\n\n"
                "Where the files live:\n"
                "  portable   when the executable's folder holds the default image and is\n"
                "             writable (a build folder, a USB stick): the settings file\n"
                "             selvarn.exe, the default image dhcpqec.exe, the Data folder and\n"
                "             the help files are all beside the executable.\n"
                "  installed  otherwise (a package): the delivered files come from the\n"
                "             installation's data folder, the settings are\n"
                "             ~/.config/brenvik-cps/selvarn.ini (copied from the delivered\n"
                "             one on the first start), plans go to ~/Documents/Brenvik.\n"
                "--version names the layout in use and the settings file. The first start\n"
                "chooses the interface language from the system locale.\n\n"
                "FILE.dat, when given, is opened at start as File > Open opens it.\n\n"
                "Options:\n"
                "  -h, --help  this help\n"
                "  --version   the program's version\n\n"
                "See also: brenvik-cli (the same engine for scripts), brenvik-radio-sim.\n");
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char **argv) {
    if (printedHelpOrVersion(argc, argv))
        return 0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "brenvik-cps needs a graphical display (none found: DISPLAY is not "
                             "set).\nStart it from a desktop session, or try it headless with "
                             "xvfb-run build/bin/brenvik-cps.\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brenvik CPS"));
    QApplication::setDesktopFileName(QStringLiteral("org.brenvik.cps"));
    applyWindowIcon();
    mdifrmMain window(cps::locateProgramFiles(QCoreApplication::applicationDirPath()));
    // First start: settings written, closed quietly; or no usable settings at all.
    if (!window.MDIForm_Load()) return window.startFailed() ? 1 : 0;
    window.show();
    // A plan named on the command line (a file manager's "open with", or the
    // restart after a language change) opens as File > Open would open it.
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i)
        if (!args[i].startsWith(QLatin1Char('-'))) {
            window.openPlanFile(args[i]);
            break;
        }
    return app.exec();
}
