#include "course/results_store.h"

#include <gtest/gtest.h>

#include "course/record_file.h"
#include "course/startup.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using qv::ResultKind;

constexpr auto kNow = std::chrono::system_clock::time_point(std::chrono::seconds(1796000000));

// A course with modules 1 and 2 of one topic (five papers of two parts) each.
qv::MemoryResourceSource CourseResources() {
    qv::MemoryResourceSource source;
    source.Add(30000,
               "...\r\n#NME#>T\r\n#COD#>QEN\r\n#LAH#>One\r\n#LBH#>Two\r\n-------------------------------\r\n"
               "#TT1#>1\r\n#TP1#>5\r\n#TN1#>A\r\n#TT2#>1\r\n#TP2#>5\r\n#TN2#>B\r\n...");
    for (int slot : {1, 2}) {
        source.Add(30100 + 10 * slot + 1,
                   "...\r\n#FSE#>>>>>\r\n#SSE#>>>>>\r\n#LTM#>>>>>\r\n#CDD#>>>>>\r\n#FST#>0>0>0>0>0\r\n"
                   "#SST#>0>0>0>0>0\r\n...");
        for (int kind = 2; kind <= 5; ++kind) {
            source.Add(30100 + 10 * slot + kind, "...\r\n#101#>>\r\n#102#>>\r\n#103#>>\r\n#104#>>\r\n#105#>>\r\n...");
        }
        source.Add(30100 + 10 * slot + 6, "#TRD#");
    }
    return source;
}

qv::CourseConfig Config(const qv::ResourceSource& source, const fs::path&) {
    return qv::LoadCourseConfig(source).config;
}

std::string Template(const qv::ResourceSource& source, int slot, ResultKind kind) {
    return *source.Load(qv::ResultTemplateId(slot, kind), "Custom");
}

TEST(ResultFiles, NamesBySlotAndCode) {
    EXPECT_EQ(qv::ResultFileName(ResultKind::Marks, 2, "QEN"), "marks2QEN.txt");
    EXPECT_EQ(qv::ResultFileName(ResultKind::FirstAnswers, 2, "QEN"), "first2QEN.txt");
    EXPECT_EQ(qv::ResultFileName(ResultKind::SecondAnswers, 1, "QEN"), "second1QEN.txt");
    EXPECT_EQ(qv::ResultFileName(ResultKind::FirstResults, 3, "AB"), "fresults3AB.txt");
    EXPECT_EQ(qv::ResultFileName(ResultKind::SecondResults, 2, "QEN"), "sresults2QEN.txt");
    EXPECT_EQ(qv::ResultFileName(ResultKind::Trend, 2, "QEN"), "trend2QEN.txt");
    EXPECT_EQ(qv::ResultTemplateId(2, ResultKind::Marks), 30121);
    EXPECT_EQ(qv::ResultTemplateId(2, ResultKind::Trend), 30126);
}

TEST(EnsureResultFiles, FirstStartCreatesEveryFileFromItsTemplate) {
    TempDir dir;
    const auto source = CourseResources();
    const auto config = Config(source, dir.path());
    const auto outcome = qv::EnsureResultFiles(source, dir.path(), config, kNow);
    EXPECT_TRUE(outcome.reset);
    EXPECT_TRUE(outcome.problems.empty());
    EXPECT_TRUE(outcome.backupFolder.empty());  // nothing to copy
    for (int slot : {1, 2}) {
        for (ResultKind kind : qv::kResultKinds) {
            EXPECT_EQ(dir.Read(qv::ResultFileName(kind, slot, "QEN")), Template(source, slot, kind));
        }
    }
    EXPECT_FALSE(fs::exists(dir / "backup"));
}

TEST(EnsureResultFiles, AllPresentChangesNothing) {
    TempDir dir;
    const auto source = CourseResources();
    const auto config = Config(source, dir.path());
    EXPECT_TRUE(qv::EnsureResultFiles(source, dir.path(), config, kNow).problems.empty());
    dir.Write("trend2QEN.txt", "#TRD#>90\r\n");
    const auto outcome = qv::EnsureResultFiles(source, dir.path(), config, kNow);
    EXPECT_FALSE(outcome.reset);
    EXPECT_EQ(dir.Read("trend2QEN.txt"), "#TRD#>90\r\n");
}

