#include "course/text.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatPercent, RoundsToOneDecimalWithTiesToEven) {
    struct Case {
        long long raw, maximum;
        const char* expected;
    };
    const Case cases[] = {
        {27, 30, "90"},    {2, 3, "66.7"},  {3, 4, "75"},      {0, 5, "0"},     {5, 5, "100"},
        {1, 3, "33.3"},    {1, 8, "12.5"},  {1, 16, "6.2"},    {3, 16, "18.8"}, {5, 16, "31.2"},
        {1, 2000, "0"},    {3, 2000, "0.2"}, {888, 1000, "88.8"}, {1, 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qv::FormatPercent(c.raw, c.maximum), c.expected) << c.raw << "/" << c.maximum;
    }
}

TEST(ParseStoredNumber, AcceptsBothDecimalSeparators) {
    EXPECT_EQ(qv::ParseStoredNumber("88.8"), 88.8);
    EXPECT_EQ(qv::ParseStoredNumber("88,8"), 88.8);
    EXPECT_EQ(qv::ParseStoredNumber(" 100 "), 100.0);
    EXPECT_EQ(qv::ParseStoredNumber("+3"), 3.0);
    for (const char* bad : {"", "  ", "abc", "1.2.3x", "12%", "--1"}) {
        EXPECT_FALSE(qv::ParseStoredNumber(bad).has_value()) << bad;
    }
}

TEST(ParseStoredInt, WholeNumbersOnly) {
    EXPECT_EQ(qv::ParseStoredInt("10"), 10);
    EXPECT_EQ(qv::ParseStoredInt(" 50"), 50);
    EXPECT_FALSE(qv::ParseStoredInt("10a").has_value());
    EXPECT_FALSE(qv::ParseStoredInt("").has_value());
    EXPECT_FALSE(qv::ParseStoredInt("99999999999").has_value());
}

TEST(NeutraliseFieldValue, KeepsOneFieldPerValue) {
    EXPECT_EQ(qv::NeutraliseFieldValue("a>b"), "a\x9B" "b");
    EXPECT_EQ(qv::NeutraliseFieldValue("one\r\ntwo\nthree\rfour"), "one two three four");
    EXPECT_EQ(qv::NeutraliseFieldValue("caf\xE9 #101#"), "caf\xE9 #101#");
}

TEST(CodePage, RoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    const auto back = qv::Utf8ToCp1252(qv::Cp1252ToUtf8(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(CodePage, KnownCharacters) {
    EXPECT_EQ(qv::Cp1252ToUtf8("\xFC\xFB"), "\xC3\xBC\xC3\xBB");           // the stored tick and cross
    EXPECT_EQ(qv::Cp1252ToUtf8("\x80\x9B"), "\xE2\x82\xAC\xE2\x80\xBA");   // euro sign, the '>' look-alike
    EXPECT_EQ(qv::Utf8ToCp1252("\xE2\x80\x9Cquoted\xE2\x80\x9D"), "\x93quoted\x94");
    EXPECT_FALSE(qv::Utf8ToCp1252("\xE2\x9C\x93").has_value());  // a check mark has no byte
    EXPECT_FALSE(qv::Utf8ToCp1252("\xC3").has_value());          // cut-off UTF-8
}

}  // namespace
