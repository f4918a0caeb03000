// The memory data view's text helpers: byte and address texts, the scratch
// digit splitter, the conversions behind the cell explanation, and the parsing
// of the fill dialog's boxes.
#include "editors/MemDatText.h"
#include "core/Cps.h"
#include "core/Failure.h"

#include <gtest/gtest.h>

#include <array>

using namespace memdat;

namespace {

int errorOf(const std::function<void()> &f) {
    try {
        f();
    } catch (const cps::RunError &e) {
        return e.number;
    }
    return 0;
}

} // namespace

TEST(MemDatText, ByteAndRowTextsAreUpperCaseAndZeroPadded) {
    EXPECT_EQ(FormatByteDat(0x00), "00");
    EXPECT_EQ(FormatByteDat(0x0A), "0A");
    EXPECT_EQ(FormatByteDat(0x1A), "1A");
    EXPECT_EQ(FormatByteDat(0x9A), "9A");
    EXPECT_EQ(FormatByteDat(0xFF), "FF");
    EXPECT_EQ(rowLabel(0x0000), "0000H");
    EXPECT_EQ(rowLabel(0x01A0), "01A0H");
    EXPECT_EQ(rowLabel(0x1FF0), "1FF0H");
    EXPECT_EQ(errorOf([] { rowLabel(0x10000); }), cps::err::Overflow);
}

TEST(MemDatText, SeparateCharPutsDigitsFromTheRightIntoTheScratchBytes) {
    cps::Cps c;
    const struct {
        const char *text;
        std::array<uint8_t, 4> digits;
        int value;
    } cases[] = {
        {"7", {7, 0, 0, 0}, 0x07},
        {"g1", {1, 0, 0, 0}, 0x01}, // a character that is no digit counts as 0
        {"1FF", {15, 15, 1, 0}, 0x1FF},
        {"", {0, 0, 0, 0}, 0}, // earlier digits are cleared
        {"a5", {5, 10, 0, 0}, 0xA5},
        {"ABCD", {13, 12, 11, 10}, 0xABCD},
    };
    for (const auto &tc : cases) {
        c.convBuf = {9, 9, 9, 9};
        SeparateChar(c, QString::fromUtf8(tc.text));
        EXPECT_EQ(c.convBuf, tc.digits) << tc.text;
        EXPECT_EQ(convBufValue(c), tc.value) << tc.text;
    }
    // A fifth character fails after the four rightmost were stored.
    EXPECT_EQ(errorOf([&] { SeparateChar(c, "12345"); }), cps::err::IndexOutOfRange);
    EXPECT_EQ(convBufValue(c), 0x2345);
}

TEST(MemDatText, BinaryConversions) {
    EXPECT_EQ(H_To_B("1A"), "00011010");
    EXPECT_EQ(H_To_B("f"), "1111");
    EXPECT_EQ(H_To_B("x1 "), "0001"); // other characters are skipped
    EXPECT_EQ(H_To_B(""), "");

    EXPECT_EQ(B_To_D("00011010"), 26);
    EXPECT_EQ(B_To_D(""), 0);
    EXPECT_EQ(B_To_D("111111111111111"), 32767);    // 15 significant bits
    EXPECT_EQ(B_To_D("0000000000000000000001"), 1); // leading zeros are no bits
    EXPECT_EQ(errorOf([] { B_To_D("1000000000000000"); }), cps::err::Overflow);
    EXPECT_EQ(errorOf([] { B_To_D("102"); }), cps::err::TypeMismatch);

    EXPECT_EQ(B_To_BitShow("00011010"), "B7:0 B6:0 B5:0 B4:1   B3:1 B2:0 B1:1 B0:0 ");
    EXPECT_EQ(B_To_BitShow("1010"), "B3:1 B2:0 B1:1 B0:0 ");
    EXPECT_EQ(B_To_BitShow(""), "");
}

TEST(MemDatText, CellExplanationText) {
    EXPECT_EQ(cellTipText(0x01A3, "1A"),
              QString::fromUtf8("地址为: 0x01A3    二进制:00011010    "
                                "B7:0 B6:0 B5:0 B4:1   B3:1 B2:0 B1:1 B0:0     十进制26    \r\n"));
    EXPECT_TRUE(cellTipText(0x1FFF, "ff")
                    .startsWith(QString::fromUtf8("地址为: 0x1FFF    二进制:11111111")));
    EXPECT_TRUE(cellTipText(0x0000, "7").contains(QString::fromUtf8("十进制7    \r\n")));
    // A cell text of 16 bits or more cannot be explained.
    EXPECT_EQ(errorOf([] { cellTipText(0, "FFFF"); }), cps::err::Overflow);
}

TEST(MemDatText, CellValueForTheRefillReadsUpToTheFirstNonDigit) {
    EXPECT_EQ(hexPrefixValue("7"), 7);
    EXPECT_EQ(hexPrefixValue("ff"), 0xFF);
    EXPECT_EQ(hexPrefixValue("g1"), 0);
    EXPECT_EQ(hexPrefixValue("1g"), 1);
    EXPECT_EQ(hexPrefixValue("1FF"), 0x1FF);
    EXPECT_GT(hexPrefixValue("FFFFFFFFFFFFFFFFFFFF"), 0xFF); // saturates, never wraps to a byte
}

TEST(MemDatText, FillValueInEachBase) {
    const struct {
        const char *text;
        FillBase base;
        int expected; // -1: no value, nothing is filled
    } cases[] = {
        {"FF", FillBase::Hex, 0xFF},
        {"0a", FillBase::Hex, 0x0A},
        {"1FF", FillBase::Hex, 255},
        {"FFFFFFFFFFFFFFFFFFFFFF", FillBase::Hex, 255},
        {"300", FillBase::Dec, 255},
        {" 7 ", FillBase::Dec, 7},
        {"99999999999999999999", FillBase::Dec, 255},
        {"101", FillBase::Bin, 0x05},
        {"11111111111", FillBase::Bin, 255},
        {"G1", FillBase::Hex, -1},
        {"FF", FillBase::Dec, -1},
        {"12", FillBase::Bin, -1},
        {"-5", FillBase::Dec, -1},
        {"2.5", FillBase::Dec, -1},
        {"", FillBase::Hex, -1},
        {"   ", FillBase::Bin, -1},
    };
    for (const auto &tc : cases) {
        const auto v = fillValueOf(QString::fromUtf8(tc.text), tc.base);
        if (tc.expected < 0)
            EXPECT_FALSE(v.has_value()) << tc.text;
        else
            EXPECT_EQ(v.value_or(0), tc.expected) << tc.text;
    }
}

TEST(MemDatText, FillAddressIsOneToFourHexDigits) {
    EXPECT_EQ(addressOf("0010"), 0x10);
    EXPECT_EQ(addressOf("1fff"), 0x1FFF);
    EXPECT_EQ(addressOf(" 0 "), 0);
    EXPECT_EQ(addressOf("FFFF"), 0xFFFF);
    for (const char *bad : {"", "10000", "ZZ", "01G0", "-1", "0x10"})
        EXPECT_FALSE(addressOf(bad).has_value()) << bad;
}
