// Start-up with result files that are missing, damaged or in the way, and
// resets that were stopped half-way.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "course/file_system.h"
#include "course/record_file.h"
#include "course/results_store.h"
#include "course/startup.h"
#include "temp_dir.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

namespace {

namespace fs = std::filesystem;
using qv::ResultKind;

constexpr auto kNow = std::chrono::system_clock::time_point(std::chrono::seconds(1796000000));

// One module (slot 2) of one topic.
qv::MemoryResourceSource Course() {
    qv::MemoryResourceSource source;
    source.Add(30000, "#NME#>T\r\n#COD#>QEN\r\n#LBH#>Two\r\n#TT2#>1\r\n#TP2#>5\r\n#TN2#>B\r\n");
    source.Add(30121, "#FSE#>>>>>\r\n#SSE#>>>>>\r\n#LTM#>>>>>\r\n#CDD#>>>>>\r\n#FST#>0>0>0>0>0\r\n#SST#>0>0>0>0>0\r\n");
    for (int kind = 2; kind <= 5; ++kind) source.Add(30120 + kind, "#101#>>\r\n#102#>>\r\n#103#>>\r\n#104#>>\r\n#105#>>\r\n");
    source.Add(30126, "#TRD#");
    return source;
}

std::string Name(ResultKind kind) { return qv::ResultFileName(kind, 2, "QEN"); }

// A folder after a first start, each file then holding results of its own.
struct Started {
    TempDir dir;
    qv::MemoryResourceSource source = Course();
    qv::CourseConfig config;

