// Which language the command line's own messages speak before anything is
// parsed: --lang, the settings file, or the system locale while there are no
// settings yet.
#include "cli/MessageLanguage.h"
#include "support/ProgramFolder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(MessageLanguage, LocaleNamesAsTheFirstStartMapsThem) {
    const std::pair<const char *, int> cases[] = {
        {"zh_CN.UTF-8", 1}, {"zh_SG", 1},      {"zh_TW.UTF-8", 2}, {"zh_HK.Big5", 2},
        {"en_US.UTF-8", 3}, {"de_DE@euro", 3}, {"C", 3},           {"", 3},
        {"ja_JP", 3},
    };
    for (const auto &[name, lang] : cases)
        EXPECT_EQ(cli::languageOfLocale(name), lang) << name;
}

TEST(MessageLanguage, LangOptionThenSettingsFile) {
    testsupport::ProgramFolder folder;
    const std::string dir = folder.path().toStdString();
    folder.set("Language", "2");
    EXPECT_EQ(cli::messageLanguage({"show", "x.dat", "--program-dir", dir}), 2);
    EXPECT_EQ(cli::messageLanguage({"--lang", "1", "show", "--program-dir", dir}), 1);
    EXPECT_EQ(cli::messageLanguage({"show", "--lang=3", "--program-dir", dir}), 3);
    // A --lang the parser will refuse does not choose; the settings do.
    EXPECT_EQ(cli::messageLanguage({"show", "--lang", "7", "--program-dir", dir}), 2);
    folder.set("Language", "9"); // outside 1..3: English, as the session reads it
    EXPECT_EQ(cli::messageLanguage({"show", "--program-dir", dir}), 3);
}

// Installed, before the desktop tool's first start: no user settings, so the
// locale chooses; once the user has settings, they do.
TEST(MessageLanguage, SystemLocaleWhileTheUserHasNoSettings) {
    testsupport::ProgramFolder delivered;
    QTemporaryDir home;
    const cps::FileLocations files = cps::installedLocations(
        "/usr/bin", delivered.path().toStdString(),
        {home.filePath("config").toStdString(), home.filePath("docs").toStdString()});
    const bool wasSet = qEnvironmentVariableIsSet("LC_ALL");
    const QByteArray saved = qgetenv("LC_ALL");
    qputenv("LC_ALL", "zh_HK.UTF-8");
    EXPECT_EQ(cli::languageWithoutSettings(files), 2);
    qputenv("LC_ALL", "zh_SG.UTF-8");
    EXPECT_EQ(cli::languageWithoutSettings(files), 1);
    std::string error;
    ASSERT_TRUE(cps::seedUserSettings(files, error)) << error;
    EXPECT_EQ(cli::languageWithoutSettings(files), 0);
    if (wasSet)
        qputenv("LC_ALL", saved);
    else
        qunsetenv("LC_ALL");
}
