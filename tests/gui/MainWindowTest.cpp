// The shell: first start, start-up failures, the exit question, the language
// switch, the status bar and the file commands, driven as a user would.
#include "app/frmHelp.h"
#include "app/frmShowErr.h"
#include "app/mdifrmMain.h"
#include "editors/PlanHistory.h"
#include "core/ChannelCodec.h"
#include "core/DataFile.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

using testsupport::ProgramFolder;
using testsupport::ScriptedDialogs;

QString q(const std::string &s) { return QString::fromStdString(s); }

TEST(StartUp, FirstStartWritesTheMarkerAndEndsWithoutAWindow) {
    ProgramFolder folder;
    QFile::remove(folder.settingsFile());
    {
        mdifrmMain w(folder.path());
        EXPECT_FALSE(w.MDIForm_Load());
        EXPECT_FALSE(w.isVisible());
    }
    EXPECT_EQ(folder.ini().read("Setting", "FirRun", "", 3), "1");
    {
        ScriptedDialogs dialogs;
        mdifrmMain w(folder.path());
        // Second start: the language comes from the locale (tests run in C/English).
        EXPECT_TRUE(w.MDIForm_Load());
        EXPECT_EQ(folder.ini().read("Setting", "FirRun", "", 3), "0");
        EXPECT_EQ(folder.ini().read("Setting", "Language", "", 9), "3");
    }
}

TEST(StartUp, AFailureIsLoggedOnceAndSkipsTheRest) {
    ProgramFolder folder;
    folder.set("COM", "abc");
    ScriptedDialogs dialogs;
    mdifrmMain w(folder.path());
    EXPECT_TRUE(w.MDIForm_Load());
    const auto lines = w.errorLog()->lines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].contains("mdifrmMain->Form_Load")) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].contains(" 13")) << lines.join("|").toStdString(); // type mismatch
    EXPECT_EQ(w.errorLog()->listShowErr->currentRow(), 1);
    EXPECT_EQ(w.chMem(), nullptr); // later steps skipped
}

// A settings file the tool cannot start from: the user is told which file and
// what is wrong, the file is kept aside (never overwritten, never deleted) and
// the start goes on from the delivered settings.
TEST(StartUp, AnUnusableSettingsFileIsKeptAsideAndTheDeliveredOneUsed) {
    struct Case {
        const char *what;
        QByteArray contents; // written in place of the settings file
        bool folder;         // a folder in its place instead
        const char *problem;
    } cases[] = {
        {"garbage", QByteArray("\x89PNG\r\n\x1a\n\x00\xff mnuFile", 18), false,
         "it has no [Setting] section"},
        {"empty", "", false, "it is empty"},
        {"other sections only", "[ChInfo]\r\n3000=16\r\n", false, "it has no [Setting] section"},
        {"a folder", "", true, "it is not a file: Is a directory"},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.what);
        ProgramFolder folder;
        const QString settings = folder.settingsFile();
        QFile::remove(settings);
        if (k.folder) {
            QDir(folder.path()).mkdir("selvarn.exe");
        } else {
            QFile f(settings);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(k.contents);
        }
        QFile older(settings + ".bad"); // from an earlier start: kept too
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write("older");
        older.close();

        ScriptedDialogs dialogs;
        mdifrmMain w(folder.path());
        ASSERT_TRUE(w.MDIForm_Load());
        EXPECT_NE(w.chMem(), nullptr);
        ASSERT_EQ(dialogs.asked.size(), 1);
        EXPECT_EQ(dialogs.asked[0],
                  QStringLiteral("The settings file %1 cannot be used (%2). It has been kept as "
                                 "%1.bad.1, and the delivered settings are used instead.")
                      .arg(settings, k.problem));
        EXPECT_TRUE(w.errorLog()->lines().isEmpty());
        EXPECT_EQ(folder.ini().read("Setting", "DatNum", "", 9), "8191");
        EXPECT_EQ(folder.ini().read("Setting", "FirRun", "", 3), "0");
        if (k.folder) {
            EXPECT_TRUE(QFileInfo(settings + ".bad.1").isDir());
        } else {
            QFile kept(settings + ".bad.1");
            ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
            EXPECT_EQ(kept.readAll(), k.contents);
        }
        QFile stillOlder(settings + ".bad");
        ASSERT_TRUE(stillOlder.open(QIODevice::ReadOnly));
        EXPECT_EQ(stillOlder.readAll(), "older");
    }
}

