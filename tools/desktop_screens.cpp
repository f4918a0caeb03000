// Screenshots of the whole virtual screen as a user sees the tool on it:
//   brenvik-desktop-screens PROGRAM_DIR LANG OUT_DIR TAG
// writes OUT_DIR/{main,message-box,open-dialog,help,nonstandard-tone,
// unsaved-question,print-preview,error-log,channel-list-preview}-TAG.png: the main window as it
// opens, File > New's Yes/No question, the open dialog, the help window, a
// decode tone that is not a standard one (88.0) marked in the grid, the Save /
// Discard / Cancel question of New over that edit, the print preview, and the
// error log pane beside the grid, and the preview of a channel list before its
// import (channel-list-preview), and the port dialog with an unplugged cable's reason
// (port-dialog), the port dialog with a cable's facts (port-dialog-facts), the
// production line window (production-line), the same window during a run on
// four virtual radios (production-line-run), and the History window (history).
// PROGRAM_DIR is a copy of the program folder (its settings get
// Language=LANG and FirRun=0). Run under xvfb-run -s "-screen 0 1280x800x24".
#include "app/WindowIcon.h"
#include "app/mdifrmMain.h"
#include "comm/RadioRecord.h"
#include "core/Ini.h"
#include "editors/ChannelListPreview.h"
#include "editors/frmChMem.h"
#include "comm/SerialDeviceList.h"
#include "editors/frmProductionLine.h"
#include "editors/frmToolCom.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QToolTip>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace {

void settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

void grabScreen(const QString &path) {
    settle();
    QGuiApplication::primaryScreen()->grabWindow(0).save(path);
}

// Runs `open` (which shows a modal window), grabs the screen while it is up,
// then closes it with Escape's effect.
void grabModal(const QString &path, const std::function<void()> &open) {
    QTimer::singleShot(500, [path] {
        grabScreen(path);
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    open();
}

// A PMR446 list as a club would share it, with the kinds of row the preview
// tells apart: outside the band, a mode the radio cannot do, a location twice.
std::string sampleChannelList() {
    std::string text = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                       "DtcsPolarity,Mode,Power,Comment\n";
    const char *tones[] = {",88.5,88.5,023,NN", "Tone,67.0,88.5,023,NN", "TSQL,88.5,94.8,023,NN",
                           "DTCS,88.5,88.5,754,NN"};
    for (int n = 1; n <= 16; ++n) {
        char freq[16];
        std::snprintf(freq, sizeof freq, "%.5f",
                      n <= 8 ? 446.00625 + 0.0125 * (n - 1) : 446.10625 + 0.0125 * (n - 9));
        text += std::to_string(n) + ",PMR " + std::to_string(n) + "," + freq + ",,0.000000," +
                tones[n % 4] + ",NFM,0.5W,\n";
    }
    text += "17,Calling,145.50000,,0.000000,,88.5,88.5,023,NN,FM,5.0W,2 m\n"
            "18,Tower,446.10000,,0.000000,,88.5,88.5,023,NN,AM,5.0W,\n"
            "3,PMR 3b,446.03125,,0.000000,,88.5,88.5,023,NN,NFM,0.5W,\n"
            "19,Club,446.19375,,0.000000,TSQL,88.5,123.0,023,NN,NFM,0.5W,\n";
    return text;
}

// A virtual radio beside this program on COM `com`; its options make the row
// it lands on show one state or another.
std::unique_ptr<QProcess> plugRadio(cps::IniFile &ini, int com, const QStringList &args) {
    auto sim = std::make_unique<QProcess>();
    sim->start(QCoreApplication::applicationDirPath() + QStringLiteral("/brenvik-radio-sim"), args);
    QByteArray line;
    while (!line.endsWith('\n') && sim->waitForReadyRead(5000))
        line += sim->readLine();
    ini.write("Ports", std::to_string(com), QString::fromLocal8Bit(line).trimmed().toStdString());
    return sim;
}

// The production line during a run, on four virtual radios: one passed, one
// failed at its verify, one being written at 9600 baud, one cable waiting.
void grabLineRun(mdifrmMain &w, cps::IniFile &ini, const QString &path) {
    std::vector<std::unique_ptr<QProcess>> radios;
    radios.push_back(plugRadio(ini, 1, {}));
    radios.push_back(plugRadio(ini, 2, {"--ignore-writes", "0010"}));
    radios.push_back(plugRadio(ini, 3, {"--wire-timing"}));
    radios.push_back(plugRadio(ini, 4, {"--silent"}));
    ini.write("ProductionLine", "Cables", "1,2,3,4");
    w.showProductionLine();
    frmProductionLine *line = w.productionLine();
    line->chkVerify->setChecked(true);
    line->chkSound->setChecked(false);
    line->txtBackupFolder->clear();
    line->txtLogFile->clear();
    // Start asks: Yes to writing the plan's non-standard tone (set above), and
    // the operator's name, as typed.
    QTimer answer;
    answer.setInterval(300);
    QObject::connect(&answer, &QTimer::timeout, [] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            if (QAbstractButton *yes = box->button(QMessageBox::Yes))
                yes->click();
        } else if (auto *ask = qobject_cast<QInputDialog *>(modal)) {
            ask->setTextValue(QStringLiteral("Lin"));
            ask->accept();
        }
    });
    answer.start();
    line->startLine();
    answer.stop();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000) // the written radio is about half way by then
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    grabScreen(path);
    line->stopLine(); // the radio being written is finished first
    while (line->running() && t.elapsed() < 30000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    line->close();
    for (auto &radio : radios) {
        radio->terminate();
        radio->waitForFinished(5000);
    }
    w.activateWindow();
}

