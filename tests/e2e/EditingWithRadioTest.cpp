// The plan's history and guard against the virtual radio: a read over
// unsaved edits asks first and is one undo step, and a write of a plan with frequencies
// outside the band asks first (No sends nothing).
#include "../gui/ChMemFixture.h"
#include "SimProcess.h"
#include "core/DataFile.h"
#include "editors/PlanHistory.h"
#include "editors/UndoHistory.h"
#include "editors/frmCommun.h"

#include <QFile>
#include <QPushButton>

namespace {

struct EditingWithRadio : ChMemFixture {
    std::unique_ptr<testsupport::SimProcess> sim;
    void prepareFolder() override {
        sim = std::make_unique<testsupport::SimProcess>(QStringList{
            "--attach", folder.settingsFile(), "--com", "1", "--log", framesFile()});
        ASSERT_FALSE(sim->path.isEmpty());
    }
    QString framesFile() const { return folder.dir.filePath("frames.log"); }
    QByteArray frames() const {
        QFile f(framesFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(EditingWithRadio, ReadOverEditsCanBeUndone) {
    startEmpty136();
    enterCell(2, 1, "150.125");
    dialogs.asked.clear();
    const auto edited = chmem::capturePlan(c());
    dialogs.answers = {QMessageBox::Discard}; // the edits are not saved first
    w->action("tlbRead")->trigger();
    EXPECT_EQ(dialogs.asked,
              QStringList{"The plan has changes that are not saved yet. Save them first?"});
    dialogs.asked.clear();
    QTest::mouseClick(w->commun()->cmdRead, Qt::LeftButton);
    settle();
    ASSERT_TRUE(dialogs.asked.isEmpty()) << dialogs.asked.join('|').toStdString();
    EXPECT_EQ(cell(1, 1), "446.00625"); // the radio's plan
    EXPECT_FALSE(w->windowTitle().contains(" *")); // the plan is the radio's
    EXPECT_EQ(w->action("mnuEditUndo")->text(), "&Undo: Read");

    w->action("mnuEditUndo")->trigger();
    settle();
    EXPECT_TRUE(chmem::capturePlan(c()) == edited);
    EXPECT_EQ(cell(2, 1), "150.12500");
    EXPECT_EQ(ch->cboFrequency->currentIndex(), 1);
    EXPECT_TRUE(w->windowTitle().startsWith("Brenvik Radio Software *"));
    w->action("mnuEditRedo")->trigger();
    settle();
    EXPECT_EQ(cell(1, 1), "446.00625");
}

TEST_F(EditingWithRadio, WritingFrequenciesOutsideTheBandAsksFirst) {
    chooseBand(1); // a new plan on 136-174 MHz keeps the default 446 MHz channels
    w->action("tlbWrite")->trigger();
    dialogs.asked.clear();
    dialogs.answers = {QMessageBox::No};
    QTest::mouseClick(w->commun()->cmdWrite, Qt::LeftButton);
    settle();
    EXPECT_EQ(dialogs.asked, QStringList{"Frequency range is not right，continue?\n"
                                         "Channels outside the band: 1-16"});
    EXPECT_TRUE(frames().isEmpty()); // nothing went to the radio
    EXPECT_TRUE(w->commun()->isVisible());

    dialogs.asked.clear();
    QTest::mouseClick(w->commun()->cmdWrite, Qt::LeftButton); // answered Yes
    settle();
    EXPECT_TRUE(dialogs.asked.first().startsWith("Frequency range is not right，continue?"));
    EXPECT_FALSE(frames().isEmpty());

    // A plan inside the band is written without the question.
    w->mnuDelAll_Click();
    enterCell(1, 1, "146.52");
    w->action("tlbWrite")->trigger();
    dialogs.asked.clear();
    QTest::mouseClick(w->commun()->cmdWrite, Qt::LeftButton);
    settle();
    EXPECT_TRUE(dialogs.asked.filter("continue?").isEmpty())
        << dialogs.asked.join('|').toStdString();
}

// A tone that is not a standard tone asks too, naming the channels, alone or
// beside the channels outside the band.
TEST_F(EditingWithRadio, WritingNonStandardTonesAsksFirst) {
    startEmpty136();
    enterCell(1, 1, "146.52");
    enterCell(2, 1, "147");
    enterCell(3, 1, "148");
    for (int row : {1, 3}) {
        clickCell(row, 3);
        typeIntoCtdcsBox("88");
    }
    w->action("tlbWrite")->trigger();
    dialogs.asked.clear();
    dialogs.answers = {QMessageBox::No};
    QTest::mouseClick(w->commun()->cmdWrite, Qt::LeftButton);
    settle();
    EXPECT_EQ(dialogs.asked,
              QStringList{"Some channels have a tone that is not a standard tone, continue?\n"
                          "Channels with a tone that is not a standard tone: 1, 3"});
    EXPECT_TRUE(frames().isEmpty());

    c().ch.ChInfo[2][cps::field::Rx] = 18000000; // as a plan file can hold it
    dialogs.asked.clear();
    dialogs.answers = {QMessageBox::No};
    QTest::mouseClick(w->commun()->cmdWrite, Qt::LeftButton);
    settle();
    EXPECT_EQ(dialogs.asked, QStringList{"Frequency range is not right，continue?\n"
                                         "Channels outside the band: 2\n"
                                         "Channels with a tone that is not a standard tone: 1, 3"});
    EXPECT_TRUE(frames().isEmpty());
}

} // namespace