    Started() {
        config = qv::LoadCourseConfig(source).config;
        EXPECT_TRUE(qv::EnsureResultFiles(source, dir.path(), config, kNow).problems.empty());
        for (ResultKind kind : qv::kResultKinds) dir.Write(Name(kind), Old(kind));
    }
    static std::string Old(ResultKind kind) { return "#OLD#>" + std::to_string(static_cast<int>(kind)) + "\r\n"; }
    std::string Template(ResultKind kind) const { return *source.Load(qv::ResultTemplateId(2, kind), "Custom"); }
    qv::EnsureOutcome Start() const { return qv::EnsureResultFiles(source, dir.path(), config, kNow); }
    bool AllOld() const {
        for (ResultKind kind : qv::kResultKinds) {
            if (dir.Read(Name(kind)) != Old(kind)) return false;
        }
        return true;
    }
    bool AllTemplates() const {
        for (ResultKind kind : qv::kResultKinds) {
            if (dir.Read(Name(kind)) != Template(kind)) return false;
        }
        return true;
    }
};

bool Mentions(const std::vector<std::string>& problems, const std::string& words) {
    for (const auto& problem : problems) {
        if (problem.find(words) != std::string::npos) return true;
    }
    return false;
}

TEST(StartWithResults, ABackupFolderThatIsALinkLoopResetsNothing) {
    Started s;
    fs::create_symlink(s.dir / "backup", s.dir / "backup");
    fs::remove(s.dir / Name(ResultKind::Trend));
    qv::EnsureOutcome outcome;
    ASSERT_NO_THROW(outcome = s.Start());
    EXPECT_FALSE(outcome.reset);
    EXPECT_TRUE(outcome.notice.empty());
    EXPECT_TRUE(Mentions(outcome.problems, "\"backup\"")) << testing::PrintToString(outcome.problems);
    EXPECT_TRUE(Mentions(outcome.problems, "have not been reset"));
    for (ResultKind kind : {ResultKind::Marks, ResultKind::FirstAnswers, ResultKind::SecondResults}) {
        EXPECT_EQ(s.dir.Read(Name(kind)), Started::Old(kind));
    }
    EXPECT_EQ(s.dir.Read(Name(ResultKind::Trend)), "#TRD#");  // only the missing file is made
}

struct BlockedCase {
    const char* name;
    void (*make)(const fs::path& at);
    const char* words;
};
void PrintTo(const BlockedCase& c, std::ostream* os) { *os << c.name; }

const BlockedCase kBlocked[] = {
    {"Folder", [](const fs::path& at) { fs::create_directory(at); }, "not a file"},
#if !defined(_WIN32)
    {"Fifo", [](const fs::path& at) { ::mkfifo(at.c_str(), 0600); }, "not a file"},
#endif
    {"LinkToNothing", [](const fs::path& at) { fs::create_symlink(at.parent_path() / "gone", at); }, "not a file"},
    {"LinkLoop", [](const fs::path& at) { fs::create_symlink(at, at); }, "could not be read"},
};

class BlockedResultTest : public testing::TestWithParam<BlockedCase> {};

TEST_P(BlockedResultTest, IsReportedAtEveryStartAndNeverResetsAnything) {
    Started s;
    const fs::path trend = s.dir / Name(ResultKind::Trend);
    fs::remove(trend);
    GetParam().make(trend);
    for (int start = 0; start < 2; ++start) {
        const auto outcome = s.Start();
        EXPECT_FALSE(outcome.reset);
        EXPECT_TRUE(Mentions(outcome.problems, "\"trend2QEN.txt\"")) << testing::PrintToString(outcome.problems);
        EXPECT_TRUE(Mentions(outcome.problems, GetParam().words)) << testing::PrintToString(outcome.problems);
        EXPECT_TRUE(s.dir.Read(Name(ResultKind::Marks)) == Started::Old(ResultKind::Marks));
        EXPECT_FALSE(fs::exists(s.dir / "backup"));
    }
    EXPECT_FALSE(qv::AnyResultFileMissing(s.dir.path(), 2, "QEN"));

    // With another file missing as well, nothing is reset either.
    fs::remove(s.dir / Name(ResultKind::Marks));
    const auto outcome = s.Start();
    EXPECT_FALSE(outcome.reset);
    EXPECT_EQ(s.dir.Read(Name(ResultKind::FirstAnswers)), Started::Old(ResultKind::FirstAnswers));
    EXPECT_EQ(s.dir.Read(Name(ResultKind::Marks)), s.Template(ResultKind::Marks));
}

INSTANTIATE_TEST_SUITE_P(Kinds, BlockedResultTest, testing::ValuesIn(kBlocked),
                         [](const auto& info) { return info.param.name; });

TEST(StartWithResults, AReadOnlyFileStopsTheResetBeforeAnythingIsWritten) {
    Started s;
    fs::permissions(s.dir / Name(ResultKind::SecondAnswers), fs::perms::owner_read);
    fs::remove(s.dir / Name(ResultKind::Trend));
    const auto outcome = s.Start();
    EXPECT_FALSE(outcome.reset);
    EXPECT_TRUE(Mentions(outcome.problems, "read-only")) << testing::PrintToString(outcome.problems);
    for (ResultKind kind : {ResultKind::Marks, ResultKind::FirstAnswers, ResultKind::SecondAnswers}) {
        EXPECT_EQ(s.dir.Read(Name(kind)), Started::Old(kind));
    }
    EXPECT_FALSE(fs::exists(s.dir / "resetting.txt"));
}

TEST(StartWithResults, AMissingTemplateIsToldAsSuch) {
    Started s;
    qv::MemoryResourceSource partial;
    for (int id : {30000, 30121, 30122, 30123, 30124, 30125}) partial.Add(id, *s.source.Load(id, "Custom"));
    fs::remove(s.dir / Name(ResultKind::Trend));
    const auto outcome = qv::EnsureResultFiles(partial, s.dir.path(), s.config, kNow);
    EXPECT_FALSE(outcome.reset);
    EXPECT_TRUE(Mentions(outcome.problems, "holds no empty copy of \"trend2QEN.txt\""))
        << testing::PrintToString(outcome.problems);
    EXPECT_FALSE(Mentions(outcome.problems, "could not be saved"));
    EXPECT_EQ(s.dir.Read(Name(ResultKind::Marks)), Started::Old(ResultKind::Marks));
}

TEST(StartWithResults, AResetIsToldWithTheMissingFileAndTheCopies) {
    Started s;
    fs::remove(s.dir / Name(ResultKind::Trend));
    fs::remove(s.dir / Name(ResultKind::FirstResults));
    const auto outcome = s.Start();
    ASSERT_TRUE(outcome.reset);
    EXPECT_TRUE(s.AllTemplates());
    EXPECT_NE(outcome.notice.find("\"fresults2QEN.txt\" and \"trend2QEN.txt\" were missing"), std::string::npos)
        << outcome.notice;
    EXPECT_NE(outcome.notice.find("reset"), std::string::npos);
    EXPECT_NE(outcome.notice.find(outcome.backupFolder.string()), std::string::npos);
    EXPECT_EQ(qv::ReadWholeFile(outcome.backupFolder / Name(ResultKind::Marks)).value, Started::Old(ResultKind::Marks));
    EXPECT_FALSE(fs::exists(s.dir / "resetting.txt"));

    // The start-up data carries it, once.
    fs::remove(s.dir / Name(ResultKind::Trend));
    qv::StartupData data;
    data.results = s.Start();
    ASSERT_FALSE(data.results.notice.empty());
    const auto told = data.problems();
    EXPECT_EQ(std::count(told.begin(), told.end(), data.results.notice), 1);
}

TEST(StartWithResults, AFirstStartIsNoReset) {
    TempDir dir;
    const auto source = Course();
    const auto config = qv::LoadCourseConfig(source).config;
    const auto outcome = qv::EnsureResultFiles(source, dir.path(), config, kNow);
    EXPECT_TRUE(outcome.reset);
    EXPECT_TRUE(outcome.notice.empty());
}

// A reset stopped half-way is finished at the next start; results saved after
// it stopped (an erase that failed half-way, and a session that went on) are
// copied first.
TEST(StartWithResults, AResetStoppedHalfWayIsFinished) {
    for (const bool savedSince : {false, true}) {
        SCOPED_TRACE(savedSince);
        Started s;
        // As a start stopped after its backup and two templates leaves the folder.
        fs::create_directories(s.dir / "backup" / "2026-12-08_22-40-05");
        for (ResultKind kind : qv::kResultKinds) {
            s.dir.Write("backup/2026-12-08_22-40-05/" + Name(kind), Started::Old(kind));
        }
        s.dir.Write("resetting.txt", "#BKP#>2026-12-08_22-40-05\r\n");
        s.dir.Write(Name(ResultKind::Marks), s.Template(ResultKind::Marks));
        s.dir.Write(Name(ResultKind::FirstAnswers), s.Template(ResultKind::FirstAnswers));
        const std::string since = "#FSE#>95\r\n";
        if (savedSince) s.dir.Write(Name(ResultKind::Marks), since);

        const auto outcome = s.Start();
        EXPECT_TRUE(outcome.reset);
        EXPECT_TRUE(outcome.problems.empty()) << testing::PrintToString(outcome.problems);
        EXPECT_TRUE(s.AllTemplates());
        EXPECT_FALSE(fs::exists(s.dir / "resetting.txt"));
        EXPECT_EQ(outcome.backupFolder, s.dir / "backup" / "2026-12-08_22-40-05");
        EXPECT_NE(outcome.notice.find(outcome.backupFolder.string()), std::string::npos) << outcome.notice;
        std::vector<fs::path> copies(fs::directory_iterator(s.dir / "backup"), fs::directory_iterator{});
        ASSERT_EQ(copies.size(), savedSince ? 2u : 1u);
        EXPECT_EQ(outcome.notice.find("saved since then") != std::string::npos, savedSince) << outcome.notice;
        for (const fs::path& copy : copies) {
            if (copy != outcome.backupFolder) {
                EXPECT_EQ(qv::ReadWholeFile(copy / Name(ResultKind::Marks)).value, since);
            }
        }
    }
}

TEST(StartWithResults, AnInterruptedBackupIsRemovedAndTheResetDoneAgain) {
    Started s;
    fs::create_directories(s.dir / "backup" / ".2026-12-08_22-40-05.AbCdEf.qvtmp");
    s.dir.Write("backup/.2026-12-08_22-40-05.AbCdEf.qvtmp/marks2QEN.txt", "partial");
    fs::create_directories(s.dir / "backup" / "2026-12-08_22-40-06");       // claimed, never filled
    fs::create_directories(s.dir / "backup" / "2026-12-07_10-00-00");       // an earlier, complete copy
    s.dir.Write("backup/2026-12-07_10-00-00/marks2QEN.txt", "earlier");
    s.dir.Write(".trend2QEN.txt.Zz9yX8.qvtmp", "half a trend");
    fs::remove(s.dir / Name(ResultKind::Trend));

    qv::MemoryResourceSource source = s.source;
    const auto data = qv::PrepareStartupData(source, s.dir.path(), kNow);
    EXPECT_TRUE(data.results.reset);
    EXPECT_TRUE(s.AllTemplates());
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(s.dir / "backup")) left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    std::vector<std::string> expected = {"2026-12-07_10-00-00", data.results.backupFolder.filename().string()};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
    EXPECT_EQ(s.dir.Read("backup/2026-12-07_10-00-00/marks2QEN.txt"), "earlier");
    EXPECT_FALSE(fs::exists(s.dir / ".trend2QEN.txt.Zz9yX8.qvtmp"));
}

