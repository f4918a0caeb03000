// brenvik-cps: the desktop programming tool. The program folder is the
// executable's own directory (settings file, default image, Data/, help).
#include "app/mdifrmMain.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "brenvik-cps needs a graphical display (none found: DISPLAY is not "
                             "set).\nStart it from a desktop session, or try it headless with "
                             "xvfb-run build/bin/brenvik-cps.\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brenvik CPS"));
    mdifrmMain window(QCoreApplication::applicationDirPath());
    if (!window.MDIForm_Load()) return 0; // first start: settings written, closed quietly
    window.show();
    return app.exec();
}
