#pragma once
// A memory data view over a fresh plan (default image, English texts), with
// helpers that read cells and type into them as a user does.
#include "core/Cps.h"
#include "editors/MemDatText.h"
#include "editors/frmMemDat.h"
#include "support/ProgramFolder.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

class MemDatFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        testsupport::initCps(c, folder, 3, &sink);
        view = std::make_unique<frmMemDat>(c);
        view->SetGridMemDat();
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    QString cell(int address) const { return view->cellAt(address)->text(); }
    bool isRed(int address) const {
        const QVariant fg = view->cellAt(address)->data(Qt::ForegroundRole);
        return fg.isValid() && fg.value<QBrush>().color() == QColor(255, 0, 0);
    }
    std::vector<int> redAddresses() const {
        std::vector<int> red;
        for (int a = 0; a <= 0x1FFF; ++a)
            if (isRed(a))
                red.push_back(a);
        return red;
    }
    // Opens the cell's editor, replaces its text and presses Enter.
    void type(int address, const QString &text) {
        QTableWidgetItem *item = view->cellAt(address);
        view->vsfgGridMemDat->setCurrentItem(item);
        view->vsfgGridMemDat->editItem(item);
        QLineEdit *editor = openEditor();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the delegate commits on the next turn
    }
    // The cell editor now open (a closed one lingers hidden until deleted).
    QLineEdit *openEditor() const {
        for (QLineEdit *e : view->vsfgGridMemDat->viewport()->findChildren<QLineEdit *>())
            if (e->isVisible())
                return e;
        return nullptr;
    }
    std::vector<std::string> places() const { return sink.places(); }

    testsupport::ProgramFolder folder;
    cps::CollectingSink sink;
    cps::Cps c;
    std::unique_ptr<frmMemDat> view;
};
