#pragma once
// A real main window on a private program folder, with helpers that drive the
// channel grid the way a user does: clicks on cells, keys into the editor.
#include "app/frmShowErr.h"
#include "app/mdifrmMain.h"
#include "core/ChannelCodec.h"
#include "core/Cps.h"
#include "editors/ChMemGrid.h"
#include "editors/frmChMem.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class ChMemFixture : public ::testing::Test {
  protected:
    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<mdifrmMain> w;
    frmChMem *ch = nullptr;
    ChGrid *grid = nullptr;

    // Settings written before the start-up (a test's own layout, language, ...).
    virtual void prepareFolder() {}

    void SetUp() override {
        folder.set("Language", "3");
        prepareFolder();
        w = std::make_unique<mdifrmMain>(folder.path());
        ASSERT_TRUE(w->MDIForm_Load());
        w->resize(1400, 900);
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        ch = w->chMem();
        ASSERT_NE(ch, nullptr);
        grid = static_cast<ChGrid *>(ch->vsfgGridCh);
    }

    void TearDown() override {
        if (w) {
            w->cps().QuietExit = true;
            w->close();
        }
    }

    cps::Cps &c() { return w->cps(); }
    int32_t field(int row, int f) { return c().ch.ChInfo.at(row).at(f); }
    QString cell(int row, int col) { return grid->text(row, col); }
    QString none() { return QString::fromStdString(c().noneText); }
    // Runs queued work (an editor commits on Enter through a queued call) and
    // deletes closed editors.
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The user picks a band in the band selector.
    void chooseBand(int index) {
        ch->cboFrequency->setCurrentIndex(index);
        emit ch->cboFrequency->activated(index);
        settle();
    }
    // Band 136-174 MHz with every channel deleted: empty rows to work on.
    void startEmpty136() {
        chooseBand(1);
        w->mnuDelAll_Click();
    }

    QPoint centre(int row, int col) {
        grid->scrollToItem(grid->cell(row, col));
        return grid->cellRect(row, col).center();
    }
    // A key to the widget with the focus (the window when none has it).
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : w.get();
        QTest::keyClick(target, static_cast<Qt::Key>(k), mods);
        settle();
    }
    // A mouse drag over cells, from (r1, c1) to (r2, c2).
    void dragCells(int r1, int c1, int r2, int c2) {
        QWidget *vp = grid->viewport();
        QTest::mousePress(vp, Qt::LeftButton, {}, centre(r1, c1));
        QMouseEvent move(QEvent::MouseMove, centre(r2, c2), vp->mapToGlobal(centre(r2, c2)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &move);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, centre(r2, c2));
        settle();
        grid->setFocus();
    }
    // Mouse events go to the widget under the point, as a real mouse's do: an
    // open editor or the signalling box covers its cell.
    QWidget *widgetAt(QPoint viewportPos, QPoint &local) {
        QWidget *viewport = grid->viewport();
        QWidget *child = viewport->childAt(viewportPos);
        QWidget *target = child && child->isVisible() ? child : viewport;
        local = target->mapFrom(viewport, viewportPos);
        return target;
    }
    void clickCell(int row, int col, Qt::MouseButton button = Qt::LeftButton) {
        QPoint local;
        QWidget *target = widgetAt(centre(row, col), local);
        QTest::mouseClick(target, button, {}, local);
        settle();
    }
    void doubleClickCell(int row, int col) {
        clickCell(row, col);
        QPoint local;
        QWidget *target = widgetAt(centre(row, col), local);
        QTest::mouseDClick(target, Qt::LeftButton, {}, local);
        QTest::mouseRelease(target, Qt::LeftButton, {}, local);
        settle();
    }
    // Types into the open in-place editor (replacing its text) and presses Enter.
    void typeIntoEditor(const QString &text) {
        QWidget *editor = grid->openEditor;
        ASSERT_NE(editor, nullptr) << "no editor open";
        if (text.isEmpty())
            QTest::keyClick(editor, Qt::Key_Backspace);
        else
            QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
    }
    void enterCell(int row, int col, const QString &text) {
        clickCell(row, col);
        typeIntoEditor(text);
    }
    // Types into the floating signalling box and leaves it with Enter.
    void typeIntoCtdcsBox(const QString &text) {
        QComboBox *box = ch->cboGridChCtdcs;
        ASSERT_TRUE(box->isVisible()) << "signalling box not open";
        box->lineEdit()->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
        settle();
    }
    QStringList errorLines() { return w->errorLog()->lines(); }
    // Keys as a user types them: each goes to the widget that has the focus.
    void typeKeys(const QString &keys) {
        for (const QChar ch : keys) {
            QWidget *target = QApplication::focusWidget();
            ASSERT_NE(target, nullptr) << "no widget has the focus";
            QTest::keyClicks(target, QString(ch));
            settle();
        }
    }
};