// A few more days of the bench in the record, beside the run above.
void fillHistory(const cps::Cps &c) {
    const QString db = QString::fromStdString(c.files.historyDatabase);
    const QDateTime now = QDateTime::currentDateTime();
    for (int i = 1; i <= 30; ++i) {
        cps::RecordEntry r;
        r.time = now.addSecs(-i * 1700);
        r.port = QStringLiteral("COM%1").arg(i % 3 + 1);
        r.plan = i < 20 ? QStringLiteral("club-pmr446.dat") : QStringLiteral("site-b.dat");
        r.planSha256 = QString(64, QLatin1Char('0'));
        r.ident = QByteArray::fromHex(i % 7 == 0 ? "5a5257" : "5a2328");
        r.pass = i % 9 != 4;
        if (!r.pass) {
            r.failedStep = QStringLiteral("verify");
            r.message = QStringLiteral("Verify failed at address 0010");
        }
        r.durationMs = 11600 + (i * 37) % 300;
        r.operatorName = i < 12 ? QStringLiteral("Lin") : QStringLiteral("Chen");
        cps::appendRecord(c, db, r);
    }
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    applyWindowIcon(); // the menu bar shows the maximised channel window's icon
    if (argc != 5)
        return 2;
    const QString folder = argv[1], lang = argv[2], out = argv[3], tag = argv[4];
    QDir().mkpath(out);
    cps::IniFile ini(QDir(folder).filePath("selvarn.exe").toStdString());
    ini.write("Setting", "FirRun", "0");
    ini.write("Setting", "Language", lang.toStdString());

    mdifrmMain w(folder);
    if (!w.MDIForm_Load())
        return 1;
    w.show();
    auto file = [&](const char *what) { return out + "/" + what + "-" + tag + ".png"; };
    grabScreen(file("main"));
    grabModal(file("message-box"), [&] { w.NewFile(); });
    grabModal(file("open-dialog"), [&] { w.OpenFile(); });
    w.Help();
    grabScreen(file("help"));
    if (QWidget *help = QApplication::activeWindow(); help && help != &w)
        help->close();
    w.activateWindow();

    frmChMem *ch = w.chMem();
    ch->vsfgGridCh_Click(1, 3);
    ch->cboGridChCtdcs->setEditText(QStringLiteral("88"));
    ch->cboGridChCtdcs_LostFocus(Qt::MouseFocusReason);
    ch->vsfgGridCh_Click(2, 1);
    grabScreen(file("nonstandard-tone"));
    grabModal(file("unsaved-question"), [&] { w.NewFile(); });
    grabModal(file("print-preview"), [&] { w.showPrintPreview(); });
    w.cps().log().runtimeError("frmChMem->vsfgGridCh_AfterEdit", 6, "BrenvikCPS");
    grabScreen(file("error-log"));
    grabModal(file("channel-list-preview"), [&] {
        ChannelListPreview preview(w.cps(), sampleChannelList(), &w);
        preview.table()->setCurrentCell(16, 0); // a refused row: its reason shows
        preview.exec();
    });
    // The port dialog with a cable that is not plugged in: its COM number is
    // kept and the reason shows beside the choices.
    ini.write("Ports", "2", "/dev/ttyUSB7");
    grabModal(file("port-dialog"), [&] { w.showPortDialog(); });
    // The port dialog with a programming cable plugged in: its chip beside the
    // path, and the facts the system knows of it in the tooltip. A virtual
    // machine has no USB cable, so the facts are handed in; the path is real
    // when /dev/ttyUSB0 exists (a link to a virtual radio's terminal).
    ini.write("Ports", "3", "/dev/ttyUSB0");
    grabModal(file("port-dialog-facts"), [&] {
        frmToolCom dialog(w.cps(), w.port(), &w);
        dialog.listDevices = [] {
            return std::vector<cps::SerialDeviceFacts>{cps::parseSerialDeviceLine(
                QStringLiteral("/dev/ttyUSB0\tUSB Serial\tQinHeng Electronics\t1a86:7523\tA1B2C3"))};
        };
        // Shown again just before the grab: the dialog's activation hides it.
        for (int ms : {300, 600, 800, 850})
            QTimer::singleShot(ms, &dialog, [&dialog] {
                QLabel *label = dialog.deviceLabels[2];
                QCursor::setPos(label->mapToGlobal(QPoint(20, label->height() / 2)));
                QToolTip::showText(label->mapToGlobal(QPoint(8, label->height())),
                                   label->toolTip(), label);
            });
        dialog.exec();
    });
    w.showProductionLine();
    grabScreen(file("production-line"));
    if (QWidget *line = QApplication::activeWindow(); line && line != &w)
        line->close();
    grabLineRun(w, ini, file("production-line-run"));
    fillHistory(w.cps());
    w.showHistory();
    grabScreen(file("history"));
    w.cps().QuietExit = true;
    w.close();
    return 0;
}
