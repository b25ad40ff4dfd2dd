// A marking left half-done: the next start finishes it from its journal, or
// drops a journal it cannot trust and leaves the result files as they are.

#include <gtest/gtest.h>

#include <chrono>

#include "course/marking_journal.h"
#include "packed_course.h"

namespace {

namespace fs = std::filesystem;

using MarkingJournalTest = PackedCourseTest;

TEST_F(MarkingJournalTest, AStartFinishesAWholeJournalAndDropsAnyOther) {
    qv::MarkingJournal journal;
    journal.slot = 2;
    journal.code = config_.config.code;
    journal.paperNumber = 3;
    journal.paperCount = module().paperCount;
    journal.records.push_back({qv::ResultKind::FirstResults, "#103#>\xFC>\xFB"});
    journal.marks = {{qv::MarksRecord::FirstScore, "50"}, {qv::MarksRecord::FirstMarked, "1"}};
    journal.trendLine = "#TRD#>50";
    const std::string whole = qv::EncodeMarkingJournal(journal);
    ASSERT_TRUE(qv::DecodeMarkingJournal(whole));
    qv::MarkingJournal otherCourse = journal;
    otherCourse.code = "XYZ";
    qv::MarkingJournal spaced = journal;  // a trend file edited by hand
    spaced.trendLine = " " + *journal.trendLine;
    std::string changed = whole;
    changed.replace(changed.find(">50\r\n"), 3, ">90");

    const struct {
        const char* what;
        std::string bytes;
        bool finished;
        const char* missing = nullptr;  // a result file gone as well, made again first
        const char* trend = "#TRD#>50\r\n";
    } cases[] = {
        {"whole", whole, true},
        {"whole, the trend file gone", whole, true, "trend"},
        {"whole, the marks file gone", whole, true, "marks"},
        {"whole, a space before the trend key", qv::EncodeMarkingJournal(spaced), true, nullptr, " #TRD#>50\r\n"},
        {"cut short", whole.substr(0, whole.size() - 3), false},
        {"changed", changed, false},
        {"of another course", qv::EncodeMarkingJournal(otherCourse), false},
        {"junk", "#MRK#>2\r\n", false},
    };
    const std::string marksBefore = dir_.Read(File("marks"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(qv::ResetResults(source_, dir_.path(), config_.config).empty());
        dir_.Write(std::string(qv::kMarkingJournalName), c.bytes);
        if (c.missing) fs::remove(dir_ / File(c.missing));
        const qv::EnsureOutcome start =
            qv::EnsureResultFiles(source_, dir_.path(), config_.config, std::chrono::system_clock::now());
        EXPECT_TRUE(start.problems.empty()) << start.problems.front();
        EXPECT_FALSE(fs::exists(dir_ / std::string(qv::kMarkingJournalName)));
        const auto marks = qv::ReadModuleMarks(dir_ / File("marks"), 50).value;
        if (c.finished) {
            EXPECT_EQ(marks.firstScores[2], "50");
            EXPECT_EQ(marks.firstMarked[2], "1");
            EXPECT_EQ(dir_.Read(File("trend")), c.trend);
            EXPECT_NE(start.notice.find("has now been finished"), std::string::npos) << start.notice;
            if (c.missing) {
                EXPECT_NE(start.notice.find(File(c.missing)), std::string::npos) << start.notice;
            }
        } else {
            EXPECT_EQ(dir_.Read(File("marks")), marksBefore);
            EXPECT_EQ(dir_.Read(File("trend")).find("50"), std::string::npos);
            EXPECT_NE(start.notice.find("not marked"), std::string::npos) << start.notice;
        }
    }
}

}  // namespace
