// The file commands of the main window: New, Open, Save, Save As and the
// writing of the data file.
#include "editors/Dialogs.h"
#include "app/mdifrmMain.h"
#include "app/QtText.h"
#include "core/DataFile.h"
#include "core/Plan.h"
#include "editors/PlanHistory.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString editWord(const cps::Cps &c, int entry) { return stepName(q(c.text(entry))); }
} // namespace

namespace {
// Message `text` followed by the file it is about, so the user knows which one.
QString aboutFile(const cps::Cps &c, int text, const QString &path) {
    return path.isEmpty() ? q(c.text(text))
                          : q(c.text(text)) + QLatin1Char('\n') + QDir::toNativeSeparators(path);
}

// Runs a file command; on failure logs `place` and shows message `text` (if
// any) naming `*path` when the command got that far.
void fileCommand(mdifrmMain *w, const char *place, int text, const std::function<void()> &body,
                 const QString *path = nullptr) {
    auto &c = w->cps();
    try {
        body();
    } catch (const std::exception &e) {
        c.log().runtimeError(place, cps::errorNumberOf(e), "BrenvikCPS");
        if (text >= 0)
            cps::dialogs().message(w, aboutFile(c, text, path ? *path : QString()), q(c.text(70)),
                                   QMessageBox::Critical, QMessageBox::Ok);
    }
}
} // namespace

void mdifrmMain::NewFile() {
    fileCommand(this, "mdifrmMain->NewFile", -1, [&] {
        if (!confirmDropping(74)) return;
        planFromFile_ = false;
        c_.CurFilePath = c_.DefFilePath;
        showFilePath();
        history_->command(editWord(c_, 21), [&] { cps::NewFileSol(c_); });
        history_->markClean(); // a fresh plan holds nothing to lose
    });
}

void mdifrmMain::OpenFile() {
    if (!confirmUnsaved()) return;
    const QString dir = QFileInfo(q(c_.CurFilePath)).absolutePath();
    const QString path = cps::dialogs().openFile(this, dir, cps::dataFileFilter());
    if (!path.isEmpty()) openPlanFile(path);
}

void mdifrmMain::openPlanFile(const QString &path) {
    fileCommand(this, "mdifrmMain->OpenFile", 83, [&] {
        // Read into a scratch buffer first: a short or unreadable file leaves the
        // plan in memory exactly as it was.
        auto bytes = cps::readDataFile(path.toStdString(), c_.IicDat.size());
        if (!bytes) cps::raise(cps::err::InputPastEnd);
        history_->command(editWord(c_, 22), [&] {
            c_.IicDat = cps::fileBytesToImage(*bytes, c_.IicDat.size());
            cps::SoftDisplay(c_);
        });
        history_->markClean();
        planFromFile_ = true;
        c_.CurFilePath = path.toStdString();
        showFilePath();
    }, &path);
}

void mdifrmMain::SaveFile() {
    fileCommand(this, "mdifrmMain->SaveFile", 84, [&] {
        activateWindow();
        const auto answer = cps::dialogs().message(this, q(c_.text(82)), q(c_.text(70)),
                                                   QMessageBox::Question,
                                                   QMessageBox::Yes | QMessageBox::No);
        if (answer == QMessageBox::Yes) SaveAsFile();
    });
}

void mdifrmMain::SaveAsFile() {
    fileCommand(this, "mdifrmMain->SaveAsFile", 86, [&] {
        const QString dir = QFileInfo(q(c_.CurFilePath)).absolutePath();
        const QString path =
            cps::dialogs().saveFile(this, dir, cps::dataFileFilter(), QStringLiteral("dat"));
        if (path.isEmpty()) return;
        c_.CurFilePath = path.toStdString();
        SaveDatFile();
    });
}

void mdifrmMain::SaveDatFile() {
    bool failed = false;
    fileCommand(this, "mdifrmMain->SaveDatFile", -1, [&] {
        failed = true;
        cps::SetConvIicDat(c_);
        // Written atomically: a failed save never damages the previous file, and
        // the file is always exactly the image's length.
        cps::writeFileAtomically(c_.CurFilePath, cps::imageToFileBytes(c_.IicDat));
        history_->markClean();
        planFromFile_ = true;
        showFilePath();
        failed = false;
    });
    if (failed) {
        showFilePath();
        cps::dialogs().message(this, aboutFile(c_, 86, q(c_.CurFilePath)), q(c_.text(70)),
                               QMessageBox::Critical, QMessageBox::Ok);
    }
}


bool mdifrmMain::confirmUnsaved() {
    if (!history_->modified()) return true;
    const auto answer = cps::dialogs().message(
        this, aboutFile(c_, 560, planFromFile_ ? q(c_.CurFilePath) : QString()), q(c_.text(70)),
        QMessageBox::Warning, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Discard) return true;
    if (answer != QMessageBox::Save) return false;
    SaveAsFile();
    // A cancelled or failed save keeps the plan and the command waits.
    return !history_->modified();
}

QString mdifrmMain::fileToReopen() const {
    const QString path = q(c_.CurFilePath);
    return planFromFile_ && QFileInfo(path).isFile() ? path : QString();
}

bool mdifrmMain::confirmDropping(int question) {
    // An edited plan gets Save / Discard / Cancel instead: its answer already
    // says what happens to the plan.
    if (history_->modified()) return confirmUnsaved();
    return cps::dialogs().message(this, q(c_.text(question)), q(c_.text(70)),
                                  QMessageBox::Question,
                                  QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
