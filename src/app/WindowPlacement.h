#pragma once
// The main window's size and place: the last one the user left, when it still
// fits a screen; otherwise the design size centred, or maximised on a screen
// smaller than that (a 1366x768 laptop). Kept in the settings file under a key
// of our own, [Window] MainWindow = x,y,width,height,maximised.
#include "core/Ini.h"

#include <QList>
#include <QRect>
#include <QString>

class QWidget;

namespace placement {

inline constexpr QSize kDesignSize{1280, 800};

struct Placement {
    QRect geometry; // the normal (not maximised) geometry
    bool maximised = false;
};

QString toText(const Placement &p);
// Invalid text gives an empty geometry.
Placement fromText(const QString &text);

// Where a window goes on screens with these available areas: `saved` when it
// lies on one of them, else the design size (maximised when it does not fit).
Placement choose(const Placement &saved, const QList<QRect> &available);

// Applies the choice to `w` before it is shown.
void restore(QWidget &w, const cps::IniFile &ini);
// Writes the placement of `w`, only when it changed.
void remember(const QWidget &w, const cps::IniFile &ini);

// The error log pane's height: the last one the user left, else a few lines,
// so that at 1366x768 the grid still shows all 16 channels. [Window] ErrorLog.
int errorLogHeight(const cps::IniFile &ini);
// Writes the pane's height, only when it changed.
void rememberErrorLogHeight(int height, const cps::IniFile &ini);

} // namespace placement
