// CSV text as spreadsheets write it: separators, quotes, blanks, byte order
// mark, decimal commas.
#include "core/CsvText.h"

#include <gtest/gtest.h>

namespace {

using Fields = std::vector<std::string>;

std::vector<Fields> fieldsOf(const cps::CsvTable &t) {
    std::vector<Fields> rows;
    for (const auto &r : t.records)
        rows.push_back(r.fields);
    return rows;
}

TEST(CsvText, SeparatorComesFromTheHeaderLine) {
    const std::pair<const char *, char> cases[] = {
        {"a,b,c\n1;2;3;4\n", ','},
        {"a;b;c\n1,2\n", ';'},
        {"a\tb\tc\n", '\t'},
        {"\"x;y;z\",b,c\n", ','},
        {"\n\n a;b \n", ';'},
        {"single\n", ','},
        {"\xEF\xBB\xBF"
         "a;b\n",
         ';'},
        {"", ','},
        {"a;b,c;d\n", ';'},
    };
    for (const auto &[text, sep] : cases)
        EXPECT_EQ(cps::detectCsvSeparator(text), sep) << text;
}

TEST(CsvText, RecordsAreSplitTrimmedAndNumberedByLine) {
    const auto t = cps::parseCsvText("\xEF\xBB\xBF"
                                     "Channel; Receive ;Name\r\n"
                                     "\r\n"
                                     "1; 151,625 ;\" a;\"\"b\"\"\n c \"\r\n"
                                     ";;\n"
                                     "2;\t D023N\xC2\xA0;\n");
    EXPECT_EQ(t.separator, ';');
    EXPECT_EQ(fieldsOf(t), (std::vector<Fields>{{"Channel", "Receive", "Name"},
                                                {"1", "151,625", "a;\"b\"\n c"},
                                                {"2", "D023N", ""}}));
    ASSERT_EQ(t.records.size(), 3u);
    EXPECT_EQ(t.records[1].line, 3);
    EXPECT_EQ(t.records[2].line, 6); // the quoted line break and the empty row count
}

// Excel's "sep=" line fixes the separator and is no record; "Unicode text"
// arrives as UTF-16 with a byte order mark.
TEST(CsvText, SeparatorLineAndUtf16AreUnderstood) {
    const auto withSep = cps::parseCsvText("sep=;\nChannel;Name\n1;a,b\n");
    EXPECT_EQ(fieldsOf(withSep), (std::vector<Fields>{{"Channel", "Name"}, {"1", "a,b"}}));
    EXPECT_EQ(withSep.records[0].line, 2);

    const std::u16string text = u"Channel\tName\r\n1\t\u4fe1\u9053 \U0001F4FB\r\n";
    std::string little = "\xFF\xFE", big = "\xFE\xFF";
    for (char16_t u : text) {
        little += static_cast<char>(u & 0xFF);
        little += static_cast<char>(u >> 8);
        big += static_cast<char>(u >> 8);
        big += static_cast<char>(u & 0xFF);
    }
    for (const auto &bytes : {little, big}) {
        const auto t = cps::parseCsvText(bytes);
        EXPECT_EQ(t.separator, '\t');
        EXPECT_EQ(fieldsOf(t), (std::vector<Fields>{{"Channel", "Name"},
                                                    {"1", "\xE4\xBF\xA1\xE9\x81\x93 "
                                                          "\xF0\x9F\x93\xBB"}}));
    }
}

TEST(CsvText, UnterminatedQuoteNamesItsLine) {
    try {
        cps::parseCsvText("a,b\n1,2\n3,\"open\n4,5\n");
        FAIL() << "accepted";
    } catch (const cps::CsvError &e) {
        EXPECT_EQ(e.line, 3);
        EXPECT_STREQ(e.what(), "CSV line 3: unterminated quoted field");
    }
}

TEST(CsvText, DecimalCommaOnlyBesideAnotherSeparator) {
    const std::tuple<const char *, char, const char *> cases[] = {
        {"151,625", ';', "151.625"}, {"151,625", '\t', "151.625"}, {"151,625", ',', "151,625"},
        {"1,234.5", ';', "1,234.5"}, {"1,2,3", ';', "1,2,3"},      {"67.0", ';', "67.0"},
    };
    for (const auto &[text, sep, want] : cases)
        EXPECT_EQ(cps::decimalPointText(text, sep), want) << text << " sep " << sep;
}

TEST(CsvText, FieldsAreQuotedOnlyWhenTheyMustBe) {
    const std::tuple<const char *, char, const char *> cases[] = {
        {"plain", ',', "plain"},
        {"a,b", ',', "\"a,b\""},
        {"a,b", ';', "a,b"},
        {"a;b", ';', "\"a;b\""},
        {"say \"hi\"", ',', "\"say \"\"hi\"\"\""},
        {" edge", ',', "\" edge\""},
        {"two\nlines", ',', "\"two\nlines\""},
        {"", ',', ""},
    };
    for (const auto &[text, sep, want] : cases)
        EXPECT_EQ(cps::csvField(text, sep), want) << text;
}

} // namespace
