#include "report/mistakes.h"

#include <gtest/gtest.h>

#include "packed_course.h"
#include "practice/marking.h"
#include "practice/paper_records.h"
#include "practice/question_text.h"
#include "report/mistakes_sheet.h"

namespace {

using qv::Fields;

TEST(QuestionText, ReadsTheParagraphsAndTheWordBox) {
    const qv::QuestionText page = qv::ReadQuestionText(
        "<html><head><title>Question 1</title><style>p { color: red; }</style></head><body>\r\n"
        "<p class=\"instruction\">Choose a word &amp; type it.</p>\r\n"
        "<table class=\"box\" border=\"1\"><tr><td>went</td><td> goes </td></tr>\r\n<tr><td>caf&#233;</td></tr></table>\r\n"
        "<!-- a note --><h2>A Day Out</h2><p>We <span class=\"label\">(a)</span>&nbsp;<span>__________</span>\r\n"
        "   to the sea. Then we <b>(b)</b> home.</p></body></html>");
    EXPECT_EQ(page.paragraphs, (std::vector<std::string>{"Choose a word & type it.", "went goes", "caf\xC3\xA9",
                                                         "A Day Out", "We (a) __________ to the sea. Then we (b) home."}));
    EXPECT_EQ(page.boxWords, (std::vector<std::string>{"went", "goes", "caf\xC3\xA9"}));
    // Only the box words the key puts in a gap; distractors are left out.
    EXPECT_EQ(qv::PlacedBoxWords(page, {"Went", "caf\xE9"}), (Fields{"went", "caf\xE9"}));
    // A long page is shortened to its instruction and the sentence of the gap.
    EXPECT_EQ(qv::QuestionExcerpt(page, 1, 2, 40), "Choose a word & type it.\n... Then we (b) home. ...");
    EXPECT_EQ(qv::QuestionExcerpt(page, 1, 2).find("Choose a word & type it.\nwent goes"), 0u);
    // A choice part keeps its options, which its answer and model answer are numbers of.
    const qv::QuestionText choices = qv::ReadQuestionText(
        "<p>Read the passage and answer.</p><p>A long passage.</p><p>(a) The sea was...</p>"
        "<table class=\"options\"><tr><td>1</td><td>calm</td></tr><tr><td>2</td><td>rough</td></tr></table>"
        "<p>(b) The boat...</p>");
    EXPECT_EQ(qv::QuestionExcerpt(choices, 0, 2, 20), "Read the passage and answer.\n... (a) The sea was... ...\n1 calm\n2 rough");
}

qv::Mistake Part(int topic, int paper, int question, int part, int parts, const char* answer, const char* reason) {
    return {topic, paper, question, part, parts, "Question text.", answer, "key", reason};
}

TEST(MistakesSheet, PutsTheMostMissedTopicFirst) {
    qv::ModuleConfig module;
    module.label = "Practice";
    module.topicCount = 3;
    module.topicNames = {"Grammar (1)", "Caf\xE9 words", "Word Order", "", "", "", "", "", "", ""};
    std::vector<qv::Mistake> parts = {Part(1, 2, 4, 0, 1, "3", "The answer was key."),
                                      Part(2, 1, 3, 1, 5, "", "Not answered."),
                                      Part(2, 1, 1, 0, 5, "becuase", "Nearly: check the spelling.")};
    qv::SortMistakes(parts);
    EXPECT_EQ(qv::SheetText(qv::MistakesSheet("Quorvale English", module, parts)),
              "Quorvale English - Practice: mistakes to go over\n"
              "Every part still wrong after a marked second attempt, the topic with the most first.\n"
              "\n"
              "Caf\xC3\xA9 words - 2 parts still wrong\n"
              "\n"
              "  Paper 1, question 1 (a)\n"
              "    Question text.\n"
              "    Your answer:   becuase\n"
              "    Model answer:  key\n"
              "    Why:           Nearly: check the spelling.\n"
              "\n"
              "  Paper 1, question 3 (b)\n"
              "    Question text.\n"
              "    Your answer:   -\n"
              "    Model answer:  key\n"
              "    Why:           Not answered.\n"
              "\n"
              "Grammar (1) - 1 part still wrong\n"
              "\n"
              "  Paper 2, question 4\n"
              "    Question text.\n"
              "    Your answer:   3\n"
              "    Model answer:  key\n"
              "    Why:           The answer was key.\n");
    EXPECT_EQ(qv::WrapWords("one two three four", 9), (std::vector<std::string>{"one two", "three", "four"}));
}

class MistakesOnTheCourse : public PackedCourseTest {};

// Paper 23 (a cloze with a word box) is marked twice with two parts still
// wrong; paper 22's second attempt is not marked, so it stays off the sheet.
TEST_F(MistakesOnTheCourse, ListsOnlyPartsWrongAfterAMarkedSecondAttempt) {
    qv::PaperData paper;
    ASSERT_TRUE(qv::LoadPaperData(source_, Context(23), paper).ok());
    const int parts = paper.totalParts();
    Fields answers = paper.answerKey, results(static_cast<std::size_t>(parts), std::string(qv::kTick));
    answers[0] = paper.answerKey[1];  // a box word of another gap
    answers[2] = "";
    results[0] = results[2] = std::string(qv::kCross);
    Fields lines;
    qv::MarksLists marks;
    for (int number : {22, 23}) {
        ASSERT_EQ(qv::ReplacePaperRecord(dir_ / File("second"), 50, number, answers, parts, lines), qv::IoStatus::Ok);
        ASSERT_EQ(qv::ReplacePaperRecord(dir_ / File("sresults"), 50, number, results, parts, lines), qv::IoStatus::Ok);
        ASSERT_EQ(qv::UpdateMarksFields(dir_ / File("marks"), 50, number, {{qv::MarksRecord::FirstMarked, "1"}, {qv::MarksRecord::SecondMarked, number == 23 ? "1" : "0"}},
                                        marks),
                  qv::IoStatus::Ok);
    }
    const qv::Mistakes mistakes = qv::LoadMistakes(source_, dir_.path(), 2, config_.config.code, module());
    EXPECT_TRUE(mistakes.problems.empty());
    ASSERT_EQ(mistakes.parts.size(), 2u);
    const qv::Mistake& first = mistakes.parts[0];
    EXPECT_EQ((std::array<int, 4>{first.topic, first.paperInTopic, first.question, first.part}),
              (std::array<int, 4>{5, 3, 1, 0}));
    EXPECT_EQ(first.model, paper.answerKey[0]);
    EXPECT_EQ(first.reason, "That word belongs in another gap.");
    EXPECT_NE(first.questionText.find("(a)"), std::string::npos) << first.questionText;
    EXPECT_EQ(mistakes.parts[1].reason, "Not answered.");
}

}  // namespace
