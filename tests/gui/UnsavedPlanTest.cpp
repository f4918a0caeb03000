// An edited plan is never dropped without a question: Exit, New, Open, Read
// and a language change ask Save / Discard / Cancel while the title shows `*`;
// Cancel keeps everything, Discard goes on, Save saves first and then goes on.
#include "ChMemFixture.h"
#include "editors/frmCommun.h"

#include <QFile>

namespace {

const QString kQuestion = "The plan has changes that are not saved yet. Save them first?";

enum class Command { Exit, New, Open, Read, Language };

struct UnsavedPlan
    : ChMemFixture,
      ::testing::WithParamInterface<std::tuple<Command, QMessageBox::StandardButton>> {
    QStringList relaunched;
    QString base, saved;

    // The plan comes from base.dat (channel 1 on 446.00625), then channel 1 is
    // typed over with 446.5.
    void editPlanFromFile() {
        base = folder.dir.filePath("base.dat");
        saved = folder.dir.filePath("saved.dat");
        w->launcher = [this](const QString &, const QStringList &args) {
            relaunched = args;
            return true;
        };
        dialogs.answers = {QMessageBox::Yes};
        dialogs.files = {base};
        w->SaveFile();
        ASSERT_TRUE(QFile::exists(base));
        typeOverChannel1();
        dialogs.asked.clear();
    }
    void typeOverChannel1() {
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        enterCell(1, 1, "446.5");
        ASSERT_EQ(cell(1, 1), "446.50000");
        ASSERT_TRUE(w->windowTitle().contains(" *"));
        dialogs.asked.clear();
    }
    void run(Command command) {
        switch (command) {
        case Command::Exit:
            w->ExitSoft();
            break;
        case Command::New:
            w->NewFile();
            break;
        case Command::Open:
            w->OpenFile();
            break;
        case Command::Read:
            w->action("tlbRead")->trigger();
            break;
        case Command::Language:
            w->mnuLangSel_Click(2);
            break;
        }
        settle();
    }
    bool wentOn(Command command) {
        switch (command) {
        case Command::Exit:
            return !w->isVisible();
        case Command::New:
            return cell(1, 1) == "446.00625" && q(c().CurFilePath) != base;
        case Command::Open:
            return cell(1, 1) == "446.00625" && q(c().CurFilePath) == base;
        case Command::Read:
            return w->commun()->isVisible();
        case Command::Language:
            return !relaunched.isEmpty() || !w->isVisible();
        }
        return false;
    }
    static QString q(const std::string &s) { return QString::fromStdString(s); }
    static QByteArray slurp(const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_P(UnsavedPlan, AsksSaveDiscardCancelAndDoesWhatTheAnswerSays) {
    const auto [command, answer] = GetParam();
    editPlanFromFile();
    dialogs.answers = {answer};
    dialogs.files.clear();
    if (answer == QMessageBox::Save)
        dialogs.files.push_back(saved);
    if (command == Command::Open)
        dialogs.files.push_back(base); // the open dialog comes after the save dialog
    run(command);

    ASSERT_FALSE(dialogs.asked.isEmpty());
    EXPECT_EQ(dialogs.asked.first(), kQuestion + "\n" + base);
    EXPECT_FALSE(dialogs.asked.contains("Are you sure want to exit?")) << "one question only";
    if (answer == QMessageBox::Cancel) {
        EXPECT_FALSE(wentOn(command));
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(cell(1, 1), "446.50000");
        EXPECT_TRUE(w->windowTitle().contains(" *"));
        EXPECT_EQ(c().CurLang, 3);
        EXPECT_TRUE(w->action("mnuLangSel2")->isChecked());
        EXPECT_FALSE(QFile::exists(saved));
        return;
    }
    EXPECT_TRUE(wentOn(command));
    if (answer == QMessageBox::Save) {
        // The edit reached the file the user chose before the command went on.
        // 446.50000 MHz as packed BCD, least significant byte first.
        const QByteArray typed("\x00\x00\x65\x44", 4);
        EXPECT_TRUE(slurp(saved).contains(typed));
        EXPECT_FALSE(slurp(base).contains(typed));
        if (command == Command::Language)
            EXPECT_EQ(relaunched, QStringList{saved}); // reopened after the restart
    } else {
        EXPECT_FALSE(QFile::exists(saved));
        if (command == Command::Language)
            EXPECT_EQ(relaunched, QStringList{base}); // the file as it is on disk
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, UnsavedPlan,
    ::testing::Combine(::testing::Values(Command::Exit, Command::New, Command::Open, Command::Read,
                                         Command::Language),
                       ::testing::Values(QMessageBox::Cancel, QMessageBox::Discard,
                                         QMessageBox::Save)));

using PlanState = UnsavedPlan;

// A plan that was not edited gets the old questions (or none), and a cancelled
// save dialog keeps the command from going on.
TEST_F(PlanState, OnlyAnEditedPlanAsksAndACancelledSaveKeepsIt) {
    dialogs.answers = {QMessageBox::No};
    w->NewFile();
    EXPECT_EQ(dialogs.asked, QStringList{"All data will be cleared,continue?"});

    typeOverChannel1();
    dialogs.asked.clear();
    dialogs.answers = {QMessageBox::Save};
    dialogs.files = {}; // the save dialog is cancelled
    w->ExitSoft();
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->windowTitle().contains(" *"));
    EXPECT_EQ(dialogs.asked, QStringList{kQuestion}); // a new plan names no file
}

} // namespace
