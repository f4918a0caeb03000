#include "core/Failure.h"
#include "core/Ini.h"

#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using testsupport::slurp;

struct IniFixture : ::testing::Test {
    QTemporaryDir dir;
    std::string path = dir.filePath("selvarn.exe").toStdString();
    void put(const std::string &text) { std::ofstream(path, std::ios::binary) << text; }
};

TEST_F(IniFixture, ReadsLikeTheProfileCalls) {
    put("; delivered settings\r\n[Setting]\r\nChannelLock=ShowLock123456789\r\n"
        "Language =  1  \r\n[option]\r\n3001=4\r\n");
    cps::IniFile ini(path);
    struct Case {
        const char *section, *key, *def;
        std::size_t n;
        const char *want;
    } cases[] = {
        {"Setting", "ChannelLock", "ShowNo", 15, "ShowLock123456"}, // cut to N-1 = 14
        {"setting", "LANGUAGE", "2", 9, "1"},                        // names ignore case, spaces trimmed
        {"Option", "3001", "0", 20, "4"},
        {"Setting", "Missing", "  1FFF ", 15, "1FFF"}, // the default, trimmed
        {"Nowhere", "Key", "dflt", 3, "df"},           // default cut to N-1 too
    };
    for (const auto &c : cases)
        EXPECT_EQ(ini.read(c.section, c.key, c.def, c.n), c.want) << c.key;
    EXPECT_EQ(cps::IniFile(path + ".missing").read("Setting", "FirRun", "2", 3), "2");
}

TEST_F(IniFixture, WriteChangesOneKeyAndKeepsTheRest) {
    put("; comment stays\r\n[Setting]\r\nFirRun=1\r\n; inner comment\r\nCOM=1\r\n\r\n[ChInfo]\r\n3000=16\r\n");
    cps::IniFile ini(path);
    ASSERT_TRUE(ini.write("setting", "firrun", "0"));
    ASSERT_TRUE(ini.write("Setting", "Language", "3")); // new key at the end of its section
    ASSERT_TRUE(ini.write("Ports", "3", "/dev/pts/5"));  // new section at the end
    EXPECT_EQ(slurp(path), "; comment stays\r\n[Setting]\r\nfirrun=0\r\n; inner comment\r\nCOM=1\r\n"
                           "Language=3\r\n\r\n[ChInfo]\r\n3000=16\r\n\r\n[Ports]\r\n3=/dev/pts/5\r\n");
    EXPECT_EQ(ini.read("Setting", "FirRun", "2", 3), "0");
}

TEST_F(IniFixture, WriteCreatesTheFile) {
    cps::IniFile ini(path);
    ASSERT_TRUE(ini.write("Setting", "FirRun", "1"));
    EXPECT_EQ(slurp(path), "[Setting]\r\nFirRun=1\r\n");
}

TEST_F(IniFixture, GroupedWriteChangesSeveralKeysAndRemovesOnes) {
    put("[Setting]\r\nCOM=1\r\n\r\n[Ports]\r\n1=/dev/pts/3\r\n2=/dev/pts/4\r\n");
    cps::IniFile ini(path);
    ASSERT_TRUE(ini.write({{"Ports", "1", std::nullopt},
                           {"Setting", "COM", "2"},
                           {"Option", "3501", "0"},
                           {"Ports", "9", std::nullopt}})); // removing a missing key: nothing
    EXPECT_EQ(slurp(path), "[Setting]\r\nCOM=2\r\n\r\n[Ports]\r\n2=/dev/pts/4\r\n\r\n"
                           "[Option]\r\n3501=0\r\n");
    // A read-then-change step sees the current values under the lock.
    ASSERT_TRUE(ini.edit([](const cps::IniFile::Lookup &current) {
        EXPECT_EQ(current("ports", "2"), "/dev/pts/4");
        EXPECT_EQ(current("Ports", "1"), std::nullopt);
        return std::vector<cps::IniEntry>{{"Ports", "2", std::nullopt}};
    }));
    EXPECT_EQ(ini.read("Ports", "2", "none", 100), "none");
}

