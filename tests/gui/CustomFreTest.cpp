// The custom band dialog, opened from the band selector's last entry.
#include "ChMemFixture.h"

#include "editors/frmCustomFre.h"

#include <QLineEdit>
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

TEST_F(CustomFre, AnsweringNoStillAppliesTheRange) {
    c().CurFilePath = "/somewhere/else.dat";
    dialogs.answers.push_back(QMessageBox::No);
    chooseCustom("150.5", "160");
    EXPECT_EQ(c().bandLow, 15050000);
    EXPECT_EQ(c().bandHigh, 16000000);
    EXPECT_EQ(c().CurFilePath, "/somewhere/else.dat");
    EXPECT_EQ(bandBytes(), (std::array<uint8_t, 4>{0x15, 0x05, 0x16, 0x00}));
    EXPECT_EQ(ch->windowTitle(), "Custom  150 - 160 MHz");
}

TEST_F(CustomFre, CancelKeepsTheLimitsInForce) {
    chooseBand(3); // 150 - 174 MHz
    dialogs.asked.clear();
    chooseCustom("200", "300", false);
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_EQ(c().bandLow, 15000000);
    EXPECT_EQ(c().bandHigh, 17400000);
    EXPECT_EQ(ch->cboFrequency->currentIndex(), 14);
    EXPECT_EQ(ch->windowTitle(), "Custom  150 - 174 MHz");
    EXPECT_EQ(frmCustomFre::mstrFreMin, "120"); // the typed texts are not kept
}
