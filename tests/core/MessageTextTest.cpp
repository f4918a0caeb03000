// Text from a file inside a message: control characters escaped, long values
// cut on a character boundary; placeholders filled in any order.
#include "core/MessageText.h"

#include <gtest/gtest.h>

using cps::filled;
using cps::shownName;
using cps::shownText;

TEST(ShownText, EscapesWhatATerminalWouldObey) {
    struct Case {
        std::string in, shown;
    } cases[] = {
        {"446.0", "446.0"},
        {"\x1b]0;owned\x07", "\\x1b]0;owned\\x07"}, // a title change
        {std::string("a\0b", 3), "a\\x00b"},        // a NUL must not end the line
        {"tab\there\r\n", "tab\\x09here\\x0d\\x0a"},
        {"del\x7f", "del\\x7f"},
        {"csi\xc2\x9b"
         "31m",
         "csi\\u009b31m"}, // C1 CSI, as UTF-8
        {"\xff\xfe"
         "x",
         "\\xff\\xfex"},                     // not UTF-8
        {"\xe4\xbf", "\\xe4\\xbf"},          // a character cut short
        {"\xed\xa0\x80", "\\xed\\xa0\\x80"}, // a UTF-16 surrogate
        {"信道 頻道 é", "信道 頻道 é"},
        {"<b>bold</b>", "<b>bold</b>"}, // markup is the desktop's concern
    };
    for (const auto &k : cases)
        EXPECT_EQ(shownText(k.in), k.shown) << k.in;
}

TEST(ShownText, CutsPastSixtyCharactersNotBytes) {
    const std::string sixty(60, 'A');
    EXPECT_EQ(shownText(sixty), sixty);
    EXPECT_EQ(shownText(sixty + "B"), sixty + "…");
    EXPECT_EQ(shownText(std::string(1 << 20, 'x')).size(), 60 + std::string("…").size());

    std::string chinese;
    for (int i = 0; i < 70; ++i)
        chinese += "频";
    const std::string shown = shownText(chinese);
    EXPECT_EQ(shown.substr(0, 60 * 3), chinese.substr(0, 60 * 3));
    EXPECT_EQ(shown.substr(60 * 3), "…");
    // An escape counts as the one character it stands for.
    EXPECT_EQ(shownText(std::string(61, '\x1b')).size(), 60 * 4 + std::string("…").size());
}

TEST(ShownName, EscapesButNeverCuts) {
    const std::string longPath = "/home/" + std::string(200, 'd') + "/plan.dat";
    EXPECT_EQ(shownName(longPath), longPath);
    EXPECT_EQ(shownName("/tmp/a\x1b[2Jb.dat"), "/tmp/a\\x1b[2Jb.dat");
}

TEST(Filled, PutsArgumentsWhereTheTranslationWantsThem) {
    EXPECT_EQ(filled("%1 of %2", {"3", "5"}), "3 of 5");
    EXPECT_EQ(filled("%2 个中有 %1 个", {"3", "5"}), "5 个中有 3 个");
    EXPECT_EQ(filled("write %2, quote it (%1)", {"\"4,5\"", "4.5"}),
              "write 4.5, quote it (\"4,5\")");
    // An argument holding a placeholder is not filled again.
    EXPECT_EQ(filled("%1 and %2", {"%2", "x"}), "%2 and x");
    EXPECT_EQ(filled("100% sure, %3 left", {"a"}), "100% sure, %3 left");
}