TEST(EnsureResultFiles, OneMissingFileIsMadeAgainAndEveryOtherIsKept) {
    for (ResultKind missing : qv::kResultKinds) {
        TempDir dir;
        const auto source = CourseResources();
        const auto config = Config(source, dir.path());
        EXPECT_TRUE(qv::EnsureResultFiles(source, dir.path(), config, kNow).problems.empty());
        dir.Write("trend1QEN.txt", "#TRD#>75\r\n");
        dir.Write("marks2QEN.txt", "#FSE#>90\r\n");
        const std::string name = qv::ResultFileName(missing, 2, "QEN");
        fs::remove(dir / name);

        const auto outcome = qv::EnsureResultFiles(source, dir.path(), config, kNow);
        EXPECT_FALSE(outcome.reset);
        EXPECT_TRUE(outcome.problems.empty());
        EXPECT_EQ(dir.Read(name), Template(source, 2, missing));
        EXPECT_EQ(dir.Read("trend1QEN.txt"), "#TRD#>75\r\n");
        if (missing != ResultKind::Marks) {
            EXPECT_EQ(dir.Read("marks2QEN.txt"), "#FSE#>90\r\n");
        }
        EXPECT_FALSE(fs::exists(dir / "backup"));
        EXPECT_NE(outcome.notice.find("\"" + name + "\" was missing"), std::string::npos) << outcome.notice;
    }
}

// Files that hold none of their records are no results to keep.
void Unreadable(const TempDir& dir) {
    for (int slot : {1, 2}) {
        for (ResultKind kind : qv::kResultKinds) dir.Write(qv::ResultFileName(kind, slot, "QEN"), "#OLD#>1\r\n");
    }
}

TEST(EnsureResultFiles, TwoResetsInOneSecondKeepBothBackups) {
    TempDir dir;
    const auto source = CourseResources();
    const auto config = Config(source, dir.path());
    EXPECT_TRUE(qv::EnsureResultFiles(source, dir.path(), config, kNow).problems.empty());
    Unreadable(dir);
    fs::remove(dir / "trend2QEN.txt");
    const auto first = qv::EnsureResultFiles(source, dir.path(), config, kNow);
    Unreadable(dir);
    fs::remove(dir / "trend2QEN.txt");
    const auto second = qv::EnsureResultFiles(source, dir.path(), config, kNow);
    EXPECT_NE(first.backupFolder, second.backupFolder);
    EXPECT_TRUE(fs::exists(first.backupFolder / "marks2QEN.txt"));
    EXPECT_TRUE(fs::exists(second.backupFolder / "marks2QEN.txt"));
}

TEST(EnsureResultFiles, WithoutABackupOnlyTheMissingFileIsMade) {
    TempDir dir;
    const auto source = CourseResources();
    const auto config = Config(source, dir.path());
    EXPECT_TRUE(qv::EnsureResultFiles(source, dir.path(), config, kNow).problems.empty());
    Unreadable(dir);
    dir.Write("marks2QEN.txt", "#OLD#>90\r\n");
    fs::remove(dir / "trend2QEN.txt");
    dir.Write("backup", "a file where the backup folder should go");

    const auto outcome = qv::EnsureResultFiles(source, dir.path(), config, kNow);
    EXPECT_FALSE(outcome.reset);
    EXPECT_FALSE(outcome.problems.empty());
    EXPECT_EQ(dir.Read("marks2QEN.txt"), "#OLD#>90\r\n");
    EXPECT_EQ(dir.Read("trend2QEN.txt"), "#TRD#");
}

