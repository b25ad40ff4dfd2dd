#include "practice/wrong_reason.h"

#include <gtest/gtest.h>

#include "practice/marking.h"

namespace {

using qv::ModelAnswerShown;

constexpr const char* kSpelling = "Nearly: check the spelling.";
constexpr const char* kOrder = "The words are right, but not their order.";
constexpr const char* kPunctuation = "Check the punctuation.";
constexpr const char* kOtherGap = "That word belongs in another gap.";
constexpr const char* kNotAnswered = "Not answered.";
constexpr const char* kLookAgain = "Not this one: look again.";

const qv::Fields kBox = {"went", "goes", "taken", "were"};

struct ReasonCase {
    const char* type;
    const char* key;
    const char* answer;
    std::string expected;
    ModelAnswerShown shown = ModelAnswerShown::No;
};

constexpr auto kShown = ModelAnswerShown::Yes;

void PrintTo(const ReasonCase& c, std::ostream* out) { *out << c.type << " \"" << c.key << "\" \"" << c.answer << "\""; }

class WrongPartReasonTable : public testing::TestWithParam<ReasonCase> {};

TEST_P(WrongPartReasonTable, NamesTheSlip) {
    const ReasonCase& c = GetParam();
    // Every row is a real wrong answer: the reason explains a cross.
    ASSERT_EQ(qv::MarkAnswer(c.answer, c.key, qv::ParseAnswerType(c.type)), std::string(qv::kCross)) << c.answer;
    const std::string reason = qv::WrongPartReason(c.answer, c.key, qv::ParseAnswerType(c.type), kBox, c.shown);
    EXPECT_EQ(reason, c.expected) << "type " << c.type << ", key \"" << c.key << "\", answer \"" << c.answer << "\"";
    // Before the model answer is shown the reason never gives it away.
    if (c.shown == ModelAnswerShown::No && std::string(c.key).size() >= 3) {
        EXPECT_EQ(reason.find(c.key), std::string::npos) << reason;
    }
}

INSTANTIATE_TEST_SUITE_P(
    PupilsSlips, WrongPartReasonTable,
    testing::Values(
        // One or two letters out, a swap of neighbours counting as one.
        ReasonCase{"T", "because", "becuase", kSpelling}, ReasonCase{"T", "necessary", "neccesary", kSpelling},
        ReasonCase{"T", "which", "wich", kSpelling}, ReasonCase{"T", "their", "thier", kSpelling},
        ReasonCase{"T", "beautiful", "beutiful", kSpelling}, ReasonCase{"T", "separate", "seperate", kSpelling},
        ReasonCase{"T", "tomorrow", "tommorow", kSpelling}, ReasonCase{"T", "friend", "freind", kSpelling},
        ReasonCase{"T", "definitely", "definately", kSpelling}, ReasonCase{"T", "beginning", "begining", kSpelling},
        ReasonCase{"T", "was", "wos", kSpelling}, ReasonCase{"T", "went", "wnet", kSpelling},
        ReasonCase{"L", "She has lived here since 2010.", "She has lived hear since 2010.", kSpelling},
        ReasonCase{"L", "I don't know.", "I dont know.", kSpelling},
        ReasonCase{"T", "because", "becuase", kSpelling, kShown},
        // A word of two letters is another word, not a misspelling; three
        // letters out is not a slip.
        ReasonCase{"T", "is", "us", kLookAgain}, ReasonCase{"T", "children", "childs", kLookAgain},
        ReasonCase{"T", "mice", "mouses", kLookAgain}, ReasonCase{"T", "went", "goed", kLookAgain},
        // The same words in another order, repeats counted.
        ReasonCase{"L", "I have never been to Paris.", "I have been never to Paris.", kOrder},
        ReasonCase{"L", "She always walks to school.", "She walks always to school.", kOrder},
        ReasonCase{"L", "Does he like football?", "He does like football?", kOrder},
        ReasonCase{"L", "The cat sat on the mat.", "The mat sat on the cat.", kOrder},
        ReasonCase{"L", "It is what it is.", "It is what is.", kLookAgain},
        // Right but for a full stop, comma, question mark or capital.
        ReasonCase{"L", "She has lived here since 2010.", "She has lived here since 2010", kPunctuation},
        ReasonCase{"L", "Where are you going?", "Where are you going.", kPunctuation},
        ReasonCase{"L", "However, it rained.", "However it rained.", kPunctuation},
        ReasonCase{"L", "I don't know.", "I don\x92t know", kPunctuation},
        ReasonCase{"R", "London", "london", kPunctuation}, ReasonCase{"T", "went", "went.", kPunctuation},
        ReasonCase{"L", "However, it rained.", "However it rained.", kPunctuation, kShown},
        // A word from the box that belongs in another gap; a word outside
        // the box is not.
        ReasonCase{"T", "went", "goes", kOtherGap}, ReasonCase{"T", "went", " Goes ", kOtherGap},
        ReasonCase{"T", "were", "went", kOtherGap}, ReasonCase{"T", "taken", "took", kLookAgain},
        // Nothing typed.
        ReasonCase{"T", "went", "", kNotAnswered}, ReasonCase{"T", "went", "   ", kNotAnswered},
        ReasonCase{"Q", "2", "", kNotAnswered, kShown},
        // A choice, a number or anything else: the key only once it is shown.
        ReasonCase{"Q", "2", "3", kLookAgain}, ReasonCase{"Q", "2", "2.", kLookAgain},
        ReasonCase{"N", "120", "125", kLookAgain}, ReasonCase{"Q", "2", "3", "The answer was 2.", kShown},
        ReasonCase{"Q", "4", "1", "The answer was 4.", kShown}, ReasonCase{"N", "12", "13", kLookAgain},
        ReasonCase{"N", "12", "13", "The answer was 12.", kShown},
        ReasonCase{"T", "went", "goed", "The answer was went.", kShown},
        ReasonCase{"L", "She has lived here since 2010.", "She lives here since 2010.",
                   "The answer was She has lived here since 2010.", kShown}));

}  // namespace
