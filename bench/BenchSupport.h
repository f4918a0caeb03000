#pragma once
// Shared by the window benchmarks: a private program folder (the build's files
// are never touched), message boxes answered without a user, and the median
// of timed rounds.
#include "app/Dialogs.h"
#include "core/Ini.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

// Copies of the settings file and the default image, past the first start,
// in English.
class ProgramFolder {
  public:
    ProgramFolder() {
        for (const char *name : {"selvarn.exe", "dhcpqec.exe"})
            QFile::copy(QStringLiteral(BRENVIK_PROGRAM_DIR "/") + name, dir.filePath(name));
        QFile::setPermissions(dir.filePath("selvarn.exe"), QFile::ReadOwner | QFile::WriteOwner);
        const cps::IniFile ini(dir.filePath("selvarn.exe").toStdString());
        ini.write("Setting", "FirRun", "0");
        ini.write("Setting", "Language", "3");
    }
    QString path() const { return dir.path(); }
    QTemporaryDir dir;
};

// Answers Yes (or OK) to every message box; counts them, as none is expected.
class SilentDialogs : public cps::Dialogs {
  public:
    SilentDialogs() { cps::setDialogs(this); }
    ~SilentDialogs() override { cps::setDialogs(nullptr); }
    QMessageBox::StandardButton message(QWidget *, const QString &, const QString &,
                                        QMessageBox::Icon,
                                        QMessageBox::StandardButtons buttons) override {
        ++shown;
        return buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    }
    int shown = 0;
};

// Runs pending events, including deferred deletes.
inline void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Median milliseconds of `rounds` runs of `round(r)`; each round ends with the
// pending events (repaints included) processed, as the user waits for them.
inline double medianMs(int rounds, const std::function<void(int)> &round) {
    std::vector<double> ms;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        round(r);
        settle();
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace bench
