// The custom band dialog, opened from the band selector's last entry.
#include "ChMemFixture.h"

#include "editors/PlanHistory.h"
#include "editors/UndoHistory.h"
#include "editors/frmCustomFre.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

class CustomFre : public ChMemFixture {
  protected:
    void SetUp() override {
        frmCustomFre::mstrFreMin.clear();
        frmCustomFre::mstrFreMax.clear();
        ChMemFixture::SetUp();
    }

    struct Opened {
        QString min, max, title; // what the dialog showed when it opened
    };
    // Chooses "Custom" in the band selector and answers the dialog by typing
    // the two limits and pressing OK (or Cancel).
    Opened chooseCustom(const QString &min, const QString &max, bool ok = true) {
        Opened opened;
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<frmCustomFre *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen = true;
            opened = {dialog->txtFreMin->text(), dialog->txtFreMax->text(), dialog->windowTitle()};
            for (QLineEdit *box : {dialog->txtFreMin, dialog->txtFreMax}) {
                box->selectAll();
                QTest::keyClick(box, Qt::Key_Backspace);
            }
            QTest::keyClicks(dialog->txtFreMin, min);
            QTest::keyClicks(dialog->txtFreMax, max);
            (ok ? dialog->cmdOK : dialog->cmdCancel)->click();
        });
        chooseBand(14);
        EXPECT_TRUE(seen) << "the custom range dialog did not open";
        return opened;
    }
    std::array<uint8_t, 4> bandBytes() {
        return {c().IicDat[0x37A], c().IicDat[0x37B], c().IicDat[0x37C], c().IicDat[0x37D]};
    }
};

TEST_F(CustomFre, AcceptedAndRejectedRanges) {
    struct Case {
        const char *min, *max;
        int32_t low, high;
        const char *keptMin, *keptMax, *caption;
    } cases[] = {
        {"136", "174", 13600000, 17400000, "136", "174", "Custom  136 - 174 MHz"},
        {"430", "430", 43000000, 43000000, "430", "430", "Custom  430 - 430 MHz"},
        {"120", "520.00000", 12000000, 52000000, "120", "520.00000", "Custom  120 - 520 MHz"},
        {"119.99999", "174", 12000000, 52000000, "120", "520", "Custom  120 - 520 MHz"},
        {"136", "520.00001", 12000000, 52000000, "120", "520", "Custom  120 - 520 MHz"},
        {"470", "400", 12000000, 52000000, "120", "520", "Custom  120 - 520 MHz"},
        {"abc", "174", 12000000, 52000000, "120", "520", "Custom  120 - 520 MHz"},
        {"1e30", "174", 12000000, 52000000, "120", "520", "Custom  120 - 520 MHz"},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.min);
        dialogs.asked.clear();
        chooseCustom(k.min, k.max);
        EXPECT_EQ(c().bandLow, k.low);
        EXPECT_EQ(c().bandHigh, k.high);
        EXPECT_EQ(frmCustomFre::mstrFreMin, k.keptMin);
        EXPECT_EQ(frmCustomFre::mstrFreMax, k.keptMax);
        EXPECT_EQ(ch->windowTitle(), k.caption);
        // The only message is the question; a rejection is silent.
        EXPECT_EQ(dialogs.asked, QStringList{"All data will be cleared,continue?"});
    }
}

TEST_F(CustomFre, AcceptedRangeIsWrittenAndClampsLaterEntries) {
    c().CurFilePath = "/somewhere/else.dat";
    const Opened first = chooseCustom("136", "174");
    EXPECT_EQ(first.min, "120");
    EXPECT_EQ(first.max, "520");
    EXPECT_EQ(first.title, "Custom");
    EXPECT_EQ(bandBytes(), (std::array<uint8_t, 4>{0x13, 0x60, 0x17, 0x40}));
    EXPECT_EQ(c().CurFilePath, c().DefFilePath);
    EXPECT_EQ(w->panel(3), "File Name:" + QString::fromStdString(c().DefFilePath));

    w->mnuDelAll_Click();
    enterCell(1, 1, "180");
    EXPECT_EQ(field(1, cps::field::Rx), 17400000);

    // The typed texts come back at the next opening; a rejection shows 120/520 next.
    EXPECT_EQ(chooseCustom("470", "400").min, "136");
    const Opened third = chooseCustom("136", "174");
    EXPECT_EQ(third.min, "120");
    EXPECT_EQ(third.max, "520");
}