TEST(StartUp, WithoutDeliveredSettingsAnUnusableFileEndsTheStartWithAMessage) {
    ProgramFolder folder;
    QFile::remove(folder.path() + "/selvarn.default.ini");
    QFile f(folder.settingsFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.close();
    ScriptedDialogs dialogs;
    mdifrmMain w(folder.path());
    EXPECT_FALSE(w.MDIForm_Load());
    EXPECT_TRUE(w.startFailed());
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked[0].startsWith("The settings file " + folder.settingsFile() +
                                            " cannot be used (it is empty), and the delivered"))
        << dialogs.asked[0].toStdString();
    EXPECT_TRUE(QFile::exists(folder.settingsFile())) << "left where it was";
    EXPECT_EQ(QFileInfo(folder.settingsFile()).size(), 0);
}

TEST(StartUp, LanguageValuesOutsideOneToThreeRunInEnglish) {
    for (const char *lang : {"0", "7", "9"}) {
        ProgramFolder folder;
        folder.set("Language", lang);
        ScriptedDialogs dialogs;
        mdifrmMain w(folder.path());
        ASSERT_TRUE(w.MDIForm_Load());
        EXPECT_EQ(w.cps().CurLang, 3);
        EXPECT_TRUE(w.action("mnuLangSel2")->isChecked());
        EXPECT_FALSE(w.action("mnuLangSel0")->isChecked());
        EXPECT_EQ(w.windowTitle(), "Brenvik Radio Software");
    }
}

TEST(StartUp, StatusBarAndDataFolder) {
    ProgramFolder folder;
    ScriptedDialogs dialogs;
    mdifrmMain w(folder.path());
    ASSERT_TRUE(w.MDIForm_Load());
    const QString untitled = folder.path() + "/Data/Untitled.dat";
    EXPECT_EQ(q(w.cps().CurFilePath), untitled);
    EXPECT_EQ(w.panel(1), "Ready");
    EXPECT_EQ(w.panel(2), QString("COM%1").arg(w.cps().settings.com));
    EXPECT_EQ(w.panel(3), "File Name:" + untitled);
    // A fresh start holds the default image with band 400-470 MHz.
    EXPECT_EQ(w.cps().IicDat[0x37A], 0x40);
    EXPECT_EQ(w.cps().IicDat[0x37C], 0x47);
}

TEST(Shutdown, NoKeepsEverythingYesClosesQuietly) {
    ProgramFolder folder;
    ScriptedDialogs dialogs;
    mdifrmMain w(folder.path());
    ASSERT_TRUE(w.MDIForm_Load());
    w.show();
    dialogs.answers = {QMessageBox::No};
    w.ExitSoft();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.cps().Closing, 0);
    EXPECT_EQ(dialogs.asked, QStringList{"Are you sure want to exit?"});
    dialogs.answers = {QMessageBox::Yes};
    w.close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.cps().Closing, 1);
}

TEST(Language, SwitchWritesTheSettingRestartsAndClosesWithoutTheQuestion) {
    ProgramFolder folder;
    ScriptedDialogs dialogs;
    mdifrmMain w(folder.path());
    ASSERT_TRUE(w.MDIForm_Load());
    w.show();
    QStringList launched;
    w.launcher = [&](const QString &program, const QStringList &) {
        launched << program;
        return true;
    };
    w.mnuLangSel_Click(3); // already current: nothing
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_TRUE(launched.isEmpty());
    w.action("mnuLangSel1")->trigger(); // Traditional Chinese
    EXPECT_EQ(folder.ini().read("Setting", "Language", "", 9), "2");
    EXPECT_EQ(dialogs.asked, QStringList{"Language has changed, you need to restart the software."});
    EXPECT_EQ(launched.size(), 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.action("mnuLangSel1")->isChecked());
    EXPECT_FALSE(w.action("mnuLangSel2")->isChecked());

    ScriptedDialogs again;
    mdifrmMain next(folder.path());
    ASSERT_TRUE(next.MDIForm_Load());
    EXPECT_EQ(next.windowTitle(), "Brenvik對講機寫頻軟體");
    EXPECT_EQ(next.panel(1), "就緒");
}