TEST(ResetResults, IsWholeOrNotAtAll) {
    TempDir dir;
    const auto source = CourseResources();
    const auto config = Config(source, dir.path());
    dir.Write("trend2QEN.txt", "#TRD#>90\r\n");
    fs::create_directory(dir / "first2QEN.txt");  // a folder stands in the way
    const auto problems = qv::ResetResults(source, dir.path(), config);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("first2QEN.txt"), std::string::npos);
    EXPECT_NE(problems[0].find("not a file"), std::string::npos);
    EXPECT_EQ(dir.Read("trend2QEN.txt"), "#TRD#>90\r\n");  // nothing else was written either
    EXPECT_FALSE(fs::exists(dir / "marks1QEN.txt"));

    fs::remove(dir / "first2QEN.txt");
    EXPECT_TRUE(qv::ResetResults(source, dir.path(), config).empty());
    EXPECT_EQ(dir.Read("trend2QEN.txt"), "#TRD#");
    EXPECT_FALSE(fs::exists(dir / "resetting.txt"));
}

TEST(AppendTrend, GrowsTheOneTrendLine) {
    TempDir dir;
    const auto file = dir.Write("trend2QEN.txt", "#TRD#");
    ASSERT_EQ(qv::AppendTrend(file, "90"), qv::IoStatus::Ok);
    EXPECT_EQ(dir.Read("trend2QEN.txt"), "#TRD#>90\r\n");
    ASSERT_EQ(qv::AppendTrend(file, "66.7"), qv::IoStatus::Ok);
    EXPECT_EQ(dir.Read("trend2QEN.txt"), "#TRD#>90>66.7\r\n");
    EXPECT_EQ(qv::SplitTrendEntries(qv::ReadRecordLine(file, "TRD").value, 2),
              (qv::Fields{"90", "66.7"}));
}

TEST(AppendTrend, DamagedFileStillGetsARecord) {
    TempDir dir;
    const auto file = dir.Write("trend2QEN.txt", "garbage\r\n");
    ASSERT_EQ(qv::AppendTrend(file, "75"), qv::IoStatus::Ok);
    EXPECT_EQ(dir.Read("trend2QEN.txt"), "#TRD#>75\r\n");
    EXPECT_NE(qv::AppendTrend(dir / "absent.txt", "75"), qv::IoStatus::Ok);
    EXPECT_FALSE(fs::exists(dir / "absent.txt"));
}

TEST(FirstSave, WritesExactlyOneLinePerPaper) {
    TempDir dir;
    const auto source = CourseResources();
    const auto config = Config(source, dir.path());
    EXPECT_TRUE(qv::EnsureResultFiles(source, dir.path(), config, kNow).problems.empty());
    const auto file = dir / "first2QEN.txt";
    auto lines = qv::ReadPaperLines(file, 5).value;
    ASSERT_EQ(qv::SavePaperRecord(lines, {"2", ""}, 3, "103", 5, 2, file), qv::IoStatus::Ok);
    EXPECT_EQ(dir.Read("first2QEN.txt"), "#101#>>\r\n#102#>>\r\n#103#>2>\r\n#104#>>\r\n#105#>>\r\n");
}

TEST(PrepareStartupData, EmptyFolderThenSecondStart) {
    TempDir dir;
    auto source = CourseResources();
    for (const auto& picture : qv::InterfacePictures()) source.Add(picture.id, "p");

    const auto first = qv::PrepareStartupData(source, dir.path(), kNow);
    EXPECT_TRUE(first.problems().empty());
    EXPECT_TRUE(first.configuration.available);
    EXPECT_TRUE(fs::exists(dir / "Graphics" / "Logo.gif"));
    EXPECT_FALSE(fs::exists(dir / "temptext30000.txt"));

    dir.Write("fresults2QEN.txt", "#101#>\xFC>\xFB\r\n");
    const auto second = qv::PrepareStartupData(source, dir.path(), kNow);
    EXPECT_FALSE(second.results.reset);
    EXPECT_EQ(dir.Read("fresults2QEN.txt"), "#101#>\xFC>\xFB\r\n");
}

TEST(PrepareStartupData, NoCourseMeansNoResultFiles) {
    TempDir dir;
    qv::MemoryResourceSource source;
    const auto data = qv::PrepareStartupData(source, dir.path(), kNow);
    EXPECT_FALSE(data.configuration.available);
    EXPECT_FALSE(data.problems().empty());
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().filename(), "Graphics");
    }
}

}  // namespace