// No or Escape at "All data will be cleared,continue?" leaves the plan, the
// band and the file as they were, as a fixed band's No does; asked through the
// real question box, answered with the mouse or the keyboard.
TEST_F(CustomFre, NoOrEscapeAtTheQuestionChangesNothing) {
    const std::pair<const char *, std::function<void(QMessageBox *)>> answers[] = {
        {"No", [](QMessageBox *q) { q->button(QMessageBox::No)->click(); }},
        {"Escape", [](QMessageBox *q) { QTest::keyClick(q, Qt::Key_Escape); }},
    };
    chooseBand(7); // 400 - 470 MHz
    enterCell(2, 1, "450.125");
    c().CurFilePath = "/somewhere/else.dat";
    const auto plan = chmem::capturePlan(c());
    const auto bytes = bandBytes();
    const int steps = w->history().undoCount();
    const QString title = ch->windowTitle();
    for (const auto &[name, answer] : answers) {
        SCOPED_TRACE(name);
        cps::setDialogs(nullptr); // the real question box
        QString asked;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<frmCustomFre *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->txtFreMin->setText("440");
            dialog->txtFreMax->setText("480");
            QTimer::singleShot(0, [&] {
                auto *question = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                ASSERT_NE(question, nullptr);
                asked = question->text();
                answer(question);
            });
            dialog->cmdOK->click();
        });
        chooseBand(14);
        cps::setDialogs(&dialogs);
        EXPECT_EQ(asked, "All data will be cleared,continue?");
        EXPECT_TRUE(chmem::capturePlan(c()) == plan);
        EXPECT_EQ(cell(2, 1), "450.12500");
        EXPECT_EQ(c().bandLow, 40000000);
        EXPECT_EQ(c().bandHigh, 47000000);
        EXPECT_EQ(bandBytes(), bytes);
        EXPECT_EQ(ch->cboFrequency->currentIndex(), 7);
        EXPECT_EQ(ch->windowTitle(), title);
        EXPECT_EQ(c().CurFilePath, "/somewhere/else.dat");
        EXPECT_EQ(w->history().undoCount(), steps);
        EXPECT_EQ(frmCustomFre::mstrFreMin, "120"); // the typed texts are not kept
    }
    // Yes still clears the plan and takes the range.
    chooseCustom("440", "480");
    EXPECT_EQ(c().bandLow, 44000000);
    EXPECT_EQ(c().bandHigh, 48000000);
    EXPECT_EQ(cell(2, 1), "446.01875"); // the default plan
    EXPECT_EQ(c().CurFilePath, c().DefFilePath);
}

// Cancel changes nothing: not the limits, not the band, not the plan (going on
// with the limits in force would clear the plan without a question).
TEST_F(CustomFre, CancelKeepsThePlanAndTheBand) {
    chooseBand(3); // 150 - 174 MHz
    enterCell(1, 1, "151.625");
    const auto image = c().IicDat;
    const auto table = c().ch.ChInfo;
    dialogs.asked.clear();
    chooseCustom("200", "300", false);
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_EQ(c().bandLow, 15000000);
    EXPECT_EQ(c().bandHigh, 17400000);
    EXPECT_EQ(ch->cboFrequency->currentIndex(), 3);
    EXPECT_EQ(ch->windowTitle(), "150 - 174 MHz");
    EXPECT_EQ(c().IicDat, image);
    EXPECT_EQ(c().ch.ChInfo, table);
    EXPECT_EQ(cell(1, 1), "151.62500");
    EXPECT_EQ(frmCustomFre::mstrFreMin, "120"); // the typed texts are not kept
}
