// Result files that were damaged or written elsewhere, on the program's own
// layout (module 2 of the packed course): every reader takes any line end,
// a damaged marks file is read as far as it is sound and never written back
// with guesses, and no file is written that could not be read again.

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "course/atomic_file.h"
#include "course/record_file.h"
#include "packed_course.h"
#include "practice/attempt.h"

namespace {

namespace fs = std::filesystem;
using qv::Fields;
using qv::IoStatus;

class DamagedResults : public PackedCourseTest {
protected:
    // Answers and marks paper `paper` with every answer right.
    void MarkPaper(int paper) {
        qv::FirstAttempt attempt;
        ASSERT_TRUE(attempt.Load(source_, Context(paper)).ok());
        Answer(attempt);
        ASSERT_TRUE(attempt.Mark(std::chrono::seconds(61), "09/12/2026").ok());
    }
    static void Answer(qv::FirstAttempt& attempt) {
        for (int q = 1; q <= attempt.questionCount(); ++q) {
            const Fields rows(static_cast<std::size_t>(attempt.PartCount(q)), attempt.PartKey(attempt.PartOffset(q)));
            if (q < attempt.questionCount()) ASSERT_TRUE(attempt.GoToQuestion(q + 1, rows).ok()) << "question " << q;
            else attempt.StoreCurrentAnswers(rows);
        }
    }
    fs::path Path(const std::string& stem) const { return dir_ / File(stem); }
    static std::string WithLineEnds(std::string text, const std::string& end) {
        for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += end.size()) {
            text.replace(at, 2, end);
        }
        return text;
    }
};

// Files written on another system, or edited by hand, read as the program's own:
// any line end, and the byte-order mark an editor may put before the first key.
TEST_F(DamagedResults, EveryReaderTakesAnyLineEnd) {
    MarkPaper(1);
    MarkPaper(2);
    const auto answers = qv::ReadPaperRecords(Path("first"), 50).value;
    const auto marks = qv::ReadModuleMarks(Path("marks"), 50).value;
    const auto trend = qv::ReadRecordLine(Path("trend"), qv::kTrendKey).value;
    const std::string saved[] = {dir_.Read(File("first")), dir_.Read(File("marks")), dir_.Read(File("trend"))};
    for (const auto& [end, start] : {std::pair<std::string, std::string>{"\n", ""}, {"\r", ""}, {"\r\n", ""},
                                     {"\r\n", "\xEF\xBB\xBF"}}) {
        SCOPED_TRACE(testing::PrintToString(start + end));
        dir_.Write(File("first"), start + WithLineEnds(saved[0], end));
        dir_.Write(File("marks"), start + WithLineEnds(saved[1], end));
        dir_.Write(File("trend"), start + WithLineEnds(saved[2], end));
        EXPECT_EQ(qv::ReadPaperRecords(Path("first"), 50).value, answers);
        const auto read = qv::ReadModuleMarks(Path("marks"), 50);
        EXPECT_EQ(read.status, IoStatus::Ok);
        EXPECT_EQ(read.value, marks);
        EXPECT_EQ(qv::ReadRecordLine(Path("trend"), qv::kTrendKey).value, trend);

        // A save of another paper keeps the answers of papers 1 and 2.
        qv::FirstAttempt third;
        ASSERT_TRUE(third.Load(source_, Context(3)).ok());
        third.StoreCurrentAnswers({"2"});
        ASSERT_TRUE(third.Save().ok());
        const auto after = qv::ReadPaperRecords(Path("first"), 50).value;
        EXPECT_EQ(after[0], answers[0]);
        EXPECT_EQ(after[1], answers[1]);
        EXPECT_EQ(dir_.Read(File("first")).find('\r'), dir_.Read(File("first")).find("\r\n"));
    }
}

