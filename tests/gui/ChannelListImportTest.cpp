// File > Import Channel List opens a preview of every row; OK enters the ticked
// rows as one undoable step, Cancel changes nothing. Export writes a list that
// imports back to the same channels.
#include "ChMemFixture.h"
#include "core/ChannelCodec.h"
#include "editors/ChannelListPreview.h"
#include "editors/PlanHistory.h"
#include "editors/UndoHistory.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <functional>

namespace {

struct ChannelListImport : ChMemFixture {
    chmem::PlanSnapshot state() { return chmem::capturePlan(c()); }

    QString writeList(const QString &name, const QString &text) {
        const QString path = folder.dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
        return path;
    }

    // A list in the common layout: locations 1 to 20 in 136-174 MHz, where
    // line 3 (location 2) is outside the band, line 4 (location 3) a mode
    // the radio cannot do and line 5 repeats location 1.
    QString longList() {
        QString text = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Mode\n"
                       "1,Base,145.50000,,0.000000,Tone,88.5,88.5,FM\n"
                       "2,Far,446.00625,,0.000000,,88.5,88.5,FM\n"
                       "3,Air,145.52500,,0.000000,,88.5,88.5,AM\n"
                       "1,Again,145.53750,,0.000000,,88.5,88.5,FM\n";
        for (int n = 4; n <= 20; ++n)
            text += QStringLiteral("%1,R%1,%2,,0.000000,,88.5,88.5,NFM\n")
                        .arg(n)
                        .arg(QString::number(146.0 + n * 0.0125, 'f', 5));
        return writeList("list.csv", text);
    }

    // Opens the import on `path` and hands the preview to `act`, which ends it
    // with keys; the import has finished when this returns.
    void importWith(const QString &path, const std::function<void(ChannelListPreview &)> &act) {
        dialogs.files = {path};
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto *preview = qobject_cast<ChannelListPreview *>(QApplication::activeModalWidget());
            ASSERT_NE(preview, nullptr);
            shown = true;
            act(*preview);
        });
        w->action("mnuImportChannelList")->trigger();
        settle();
        EXPECT_TRUE(shown);
    }

    // A key on the row table (Enter and Escape go on to the dialog from there).
    static void press(ChannelListPreview &p, int key) {
        QTest::keyClick(p.table(), static_cast<Qt::Key>(key));
    }
    static QStringList column(const ChannelListPreview &p, int col) {
        QStringList values;
        for (int r = 0; r < p.table()->rowCount(); ++r)
            values << p.table()->item(r, col)->text();
        return values;
    }
    static QList<bool> ticks(const ChannelListPreview &p) {
        QList<bool> values;
        for (int r = 0; r < p.table()->rowCount(); ++r)
            values << (p.table()->item(r, 0)->checkState() == Qt::Checked);
        return values;
    }
    QString rx(int n) { return QString::fromStdString(cps::mhzText5(field(n, cps::field::Rx))); }
};

TEST_F(ChannelListImport, PreviewShowsEveryRowTicksTheFirstThatFitAndCancelChangesNothing) {
    startEmpty136();
    const auto before = state();
    const std::size_t steps = w->history().undoCount();
    importWith(longList(), [](ChannelListPreview &p) {
        ASSERT_EQ(p.table()->rowCount(), 21);
        const int stateCol = p.table()->columnCount() - 1;
        const QStringList states = column(p, stateCol);
        EXPECT_EQ(states.mid(0, 5),
                  (QStringList{"fits", "outside the band", "not possible on this radio",
                               "duplicate", "fits"}));
        // Location 1 and 4-16 land on their own channels; 17-20 would pass
        // channel 16 and stay unticked.
        QList<bool> expected{true, false, false, false};
        for (int n = 4; n <= 20; ++n)
            expected << (n <= 16);
        EXPECT_EQ(ticks(p), expected);
        EXPECT_EQ(column(p, 0).mid(0, 6), (QStringList{"1", "", "", "", "4", "5"}));
        EXPECT_EQ(p.countLine()->text(), "14 of 16 channels, 3 rows refused");
        EXPECT_EQ(p.firstChannel()->value(), 1);
        // A refused row cannot be ticked.
        p.table()->setCurrentCell(1, 0);
        press(p, Qt::Key_Space);
        EXPECT_FALSE(ticks(p)[1]);
        press(p, Qt::Key_Escape);
    });
    EXPECT_EQ(state(), before);
    EXPECT_EQ(w->history().undoCount(), steps);
}

