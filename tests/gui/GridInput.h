#pragma once
// Keys and wheel notches delivered as a user's are: a key to the widget that
// has the focus (through the shortcut map first), a wheel notch to the
// innermost widget under the pointer as the window system delivers it, so
// that a widget leaving the wheel passes it on to its parent.
#include <QApplication>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace testsupport {

inline void pressKey(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget *target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "no widget has the focus";
    QTest::keyClick(target, static_cast<Qt::Key>(key), mods);
    QCoreApplication::processEvents();
}

// Notches at `pos` of `over`; negative: towards the user (scrolling down).
inline void wheelAt(QWidget *over, QPoint pos, int notches) {
    QWidget *top = over->window();
    const QPoint global = over->mapToGlobal(pos);
    QWidget *target = top->childAt(top->mapFromGlobal(global));
    ASSERT_NE(target, nullptr) << "no widget under the pointer";
    for (int i = 0; i < std::abs(notches); ++i) {
        QWheelEvent e(target->mapFromGlobal(global), global, QPoint(),
                      QPoint(0, notches > 0 ? 120 : -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&e);
        qApp->notify(target, &e);
        QCoreApplication::processEvents();
    }
}

} // namespace testsupport