TEST_F(IniFixture, AWriteThatChangesNothingLeavesTheFileAlone) {
    put("[Setting]\r\nCOM=1\n"); // not the line ends a write would give
    struct stat before {}, after {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    ASSERT_TRUE(cps::IniFile(path).write({{"Setting", "COM", "1"}, {"Setting", "X", std::nullopt}}));
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(slurp(path), "[Setting]\r\nCOM=1\n");
    ASSERT_TRUE(cps::IniFile(path + ".new").write({{"Ports", "1", std::nullopt}}));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path + ".new")));
}

// A settings file that is there but cannot be read must never be replaced by
// one holding only the written key.
TEST_F(IniFixture, AFileThatCannotBeReadIsNeverReplaced) {
    QDir(dir.path()).mkdir("selvarn.exe");
    const auto onFolder = cps::IniFile(path).write("Setting", "COM", "1");
    EXPECT_NE(onFolder.error.find("Is a directory"), std::string::npos) << onFolder.error;
    EXPECT_TRUE(QFileInfo(QString::fromStdString(path)).isDir());
    EXPECT_THROW(cps::IniFile(path).store("Setting", "COM", "1"), cps::RunError);

    // Mode 0200: root reads anything, so the write runs as an ordinary user.
    const std::string writeOnly = dir.filePath("writeonly.exe").toStdString();
    std::ofstream(writeOnly, std::ios::binary) << "[Setting]\r\nDatNum=8191\r\n";
    ::chmod(writeOnly.c_str(), 0200);
    ::chmod(dir.path().toLocal8Bit().constData(), 0777);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
        const auto result = cps::IniFile(writeOnly).write("Setting", "COM", "1");
        _exit(!result && result.error.find("Permission denied") != std::string::npos ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write must fail with the system's reason";
    ::chmod(writeOnly.c_str(), 0600);
    EXPECT_EQ(slurp(writeOnly), "[Setting]\r\nDatNum=8191\r\n");
}

// Desktop tools and simulators writing different keys at once, as separate
// processes: every key arrives and a reader never finds a cut file.
TEST_F(IniFixture, ParallelWritersLoseNoKey) {
    put("[Setting]\r\nDatNum=8191\r\n");
    constexpr int kWriters = 4, kKeys = 15;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t child = fork();
        if (child == 0) {
            const cps::IniFile ini(path);
            bool ok = true;
            for (int k = 0; k < kKeys; ++k)
                ok = ini.write("Writer" + std::to_string(w), std::to_string(k), std::to_string(k)) &&
                     ok;
            _exit(ok ? 0 : 1);
        }
        children.push_back(child);
    }
    int cutReads = 0, failed = 0;
    while (!children.empty()) {
        const std::string text = slurp(path);
        cutReads += text.rfind("[Setting]\r\nDatNum=8191\r\n", 0) != 0 || text.back() != '\n';
        std::erase_if(children, [&](pid_t child) {
            int status = 0;
            if (waitpid(child, &status, WNOHANG) != child) return false;
            failed += !WIFEXITED(status) || WEXITSTATUS(status) != 0;
            return true;
        });
    }
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(cutReads, 0);
    const cps::IniFile ini(path);
    for (int w = 0; w < kWriters; ++w)
        for (int k = 0; k < kKeys; ++k)
            EXPECT_EQ(ini.read("Writer" + std::to_string(w), std::to_string(k), "lost", 9),
                      std::to_string(k));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(IniNumbers, ConvertsOrFailsWithTheRunTimeErrorNumber) {
    EXPECT_EQ(cps::toInt16("16"), 16);
    EXPECT_EQ(cps::toInt16(" -3 "), -3);
    EXPECT_EQ(cps::toInt16("2.5"), 2); // halves to even
    EXPECT_EQ(cps::toInt16("&H1F"), 31);
    EXPECT_EQ(cps::hexToInt16("1FFF"), 8191);
    EXPECT_EQ(cps::hexToInt16("FFFF"), -1);
    auto errorOf = [](auto f) {
        try {
            f();
        } catch (const cps::RunError &e) {
            return e.number;
        }
        return 0;
    };
    EXPECT_EQ(errorOf([] { cps::toInt16("abc"); }), 13);
    EXPECT_EQ(errorOf([] { cps::toInt16(""); }), 13);
    EXPECT_EQ(errorOf([] { cps::toInt16("40000"); }), 6);
    EXPECT_EQ(errorOf([] { cps::hexToInt16("1G"); }), 13);
    EXPECT_EQ(errorOf([] { cps::hexToInt16("10000"); }), 6);
}

} // namespace