struct Files : ::testing::Test {
    ProgramFolder folder;
    ScriptedDialogs dialogs;
    mdifrmMain w{folder.path()};
    void SetUp() override { ASSERT_TRUE(w.MDIForm_Load()); }
    QString file(const char *name) { return folder.path() + "/" + name; }
};

TEST_F(Files, SaveAsksEveryTimeThenSavesAtomicallyAndOpenGivesThePlanBack) {
    auto &c = w.cps();
    c.ch.ChInfo[2][1] = 14652000;
    c.ch.decText[2] = "67.0";
    dialogs.answers = {QMessageBox::Yes};
    dialogs.files = {file("plan.dat")};
    w.SaveFile();
    EXPECT_EQ(dialogs.asked, QStringList{"TempData has changed,Do you want to save it now?"});
    EXPECT_EQ(QFile(file("plan.dat")).size(), 8192);
    EXPECT_EQ(w.panel(3), "File Name:" + file("plan.dat"));

    dialogs.answers = {QMessageBox::Yes};
    w.NewFile();
    EXPECT_EQ(q(c.CurFilePath), folder.path() + "/Data/Untitled.dat");
    EXPECT_NE(c.ch.ChInfo[2][1], 14652000);

    dialogs.files = {file("plan.dat")};
    w.OpenFile();
    EXPECT_EQ(c.ch.ChInfo[2][1], 14652000);
    EXPECT_EQ(c.ch.decText[2], "67.0");
    EXPECT_EQ(w.panel(3), "File Name:" + file("plan.dat"));
}

TEST_F(Files, CancelledDialogsAndNoAnswersChangeNothing) {
    const QString before = w.panel(3);
    const auto image = w.cps().IicDat;
    w.OpenFile(); // dialog cancelled
    dialogs.answers = {QMessageBox::Yes};
    w.SaveFile(); // save dialog cancelled
    dialogs.answers = {QMessageBox::No};
    w.NewFile();
    EXPECT_EQ(w.panel(3), before);
    EXPECT_EQ(w.cps().IicDat, image);
}

TEST_F(Files, BadFilesAreRefusedAndThePlanStaysExactlyAsItWas) {
    auto &c = w.cps();
    c.ch.ChInfo[1][1] = 44612500;
    w.history().markClean(); // as if saved: Open asks no Save / Discard question
    const auto image = c.IicDat;
    const auto path = c.CurFilePath;
    QFile shortFile(file("short.dat"));
    shortFile.open(QIODevice::WriteOnly);
    shortFile.write(QByteArray(100, 1));
    shortFile.close();
    QFile(file("empty.dat")).open(QIODevice::WriteOnly);
    for (const char *name : {"short.dat", "empty.dat", "Data", "missing.dat"}) {
        dialogs.asked.clear();
        dialogs.files = {file(name)};
        w.OpenFile();
        // The message names the file it is about.
        EXPECT_EQ(dialogs.asked, QStringList{"Wrong file type!\n" + file(name)}) << name;
        EXPECT_EQ(c.IicDat, image) << name;
        EXPECT_EQ(c.CurFilePath, path) << name;
        EXPECT_EQ(c.ch.ChInfo[1][1], 44612500) << name;
    }
    EXPECT_TRUE(w.errorLog()->lines().last().contains("mdifrmMain->OpenFile"));
}