// A marks file cut short, emptied or turned to junk is told as damaged; what
// it still holds is read, and a marking of another paper never writes the
// papers it could not read back as not marked.
TEST_F(DamagedResults, AMarksFileWithRecordsMissingIsDamagedAndNotWrittenBackWithGuesses) {
    MarkPaper(1);
    const std::string whole = dir_.Read(File("marks"));
    const struct {
        const char* what;
        std::string bytes;
        bool paperOneKnown;  // its marked state can still be read
    } cases[] = {
        {"cut in half", whole.substr(0, whole.size() / 2), false},
        {"cut in the last record", whole.substr(0, whole.size() - 10), true},
        {"empty", "", false},
        {"junk", "\x01\x02 not marks at all\r\n", false},
        {"a state that is no state", std::string(whole).replace(whole.find("#FST#>1") + 6, 1, "x"), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dir_.Write(File("marks"), c.bytes);
        const qv::ModuleMarks read = qv::ReadMarksRecords(Path("marks"), 50);
        EXPECT_EQ(read.status, IoStatus::Damaged);
        EXPECT_EQ(read.Read(qv::MarksRecord::FirstMarked, 1), c.paperOneKnown);

        // Paper 1 still opens marked: its part results say it was.
        qv::FirstAttempt first;
        ASSERT_TRUE(first.Load(source_, Context(1)).ok());
        EXPECT_TRUE(first.marked());

        qv::FirstAttempt other;
        ASSERT_TRUE(other.Load(source_, Context(4)).ok());
        Answer(other);
        ASSERT_TRUE(other.Mark(std::chrono::seconds(5), "10/12/2026").ok());
        const qv::ModuleMarks after = qv::ReadMarksRecords(Path("marks"), 50);
        EXPECT_EQ(after.lists.firstMarked[3], "1");
        EXPECT_EQ(after.Read(qv::MarksRecord::FirstMarked, 1), c.paperOneKnown);  // not "0"
        if (c.paperOneKnown) {
            EXPECT_EQ(after.lists.firstScores[0], "100");
        }
        for (int p = 5; p <= 50; ++p) EXPECT_EQ(after.Read(qv::MarksRecord::FirstMarked, p), read.Read(qv::MarksRecord::FirstMarked, p)) << p;
        ASSERT_TRUE(qv::ResetResults(source_, dir_.path(), config_.config).empty());
        MarkPaper(1);
    }
}

// One over-long field costs that field alone, and is said to be damage; a
// paper marked since is recorded beside it.
TEST_F(DamagedResults, AnOverLongFieldCostsThatFieldAlone) {
    MarkPaper(1);
    std::string marks = dir_.Read(File("marks"));
    const std::size_t ltm = marks.find("#LTM#>") + 6;
    marks.insert(ltm, std::string(5000, '9'));
    dir_.Write(File("marks"), marks);
    const qv::ModuleMarks read = qv::ReadMarksRecords(Path("marks"), 50);
    EXPECT_EQ(read.status, IoStatus::Damaged);
    EXPECT_FALSE(read.Read(qv::MarksRecord::TimeTaken, 1));
    EXPECT_TRUE(read.Read(qv::MarksRecord::FirstScore, 1));
    EXPECT_EQ(read.lists.firstScores[0], "100");
    EXPECT_EQ(read.lists.firstMarked[0], "1");
    const std::string words = qv::DescribeIoStatus(read.status, Path("marks"));
    EXPECT_NE(words.find("Everything sound in it has been read"), std::string::npos) << words;

    MarkPaper(2);
    const qv::ModuleMarks after = qv::ReadMarksRecords(Path("marks"), 50);
    EXPECT_FALSE(after.Read(qv::MarksRecord::TimeTaken, 1));  // still the damaged field, as it stood
    EXPECT_NE(dir_.Read(File("marks")).find(std::string(5000, '9')), std::string::npos);
    EXPECT_EQ(after.lists.timesTaken[1], "0:1:1");
    EXPECT_EQ(after.lists.firstScores[0], "100");
}

// A file grown past what any reader takes is read for its sound records; and
// no writer makes a file that large.
TEST_F(DamagedResults, AFileTooLargeIsReadForItsSoundRecordsAndNeverWritten) {
    MarkPaper(1);
    const std::string marks = dir_.Read(File("marks"));
    std::ofstream(Path("marks"), std::ios::binary) << std::string(5u << 20, 'x') << "\r\n" << marks;
    const qv::ModuleMarks read = qv::ReadMarksRecords(Path("marks"), 50);
    EXPECT_EQ(read.status, IoStatus::Damaged);
    EXPECT_EQ(read.lists.firstScores[0], "100");
    EXPECT_EQ(read.lists.firstMarked[0], "1");

    const std::string before = dir_.Read(File("trend"));
    const std::string tooBig(qv::kMaxFileBytes + 1, 'x');
    EXPECT_EQ(qv::AtomicWriteFile(Path("trend"), tooBig, qv::Durability::Synced), IoStatus::WouldBeTooLarge);
    EXPECT_EQ(dir_.Read(File("trend")), before);
    EXPECT_EQ(qv::AtomicWriteFile(Path("trend"), tooBig.substr(1), qv::Durability::Synced), IoStatus::Ok);
    EXPECT_TRUE(qv::ReadWholeFile(Path("trend")).ok());

    // Records past what is read are never written over: a save is refused in words.
    std::string junk;
    for (int i = 0; i < 4500; ++i) junk += "#999#>" + std::string(1000, 'y') + "\r\n";
    std::ofstream(Path("first"), std::ios::binary) << junk << dir_.Read(File("first"));
    const std::string answers = dir_.Read(File("first"));
    qv::FirstAttempt attempt;
    ASSERT_TRUE(attempt.Load(source_, Context(2)).ok());
    attempt.StoreCurrentAnswers({"1"});
    const qv::WriteOutcome saved = attempt.Save();
    EXPECT_FALSE(saved.ok());
    EXPECT_NE(saved.message.find("nothing in it is lost"), std::string::npos) << saved.message;
    EXPECT_EQ(dir_.Read(File("first")), answers);
}

}  // namespace
