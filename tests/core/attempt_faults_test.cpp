// What an attempt does when the course or the result files are not as they
// should be, and when another writer has changed the files meanwhile.

#include <gtest/gtest.h>

#include "course/marking_journal.h"
#include "course/record_file.h"
#include "practice/attempt.h"
#include "practice/marking.h"
#include "tiny_course.h"

namespace {

namespace fs = std::filesystem;
using qv::Fields;

class AttemptFaults : public TinyCourseTest {
protected:
    // Makes the next write of a result file fail: its temporary file's place is taken.
    // A read-only result file is left as it is.
    void BlockWrites(const std::string& name) {
        fs::permissions(dir_ / name, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }
    void UnblockWrites(const std::string& name) {
        fs::permissions(dir_ / name, fs::perms::owner_write, fs::perm_options::add);
    }
};

// Paper 102 is answered and marked by one window while another has paper 101 open.
TEST_F(AttemptFaults, AWriterKeepsWhatOthersWroteMeanwhile) {
    qv::FirstAttempt open;
    ASSERT_TRUE(Open(open).ok());
    qv::FirstAttempt other;
    ASSERT_TRUE(Open(other, 102).ok());
    ASSERT_TRUE(other.GoToQuestion(1, {"1"}).ok());
    ASSERT_TRUE(other.Mark(std::chrono::seconds(3), "d").ok());

    ASSERT_TRUE(open.GoToQuestion(2, {"went", "saw", "ate"}).ok());
    ASSERT_TRUE(open.Mark(std::chrono::seconds(4), "e").ok());
    EXPECT_EQ(dir_.Read("first2QEN.txt"), "#101#>went>saw>ate>>>\r\n#102#>1\r\n#103#>>\r\n");
    EXPECT_EQ(qv::ReadRecordFields(dir_ / "marks2QEN.txt", "FSE", 3).value, (Fields{"50", "100", ""}));
    EXPECT_EQ(qv::ReadRecordFields(dir_ / "marks2QEN.txt", "FST", 3).value, (Fields{"1", "1", "0"}));
    EXPECT_EQ(dir_.Read("trend2QEN.txt"), "#TRD#>100>50\r\n");
}

// All results are erased while paper 101 is open: its saves and marking must
// not bring back the other papers' old records.
TEST_F(AttemptFaults, ErasedResultsStayErased) {
    qv::FirstAttempt other;
    ASSERT_TRUE(Open(other, 103).ok());
    ASSERT_TRUE(other.GoToQuestion(1, {"a", "b"}).ok());
    ASSERT_TRUE(other.Mark(std::chrono::seconds(3), "d").ok());

    qv::FirstAttempt open;
    ASSERT_TRUE(Open(open).ok());
    ASSERT_NE(open.answerRecords()[2], "#103#>>");  // it has read paper 103's answers
    WriteTemplates(source_, dir_);                 // erase all results

    ASSERT_TRUE(open.GoToQuestion(2, {"went"}).ok());
    EXPECT_EQ(dir_.Read("first2QEN.txt"), "#101#>went>>>>>\r\n#102#>\r\n#103#>>\r\n");
    ASSERT_TRUE(open.Mark(std::chrono::seconds(4), "e").ok());
    EXPECT_EQ(dir_.Read("fresults2QEN.txt").find("#103#>>\r\n") != std::string::npos, true);
    EXPECT_EQ(dir_.Read("marks2QEN.txt"),
              "#FSE#>16.7>>\r\n#SSE#>>>\r\n#LTM#>0:0:4>>\r\n#CDD#>e>>\r\n#FST#>1>0>0\r\n#SST#>0>0>0\r\n");
    EXPECT_EQ(dir_.Read("trend2QEN.txt"), "#TRD#>16.7\r\n");
}

TEST_F(AttemptFaults, AMisplacedRecordCostsOnlyItself) {
    // Paper 102's record is missing and 103's stands before 101's.
    dir_.Write("first2QEN.txt", "...\r\n#103#>p>q\r\n#101#>a>b>c>d>e>f\r\n...");
    qv::FirstAttempt open;
    ASSERT_TRUE(Open(open).ok());
    EXPECT_EQ(open.answers(), (Fields{"a", "b", "c", "d", "e", "f"}));
    ASSERT_TRUE(open.Save().ok());
    EXPECT_EQ(dir_.Read("first2QEN.txt"), "#101#>a>b>c>d>e>f\r\n#102#\r\n#103#>p>q\r\n");
}

TEST_F(AttemptFaults, AnAnswerThatLooksLikeAKeyIsJustAnAnswer) {
    dir_.Write("first2QEN.txt", "#101#>>>>>>\r\n#102#>7\r\n#103#>>\r\n");
    qv::FirstAttempt open;
    ASSERT_TRUE(Open(open).ok());
    ASSERT_TRUE(open.GoToQuestion(2, {"#103#>x", "#102#"}).ok());
    EXPECT_EQ(dir_.Read("first2QEN.txt"), "#101#>#103#\x9Bx>#102#>>>>\r\n#102#>7\r\n#103#>>\r\n");
    ASSERT_TRUE(open.Save().ok());
    EXPECT_EQ(dir_.Read("first2QEN.txt"), "#101#>#103#\x9Bx>#102#>>>>\r\n#102#>7\r\n#103#>>\r\n");
    qv::FirstAttempt other;
    ASSERT_TRUE(Open(other, 102).ok());
    EXPECT_EQ(other.answers(), (Fields{"7"}));
}

// A hand-edited answers file with control characters in an answer: what no
// field could hold is left out, so an answer that shows as empty is empty.
TEST_F(AttemptFaults, ControlCharactersInAStoredAnswerAreLeftOut) {
    dir_.Write("first2QEN.txt", std::string("#101#>\x01", 7) + '\0' + ">sa\tw>went\x7F>\x9B>\x81>\r\n#102#>7\r\n#103#>>\r\n");
    qv::FirstAttempt open;
    ASSERT_TRUE(Open(open).ok());
    EXPECT_EQ(open.answers(), (Fields{"", "sa w", "went", "\x9B", "", ""}));
    EXPECT_EQ(open.AnsweredCount(), 3);
}

// However the records stand, a line is never taken for another paper's
// record because an answer in it looks like that paper's key.
TEST_F(AttemptFaults, AnAnswerThatLooksLikeAKeyNeverStandsForThatRecord) {
    const struct {
        const char* name;
        const char* before;
        bool mark;  // else saved
        const char* after;
    } cases[] = {
        {"a record missing before it", "#101#>#103#>>>>>\r\n#103#>p>q\r\n", true,
         "#101#>#103#>>>>>\r\n#102#\r\n#103#>p>q\r\n"},
        {"records out of order", "#101#>>>>>>\r\n#103#>#102#>q\r\n#102#>7\r\n", true,
         "#101#>>>>>>\r\n#102#>7\r\n#103#>#102#>q\r\n"},
        {"its own record missing", "#101#>>>>>>\r\n#103#>#102#>q\r\n", false,
         "#101#>>>>>>\r\n#102#\r\n#103#>#102#>q\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteTemplates(source_, dir_);
        dir_.Write("first2QEN.txt", c.before);
        qv::FirstAttempt open;
        ASSERT_TRUE(Open(open).ok());
        ASSERT_TRUE(c.mark ? open.Mark(std::chrono::seconds(4), "e").ok() : open.Save().ok());
        EXPECT_EQ(dir_.Read("first2QEN.txt"), c.after);
    }
}

struct LoadFault {
    const char* name;
    void (*spoil)(TinyCourse&, qv::PaperContext&);
    qv::LoadStatus status;
    const char* words;  // part of the message
};

TEST_F(AttemptFaults, ABadPaperIsReportedAndNotOpened) {
    const LoadFault faults[] = {
        {"paper not listed", [](TinyCourse& c, qv::PaperContext& x) {
             c.paperList = "...\r\n#101#>13001\r\n#102#>13004\r\n...";
             x.paperKey = 103;
         }, qv::LoadStatus::PaperNotListed, "is not in the course's paper list"},
        {"paper without questions", [](TinyCourse& c, qv::PaperContext&) {
             c.paperList = "...\r\n#101#\r\n...";
         }, qv::LoadStatus::PaperNotListed, "Paper 1 of this topic"},
        {"damaged question id", [](TinyCourse& c, qv::PaperContext&) {
             c.paperList = "...\r\n#101#>13001>../../x\r\n...";
         }, qv::LoadStatus::PaperNotListed, "damaged"},
        {"question missing from the answer types", [](TinyCourse& c, qv::PaperContext&) {
             c.answerTypes = "...\r\n#13001#>T>T>T\r\n#13003#>L>L\r\n...";
         }, qv::LoadStatus::QuestionMissing, "Question 13002 of this paper is missing from the course's answer types"},
        {"question missing from the answer key", [](TinyCourse& c, qv::PaperContext&) {
             c.answerKey = "...\r\n#13001#>went>saw>ate\r\n#13002#>2\r\n...";
         }, qv::LoadStatus::QuestionMissing, "Question 13003"},
        {"parts that do not agree", [](TinyCourse& c, qv::PaperContext&) {
             c.partMarks = "...\r\n#13001#>1>1>1\r\n#13002#>1\r\n#13003#>1\r\n...";
         }, qv::LoadStatus::QuestionMissing, "different number of parts in the course's marks"},
        {"marks that add up to nothing", [](TinyCourse& c, qv::PaperContext&) {
             c.partMarks = "...\r\n#13001#>0>0>0\r\n#13002#>0\r\n#13003#>0>x\r\n...";
         }, qv::LoadStatus::NoMarks, "carries no marks"},
        {"answer types missing from the program", [](TinyCourse& c, qv::PaperContext&) {
             c.withAnswerTypes = false;
         }, qv::LoadStatus::CourseUnavailable, "answer types is missing from the program"},
        {"no such slot", [](TinyCourse&, qv::PaperContext& x) { x.slot = 4; }, qv::LoadStatus::BadContext,
         "could not tell which paper"},
        {"paper beyond the module", [](TinyCourse&, qv::PaperContext& x) { x.paperKey = 104; },
         qv::LoadStatus::BadContext, "paper 104"},
        {"unsafe course code", [](TinyCourse&, qv::PaperContext& x) { x.courseCode = "../QEN"; },
         qv::LoadStatus::BadContext, "cannot be opened"},
    };
    for (const LoadFault& fault : faults) {
        TinyCourse course;
        qv::PaperContext context = TinyContext(dir_);
        fault.spoil(course, context);
        const auto source = course.Source();
        qv::FirstAttempt attempt;
        const qv::LoadOutcome outcome = attempt.Load(source, context);
        EXPECT_EQ(outcome.status, fault.status) << fault.name;
        EXPECT_NE(outcome.message.find(fault.words), std::string::npos) << fault.name << ": " << outcome.message;
        EXPECT_FALSE(attempt.loaded()) << fault.name;
        EXPECT_FALSE(fs::exists(dir_ / "temptext.txt")) << fault.name;
        // Nothing can be saved or marked, and nothing divides by zero.
        EXPECT_FALSE(attempt.Mark(std::chrono::seconds(1), "d").marked) << fault.name;
        EXPECT_EQ(attempt.totalParts(), 0) << fault.name;
        EXPECT_FALSE(attempt.CurrentPage(source).ok()) << fault.name;
    }
    EXPECT_EQ(dir_.Read("first2QEN.txt"), TinyCourse::PaperTemplate());
    EXPECT_EQ(dir_.Read("marks2QEN.txt"), TinyCourse::MarksTemplate());
}

TEST_F(AttemptFaults, AnUnreadableResultFileStopsTheLoad) {
    for (const char* name : {"first2QEN.txt", "fresults2QEN.txt", "marks2QEN.txt"}) {
        WriteTemplates(source_, dir_);
        fs::remove(dir_ / name);
        fs::create_directory(dir_ / name);  // there, but not a file that can be read
        qv::FirstAttempt attempt;
        const qv::LoadOutcome outcome = Open(attempt);
        EXPECT_EQ(outcome.status, qv::LoadStatus::ResultsUnreadable) << name;
        EXPECT_NE(outcome.message.find(name), std::string::npos) << outcome.message;
        fs::remove(dir_ / name);
    }
}

TEST_F(AttemptFaults, AMissingResultFileStartsEmptyAndIsWrittenAnew) {
    fs::remove(dir_ / "first2QEN.txt");
    qv::FirstAttempt attempt;
    ASSERT_TRUE(Open(attempt).ok());
    EXPECT_EQ(attempt.answers(), Fields(6));
    ASSERT_TRUE(attempt.Save().ok());
    EXPECT_EQ(dir_.Read("first2QEN.txt"), "#101#>>>>>>\r\n#102#\r\n#103#\r\n");
}

// A move's save is made at once, or on a thread of its own (as the practice
// window does it) and told of when it has ended: the same either way.
class AttemptMoveFaults : public AttemptFaults, public testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        AttemptFaults::SetUp();
        if (GetParam()) attempt_.WriteMovesInBackground([this](const qv::WriteOutcome& failed) { told_.push_back(failed); });
    }
    qv::WriteOutcome Move(int target, const std::vector<std::string>& rows) {
        qv::WriteOutcome moved = attempt_.GoToQuestion(target, rows);
        if (!GetParam()) return moved;
        EXPECT_TRUE(moved.ok());
        attempt_.FinishWrites();
        moved = told_.empty() ? qv::WriteOutcome{} : told_.back();
        told_.clear();
        return moved;
    }
    qv::FirstAttempt attempt_;
    std::vector<qv::WriteOutcome> told_;
};
INSTANTIATE_TEST_SUITE_P(AtOnceOrInTheBackground, AttemptMoveFaults, testing::Bool());

TEST_P(AttemptMoveFaults, AFailedSaveIsToldAndTheAnswersStay) {
    qv::FirstAttempt& attempt = attempt_;
    ASSERT_TRUE(Open(attempt).ok());
    BlockWrites("first2QEN.txt");
    const qv::WriteOutcome moved = Move(2, {"went", "saw"});
    EXPECT_EQ(moved.status, qv::IoStatus::ReadOnly);
    EXPECT_NE(moved.message.find("\"first2QEN.txt\" in"), std::string::npos) << moved.message;
    EXPECT_NE(moved.message.find("kept in this window"), std::string::npos);
    EXPECT_EQ(attempt.currentQuestion(), 2);  // the move is made all the same
    EXPECT_EQ(attempt.answers()[1], "saw");
    EXPECT_EQ(dir_.Read("first2QEN.txt"), TinyCourse::PaperTemplate());
    EXPECT_FALSE(attempt.Save().ok());

    UnblockWrites("first2QEN.txt");
    ASSERT_TRUE(Move(1, {}).ok());  // the next move writes what was kept, with nothing new typed
    EXPECT_EQ(dir_.Read("first2QEN.txt"), "#101#>went>saw>>>>\r\n#102#>\r\n#103#>>\r\n");

    fs::remove(dir_ / "first2QEN.txt");
    fs::create_directory(dir_ / "first2QEN.txt");  // now unreadable: it must not be rewritten
    const qv::WriteOutcome refused = attempt.Save();
    EXPECT_EQ(refused.status, qv::IoStatus::NotAFile);
    EXPECT_NE(refused.message.find("is not a file"), std::string::npos);
    EXPECT_NE(refused.message.find("has not been rewritten"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(dir_ / "first2QEN.txt"));
}

// The moves' writes keep their memory from one to the next: what they held
// of another paper's record must never stand in for what the file holds now.
TEST_P(AttemptMoveFaults, ARecordTakenOutBetweenMovesIsNotWrittenBack) {
    qv::FirstAttempt other;
    ASSERT_TRUE(Open(other, 103).ok());
    ASSERT_TRUE(other.GoToQuestion(1, {"a", "b"}).ok());
    ASSERT_TRUE(Open(attempt_).ok());
    ASSERT_TRUE(Move(2, {"went"}).ok());
    ASSERT_EQ(dir_.Read("first2QEN.txt"), "#101#>went>>>>>\r\n#102#>\r\n#103#>a>b\r\n");
    dir_.Write("first2QEN.txt", "#101#>went>>>>>\r\n#102#>\r\n");  // taken out by hand
    ASSERT_TRUE(Move(1, {"saw"}).ok());
    EXPECT_EQ(dir_.Read("first2QEN.txt"), "#101#>went>>>saw>>\r\n#102#>\r\n#103#\r\n");
}

TEST_F(AttemptFaults, AFailedMarkingLeavesThePaperUnmarked) {
    // A marking is all or nothing: any of its files refused puts the others back.
    for (const char* blocked : {"first2QEN.txt", "fresults2QEN.txt", "marks2QEN.txt", "trend2QEN.txt"}) {
        WriteTemplates(source_, dir_);
        qv::FirstAttempt attempt;
        ASSERT_TRUE(Open(attempt).ok());
        attempt.StoreCurrentAnswers({"went", "saw", "ate"});
        BlockWrites(blocked);
        const qv::MarkOutcome outcome = attempt.Mark(std::chrono::seconds(9), "d");
        UnblockWrites(blocked);
        EXPECT_FALSE(outcome.marked) << blocked;
        ASSERT_EQ(outcome.problems.size(), 1u) << blocked;
        EXPECT_NE(outcome.problems[0].find(blocked), std::string::npos) << outcome.problems[0];
        EXPECT_NE(outcome.problems[0].find("has not been marked"), std::string::npos);
        EXPECT_FALSE(attempt.marked()) << blocked;
        EXPECT_EQ(attempt.scoreText(), "") << blocked;
        EXPECT_EQ(attempt.partResults(), Fields(6)) << blocked;
        EXPECT_EQ(attempt.answers()[2], "ate") << blocked;
        const std::string results = dir_.Read("fresults2QEN.txt");  // no results left behind
        EXPECT_NE(results.find("#101#>>>>>>\r\n"), std::string::npos) << blocked;
        EXPECT_EQ(results.find(qv::kTick), std::string::npos) << blocked;
        EXPECT_EQ(dir_.Read("marks2QEN.txt"), TinyCourse::MarksTemplate()) << blocked;
        EXPECT_EQ(dir_.Read("trend2QEN.txt"), "#TRD#") << blocked;

        // Once the files can be written again, the marking goes through.
        EXPECT_TRUE(attempt.Mark(std::chrono::seconds(9), "d").ok()) << blocked;
        EXPECT_EQ(dir_.Read("trend2QEN.txt"), "#TRD#>50\r\n") << blocked;
    }
}

TEST_F(AttemptFaults, AnUnfinishableEarlierMarkingStopsTheNextOne) {
    qv::MarkingJournal earlier;  // paper 102's marking, left half-done
    earlier.slot = 2;
    earlier.code = "QEN";
    earlier.paperNumber = 2;
    earlier.paperCount = 3;
    earlier.marks = {{qv::MarksRecord::FirstScore, "100"}, {qv::MarksRecord::FirstMarked, "1"}};
    dir_.Write(std::string(qv::kMarkingJournalName), qv::EncodeMarkingJournal(earlier));
    qv::FirstAttempt attempt;
    ASSERT_TRUE(Open(attempt).ok());
    attempt.StoreCurrentAnswers({"went", "saw", "ate"});
    BlockWrites("marks2QEN.txt");
    const qv::MarkOutcome refused = attempt.Mark(std::chrono::seconds(9), "d");
    UnblockWrites("marks2QEN.txt");
    EXPECT_FALSE(refused.marked);
    EXPECT_FALSE(attempt.marked());
    ASSERT_EQ(refused.problems.size(), 1u);
    EXPECT_NE(refused.problems[0].find("has not been marked"), std::string::npos) << refused.problems[0];
    EXPECT_EQ(dir_.Read("trend2QEN.txt"), "#TRD#");

    ASSERT_TRUE(attempt.Mark(std::chrono::seconds(9), "d").ok());  // both markings go through now
    EXPECT_EQ(qv::ReadRecordFields(dir_ / "marks2QEN.txt", "FSE", 3).value, (Fields{"50", "100", ""}));
    EXPECT_FALSE(fs::exists(dir_ / std::string(qv::kMarkingJournalName)));
}

// Run by the full-disk script (see atomic_file_test.cpp). Opening a paper
// writes nothing, so it opens; a save that cannot be written says why.
TEST(FullDisk, APaperOpensOnAFullDiskAndASaveSaysTheDiskIsFull) {
    const char* folder = std::getenv("QUORVALE_FULL_DISK");
    if (folder == nullptr) GTEST_SKIP() << "needs a full file system (tests/full_disk.sh)";
    qv::FirstAttempt attempt;
    const qv::LoadOutcome outcome = attempt.Load(TinyCourse().Source(), {folder, 2, "QEN", 101, 3, 1, "Grammar (1)"});
    ASSERT_TRUE(outcome.ok()) << outcome.message;
    EXPECT_TRUE(attempt.CurrentPage(TinyCourse().Source()).ok());
    attempt.StoreCurrentAnswers({"went"});
    const qv::WriteOutcome saved = attempt.Save();
    EXPECT_EQ(saved.status, qv::IoStatus::DiskFull);
    EXPECT_NE(saved.message.find("is full"), std::string::npos) << saved.message;
    EXPECT_EQ(attempt.answers()[0], "went");
}

}  // namespace
