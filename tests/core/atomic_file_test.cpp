#include "course/atomic_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>

#include "course/file_system.h"
#include "temp_dir.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

namespace {

namespace fs = std::filesystem;
using qv::IoStatus;
using qv::PathKind;

// Names of everything in a folder.
std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AtomicWriteFile, NeverWritesThroughALinkAtAnOldTemporaryName) {
    for (const char* name : {"marks2QEN.txt", "temptext30000.txt"}) {
        TempDir dir;
        const auto victim = dir.Write("victim.txt", "keep me");
        fs::create_symlink(victim, dir / (std::string(name) + ".tmp"));
        ASSERT_EQ(qv::AtomicWriteFile(dir / name, "new", qv::Durability::Synced), IoStatus::Ok);
        EXPECT_EQ(dir.Read(name), "new");
        EXPECT_EQ(dir.Read("victim.txt"), "keep me") << name;
        EXPECT_EQ(Entries(dir.path()).size(), 3u);  // no temporary file is left
    }
}

TEST(AtomicWriteFile, TemporaryNamesAreUniqueAndRecognisable) {
    TempDir dir;
    const auto first = qv::TemporaryPathFor(dir / "marks2QEN.txt");
    const auto second = qv::TemporaryPathFor(dir / "marks2QEN.txt");
    EXPECT_NE(first, second);
    EXPECT_EQ(first.parent_path(), dir.path());
    EXPECT_TRUE(qv::IsTemporaryName(first.filename().string())) << first;
    for (const char* other : {"marks2QEN.txt.tmp", "marks2QEN.txt", ".qvtmp", "x.AbCdEf.qvtmp", ".x.AbC-Ef.qvtmp",
                              ".hidden", ".x.AbCdE.qvtmp"}) {
        EXPECT_FALSE(qv::IsTemporaryName(other)) << other;
    }
}

TEST(AtomicWriteFile, KeepsTheOldFilesPermissions) {
    TempDir dir;
    const auto file = dir.Write("marks2QEN.txt", "old");
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(file, mode);
    ASSERT_EQ(qv::AtomicWriteFile(file, "new", qv::Durability::Synced), IoStatus::Ok);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::mask, mode);
}

TEST(AtomicWriteFile, ReadOnlyResultIsNotReplaced) {
    TempDir dir;
    const auto file = dir.Write("marks2QEN.txt", "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(qv::AtomicWriteFile(file, "new", qv::Durability::Synced), IoStatus::ReadOnly);
    EXPECT_EQ(dir.Read("marks2QEN.txt"), "old");
    EXPECT_EQ(Entries(dir.path()).size(), 1u);
    EXPECT_NE(qv::DescribeIoStatus(IoStatus::ReadOnly, file).find("read-only"), std::string::npos);
}

// Things that are not files, made in a folder.
struct NotAFileCase {
    const char* name;
    void (*make)(const fs::path& at);
};
void PrintTo(const NotAFileCase& c, std::ostream* os) { *os << c.name; }

const NotAFileCase kNotAFile[] = {
    {"Folder", [](const fs::path& at) { fs::create_directory(at); }},
#if !defined(_WIN32)
    {"Fifo", [](const fs::path& at) { ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0); }},
#endif
    {"LinkToNothing", [](const fs::path& at) { fs::create_symlink(at.parent_path() / "gone", at); }},
};

class NotAFileTest : public testing::TestWithParam<NotAFileCase> {};

