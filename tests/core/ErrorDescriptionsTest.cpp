// The error description table (VbErrNumDes).
#include "core/ErrorLog.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct Row {
    int number;
    const char *text;
};

// The rows whose wording is fixed.
const Row kGiven[] = {
    {5, "无效的过程调用"},   {6, "溢出"},
    {9, "数组索引超出范围"}, {11, "除以零"},
    {13, "类型不符合"},      {52, "错误的文件名或数目"},
    {53, "文件找不到"},      {62, "输入已超过文件结尾"},
    {70, "没有访问权限"},    {75, "路径/文件访问错误"},
    {76, "找不到路径"},      {91, "尚未设置对象变量或With区块变量"},
    {380, "属性值无效"},     {438, "对象不支持此属性或方法"},
    {482, "打印机错误"},     {31037, "从文件读出时出错"},
};

// The 117 numbers of the table, in order.
const std::set<int> kNumbers = {
    3,   5,   6,   7,   9,   10,    11,    13,    14,    16,    17,    18,    20,  28,  35,
    47,  48,  49,  51,  52,  53,    54,    55,    57,    58,    59,    61,    62,  63,  67,
    68,  70,  71,  74,  75,  76,    91,    92,    93,    94,    97,    298,   320, 321, 322,
    325, 327, 328, 335, 336, 338,   360,   361,   363,   364,   365,   368,   371, 380, 381,
    382, 383, 385, 387, 393, 394,   400,   402,   419,   422,   423,   424,   425, 429, 430,
    432, 438, 440, 442, 443, 445,   446,   447,   448,   449,   450,   451,   452, 453, 454,
    455, 457, 458, 459, 460, 461,   462,   463,   480,   481,   482,   483,   484, 485, 486,
    520, 521, 735, 744, 746, 31001, 31004, 31018, 31027, 31032, 31036, 31037,
};

} // namespace

TEST(ErrorDescriptions, GivenRowsAreExact) {
    for (const auto &r : kGiven)
        EXPECT_EQ(cps::VbErrNumDes(r.number), r.text) << r.number;
}

TEST(ErrorDescriptions, StandardWordingOfOtherRows) {
    EXPECT_EQ(cps::VbErrNumDes(7), "内存溢出");
    EXPECT_EQ(cps::VbErrNumDes(57), "设备 I/O 错误");
}

TEST(ErrorDescriptions, UnknownNumbersGiveNothing) {
    for (int n : {32, 0, 1, 4, 8, 31000, 31038, 32767, -1, -32768, 65536 + 9})
        EXPECT_EQ(cps::VbErrNumDes(n), "") << n;
}

TEST(ErrorDescriptions, ExactlyTheSpecifiedNumbersAreKnown) {
    std::set<int> known;
    for (int n = 0; n <= 32767; ++n)
        if (!cps::VbErrNumDes(n).empty())
            known.insert(n);
    EXPECT_EQ(known.size(), 117u);
    EXPECT_EQ(known, kNumbers);
    int inHighRange = 0;
    for (int n = 31001; n <= 31037; ++n)
        inHighRange += !cps::VbErrNumDes(n).empty();
    EXPECT_EQ(inHighRange, 7);
}

TEST(ErrorDescriptions, UnknownNumberEndsTheLogLineWithTheEmptyDescription) {
    const auto line = cps::errorLogRuntimeLine("mdifrmMain->OpenFile", 32, "brenvik-cps");
    const std::string tail = "     出错描述:  ";
    ASSERT_GE(line.size(), tail.size());
    EXPECT_EQ(line.substr(line.size() - tail.size()), tail);
}
