// Takes screenshots of the main window and its windows in one language:
//   brenvik-screenshots PROGRAM_DIR LANG OUT_DIR
// PROGRAM_DIR is a copy of the program folder (its settings get Language=LANG
// and FirRun=0). Run under xvfb-run for real fonts and window decorations.
#include "app/WindowIcon.h"
#include "app/frmAboutSoft.h"
#include "app/mdifrmMain.h"
#include "core/Ini.h"
#include "editors/frmCommun.h"
#include "editors/frmCustomFre.h"
#include "editors/frmMemDat.h"
#include "editors/frmRadioInfo.h"
#include "editors/frmToolCom.h"
#include "editors/frmPartFill.h"
#include "editors/ChMemGrid.h"
#include "editors/frmChMem.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

void save(QWidget *w, const QString &dir, const QString &name) {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    w->grab().save(dir + "/" + name + ".png");
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    applyWindowIcon(); // the menu bar shows the maximised channel window's icon
    if (argc != 4) return 2;
    const QString folder = argv[1], lang = argv[2], out = argv[3];
    QDir().mkpath(out);
    cps::IniFile ini(QDir(folder).filePath("selvarn.exe").toStdString());
    ini.write("Setting", "FirRun", "0");
    ini.write("Setting", "Language", lang.toStdString());

    mdifrmMain w(folder);
    if (!w.MDIForm_Load()) return 1;
    w.resize(1400, 900);
    w.show();
    QApplication::processEvents();
    save(&w, out, "main-" + lang);

    // Several channels selected by their row numbers, the Edit menu open.
    static_cast<ChGrid *>(w.chMem()->vsfgGridCh)->selectRows(2, 5);
    w.activateWindow();
    auto *edit = w.findChild<QMenu *>(QStringLiteral("mnuEdit"));
    w.menuBar()->setActiveAction(edit->menuAction());
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
    const QRect frame = w.frameGeometry();
    QGuiApplication::primaryScreen()
        ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
        .save(out + "/editing-" + lang + ".png");
    edit->hide();
    w.chMem()->vsfgGridCh->clearSelection();

    w.showTreeView();
    w.showErrorLog();
    save(&w, out, "main-panes-" + lang);

    w.showMemDat(true);
    save(w.memDat(), out, "memdat-" + lang);
    w.showMemDat(false);

    frmAboutSoft about(&w);
    about.show();
    save(&about, out, "about-" + lang);
    about.hide();

    frmPartFill fill(&w, w.memDat());
    fill.show();
    save(&fill, out, "partfill-" + lang);
    fill.hide();

    w.commun()->showBoth();
    save(w.commun(), out, "commun-" + lang);
    w.commun()->hide();

    frmToolCom ports(w.cps(), w.port(), &w);
    ports.show();
    save(&ports, out, "portdialog-" + lang);
    ports.hide();

    frmCustomFre custom(&w);
    custom.show();
    save(&custom, out, "customfre-" + lang);
    custom.hide();

    w.showRadioInfo();
    save(&w, out, "radioinfo-" + lang);
    return 0;
}