TEST_P(NotAFileTest, IsReportedAndLeftAlone) {
    TempDir dir;
    const auto path = dir / "trend2QEN.txt";
    GetParam().make(path);
    const auto before = fs::symlink_status(path).type();
    EXPECT_EQ(qv::InspectPath(path).kind, PathKind::NotAFile);
    EXPECT_EQ(qv::ReadWholeFile(path).status, IoStatus::NotAFile);  // a fifo is never opened: no hang
    EXPECT_EQ(qv::AtomicWriteFile(path, "#TRD#", qv::Durability::Synced), IoStatus::NotAFile);
    EXPECT_EQ(qv::AtomicWriteFile(path, "#TRD#"), IoStatus::NotAFile);
    EXPECT_EQ(fs::symlink_status(path).type(), before);
    EXPECT_EQ(Entries(dir.path()).size(), 1u);
    EXPECT_NE(qv::DescribeIoStatus(IoStatus::NotAFile, path).find("not a file"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Kinds, NotAFileTest, testing::ValuesIn(kNotAFile),
                         [](const auto& info) { return info.param.name; });

TEST(InspectPath, OnlyNotFoundIsMissing) {
    TempDir dir;
    fs::create_symlink(dir / "loop", dir / "loop");
    EXPECT_EQ(qv::InspectPath(dir / "absent.txt").kind, PathKind::Missing);
    EXPECT_EQ(qv::InspectPath(dir / "loop").kind, PathKind::Unreadable);
    EXPECT_EQ(qv::InspectPath(dir / std::string(300, 'n')).kind, PathKind::Unreadable);  // name too long
    EXPECT_EQ(qv::ReadWholeFile(dir / "loop").status, IoStatus::Unreadable);

    const auto file = dir.Write("marks2QEN.txt", "12345");
    fs::create_symlink(file, dir / "link.txt");
    EXPECT_EQ(qv::InspectPath(file).kind, PathKind::File);
    EXPECT_EQ(qv::InspectPath(file).size, 5u);
    EXPECT_EQ(qv::InspectPath(dir / "link.txt").kind, PathKind::File);
}

// A result file kept elsewhere (a synced folder) through a link goes on being written there.
TEST(AtomicWriteFile, ALinkToAFileStaysALink) {
    TempDir dir;
    fs::create_directory(dir / "synced");
    const auto file = dir.Write("synced/marks2QEN.txt", "#FSE#>1\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_directory(dir / "work");
    fs::create_symlink("../synced/marks2QEN.txt", dir / "work/marks2QEN.txt");
    ASSERT_EQ(qv::AtomicWriteFile(dir / "work/marks2QEN.txt", "#FSE#>2\r\n", qv::Durability::Synced), IoStatus::Ok);
    EXPECT_TRUE(fs::is_symlink(dir / "work/marks2QEN.txt"));
    EXPECT_EQ(dir.Read("synced/marks2QEN.txt"), "#FSE#>2\r\n");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Entries(dir / "work").size(), 1u);
    EXPECT_EQ(Entries(dir / "synced").size(), 1u);
}

TEST(ReadWholeFile, RefusesAFileFarLargerThanAnyItWrites) {
    TempDir dir;
    const auto file = dir / "marks2QEN.txt";
    ASSERT_EQ(qv::AtomicWriteFile(file, "#FSE#>"), IoStatus::Ok);
    fs::resize_file(file, 50u << 20);  // a 50 MB field, without writing 50 MB
    const auto start = std::chrono::steady_clock::now();
    const auto read = qv::ReadWholeFile(file);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_EQ(read.status, IoStatus::TooLarge);
    EXPECT_TRUE(read.value.empty());

    fs::resize_file(file, qv::kMaxFileBytes);
    EXPECT_EQ(qv::ReadWholeFile(file).value.size(), qv::kMaxFileBytes);
}

TEST(RemoveStaleTemporaries, RemovesOnlyThisProgramsTemporaries) {
    TempDir dir;
    const auto kept = dir.Write("keep.txt", "pupil's file");
    dir.Write(".marks2QEN.txt.Ab12Cd.qvtmp", "half written");
    fs::create_directory(dir / ".2026-12-08_22-40-05.Zz9yX8.qvtmp");
    dir.Write(".2026-12-08_22-40-05.Zz9yX8.qvtmp/marks2QEN.txt", "partial copy");
    fs::create_symlink(kept, dir / ".trend2QEN.txt.qqqqqq.qvtmp");
    dir.Write("marks2QEN.txt.tmp", "not ours to judge");
    dir.Write(".hidden", "not ours either");

    qv::RemoveStaleTemporaries(dir.path());
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{".hidden", "keep.txt", "marks2QEN.txt.tmp"}));
    EXPECT_EQ(dir.Read("keep.txt"), "pupil's file");  // the link went, not what it pointed to
    qv::RemoveStaleTemporaries(dir / "no-such-folder");  // nothing to do, no exception
}

