#include "course/text.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "course/text_lines.h"

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

namespace {

struct Utf8Case {
    const char* name;
    std::string bytes;
    char32_t code;        // when well-formed
    std::size_t length;   // 0: not a well-formed character
};

TEST(DecodeUtf8, TakesWellFormedCharactersOnly) {
    const Utf8Case cases[] = {
        {"ascii", "A", U'A', 1},
        {"two bytes", "\xC3\xA9", 0xE9, 2},
        {"smallest two-byte", "\xC2\x80", 0x80, 2},
        {"three bytes", "\xE2\x82\xAC", 0x20AC, 3},
        {"last before surrogates", "\xED\x9F\xBF", 0xD7FF, 3},
        {"first after surrogates", "\xEE\x80\x80", 0xE000, 3},
        {"four bytes", "\xF0\x9F\x98\x80", 0x1F600, 4},
        {"largest", "\xF4\x8F\xBF\xBF", 0x10FFFF, 4},
        {"stray continuation", "\x80", 0, 0},
        {"overlong slash", "\xC0\xAF", 0, 0},
        {"overlong two-byte", "\xC1\xBF", 0, 0},
        {"overlong three-byte", "\xE0\x9F\xBF", 0, 0},
        {"overlong four-byte", "\xF0\x8F\xBF\xBF", 0, 0},
        {"high surrogate", "\xED\xA0\x80", 0, 0},
        {"low surrogate", "\xED\xBF\xBF", 0, 0},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", 0, 0},
        {"lead F5", "\xF5\x80\x80\x80", 0, 0},
        {"lead FF", "\xFF", 0, 0},
        {"cut off", "\xE2\x82", 0, 0},
        {"ASCII where a continuation belongs", "\xE2(\xA1", 0, 0},
    };
    for (const Utf8Case& c : cases) {
        const auto decoded = qv::DecodeUtf8(c.bytes, 0);
        if (c.length == 0) {
            EXPECT_FALSE(decoded.has_value()) << c.name;
            EXPECT_EQ(qv::FindInvalidUtf8("ok " + c.bytes + " ok"), 3u) << c.name;
            EXPECT_FALSE(qv::Utf8ToCp1252(c.bytes).has_value()) << c.name;
        } else {
            ASSERT_TRUE(decoded.has_value()) << c.name;
            EXPECT_EQ(decoded->code, c.code) << c.name;
            EXPECT_EQ(decoded->length, c.length) << c.name;
            EXPECT_EQ(qv::FindInvalidUtf8("ok " + c.bytes + " ok"), std::string_view::npos) << c.name;
        }
    }
}

TEST(DecodeUtf8, ReadsFromTheGivenOffset) {
    const std::string text = "a\xC3\xA9" "b";
    EXPECT_EQ(qv::DecodeUtf8(text, 1)->code, 0xE9u);
    EXPECT_FALSE(qv::DecodeUtf8(text, 2).has_value());  // inside the character
    EXPECT_EQ(qv::DecodeUtf8(text, 3)->code, U'b');
    EXPECT_FALSE(qv::DecodeUtf8(text, 4).has_value());  // past the end
}

TEST(CodePage, OverlongFormsDoNotSmuggleSeparators) {
    // "\xC0\xBE" would read as '>' and split a record field in two.
    EXPECT_FALSE(qv::Utf8ToCp1252("a\xC0\xBE" "b").has_value());
    EXPECT_FALSE(qv::Utf8ToCp1252("\xE0\x80\x8D\xE0\x80\x8A").has_value());  // CR LF
}

TEST(TrimSpacesAndTabs, DropsSpacesAndTabsAtBothEnds) {
    EXPECT_EQ(qv::TrimSpacesAndTabs(" \t a b \t"), "a b");
    EXPECT_EQ(qv::TrimSpacesAndTabs(" \t "), "");
    EXPECT_EQ(qv::TrimSpacesAndTabs("\na\n"), "\na\n");
}

TEST(SplitLines, EveryKindOfLineEndMixedInOneText) {
    using Lines = std::vector<std::string_view>;
    const struct {
        std::string_view text;
        Lines expected;
    } cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\rb\rc\nd\ne\r\n", {"a", "b", "c", "d", "e"}},
        {"a\n\rb\r\r\nc", {"a", "", "b", "", "c"}},
        {"\n\r\n\r", {"", "", ""}},
        {"x\r\n\r\ny", {"x", "", "y"}},
        {"a\n\nb\n", {"a", "", "b"}},
    };
    for (const auto& c : cases) EXPECT_EQ(qv::SplitLines(c.text), c.expected) << c.text;
}

}  // namespace
