#include "core/Failure.h"
#include "core/Ini.h"

#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string slurp(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

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