TEST(RemoveLeftoverFiles, RemovesTemporariesPagesAndCourseTextsLeftByARunThatDied) {
    TempDir dir;
    const auto kept = dir.Write("keep.mht", "pupil's page");
    dir.Write("temppaper13030.mht", "page");
    dir.Write("temptext.txt", "answer key");
    dir.Write("temptext30000.txt", "configuration");
    dir.Write(".marks2QEN.txt.Ab12Cd.qvtmp", "half written");
    fs::create_symlink(kept, dir / "temppaper1.mht");
    fs::create_directory(dir / "temppaper2.mht");  // not a file: left alone
    dir.Write("first2QEN.txt", "#101#>>");
    dir.Write("temppaper.txt", "other");
    dir.Write("mytemptext.txt", "other");
    dir.Write("temptext for history.txt", "the pupil's own");
    dir.Write("temppaper-notes.mht", "the pupil's own");
    // A result file kept in another folder through a link: a run that died
    // while writing it left its temporary there; the folder's other files stay.
    TempDir elsewhere;
    const auto kept2 = elsewhere.Write("marks2QEN.txt", "#FSE#>90");
    elsewhere.Write(".marks2QEN.txt.Xy34Zw.qvtmp", "half written");
    elsewhere.Write(".notes.txt.Xy34Zw.qvtmp", "another program's");
    fs::create_symlink(kept2, dir / "marks2QEN.txt");

    qv::RemoveLeftoverFiles(dir.path());
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"first2QEN.txt", "keep.mht", "marks2QEN.txt", "mytemptext.txt",
                                                             "temppaper-notes.mht", "temppaper.txt", "temppaper2.mht",
                                                             "temptext for history.txt"}));
    EXPECT_EQ(Entries(elsewhere.path()), (std::vector<std::string>{".notes.txt.Xy34Zw.qvtmp", "marks2QEN.txt"}));
    EXPECT_EQ(dir.Read("keep.mht"), "pupil's page");
    qv::RemoveLeftoverFiles(dir / "no-such-folder");
}

TEST(IoStatus, AFullDiskIsToldAsSuch) {
    EXPECT_EQ(qv::WriteStatusFromError(ENOSPC), IoStatus::DiskFull);
    EXPECT_EQ(qv::WriteStatusFromError(EACCES), IoStatus::WriteFailed);
    const std::string words = qv::DescribeIoStatus(IoStatus::DiskFull, "/data/marks2QEN.txt");
    EXPECT_NE(words.find("disk"), std::string::npos);
    EXPECT_NE(words.find("full"), std::string::npos);
    EXPECT_NE(words.find("/data"), std::string::npos);
}

// Run by the full-disk script, with QUORVALE_FULL_DISK pointing at a folder
// on a small file system that has just been filled.
TEST(FullDisk, WritesAreRefusedInWordsAndTheOldFileKept) {
    const char* folder = std::getenv("QUORVALE_FULL_DISK");
    if (folder == nullptr) GTEST_SKIP() << "needs a full file system (tests/full_disk.sh)";
    const fs::path file = fs::path(folder) / "marks2QEN.txt";
    const auto before = qv::ReadWholeFile(file);
    ASSERT_TRUE(before.ok());
    EXPECT_EQ(qv::AtomicWriteFile(file, std::string(1 << 16, 'x'), qv::Durability::Synced), IoStatus::DiskFull);
    EXPECT_EQ(qv::ReadWholeFile(file).value, before.value);
    for (const auto& entry : fs::directory_iterator(folder)) {
        EXPECT_FALSE(qv::IsTemporaryName(entry.path().filename().string())) << entry.path();
    }
}

}  // namespace