TEST_F(Files, AFailedSaveSaysSoAndLeavesThePreviousFileIntact) {
    dialogs.answers = {QMessageBox::Yes};
    dialogs.files = {file("keep.dat")};
    w.SaveFile();
    QFile f(file("keep.dat"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    QDir(folder.path()).mkdir("taken.dat"); // a folder where the file should go
    dialogs.asked.clear();
    dialogs.files = {file("taken.dat")};
    w.SaveAsFile();
    EXPECT_EQ(dialogs.asked, QStringList{"Save file failed!\n" + file("taken.dat")});
    EXPECT_TRUE(w.errorLog()->lines().last().contains("mdifrmMain->SaveDatFile"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}

TEST_F(Files, NewKeepsModelAndBandBytes) {
    auto &c = w.cps();
    c.IicDat[0x37A] = 0x13, c.IicDat[0x37B] = 0x60, c.IicDat[0x37C] = 0x17, c.IicDat[0x37D] = 0x40;
    c.IicDat[0x500] = 0x77;
    w.NewFile();
    EXPECT_EQ(c.IicDat[0x37B], 0x60);
    EXPECT_EQ(c.IicDat[0x37C], 0x17);
    EXPECT_NE(c.IicDat[0x500], 0x77);
}

TEST_F(Files, ToolbarDispatchesByKey) {
    QStringList keys;
    for (auto *a : w.toolBar()->actions())
        if (!a->isSeparator()) keys << a->data().toString();
    EXPECT_EQ(keys, (QStringList{"FileNew", "FileOpen", "FileSave", "Read", "Write", "Com", "Print",
                                 "Help", "Exit"}));
    EXPECT_EQ(w.toolBar()->actions().indexOf(w.action("tlbRead")), 5); // position 7, 1-based from 2
    dialogs.answers = {QMessageBox::No};
    w.tlbMdiFrmMain_ButtonClick("FileNew");
    EXPECT_EQ(dialogs.asked, QStringList{"All data will be cleared,continue?"});
    dialogs.asked.clear();
    w.tlbMdiFrmMain_ButtonClick("Nonsense"); // Print opens the preview (PrintPreviewTest)
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(Files, HelpOpensTheFileOfTheLanguage) {
    QStringList opened;
    w.openUrl = [&](const QString &path) {
        opened << path;
        return true;
    };
    w.Help(); // no help installed in this folder: nothing opens, nothing is said
    EXPECT_TRUE(opened.isEmpty());
    QDir(folder.path()).mkpath("help/eng");
    QFile(folder.path() + "/help/eng/index.html").open(QIODevice::WriteOnly);
    QFile(folder.path() + "/EngHelp.CHM").open(QIODevice::WriteOnly);
    w.Help();
    // With a CHM viewer the compiled help opens; without one, the same pages
    // show in the tool's own help window.
    if (opened.isEmpty()) {
        ASSERT_NE(w.helpWindow(), nullptr);
        EXPECT_TRUE(w.helpWindow()->isVisible());
        EXPECT_TRUE(
            w.helpWindow()->browser->source().toLocalFile().endsWith("/help/eng/index.html"));
    } else {
        EXPECT_EQ(opened, QStringList{folder.path() + "/EngHelp.CHM"});
    }
    EXPECT_TRUE(w.helpFile().endsWith("/EngHelp.CHM"));
    w.cps().CurLang = 1;
    EXPECT_TRUE(w.helpFile().endsWith("/ChsHelp.CHM"));
    w.cps().CurLang = 2;
    EXPECT_TRUE(w.helpFile().endsWith("/ChtHelp.CHM"));
}

} // namespace

namespace {

TEST(Commands, HiddenItemsArePresentButNoKeyReachesThem) {
    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    mdifrmMain w(folder.path());
    ASSERT_TRUE(w.MDIForm_Load());
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    int helpOpened = 0;
    w.openUrl = [&](const QString &) { return ++helpOpened, true; };
    for (const char *name : {"mnuReadWriteFre", "mnuTestMode", "mnuBatchTestVal", "mnuHelpTopic",
                             "mnuTreeView", "mnuShowErr", "mnuChLock"})
        EXPECT_NE(w.action(name), nullptr) << name;
    QTest::keyClick(&w, Qt::Key_F1);        // Help Topic (hidden)
    QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier); // lock item of the hidden Option menu
    EXPECT_EQ(helpOpened, 0);
    EXPECT_EQ(w.cps().LockState, "ShowNo");
    EXPECT_TRUE(dialogs.asked.isEmpty());
    QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier); // a visible item's key works
    EXPECT_EQ(dialogs.asked, QStringList{"All data will be cleared,continue?"});
}

} // namespace
