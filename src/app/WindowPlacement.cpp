#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

namespace placement {

namespace {
constexpr const char *kSection = "Window";
constexpr const char *kKey = "MainWindow";
} // namespace

QString toText(const Placement &p) {
    const QRect &g = p.geometry;
    return QStringLiteral("%1,%2,%3,%4,%5")
        .arg(g.x())
        .arg(g.y())
        .arg(g.width())
        .arg(g.height())
        .arg(p.maximised ? 1 : 0);
}

Placement fromText(const QString &text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 5)
        return {};
    int v[5];
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return {};
    }
    if (v[2] <= 0 || v[3] <= 0)
        return {};
    return {QRect(v[0], v[1], v[2], v[3]), v[4] != 0};
}

Placement choose(const Placement &saved, const QList<QRect> &available) {
    if (available.isEmpty())
        return {QRect(QPoint(0, 0), kDesignSize), false};
    for (const QRect &screen : available)
        if (saved.geometry.isValid() && screen.contains(saved.geometry))
            return saved;
    const QRect screen = available.first();
    if (kDesignSize.width() > screen.width() || kDesignSize.height() > screen.height()) {
        // Too small for the design size: maximised, and the whole screen also
        // when a desktop without a window manager cannot maximise.
        return {screen, true};
    }
    QRect g(QPoint(0, 0), kDesignSize);
    g.moveCenter(screen.center());
    return {g, false};
}

void restore(QWidget &w, const cps::IniFile &ini) {
    QList<QRect> available;
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (primary)
        available << primary->availableGeometry();
    for (const QScreen *s : QGuiApplication::screens())
        if (s != primary)
            available << s->availableGeometry();
    const Placement saved = fromText(QString::fromStdString(ini.read(kSection, kKey, "", 64)));
    const Placement p = choose(saved, available);
    w.setGeometry(p.geometry);
    if (p.maximised)
        w.setWindowState(w.windowState() | Qt::WindowMaximized);
}

void remember(const QWidget &w, const cps::IniFile &ini) {
    const Placement p{w.normalGeometry().isValid() ? w.normalGeometry() : w.geometry(),
                      w.isMaximized()};
    const std::string text = toText(p).toStdString();
    if (ini.read(kSection, kKey, "", 64) != text)
        ini.write(kSection, kKey, text);
}

constexpr const char *kErrorLogKey = "ErrorLog";
constexpr int kErrorLogDefault = 72; // the title and the newest entry's two lines
constexpr int kErrorLogLeast = 48;

int errorLogHeight(const cps::IniFile &ini) {
    const int saved = QString::fromStdString(ini.read(kSection, kErrorLogKey, "", 16)).toInt();
    return saved >= kErrorLogLeast ? saved : kErrorLogDefault;
}

void rememberErrorLogHeight(int height, const cps::IniFile &ini) {
    const std::string text = std::to_string(height);
    if (height >= kErrorLogLeast && ini.read(kSection, kErrorLogKey, "", 16) != text)
        ini.write(kSection, kErrorLogKey, text);
}

} // namespace placement
