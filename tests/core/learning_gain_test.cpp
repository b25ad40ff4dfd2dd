#include "report/learning_gain.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "practice/marking.h"

namespace {

struct MarkedPaper {
    int number;          // 1..15
    const char* first;   // one character a part: '+' right, '-' wrong, '.' no result
    const char* second;  // nullptr: the second attempt is not marked
};

struct GainCase {
    const char* name;
    std::vector<MarkedPaper> papers;
    std::array<std::array<int, 3>, 3> expected;  // per topic: right first, put right, still wrong
    std::string sentence;
};

std::string Line(int number, const char* marks) {
    std::string line = "#" + std::to_string(100 + number) + "#";
    for (const char* c = marks; *c; ++c) line += ">" + std::string(*c == '+' ? qv::kTick : *c == '-' ? qv::kCross : "");
    return line;
}

void PrintTo(const GainCase& c, std::ostream* out) { *out << c.name; }

class LearningGainTable : public testing::TestWithParam<GainCase> {};

TEST_P(LearningGainTable, CountsWhatTheSecondAttemptPutRight) {
    const GainCase& c = GetParam();
    qv::ModuleConfig module;
    module.label = "Grammar";
    module.topicCount = 3;
    module.paperCount = 15;
    module.topicNames = {"Tenses", "Plurals", "Spelling", "", "", "", "", "", "", ""};
    qv::Fields fst(15, "0"), sst(15, "0"), first(15), second(15);
    for (const MarkedPaper& p : c.papers) {
        const auto i = static_cast<std::size_t>(p.number - 1);
        fst[i] = "1";
        first[i] = Line(p.number, p.first);
        if (p.second) {
            sst[i] = "1";
            second[i] = Line(p.number, p.second);
        }
    }
    const qv::LearningGain gain = qv::ComputeLearningGain(module, fst, sst, first, second);
    for (std::size_t t = 0; t < 3; ++t) {
        const qv::TopicGain& g = gain.topics[t];
        EXPECT_EQ((std::array<int, 3>{g.rightFirst, g.putRight, g.stillWrong}), c.expected[t]) << "topic " << t + 1;
    }
    EXPECT_EQ(gain.sentence, c.sentence);
}

INSTANTIATE_TEST_SUITE_P(
    Modules, LearningGainTable,
    testing::Values(
        GainCase{"NothingMarked", {}, {}, "No paper has had its second attempt marked yet."},
        GainCase{"OnlyFirstAttempts", {{1, "+-", nullptr}, {6, "--", nullptr}}, {},
                 "No paper has had its second attempt marked yet."},
        // A paper whose second attempt is unmarked is left out.
        GainCase{"OneTopic",
                 {{1, "++--", "++++"}, {2, "+--", "+-+"}, {3, "---", nullptr}},
                 {{{3, 3, 1}, {0, 0, 0}, {0, 0, 0}}},
                 "A second attempt put right 3 of the 4 parts wrong at the first attempt in Tenses."},
        // Results files made again from their templates since the markings.
        GainCase{"PartsWithoutResults", {{1, "..", "++"}, {2, "+-", "+."}, {6, "...", "..."}},
                 {{{1, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
                 "Every part was right at the first attempt, so there was nothing to put right."},
        GainCase{"AllRightFirstTime", {{1, "+++", "+++"}, {7, "++", "++"}},
                 {{{3, 0, 0}, {2, 0, 0}, {0, 0, 0}}},
                 "Every part was right at the first attempt, so there was nothing to put right."},
        GainCase{"AllStillWrong", {{1, "--", "--"}, {6, "-", "-"}},
                 {{{0, 0, 2}, {0, 0, 1}, {0, 0, 0}}}, "A second attempt helped as much in every topic."},
        GainCase{"MostAndLeast", {{1, "+--", "+++"}, {6, "----", "+---"}, {11, "--", "+-"}},
                 {{{1, 2, 0}, {0, 1, 3}, {0, 1, 1}}},
                 "A second attempt helped most in Tenses and least in Plurals."},
        // Equal shares: the later topic is named, as in the report's ranking.
        GainCase{"Tie", {{1, "--", "+-"}, {6, "----", "++--"}, {11, "-", "-"}},
                 {{{0, 1, 1}, {0, 2, 2}, {0, 0, 1}}},
                 "A second attempt helped most in Plurals and least in Spelling."},
        GainCase{"TieAtTheBottom", {{1, "--", "+-"}, {6, "----", "++--"}, {11, "-", "+"}},
                 {{{0, 1, 1}, {0, 2, 2}, {0, 1, 0}}},
                 "A second attempt helped most in Spelling and least in Plurals."}),
    [](const testing::TestParamInfo<GainCase>& info) { return std::string(info.param.name); });

}  // namespace
