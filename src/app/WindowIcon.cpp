#include "app/WindowIcon.h"

#include <QApplication>
#include <QIcon>

// Resources compiled into a static library are registered by hand.
static void registerIconResources() {
#ifdef BRENVIK_WINDOW_ICON_RESOURCES
    Q_INIT_RESOURCE(window_icon);
#endif
}

void applyWindowIcon() {
    registerIconResources();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/brenvik-cps-%1.png").arg(size), QSize(size, size));
    if (icon.availableSizes().isEmpty())
        icon = QIcon::fromTheme(QStringLiteral("brenvik-cps"));
    QApplication::setWindowIcon(icon);
}
