#include "practice/second_attempt.h"

#include <gtest/gtest.h>

#include "course/course_config.h"
#include "course/record_file.h"
#include "practice/marking.h"
#include "practice/model_answer.h"
#include "packed_course.h"
#include "tiny_course.h"

namespace {

namespace fs = std::filesystem;
using qv::Fields;

const std::string kTick(qv::kTick);
const std::string kCross(qv::kCross);

// Types the rows of every question in turn, moving on with Next; the last
// question's rows are stored without a move.
void AnswerAll(qv::PaperAttempt& attempt, const std::vector<std::vector<std::string>>& rows) {
    for (std::size_t q = 0; q < rows.size(); ++q) {
        ASSERT_EQ(attempt.currentQuestion(), static_cast<int>(q) + 1);
        if (q + 1 < rows.size()) ASSERT_TRUE(attempt.GoToQuestion(static_cast<int>(q) + 2, rows[q]).ok());
        else attempt.StoreCurrentAnswers(rows[q]);
    }
}

class SecondAttemptTest : public TinyCourseTest {
protected:
    // A first attempt at paper 101 right in parts 0, 1, 3 and 4.
    void MarkFirstAttempt() {
        qv::FirstAttempt first;
        ASSERT_TRUE(Open(first).ok());
        AnswerAll(first, {{"Went", "saw ", "eat"}, {"2"}, {"she sings.", "He runs"}});
        ASSERT_TRUE(first.Mark(std::chrono::seconds(65), "08/12/2026").ok());
        ASSERT_EQ(first.partResults(), (Fields{kTick, kTick, kCross, kTick, kTick, kCross}));
    }
    Fields Marks(const std::string& key) { return qv::ReadRecordFields(dir_ / "marks2QEN.txt", key, 3).value; }
};

TEST_F(SecondAttemptTest, PartsRightTheFirstTimeAreCarriedOverAndLocked) {
    MarkFirstAttempt();
    const std::string secondAnswers = dir_.Read("second2QEN.txt");
    qv::SecondAttempt attempt;
    ASSERT_TRUE(Open(attempt).ok());
    EXPECT_EQ(attempt.answersFile(), dir_ / "second2QEN.txt");
    EXPECT_EQ(attempt.resultsFile(), dir_ / "sresults2QEN.txt");
    EXPECT_EQ(attempt.firstAnswers(), (Fields{"Went", "saw ", "eat", "2", "she sings.", "He runs"}));
    EXPECT_EQ(attempt.answers(), (Fields{"Went", "saw ", "", "2", "she sings.", ""}));
    EXPECT_EQ(attempt.partResults(), (Fields{kTick, kTick, "", kTick, kTick, ""}));
    const bool carried[] = {true, true, false, true, true, false};
    for (int part = 0; part < 6; ++part) {
        EXPECT_EQ(attempt.IsCarriedOver(part), carried[part]) << part;
        EXPECT_EQ(attempt.IsPartLocked(part), carried[part]) << part;
        EXPECT_EQ(attempt.FirstResult(part), carried[part] ? kTick : kCross) << part;
        EXPECT_FALSE(attempt.ShowsModelAnswer(part)) << part;
    }
    EXPECT_EQ(attempt.FirstResult(6), "");
    EXPECT_FALSE(attempt.marked());
    EXPECT_EQ(attempt.scoreText(), "");
    EXPECT_EQ(attempt.timeTaken(), "");
    EXPECT_EQ(attempt.remainingQuestions(), (std::vector<int>{1, 3}));
    EXPECT_EQ(attempt.AnsweredCount(), 4);
    EXPECT_EQ(dir_.Read("second2QEN.txt"), secondAnswers);  // kept in memory until the next write

    // Typing reaches only the parts that were wrong.
    attempt.StoreCurrentAnswers({"x", "y", "ate"});
    EXPECT_EQ(attempt.answers(), (Fields{"Went", "saw ", "ate", "2", "she sings.", ""}));
    ASSERT_TRUE(attempt.Save().ok());
    EXPECT_EQ(dir_.Read("second2QEN.txt"), "#101#>Went>saw >ate>2>she sings.>\r\n#102#>\r\n#103#>>\r\n");

    qv::SecondAttempt resumed;
    ASSERT_TRUE(Open(resumed).ok());
    EXPECT_EQ(resumed.answers(), (Fields{"Went", "saw ", "ate", "2", "she sings.", ""}));
    EXPECT_EQ(resumed.remainingQuestions(), (std::vector<int>{3}));
}

struct ConfirmCase {
    const char* name;
    std::string part2, part5;  // the parts wrong the first time
    bool allAnswered;
};

TEST_F(SecondAttemptTest, TheConfirmationLooksOnlyAtThePartsWrongTheFirstTime) {
    MarkFirstAttempt();
    for (const ConfirmCase& c : {
             ConfirmCase{"neither answered", "", "", false},
             ConfirmCase{"one answered", "ate", "", false},
             ConfirmCase{"the other answered", "", "He runs.", false},
             ConfirmCase{"both answered", "ate", "x", true},
             ConfirmCase{"spaces count as an answer", " ", "  ", true},
         }) {
        qv::SecondAttempt attempt;
        ASSERT_TRUE(Open(attempt).ok());
        AnswerAll(attempt, {{"", "", c.part2}, {""}, {"", c.part5}});
        EXPECT_EQ(attempt.AllPartsAnswered(), c.allAnswered) << c.name;
        EXPECT_EQ(attempt.MarkingConfirmation(),
                  c.allAnswered ? qv::kConfirmAllAnswered : qv::kConfirmUnanswered) << c.name;
    }
}

// The results file says part 1 was right, but its answer has gone from the
// answers file: a tick beside no answer carries nothing over, so the part is
// answered again rather than locked empty and marked wrong.
TEST_F(SecondAttemptTest, ATickBesideNoAnswerIsAnsweredAgain) {
    MarkFirstAttempt();
    dir_.Write("first2QEN.txt", "#101#>>saw >eat>2>she sings.>He runs\r\n#102#>\r\n#103#>>\r\n");
    qv::SecondAttempt attempt;
    ASSERT_TRUE(Open(attempt).ok());
    EXPECT_EQ(attempt.answers()[0], "");
    EXPECT_FALSE(attempt.IsCarriedOver(0));
    EXPECT_FALSE(attempt.IsPartLocked(0));
    EXPECT_TRUE(attempt.IsCarriedOver(1));
    AnswerAll(attempt, {{"", "", "ate"}, {""}, {"", "x"}});
    EXPECT_EQ(attempt.MarkingConfirmation(), qv::kConfirmUnanswered);
    ASSERT_TRUE(attempt.GoToQuestion(1, {"", "x"}).ok());
    attempt.StoreCurrentAnswers({"went", "", "ate"});
    EXPECT_EQ(attempt.MarkingConfirmation(), qv::kConfirmAllAnswered);
    ASSERT_TRUE(attempt.Mark(std::chrono::seconds(1), "d").ok());
    EXPECT_EQ(attempt.partResults()[0], kTick);
}

TEST_F(SecondAttemptTest, MarkingRecordsTheSecondAttemptOfThisPaperOnly) {
    MarkFirstAttempt();
    const std::string firstAnswers = dir_.Read("first2QEN.txt");
    const std::string firstResults = dir_.Read("fresults2QEN.txt");
    const std::string trend = dir_.Read("trend2QEN.txt");
    qv::SecondAttempt attempt;
    ASSERT_TRUE(Open(attempt).ok());
    AnswerAll(attempt, {{"", "", "ate"}, {""}, {"", "He runs"}});
    const qv::MarkOutcome outcome = attempt.Mark(std::chrono::seconds(30), "09/12/2026");
    ASSERT_TRUE(outcome.ok());
    EXPECT_TRUE(attempt.marked());
    EXPECT_TRUE(attempt.marked());
    EXPECT_EQ(attempt.rawScoreText(), "5");
    EXPECT_EQ(attempt.scoreText(), "83.3");
    EXPECT_EQ(attempt.timeTaken(), "");
    EXPECT_EQ(attempt.dateCompleted(), "");
    EXPECT_EQ(attempt.partResults(), (Fields{kTick, kTick, kTick, kTick, kTick, kCross}));
    for (int part = 0; part < 6; ++part) {
        EXPECT_TRUE(attempt.IsPartLocked(part)) << part;
        EXPECT_EQ(attempt.ShowsModelAnswer(part), part == 5) << part;
    }
    EXPECT_EQ(attempt.ModelAnswer(5), "He runs.");

    EXPECT_EQ(dir_.Read("second2QEN.txt"), "#101#>Went>saw >ate>2>she sings.>He runs\r\n#102#>\r\n#103#>>\r\n");
    EXPECT_EQ(dir_.Read("sresults2QEN.txt"), "#101#>" + kTick + ">" + kTick + ">" + kTick + ">" + kTick + ">" +
                                                 kTick + ">" + kCross + "\r\n#102#>\r\n#103#>>\r\n");
    EXPECT_EQ(dir_.Read("marks2QEN.txt"), "#FSE#>66.7>>\r\n#SSE#>83.3>>\r\n#LTM#>0:1:5>>\r\n#CDD#>08/12/2026>>\r\n"
                                          "#FST#>1>0>0\r\n#SST#>1>0>0\r\n");
    EXPECT_EQ(dir_.Read("first2QEN.txt"), firstAnswers);
    EXPECT_EQ(dir_.Read("fresults2QEN.txt"), firstResults);
    EXPECT_EQ(dir_.Read("trend2QEN.txt"), trend);

    // Marked once: nothing more is stored, saved or marked.
    const std::string marks = dir_.Read("marks2QEN.txt");
    attempt.StoreCurrentAnswers({"changed", "x"});
    EXPECT_EQ(attempt.answers()[5], "He runs");
    EXPECT_TRUE(attempt.Mark(std::chrono::seconds(1), "10/12/2026").ok());
    EXPECT_EQ(dir_.Read("marks2QEN.txt"), marks);

    qv::SecondAttempt reopened;
    ASSERT_TRUE(Open(reopened).ok());
    EXPECT_TRUE(reopened.marked());
    EXPECT_EQ(reopened.scoreText(), "83.3");
    EXPECT_EQ(reopened.partResults(), attempt.partResults());
    EXPECT_TRUE(reopened.ShowsModelAnswer(5));
    EXPECT_FALSE(reopened.ShowsModelAnswer(2));
    EXPECT_TRUE(reopened.IsCarriedOver(0));  // still shaded
    EXPECT_FALSE(reopened.IsCarriedOver(2));
}

TEST_F(SecondAttemptTest, AFirstAttemptNeverMarkedCarriesNothingOver) {
    qv::FirstAttempt first;
    ASSERT_TRUE(Open(first).ok());
    AnswerAll(first, {{"went", "saw", "ate"}, {"2"}, {"She sings.", "He runs."}});
    ASSERT_TRUE(first.Save().ok());

    qv::SecondAttempt attempt;
    ASSERT_TRUE(Open(attempt).ok());
    EXPECT_EQ(attempt.answers(), Fields(6));
    EXPECT_EQ(attempt.partResults(), Fields(6));
    for (int part = 0; part < 6; ++part) {
        EXPECT_FALSE(attempt.IsCarriedOver(part)) << part;
        EXPECT_FALSE(attempt.IsPartLocked(part)) << part;
    }
    EXPECT_EQ(attempt.MarkingConfirmation(), qv::kConfirmUnanswered);
    AnswerAll(attempt, {{"went", "", "ate"}, {"2"}, {"She sings.", "He runs."}});
    ASSERT_TRUE(attempt.Mark(std::chrono::seconds(1), "d").ok());
    EXPECT_EQ(attempt.scoreText(), "83.3");
    EXPECT_EQ(Marks("SSE"), (Fields{"83.3", "", ""}));
    EXPECT_EQ(Marks("FST"), (Fields{"0", "0", "0"}));
    EXPECT_EQ(Marks("FSE"), (Fields{"", "", ""}));
}

// Paper 103 as one group of two parts that accept "a" and "b" in either order.
TEST_F(SecondAttemptTest, AMarkedGroupShowsItsMarkingNotTheCarryOver) {
    TinyCourse course;
    course.answerKey = "...\r\n#13001#>went>saw>ate\r\n#13002#>2\r\n#13003#>She sings.>He runs.\r\n#13004#>1\r\n"
                       "#13005#>;a;b> \r\n...";
    course.answerTypes = "...\r\n#13001#>T>T>T\r\n#13002#>Q\r\n#13003#>L>L\r\n#13004#>Q\r\n#13005#>G>G\r\n...";
    const auto source = course.Source();
    qv::FirstAttempt first;
    ASSERT_TRUE(first.Load(source, TinyContext(dir_, 103)).ok());
    first.StoreCurrentAnswers({"x", "a"});
    ASSERT_TRUE(first.Mark(std::chrono::seconds(1), "d").ok());
    ASSERT_EQ(first.partResults(), (Fields{kCross, kTick}));

    qv::SecondAttempt attempt;
    ASSERT_TRUE(attempt.Load(source, TinyContext(dir_, 103)).ok());
    EXPECT_EQ(attempt.answers(), (Fields{"", "a"}));
    attempt.StoreCurrentAnswers({"A", "b"});  // the second part is locked
    ASSERT_TRUE(attempt.Mark(std::chrono::seconds(1), "d").ok());
    EXPECT_EQ(attempt.partResults(), (Fields{kTick, kCross}));  // "a" counts once
    EXPECT_EQ(attempt.scoreText(), "50");
    EXPECT_TRUE(attempt.ShowsModelAnswer(1));
    EXPECT_EQ(attempt.ModelAnswer(1), "b");

    qv::SecondAttempt reopened;
    ASSERT_TRUE(reopened.Load(source, TinyContext(dir_, 103)).ok());
    EXPECT_EQ(reopened.partResults(), (Fields{kTick, kCross}));
    EXPECT_TRUE(reopened.ShowsModelAnswer(1));
    EXPECT_TRUE(reopened.IsCarriedOver(1));
}

TEST_F(SecondAttemptTest, AnUnreadableResultFileStopsTheLoad) {
    MarkFirstAttempt();
    for (const char* name : {"first2QEN.txt", "fresults2QEN.txt", "second2QEN.txt", "sresults2QEN.txt"}) {
        const std::string kept = dir_.Read(name);
        qv::SecondAttempt attempt;
        ASSERT_TRUE(Open(attempt).ok());
        ASSERT_TRUE(attempt.IsCarriedOver(0));
        fs::remove(dir_ / name);
        fs::create_directory(dir_ / name);  // there, but not a file that can be read
        const qv::LoadOutcome outcome = Open(attempt);
        EXPECT_EQ(outcome.status, qv::LoadStatus::ResultsUnreadable) << name;
        EXPECT_NE(outcome.message.find(name), std::string::npos) << outcome.message;
        EXPECT_FALSE(attempt.loaded()) << name;
        EXPECT_FALSE(attempt.IsCarriedOver(0)) << name;  // nothing of the earlier load shows
        fs::remove(dir_ / name);
        dir_.Write(name, kept);
    }
}

struct GroupCase {
    const char* name;
    Fields keys, answers;
    Fields shown;  // the model answer of every part
};

TEST(GroupModelAnswer, GivesTheWrongPartsTheAnswersNotGivenInTheGroup) {
    const Fields three{";a;b;c", " ", " "};
    for (const GroupCase& c : {
             GroupCase{"all right", three, {"a", "b", "c"}, {"", "", ""}},
             GroupCase{"any order, any case", three, {"C", " x", "A "}, {"", "b", ""}},
             GroupCase{"first and last wrong", three, {"x", "b", "y"}, {"a", "c", "c"}},
             GroupCase{"nothing answered", three, {"", "", ""}, {"a", "b", "c"}},
             GroupCase{"fewer left than wrong parts", {";a;b", " ", " "}, {"x", "y", "z"}, {"a", "b", ""}},
             GroupCase{"a repeated answer counts once", three, {"a", "a", "x"}, {"", "b", "c"}},
             GroupCase{"two groups", {";a;b", " ", ";c;d", " "}, {"x", "y", "c", "z"}, {"a", "b", "", "d"}},
             GroupCase{"compared as the marking compares", {";don't;can't", " "}, {"don\x92t", "won't"}, {"", "can't"}},
             GroupCase{"a blank alternative is skipped", {";;a;b", " "}, {"x", "y"}, {"a", "b"}},
             GroupCase{"no group to belong to", {" ", ";a"}, {"a", "x"}, {"", "a"}},
         }) {
        for (std::size_t part = 0; part < c.keys.size(); ++part) {
            EXPECT_EQ(qv::GroupModelAnswer(c.answers, c.keys, part), c.shown[part]) << c.name << ", part " << part;
        }
    }
    EXPECT_EQ(qv::GroupModelAnswer({"x"}, three, 5), "");
}

TEST(GroupModelAnswer, AGroupReachesTwentyPartsOnly) {
    Fields keys{";a;b;c;d;e;f;g;h;i;j;k;l;m;n;o;p;q;r;s;t;u;v"};
    keys.resize(22, " ");
    Fields answers(22);
    answers[21] = "a";  // beyond the group: it does not use up "a"
    EXPECT_EQ(qv::GroupModelAnswer(answers, keys, 20), "u");
    EXPECT_EQ(qv::GroupModelAnswer(answers, keys, 0), "a");
}

struct ModelCase {
    const char* type;
    const char* key;
    const char* shown;
};

TEST(ModelAnswer, ShowsWhatThePartAccepts) {
    for (const ModelCase& c : {
             ModelCase{"M", ";is;are", "is"},
             ModelCase{"M", ";was", "was"},
             ModelCase{"M", ";", ""},
             ModelCase{"M", "is", "is"},
             ModelCase{"T", "went", "went"},
             ModelCase{"L", " She sings. ", " She sings. "},
             ModelCase{"Q", "2", "2"},
             ModelCase{"X", ";a;b", ";a;b"},
             ModelCase{"G", ";a;b", "a"},
         }) {
        EXPECT_EQ(qv::ModelAnswer({"x"}, {c.key}, {qv::ParseAnswerType(c.type)}, 0), c.shown) << c.type << " " << c.key;
    }
    EXPECT_EQ(qv::ModelAnswer({}, {}, {}, 0), "");
}

class SecondAttemptOnTheCourse : public PackedCourseTest {
protected:
    Fields Marks(const std::string& key) const { return qv::ReadRecordFields(dir_ / File("marks"), key, 50).value; }
    // The option after the key's (a wrong choice).
    static std::string WrongChoice(const std::string& key) { return key == "1" ? "2" : "1"; }
};

// The typical road: the first attempt at paper 101 scored 90, with questions
// 5, 17 and 30 wrong; the second attempt gets 5 and 17 right.
TEST_F(SecondAttemptOnTheCourse, TryingPaperOneAgain) {
    {
        qv::FirstAttempt first;
        ASSERT_TRUE(first.Load(source_, Context(1)).ok());
        for (int q = 1; q <= 30; ++q) {
            const std::string& key = first.PartKey(first.PartOffset(q));
            const std::vector<std::string> rows{q == 5 || q == 17 || q == 30 ? WrongChoice(key) : key};
            if (q < 30) ASSERT_TRUE(first.GoToQuestion(q + 1, rows).ok());
            else first.StoreCurrentAnswers(rows);
        }
        ASSERT_TRUE(first.Mark(std::chrono::seconds(725), "09/12/2026").ok());
        ASSERT_EQ(first.scoreText(), "90");
    }
    const std::string firstAnswers = dir_.Read(File("first"));
    const std::string firstResults = dir_.Read(File("fresults"));
    const std::string trend = dir_.Read(File("trend"));
    const Fields fse = Marks("FSE"), ltm = Marks("LTM"), cdd = Marks("CDD"), fst = Marks("FST");

    qv::SecondAttempt attempt;
    ASSERT_TRUE(attempt.Load(source_, Context(1)).ok());
    EXPECT_EQ(attempt.Caption(), "Grammar (1) - Paper 1");
    EXPECT_FALSE(attempt.marked());
    int carried = 0;
    for (int part = 0; part < 30; ++part) {
        if (!attempt.IsCarriedOver(part)) continue;
        ++carried;
        EXPECT_TRUE(attempt.IsPartLocked(part)) << part;
        EXPECT_EQ(attempt.answers()[static_cast<std::size_t>(part)], attempt.PartKey(part)) << part;
        EXPECT_EQ(attempt.SecondResult(part), kTick) << part;
    }
    EXPECT_EQ(carried, 27);
    EXPECT_EQ(attempt.AnsweredCount(), 27);
    EXPECT_EQ(attempt.remainingQuestions(), (std::vector<int>{5, 17, 30}));
    EXPECT_EQ(attempt.MarkingConfirmation(), qv::kConfirmUnanswered);

    const std::string key30 = attempt.PartKey(29);
    ASSERT_TRUE(attempt.GoToQuestion(5, {}).ok());
    ASSERT_TRUE(attempt.GoToQuestion(17, {attempt.PartKey(4)}).ok());
    ASSERT_TRUE(attempt.GoToQuestion(30, {attempt.PartKey(16)}).ok());
    attempt.StoreCurrentAnswers({WrongChoice(key30)});
    EXPECT_EQ(attempt.MarkingConfirmation(), qv::kConfirmAllAnswered);
    ASSERT_TRUE(attempt.Mark(std::chrono::seconds(100), "10/12/2026").ok());
    EXPECT_EQ(attempt.rawScoreText(), "29");
    EXPECT_EQ(attempt.scoreText(), "96.7");
    for (int part = 0; part < 30; ++part) EXPECT_EQ(attempt.ShowsModelAnswer(part), part == 29) << part;
    EXPECT_EQ(attempt.ModelAnswer(29), key30);

    const Fields sse = Marks("SSE"), sst = Marks("SST");
    EXPECT_EQ(sse[0], "96.7");
    EXPECT_EQ(sst[0], "1");
    for (int p = 1; p < 50; ++p) {
        EXPECT_EQ(sse[p], "") << p;
        EXPECT_EQ(sst[p], "0") << p;
    }
    EXPECT_EQ(Marks("FSE"), fse);
    EXPECT_EQ(fse[0], "90");
    EXPECT_EQ(Marks("LTM"), ltm);
    EXPECT_EQ(Marks("CDD"), cdd);
    EXPECT_EQ(Marks("FST"), fst);
    EXPECT_EQ(dir_.Read(File("trend")), trend);
    EXPECT_EQ(dir_.Read(File("first")), firstAnswers);
    EXPECT_EQ(dir_.Read(File("fresults")), firstResults);

    const Fields results = qv::SplitRecordLine(qv::ReadPaperLines(dir_ / File("sresults"), 50).value[0], 30);
    EXPECT_EQ(std::count(results.begin(), results.end(), kTick), 29);
    EXPECT_EQ(results[29], kCross);
    const Fields answers = qv::SplitRecordLine(qv::ReadPaperLines(dir_ / File("second"), 50).value[0], 30);
    EXPECT_EQ(std::count(answers.begin(), answers.end(), ""), 0);
}

}  // namespace