TEST_F(ChannelListImport, SpaceTicksFirstChannelMovesTheRowsAndOkIsOneUndoableStep) {
    startEmpty136();
    enterCell(1, 1, "150.00000"); // a channel the list does not fill
    const auto before = state();
    importWith(longList(), [](ChannelListPreview &p) {
        // Untick location 1: location 4 is now the first and lands on the
        // first channel; tick location 17 (table row 17) as well.
        p.table()->setCurrentCell(0, 0);
        press(p, Qt::Key_Space);
        p.table()->setCurrentCell(17, 0);
        press(p, Qt::Key_Space);
        EXPECT_EQ(p.countLine()->text(), "14 of 16 channels, 3 rows refused");
        EXPECT_EQ(p.table()->item(4, 0)->text(), "1");
        // First channel 3: locations 4-17 fill channels 3-16.
        QTest::keyClick(p.firstChannel(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(p.firstChannel(), "3");
        EXPECT_EQ(p.table()->item(4, 0)->text(), "3");
        EXPECT_EQ(p.table()->item(17, 0)->text(), "16");
        QTest::keyClick(p.firstChannel(), Qt::Key_Return); // Enter accepts from here too
    });
    EXPECT_EQ(rx(1), "150.00000"); // the other channels stay as they were
    EXPECT_EQ(field(2, cps::field::Rx), -1);
    EXPECT_EQ(rx(3), "146.05000");
    EXPECT_EQ(rx(16), "146.21250");
    EXPECT_EQ(cell(3, 1), "146.05000");

    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QWidget *focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : w.get(), Qt::Key_Z, Qt::ControlModifier);
    settle();
    EXPECT_EQ(state(), before);
    EXPECT_EQ(cell(3, 1), "");
}

TEST_F(ChannelListImport, ClearingTheOtherChannelsIsRememberedAndNothingTickedImportsNothing) {
    startEmpty136();
    enterCell(16, 1, "150.00000");
    importWith(longList(), [](ChannelListPreview &p) {
        EXPECT_FALSE(p.clearOthersBox()->isChecked());
        p.clearOthersBox()->setChecked(true);
        press(p, Qt::Key_Return);
    });
    EXPECT_EQ(rx(16), "146.20000"); // location 16 replaced it
    EXPECT_EQ(field(2, cps::field::Rx), -1);

    enterCell(2, 1, "150.00000");
    const auto before = state();
    importWith(longList(), [](ChannelListPreview &p) {
        EXPECT_TRUE(p.clearOthersBox()->isChecked());
        p.table()->selectAll();
        press(p, Qt::Key_Space); // some unticked: ticks all
        press(p, Qt::Key_Space); // all ticked: unticks all
        EXPECT_EQ(p.countLine()->text(), "0 of 16 channels, 3 rows refused");
        press(p, Qt::Key_Return);
    });
    EXPECT_EQ(state(), before);
    EXPECT_EQ(dialogs.asked.last(), "No row is ticked: nothing was imported.");
}

TEST_F(ChannelListImport, AnExportImportsBackToTheSameChannels) {
    struct Case {
        const char *filter;
        bool everyField; // the common layout carries no busy lock
    };
    for (const Case &k : {Case{"Brenvik channel table (*.csv)", true},
                          Case{"Channel list for other radio tools (*.csv)", false}}) {
        SCOPED_TRACE(k.filter);
        const auto original = state();
        const QString path = folder.dir.filePath(QStringLiteral("export-%1.csv").arg(k.everyField));
        dialogs.files = {path};
        dialogs.filters = {k.filter};
        w->action("mnuExportChannelList")->trigger();
        ASSERT_TRUE(QFile::exists(path));

        w->mnuDelAll_Click();
        importWith(path, [](ChannelListPreview &p) {
            p.clearOthersBox()->setChecked(true);
            press(p, Qt::Key_Return);
        });
        const auto back = state();
        for (int n = 1; n <= c().cols.channelCount; ++n) {
            SCOPED_TRACE(n);
            const auto &was = original.channels.ChInfo[n], &is = back.channels.ChInfo[n];
            const int last = k.everyField ? c().cols.columnCount : cps::field::EncChoice;
            for (int f = cps::field::Rx; f <= last; ++f)
                EXPECT_EQ(is[f], was[f]) << "field " << f;
            EXPECT_EQ(back.channels.decText[n], original.channels.decText[n]);
            EXPECT_EQ(back.channels.encText[n], original.channels.encText[n]);
        }
    }
}

} // namespace

// Text from the file is shown as typed: a cell holding markup is neither bold
// in the reason line nor in the state's tooltip.
TEST_F(ChannelListImport, ImportedTextIsShownAsPlainText) {
    startEmpty136();
    const QString list = writeList("markup.csv", "Location,Frequency,Mode\n"
                                                 "1,145.50000,<b>AM</b><img src=x>\n");
    importWith(list, [](ChannelListPreview &p) {
        p.table()->setCurrentCell(0, 1);
        auto *why = p.findChild<QLabel *>("lblWhy");
        ASSERT_NE(why, nullptr);
        EXPECT_EQ(why->textFormat(), Qt::PlainText);
        EXPECT_TRUE(why->text().contains("\"<b>AM</b><img src=x>\"")) << why->text().toStdString();
        const QString tip = p.table()->item(0, p.table()->columnCount() - 1)->toolTip();
        EXPECT_TRUE(tip.contains("&lt;b&gt;AM&lt;/b&gt;&lt;img")) << tip.toStdString();
        EXPECT_FALSE(tip.contains("<b>") || tip.contains("<img")) << tip.toStdString();
        press(p, Qt::Key_Escape);
    });
}

// The real message box takes the text as plain text, whatever it quotes.
TEST(DialogsMessage, QuotedMarkupStaysText) {
    Qt::TextFormat shown = Qt::AutoText;
    QString text;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->textFormat();
        text = box->text();
        box->done(QMessageBox::Ok);
    });
    cps::Dialogs real;
    real.message(nullptr, "CSV line 2: Mode \"<b>AM</b>\"", "Brenvik", QMessageBox::Warning,
                 QMessageBox::Ok);
    EXPECT_EQ(shown, Qt::PlainText);
    EXPECT_EQ(text, "CSV line 2: Mode \"<b>AM</b>\"");
}