TEST(StartWithResults, AHugeMarksFileIsToldQuicklyAndItsDamagedLineNotRead) {
    Started s;
    const fs::path marks = s.dir / Name(ResultKind::Marks);
    s.dir.Write(Name(ResultKind::Marks), "#FSE#>");
    fs::resize_file(marks, 50u << 20);  // a 50 MB score field
    qv::MemoryResourceSource source = s.source;
    const auto start = std::chrono::steady_clock::now();
    const auto data = qv::PrepareStartupData(source, s.dir.path(), kNow);
    const auto read = qv::ReadModuleMarks(marks, 5);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_FALSE(data.results.reset);
    EXPECT_TRUE(Mentions(data.problems(), "\"marks2QEN.txt\"")) << testing::PrintToString(data.problems());
    EXPECT_TRUE(Mentions(data.problems(), "is damaged"));
    EXPECT_EQ(read.status, qv::IoStatus::Damaged);
    EXPECT_EQ(read.value.firstScores, qv::Fields(5));
}

TEST(ReadModuleMarks, AFieldFarLongerThanAnyScoreIsDamage) {
    TempDir dir;
    const auto marks = dir.Write("marks2QEN.txt", "#FSE#>90>" + std::string(100000, '9') + ">75\r\n#FST#>1>1>1\r\n");
    const auto read = qv::ReadModuleMarks(marks, 3);
    EXPECT_EQ(read.status, qv::IoStatus::Damaged);
    EXPECT_EQ(read.value.firstScores, (qv::Fields{"90", "", "75"}));
    EXPECT_EQ(read.value.firstMarked, (qv::Fields{"1", "1", "1"}));
}

}  // namespace
