#include "practice/attempt.h"

#include <gtest/gtest.h>

#include <map>

#include "course/course_config.h"
#include "course/record_file.h"
#include "practice/marking.h"
#include "packed_course.h"
#include "tiny_course.h"

namespace {

namespace fs = std::filesystem;
using qv::Fields;

const std::string kTick(qv::kTick);
const std::string kCross(qv::kCross);

class Attempt : public TinyCourseTest {
protected:
    // Types the rows of every question in turn, moving on with Next, and
    // stores the last question with a save.
    void AnswerAll(qv::PaperAttempt& attempt, const std::vector<std::vector<std::string>>& rows) {
        for (std::size_t q = 0; q < rows.size(); ++q) {
            ASSERT_EQ(attempt.currentQuestion(), static_cast<int>(q) + 1);
            if (q + 1 < rows.size()) {
                ASSERT_TRUE(attempt.GoToQuestion(static_cast<int>(q) + 2, rows[q]).ok());
            } else {
                attempt.StoreCurrentAnswers(rows[q]);
                ASSERT_TRUE(attempt.Save().ok());
            }
        }
    }
    Fields Marks(const std::string& key) {
        return qv::ReadRecordFields(dir_ / "marks2QEN.txt", key, 3).value;
    }
};

TEST_F(Attempt, LoadsThePaperAndLeavesNoScratchFile) {
    qv::FirstAttempt attempt;
    ASSERT_TRUE(Open(attempt).ok());
    EXPECT_TRUE(attempt.loaded());
    EXPECT_EQ(attempt.Caption(), "Grammar (1) - Paper 1");
    EXPECT_EQ(attempt.paper().questionIds, (Fields{"13001", "13002", "13003"}));
    EXPECT_EQ(attempt.paper().partCounts, (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(attempt.totalParts(), 6);
    EXPECT_EQ(attempt.maximumMarks(), 6);
    EXPECT_EQ(attempt.PartType(3), qv::AnswerType::Choice);
    EXPECT_EQ(attempt.PartKey(4), "She sings.");
    EXPECT_EQ(attempt.answers(), Fields(6));
    EXPECT_EQ(attempt.partResults(), Fields(6));
    EXPECT_FALSE(attempt.marked());
    EXPECT_EQ(attempt.scoreText(), "");
    EXPECT_EQ(attempt.currentQuestion(), 1);
    EXPECT_EQ(attempt.currentQuestionId(), "13001");
    EXPECT_EQ(attempt.remainingQuestions(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(attempt.answersFile(), dir_ / "first2QEN.txt");
    EXPECT_EQ(attempt.resultsFile(), dir_ / "fresults2QEN.txt");
    EXPECT_FALSE(fs::exists(dir_ / "temptext.txt"));
}

TEST_F(Attempt, CaptionCountsPapersWithinTheTopic) {
    qv::PaperContext context = TinyContext(dir_, 103);
    context.topicFirstPaper = 2;
    context.topicName = "Vocabulary (1)";
    EXPECT_EQ(context.Caption(), "Vocabulary (1) - Paper 2");
}

TEST_F(Attempt, PartOffsetsAndOwners) {
    qv::FirstAttempt attempt;
    ASSERT_TRUE(Open(attempt).ok());
    for (auto [question, offset, count] : {std::tuple{1, 0, 3}, {2, 3, 1}, {3, 4, 2}, {4, 6, 0}, {0, 0, 0}}) {
        EXPECT_EQ(attempt.PartOffset(question), offset) << question;
        EXPECT_EQ(attempt.PartCount(question), count) << question;
    }
    const std::vector<int> owners{1, 1, 1, 2, 3, 3};
    for (int part = 0; part < 6; ++part) EXPECT_EQ(attempt.QuestionOfPart(part), owners[part]) << part;
    EXPECT_EQ(attempt.QuestionOfPart(6), 0);
    EXPECT_EQ(attempt.QuestionOfPart(-1), 0);
}

TEST_F(Attempt, RowsFollowThePartTypes) {
    TinyCourse course;
    course.answerTypes = "...\r\n#13001#>T>T>T\r\n#13002#>Q\r\n#13003#>L>X\r\n...";
    const auto source = course.Source();
    qv::FirstAttempt attempt;
    ASSERT_TRUE(attempt.Load(source, TinyContext(dir_)).ok());
    EXPECT_EQ(attempt.PartMaxLength(0), 0);
    EXPECT_EQ(attempt.PartMaxLength(3), 1);  // a choice takes one character
    EXPECT_EQ(attempt.PartMaxLength(9), 0);
    EXPECT_FALSE(attempt.NeedsInstruction(1));
    EXPECT_FALSE(attempt.NeedsInstruction(2));
    EXPECT_TRUE(attempt.NeedsInstruction(3));
}

struct RemainingCase {
    const char* name;
    std::vector<std::vector<std::string>> rows;
    std::vector<int> remaining;
    int answered;
    bool allAnswered;
};

TEST_F(Attempt, RemainingListHoldsQuestionsWithAnEmptyPart) {
    for (const RemainingCase& c : {
             RemainingCase{"nothing answered", {{}, {}, {}}, {1, 2, 3}, 0, false},
             RemainingCase{"two gaps in one question", {{"", "saw", ""}, {"2"}, {"a", "b"}}, {1}, 4, false},
             RemainingCase{"blanks only", {{"a", "b", "c"}, {" "}, {"a", "  "}}, {2, 3}, 6, true},
             RemainingCase{"last part empty", {{"a", "b", "c"}, {"1"}, {"a", ""}}, {3}, 5, false},
             RemainingCase{"everything answered", {{"a", "b", "c"}, {"1"}, {"x", "y"}}, {}, 6, true},
         }) {
        qv::FirstAttempt attempt;
        ASSERT_TRUE(Open(attempt).ok());
        AnswerAll(attempt, c.rows);
        EXPECT_TRUE(attempt.GoToQuestion(1, {}).ok());  // the move rebuilds the list
        EXPECT_EQ(attempt.remainingQuestions(), c.remaining) << c.name;
        EXPECT_EQ(attempt.RebuildRemainingList(), c.remaining) << c.name;
        EXPECT_EQ(attempt.AnsweredCount(), c.answered) << c.name;
        EXPECT_EQ(attempt.AllPartsAnswered(), c.allAnswered) << c.name;
        EXPECT_EQ(attempt.MarkingConfirmation(),
                  c.allAnswered ? qv::kConfirmAllAnswered : qv::kConfirmUnanswered) << c.name;
    }
}

TEST_F(Attempt, StoringTakesTheRowsOfTheCurrentQuestionOnly) {
    qv::FirstAttempt attempt;
    ASSERT_TRUE(Open(attempt).ok());
    attempt.StoreCurrentAnswers({" went ", "a>b", "one\r\ntwo", "spill", "over"});
    EXPECT_EQ(attempt.answers(), (Fields{" went ", "a\x9B" "b", "one two", "", "", ""}));
    ASSERT_TRUE(attempt.GoToQuestion(3, {" went ", "a\x9B" "b", "one two"}).ok());
    attempt.StoreCurrentAnswers({"x"});  // fewer rows than parts: the rest stay
    EXPECT_EQ(attempt.answers(), (Fields{" went ", "a\x9B" "b", "one two", "", "x", ""}));
}

TEST_F(Attempt, EverySaveLeavesOneLinePerPaper) {
    qv::FirstAttempt attempt;
    ASSERT_TRUE(Open(attempt).ok());
    ASSERT_TRUE(attempt.GoToQuestion(2, {"went", "", "ate"}).ok());
    EXPECT_EQ(dir_.Read("first2QEN.txt"), "#101#>went>>ate>>>\r\n#102#>\r\n#103#>>\r\n");
    ASSERT_TRUE(attempt.GoToQuestion(1, {"2"}).ok());
    ASSERT_TRUE(attempt.Save().ok());
    EXPECT_EQ(dir_.Read("first2QEN.txt"), "#101#>went>>ate>2>>\r\n#102#>\r\n#103#>>\r\n");
    EXPECT_EQ(attempt.answerRecords(), (Fields{"#101#>went>>ate>2>>", "#102#>", "#103#>>"}));
    EXPECT_EQ(dir_.Read("fresults2QEN.txt"), TinyCourse::PaperTemplate());  // saving marks nothing

    qv::FirstAttempt reopened;
    ASSERT_TRUE(Open(reopened).ok());
    EXPECT_EQ(reopened.answers(), (Fields{"went", "", "ate", "2", "", ""}));
    EXPECT_EQ(reopened.currentQuestion(), 1);
    EXPECT_EQ(reopened.remainingQuestions(), (std::vector<int>{1, 3}));
}

TEST_F(Attempt, MovesStayWithinThePaper) {
    qv::FirstAttempt attempt;
    ASSERT_TRUE(Open(attempt).ok());
    EXPECT_FALSE(attempt.CanGoBack());
    EXPECT_TRUE(attempt.CanGoNext());
    EXPECT_TRUE(attempt.GoToQuestion(0, {}).ok());
    EXPECT_EQ(attempt.currentQuestion(), 1);
    EXPECT_TRUE(attempt.GoToQuestion(3, {}).ok());
    EXPECT_TRUE(attempt.CanGoBack());
    EXPECT_FALSE(attempt.CanGoNext());
    EXPECT_TRUE(attempt.GoToQuestion(4, {}).ok());
    EXPECT_EQ(attempt.currentQuestion(), 3);
    EXPECT_TRUE(attempt.GoToQuestion(3, {"x", "y"}).ok());  // choosing the question on show still stores and saves
    EXPECT_EQ(attempt.answers()[4], "x");
    EXPECT_NE(dir_.Read("first2QEN.txt").find(">x>y"), std::string::npos);
}

TEST_F(Attempt, MarkingRecordsThisPaperOnly) {
    qv::FirstAttempt attempt;
    ASSERT_TRUE(Open(attempt).ok());
    AnswerAll(attempt, {{"Went", "saw ", "eat"}, {"2"}, {"she sings.", "He runs"}});
    const qv::MarkOutcome outcome = attempt.Mark(std::chrono::seconds(12 * 60 + 5), "09/12/2026");
    EXPECT_TRUE(outcome.ok());
    EXPECT_TRUE(attempt.marked());
    EXPECT_TRUE(attempt.marked());
    EXPECT_EQ(attempt.rawScoreText(), "4");
    EXPECT_EQ(attempt.scoreText(), "66.7");
    EXPECT_EQ(attempt.timeTaken(), "0:12:5");
    EXPECT_EQ(attempt.dateCompleted(), "09/12/2026");
    EXPECT_EQ(attempt.partResults(), (Fields{kTick, kTick, kCross, kTick, kTick, kCross}));
    EXPECT_TRUE(attempt.IsPartLocked(0));

    EXPECT_EQ(dir_.Read("fresults2QEN.txt"),
              "#101#>" + kTick + ">" + kTick + ">" + kCross + ">" + kTick + ">" + kTick + ">" + kCross +
                  "\r\n#102#>\r\n#103#>>\r\n");
    EXPECT_EQ(dir_.Read("marks2QEN.txt"),
              "#FSE#>66.7>>\r\n#SSE#>>>\r\n#LTM#>0:12:5>>\r\n#CDD#>09/12/2026>>\r\n#FST#>1>0>0\r\n#SST#>0>0>0\r\n");
    EXPECT_EQ(dir_.Read("trend2QEN.txt"), "#TRD#>66.7\r\n");
    EXPECT_EQ(dir_.Read("second2QEN.txt"), TinyCourse::PaperTemplate());

    // A marked paper is locked: nothing more is stored, saved or marked.
    const std::string answersFile = dir_.Read("first2QEN.txt");
    attempt.StoreCurrentAnswers({"changed", "x"});
    EXPECT_EQ(attempt.answers()[4], "she sings.");
    EXPECT_TRUE(attempt.Save().ok());
    EXPECT_TRUE(attempt.Mark(std::chrono::seconds(1), "10/12/2026").ok());
    EXPECT_EQ(dir_.Read("first2QEN.txt"), answersFile);
    EXPECT_EQ(dir_.Read("trend2QEN.txt"), "#TRD#>66.7\r\n");
    WriteTemplates(source_, dir_);  // erased: a move in the marked paper does not write its answers back
    EXPECT_TRUE(attempt.GoToQuestion(1, {"went"}).ok());
    EXPECT_EQ(dir_.Read("first2QEN.txt"), TinyCourse::PaperTemplate());
}

TEST_F(Attempt, TheTrendGainsOneEntryPerMarkingOldestFirst) {
    qv::FirstAttempt first;
    ASSERT_TRUE(Open(first).ok());
    AnswerAll(first, {{"went", "saw", "ate"}, {"2"}, {"She sings.", "He runs."}});
    ASSERT_TRUE(first.Mark(std::chrono::seconds(61), "d1").ok());
    qv::FirstAttempt second;
    ASSERT_TRUE(Open(second, 103).ok());
    AnswerAll(second, {{"a", "c"}});
    ASSERT_TRUE(second.Mark(std::chrono::seconds(3725), "d2").ok());
    EXPECT_EQ(dir_.Read("trend2QEN.txt"), "#TRD#>100>50\r\n");
    EXPECT_EQ(Marks("FSE"), (Fields{"100", "", "50"}));
    EXPECT_EQ(Marks("LTM"), (Fields{"0:1:1", "", "1:2:5"}));
    EXPECT_EQ(Marks("FST"), (Fields{"1", "0", "1"}));
}

TEST_F(Attempt, AMarkedPaperReopensMarked) {
    {
        qv::FirstAttempt attempt;
        ASSERT_TRUE(Open(attempt).ok());
        AnswerAll(attempt, {{"went", "saw", "ate"}, {"3"}, {"She sings.", ""}});
        ASSERT_TRUE(attempt.Mark(std::chrono::seconds(5), "09/12/2026").ok());
    }
    qv::FirstAttempt reopened;
    ASSERT_TRUE(Open(reopened).ok());
    EXPECT_TRUE(reopened.marked());
    EXPECT_EQ(reopened.scoreText(), "66.7");
    EXPECT_EQ(reopened.timeTaken(), "0:0:5");
    EXPECT_EQ(reopened.dateCompleted(), "09/12/2026");
    EXPECT_EQ(reopened.rawScoreText(), "");
    EXPECT_EQ(reopened.partResults(), (Fields{kTick, kTick, kTick, kCross, kTick, kCross}));
    EXPECT_EQ(reopened.answers()[4], "She sings.");
    EXPECT_EQ(reopened.remainingQuestions(), (std::vector<int>{3}));
}

// A move that changes nothing leaves the answers file as it is (here with
// other line ends than the program writes); one that changes an answer
// rewrites it.
TEST_F(Attempt, OnlyAMoveThatChangesAnAnswerRewritesTheFile) {
    dir_.Write("first2QEN.txt", "#101#>went>>>>>\n#102#>\n#103#>>\n");
    qv::FirstAttempt attempt;
    ASSERT_TRUE(Open(attempt).ok());
    EXPECT_TRUE(attempt.GoToQuestion(2, {}).ok());
    EXPECT_TRUE(attempt.GoToQuestion(1, {}).ok());
    EXPECT_TRUE(attempt.GoToQuestion(2, {"went", "", ""}).ok());  // as stored
    EXPECT_EQ(dir_.Read("first2QEN.txt"), "#101#>went>>>>>\n#102#>\n#103#>>\n");
    EXPECT_TRUE(attempt.GoToQuestion(1, {"2"}).ok());
    EXPECT_EQ(dir_.Read("first2QEN.txt"), "#101#>went>>>2>>\r\n#102#>\r\n#103#>>\r\n");
}

// Each question's page comes from the course in memory; showing pages writes
// nothing to the working folder.
TEST_F(Attempt, GivesTheCurrentQuestionsPage) {
    qv::FirstAttempt attempt;
    ASSERT_TRUE(Open(attempt).ok());
    const auto before = std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator());
    EXPECT_EQ(attempt.CurrentPage(source_).archive, TinyCourse::Page(13001));
    EXPECT_TRUE(attempt.GoToQuestion(2, {}).ok());
    EXPECT_EQ(attempt.CurrentPage(source_).archive, TinyCourse::Page(13002));

    qv::MemoryResourceSource empty;
    EXPECT_TRUE(attempt.GoToQuestion(3, {}).ok());
    const qv::PageOutcome missing = attempt.CurrentPage(empty);
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(missing.message, "The page of question 3 could not be shown.");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), before);
}

using AttemptOnTheCourse = PackedCourseTest;

// The typical road: paper 101, every question answered, 27 of 30 right.
TEST_F(AttemptOnTheCourse, FirstPaperMarkedWithTwentySevenRight) {
    qv::FirstAttempt attempt;
    ASSERT_TRUE(attempt.Load(source_, Context(1)).ok());
    EXPECT_EQ(attempt.Caption(), "Grammar (1) - Paper 1");
    ASSERT_EQ(attempt.questionCount(), 30);
    ASSERT_EQ(attempt.totalParts(), 30);
    EXPECT_EQ(attempt.maximumMarks(), 30);
    EXPECT_FALSE(fs::exists(dir_ / "temptext.txt"));
    for (int q = 1; q <= 30; ++q) {
        ASSERT_TRUE(attempt.CurrentPage(source_).ok()) << q;
        const std::string& key = attempt.PartKey(attempt.PartOffset(q));
        const bool wrong = q == 5 || q == 17 || q == 30;
        const std::vector<std::string> rows{wrong ? (key == "1" ? "2" : "1") : key};
        if (q < 30) ASSERT_TRUE(attempt.GoToQuestion(q + 1, rows).ok());
        else attempt.StoreCurrentAnswers(rows);
    }
    EXPECT_EQ(attempt.MarkingConfirmation(), qv::kConfirmAllAnswered);
    const qv::MarkOutcome outcome = attempt.Mark(std::chrono::seconds(725), "09/12/2026");
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(attempt.rawScoreText(), "27");
    EXPECT_EQ(attempt.scoreText(), "90");

    const std::string code = config_.config.code;
    const fs::path marks = dir_ / ("marks2" + code + ".txt");
    const Fields fse = qv::ReadRecordFields(marks, "FSE", 50).value;
    const Fields fst = qv::ReadRecordFields(marks, "FST", 50).value;
    EXPECT_EQ(fse[0], "90");
    EXPECT_EQ(qv::ReadRecordFields(marks, "LTM", 50).value[0], "0:12:5");
    EXPECT_EQ(qv::ReadRecordFields(marks, "CDD", 50).value[0], "09/12/2026");
    EXPECT_EQ(fst[0], "1");
    for (int p = 1; p < 50; ++p) {
        EXPECT_EQ(fse[p], "") << p;
        EXPECT_EQ(fst[p], "0") << p;
    }
    const std::string marksText = dir_.Read("marks2" + code + ".txt");
    EXPECT_EQ(std::count(marksText.begin(), marksText.end(), '\n'), 6);
    EXPECT_EQ(dir_.Read("trend2" + code + ".txt"), "#TRD#>90\r\n");

    const Fields answers = qv::ReadPaperLines(dir_ / ("first2" + code + ".txt"), 50).value;
    const Fields results = qv::ReadPaperLines(dir_ / ("fresults2" + code + ".txt"), 50).value;
    const Fields given = qv::SplitRecordLine(answers[0], 30);
    const Fields marked = qv::SplitRecordLine(results[0], 30);
    EXPECT_EQ(std::count(marked.begin(), marked.end(), kTick), 27);
    EXPECT_EQ(marked[4], kCross);
    EXPECT_EQ(marked[29], kCross);
    EXPECT_EQ(std::count(given.begin(), given.end(), ""), 0);
    EXPECT_EQ(answers[1].substr(0, 5), "#102#");
    const std::string answersText = dir_.Read("first2" + code + ".txt");
    EXPECT_EQ(std::count(answersText.begin(), answersText.end(), '\n'), 50);
    EXPECT_EQ(answersText.find("..."), std::string::npos);
    for (const auto& entry : fs::directory_iterator(dir_.path())) {
        EXPECT_EQ(entry.path().extension() == ".mht" || entry.path().filename() == "temptext.txt", false)
            << entry.path();
    }
}

// Every paper of the packed course opens, with the shape the course gives it.
TEST_F(AttemptOnTheCourse, EveryPaperOpens) {
    std::map<int, std::pair<int, int>> shapes{{101, {30, 30}}, {106, {40, 40}}, {121, {4, 20}},
                                              {128, {5, 50}},  {141, {40, 40}}, {146, {3, 15}}};
    for (int paper = 1; paper <= module().paperCount; ++paper) {
        qv::FirstAttempt attempt;
        const qv::LoadOutcome outcome = attempt.Load(source_, Context(paper));
        ASSERT_TRUE(outcome.ok()) << paper << ": " << outcome.message;
        EXPECT_EQ(attempt.maximumMarks(), attempt.totalParts()) << paper;
        EXPECT_EQ(attempt.Caption().substr(attempt.Caption().size() - 1), std::to_string((paper - 1) % 5 + 1));
        if (const auto shape = shapes.find(100 + paper); shape != shapes.end()) {
            EXPECT_EQ(attempt.questionCount(), shape->second.first) << paper;
            EXPECT_EQ(attempt.totalParts(), shape->second.second) << paper;
            EXPECT_EQ(attempt.answers().size(), static_cast<std::size_t>(shape->second.second)) << paper;
        }
    }
    EXPECT_FALSE(fs::exists(dir_ / "temptext.txt"));
}

}  // namespace
