// The main window of an installed copy: delivered files read-only in the data
// folder, the user's settings seeded on the first start, plans in documents.
#include "app/mdifrmMain.h"
#include "core/FileLocations.h"
#include "core/Ini.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(InstalledLayout, FirstStartSeedsTheUsersSettingsAndPlansGoToDocuments) {
    QTemporaryDir root;
    const QString share = root.filePath("usr/share/brenvik-cps");
    QDir().mkpath(share);
    QDir().mkpath(root.filePath("usr/bin"));
    // The delivered copies as the package installs them.
    ASSERT_TRUE(
        QFile::copy(BRENVIK_SOURCE_DIR "/data/selvarn.ini", share + "/selvarn.default.ini"));
    ASSERT_TRUE(QFile::copy(BRENVIK_PROGRAM_DIR "/dhcpqec.exe", share + "/dhcpqec.exe"));
    const QByteArray delivered = contents(share + "/selvarn.default.ini");
    const cps::UserFolders user{root.filePath("home/.config").toStdString(),
                                root.filePath("home/Documents").toStdString()};
    const auto files =
        cps::installedLocations(root.filePath("usr/bin").toStdString(), share.toStdString(), user);

    testsupport::ScriptedDialogs dialogs;
    {
        mdifrmMain w(files);
        ASSERT_TRUE(w.MDIForm_Load()); // the delivered marker makes this the first real start
        EXPECT_EQ(w.cps().SettingsFile,
                  root.filePath("home/.config/brenvik-cps/selvarn.ini").toStdString());
        EXPECT_EQ(w.cps().CurFilePath,
                  root.filePath("home/Documents/Brenvik/Untitled.dat").toStdString());
        EXPECT_TRUE(QDir(root.filePath("home/Documents/Brenvik")).exists());
        EXPECT_NE(w.chMem(), nullptr); // start-up ran to the end
    }
    const cps::IniFile seeded(files.settingsFile);
    EXPECT_EQ(seeded.read("Setting", "FirRun", "", 3), "0");   // first-run rules ran on the copy
    EXPECT_EQ(seeded.read("Setting", "Language", "", 9), "3"); // tests run in an English locale
    EXPECT_EQ(seeded.read("Setting", "DatNum", "", 9), "8191");
    EXPECT_EQ(contents(share + "/selvarn.default.ini"), delivered); // never written

    // The user's choices are kept on the next start.
    cps::IniFile(files.settingsFile).write("Setting", "Language", "2");
    mdifrmMain again(files);
    ASSERT_TRUE(again.MDIForm_Load());
    EXPECT_EQ(again.cps().CurLang, 2);
}

} // namespace
