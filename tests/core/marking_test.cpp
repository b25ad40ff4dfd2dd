#include "practice/marking.h"

#include <gtest/gtest.h>

#include "course/text.h"
#include "practice/answer_text.h"

namespace {

using qv::Fields;

const std::string kTick(qv::kTick);
const std::string kCross(qv::kCross);

struct AnswerCase {
    const char* type;
    const char* key;
    const char* answer;
    std::string expected;
};

class MarkAnswerTable : public testing::TestWithParam<AnswerCase> {};

TEST_P(MarkAnswerTable, JudgesOnePart) {
    const AnswerCase& c = GetParam();
    EXPECT_EQ(qv::MarkAnswer(c.answer, c.key, qv::ParseAnswerType(c.type)), c.expected)
        << "type " << c.type << ", key \"" << c.key << "\", answer \"" << c.answer << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, MarkAnswerTable,
    testing::Values(
        // A choice: the option number.
        AnswerCase{"Q", "2", "2", kTick}, AnswerCase{"Q", "2", "3", kCross}, AnswerCase{"Q", "2", "", kCross},
        AnswerCase{"Q", "2", " 2 ", kTick},
        // A typed word: surrounding spaces and letter case do not matter, a full stop does.
        AnswerCase{"T", "went", "  Went ", kTick}, AnswerCase{"T", "went", "went.", kCross},
        AnswerCase{"T", "went", "", kCross}, AnswerCase{"T", " went", "went", kTick},
        AnswerCase{"T", "\xC9t\xE9", "\xE9T\xC9", kTick},  // accented capitals fold too
        AnswerCase{"T", "went", "w ent", kCross},
        // A sentence: letter case does not matter, the final full stop does.
        AnswerCase{"L", "She has lived here since 2010.", "she has lived here SINCE 2010.", kTick},
        AnswerCase{"L", "She has lived here since 2010.", "She has lived here since 2010", kCross},
        // A number: equal values, written any way; text that is no number is wrong.
        AnswerCase{"N", "12", "12", kTick}, AnswerCase{"N", "12", "12.0", kTick},
        AnswerCase{"N", "12", " 12 ", kTick}, AnswerCase{"N", "0.5", "0,5", kTick},
        AnswerCase{"N", "12", "13", kCross}, AnswerCase{"N", "12", "twelve", kCross},
        AnswerCase{"N", "12", "", kCross}, AnswerCase{"N", "many", "many", kCross},
        AnswerCase{"N", "inf", "inf", kCross},
        // A non-breaking space or a typographic minus, as a word processor pastes them.
        AnswerCase{"N", "12", "12\xA0", kTick}, AnswerCase{"N", "-3", "\x96" "3", kTick},
        // Spelling-sensitive: spaces dropped but the one where the key has its first
        // space; letter case kept.
        AnswerCase{"R", "ice cream", "ice cream", kTick}, AnswerCase{"R", "ice cream", "  ice cream ", kTick},
        AnswerCase{"R", "ice cream", "icecream", kCross}, AnswerCase{"R", "ice cream", "Ice cream", kCross},
        AnswerCase{"F", "notebook", "note book", kTick}, AnswerCase{"X", "notebook", "n o t e b o o k", kTick},
        AnswerCase{"X", "a big dog", "a big dog", kCross},  // only the first space survives
        AnswerCase{"X", "a bigdog", "a big dog", kTick}, AnswerCase{"F", "word", "", kCross},
        // A word processor's apostrophes, quotes, dashes, spaces and ellipsis read as typed
        // at a keyboard, on either side.
        AnswerCase{"T", "Don\x92t", "don't", kTick}, AnswerCase{"T", "don't", "Don\x91t", kTick},
        AnswerCase{"L", "She said \x93no\x94.", "She said \"no\".", kTick},
        AnswerCase{"T", "well-known", "well\x96known", kTick}, AnswerCase{"T", "rusty", "rusty\xA0", kTick},
        AnswerCase{"T", "wait...", "wait\x85", kTick}, AnswerCase{"R", "ice\xA0" "cream", "ice cream", kTick},
        AnswerCase{"T", "don't", "dont", kCross},
        // Slips of spacing a teacher lets pass: a double space, a space before the final mark.
        AnswerCase{"L", "The jumper my gran knitted is too big for me.",
                   "The jumper  my gran knitted is too big for me.", kTick},
        AnswerCase{"L", "The jumper my gran knitted is too big for me.",
                   "The jumper my gran knitted is too big for me .", kTick},
        AnswerCase{"L", "Where is it?", "where  is it ?", kTick}, AnswerCase{"T", "ice cream", "ice  cream", kTick},
        AnswerCase{"L", "Where is it?", "Where is it", kCross}, AnswerCase{"T", "ice cream", "icecream", kCross},
        // Any other type is neither right nor wrong.
        AnswerCase{"Z", "a", "a", ""}, AnswerCase{"", "a", "a", ""}, AnswerCase{"q", "a", "a", ""}));

struct GroupCase {
    const char* name;
    Fields answers;
    Fields keys;
    std::string expected;  // one result character per part
};

class MarkGroupTable : public testing::TestWithParam<GroupCase> {};

TEST_P(MarkGroupTable, MarksEveryPartOfTheGroup) {
    const GroupCase& c = GetParam();
    const qv::AnswerTypes types(c.keys.size(), qv::AnswerType::Group);
    std::string results;
    for (std::size_t i = 0; i < c.keys.size(); ++i) results += qv::MarkGroupAnswer(c.answers, c.keys, i);
    std::string expected;
    for (char r : c.expected) expected += (r == '+' ? kTick : kCross);
    EXPECT_EQ(results, expected) << c.name;
    EXPECT_EQ(qv::MarkParts(c.answers, c.keys, types), [&] {
        Fields each;
        for (char r : c.expected) each.push_back(r == '+' ? kTick : kCross);
        return each;
    }()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    AnyOrderEachOnce, MarkGroupTable,
    testing::Values(
        GroupCase{"single part", {"Are"}, {";is;are"}, "+"},
        GroupCase{"single part wrong", {"was"}, {";is;are"}, "-"},
        GroupCase{"in key order", {"red", "green", "blue"}, {";red;green;blue", " ", " "}, "+++"},
        GroupCase{"in any order", {" Blue", "red", "GREEN "}, {";red;green;blue", " ", " "}, "+++"},
        GroupCase{"one answer counts once", {"red", "red", "blue"}, {";red;green;blue", " ", " "}, "+-+"},
        GroupCase{"a wrong first part", {"pink", "red", "green"}, {";red;green;blue", " ", " "}, "-++"},
        GroupCase{"an empty part", {"red", "", "blue"}, {";red;green;blue", " ", " "}, "+-+"},
        GroupCase{"empty alternatives never match", {"", ""}, {";a;;b;", " "}, "--"},
        GroupCase{"two groups", {"b", "a", "d", "c"}, {";a;b", " ", ";c;d", " "}, "++++"},
        GroupCase{"no group start", {"a"}, {" "}, "-"},
        GroupCase{"text before the first ';' is no alternative", {"x"}, {"x;y"}, "-"},
        GroupCase{"curly apostrophes", {"isn't", "aren\x92t"}, {";isn\x92t;aren't", " "}, "++"}));

TEST(MarkGroupAnswer, LooksBackAtMostTwentyParts) {
    Fields keys{";a;b"};
    Fields answers{"a"};
    for (int i = 0; i < 21; ++i) {
        keys.push_back(" ");
        answers.push_back("b");
    }
    EXPECT_EQ(qv::GroupStart(keys, 20), 0u);
    EXPECT_EQ(qv::MarkGroupAnswer(answers, keys, 1), kTick);
    EXPECT_EQ(qv::GroupStart(keys, 21), std::nullopt);
    EXPECT_EQ(qv::MarkGroupAnswer(answers, keys, 21), kCross);
    EXPECT_EQ(qv::MarkGroupAnswer(answers, keys, 99), "");
}

TEST(MarkParts, ChoosesTheRuleByType) {
    const Fields keys{"2", ";is;are", " ", "went"};
    const qv::AnswerTypes types = qv::ParseAnswerTypes({"Q", "M", "M", "Z"});
    const Fields answers{"2", "are", "is", "went"};
    EXPECT_EQ(qv::MarkParts(answers, keys, types), (Fields{kTick, kTick, kTick, ""}));
    // Without the group rule the third part ("is" against a single space) would be wrong.
    EXPECT_EQ(qv::MarkPart(answers, keys, types, 2), kTick);
}

TEST(SplitAlternatives, KeepsTheTextsInKeyOrder) {
    EXPECT_EQ(qv::SplitAlternatives(";is;are"), (std::vector<std::string>{"is", "are"}));
    EXPECT_EQ(qv::SplitAlternatives(";a;;b "), (std::vector<std::string>{"a", "", "b "}));
    EXPECT_TRUE(qv::SplitAlternatives("plain").empty());
}

struct ScoreCase {
    int right;
    int parts;
    const char* percent;
};

TEST(Score, CountsTheMarksOfTheTicksAndGivesTheShortestPercent) {
    for (const ScoreCase& c : {ScoreCase{27, 30, "90"}, ScoreCase{2, 3, "66.7"}, ScoreCase{3, 4, "75"},
                               ScoreCase{30, 30, "100"}, ScoreCase{0, 30, "0"}, ScoreCase{1, 16, "6.2"},
                               ScoreCase{3, 16, "18.8"}}) {
        Fields results(static_cast<std::size_t>(c.parts), kCross);
        for (int i = 0; i < c.right; ++i) results[static_cast<std::size_t>(i) * c.parts / c.right % c.parts] = kTick;
        const Fields marks(static_cast<std::size_t>(c.parts), "1");
        const long long score = qv::ScoreMarks(results, marks);
        EXPECT_EQ(score, c.right);
        EXPECT_EQ(qv::FormatPercent(score, qv::SumMarks(marks)), c.percent) << c.right << "/" << c.parts;
    }
}

TEST(Score, MarksAreNumbersRoundedAfterEachAddition) {
    EXPECT_EQ(qv::SumMarks({"1", "2", "3"}), 6);
    EXPECT_EQ(qv::SumMarks({"2", "x", ""}), 2);       // no number counts nothing
    EXPECT_EQ(qv::SumMarks({"1.5", "1.5"}), 4);       // 2, then 3.5 -> 4
    EXPECT_EQ(qv::SumMarks({"0.5", "0.5"}), 0);       // halves to even: 0, 0
    EXPECT_EQ(qv::SumMarks({"1e300", "1"}), 1000001);  // absurd marks stay in range
    EXPECT_EQ(qv::ScoreMarks({kTick, "", kCross, kTick}, {"2", "3", "4", "5"}), 7);
}

TEST(FormatElapsed, HoursMinutesSecondsWithoutPadding) {
    using std::chrono::seconds;
    EXPECT_EQ(qv::FormatElapsed(seconds(0)), "0:0:0");
    EXPECT_EQ(qv::FormatElapsed(seconds(7)), "0:0:7");
    EXPECT_EQ(qv::FormatElapsed(seconds(12 * 60 + 5)), "0:12:5");
    EXPECT_EQ(qv::FormatElapsed(seconds(3600 + 5 * 60)), "1:5:0");
    EXPECT_EQ(qv::FormatElapsed(seconds(25 * 3600 + 1)), "25:0:1");
    EXPECT_EQ(qv::FormatElapsed(seconds(-5)), "0:0:0");
}

struct TextCase {
    const char* text;  // UTF-8
    const char* type;
    bool storable;
    const char* kept;  // what StorableAnswer leaves
};

TEST(AnswerText, StopsWhatARecordCannotCarry) {
    for (const TextCase& c : {
             TextCase{"went", "T", true, "went"},
             TextCase{"caf\xC3\xA9 \xE2\x82\xAC", "T", true, "caf\xC3\xA9 \xE2\x82\xAC"},  // é and € are in the code page
             TextCase{"a>b", "T", false, "ab"},
             TextCase{"one\ntwo", "L", false, "onetwo"},
             TextCase{"one\r\ntwo", "L", false, "onetwo"},
             TextCase{"tab\there", "L", false, "tabhere"},
             TextCase{"\xE2\x80\xBA", "T", true, "\xE2\x80\xBA"},  // the look-alike of '>' is fine
             TextCase{"\xE4\xB8\xAD" "x", "T", false, "x"},        // a Chinese character is not
             TextCase{"\xF0\x9F\x98\x80", "T", false, ""},          // nor an emoji
             TextCase{"\xC2\x81", "T", false, ""},                  // nor a C1 control
             TextCase{"\xC5\xA0\xC4\x80", "T", false, "\xC5\xA0"},    // Š is, Ā is not
             TextCase{"\xFF" "a", "T", false, "a"},                 // nor a broken byte
             TextCase{"\xF0\x82\x80\x91" "a", "T", false, "a"},     // nor an overlong hyphen
             TextCase{"well\xE2\x80\x91known \xE2\x88\x92" "1", "L", false, "well-known -1"},  // plain forms
             TextCase{"2", "Q", true, "2"},
             TextCase{"23", "Q", false, "2"},  // a choice keeps one character
             TextCase{"\xC3\xA9", "Q", true, "\xC3\xA9"},
             TextCase{"", "Q", true, ""},
         }) {
        const int limit = qv::AnswerMaxLength(qv::ParseAnswerType(c.type));
        EXPECT_EQ(qv::IsStorableAnswer(c.text, limit), c.storable) << c.text;
        EXPECT_EQ(qv::StorableAnswer(c.text, limit), c.kept) << c.text;
        EXPECT_TRUE(qv::IsStorableAnswer(qv::StorableAnswer(c.text, limit), limit)) << c.text;
    }
}

}  // namespace
