// Erasing the pupil's results on request: a copy first, then every file back
// to its template, or nothing at all, with words naming what stood in the way.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "course/record_file.h"
#include "course/results_store.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using qv::ResultKind;

constexpr auto kNow = std::chrono::system_clock::time_point(std::chrono::seconds(1796000000));

qv::MemoryResourceSource Course(bool withTrendTemplate = true) {
    qv::MemoryResourceSource source;
    source.Add(30000, "#NME#>T\r\n#COD#>QEN\r\n#LBH#>Two\r\n#TT2#>1\r\n#TP2#>5\r\n#TN2#>B\r\n");
    source.Add(30121, "#FSE#>>>>>\r\n#SSE#>>>>>\r\n#LTM#>>>>>\r\n#CDD#>>>>>\r\n#FST#>0>0>0>0>0\r\n#SST#>0>0>0>0>0\r\n");
    for (int kind = 2; kind <= 5; ++kind) source.Add(30120 + kind, "#101#>>\r\n#102#>>\r\n");
    if (withTrendTemplate) source.Add(30126, "#TRD#\r\n");
    return source;
}

std::string Name(ResultKind kind) { return qv::ResultFileName(kind, 2, "QEN"); }
std::string Old(ResultKind kind) { return "#OLD#>" + std::to_string(static_cast<int>(kind)) + "\r\n"; }

struct EraseCase {
    const char* name;
    std::function<void(const TempDir&)> spoil;  // what stands in the way, if anything
    bool withTrendTemplate;
    bool erased;
    std::vector<std::string> words;  // all in the message
};

const EraseCase kCases[] = {
    {"NothingInTheWay", [](const TempDir&) {}, true, true, {}},
    {"AReadOnlyFile",
     [](const TempDir& dir) { fs::permissions(dir / Name(ResultKind::SecondResults), fs::perms::owner_read); },
     true, false,
     {"have not been erased", "\"sresults2QEN.txt\"", "read-only", "Nothing has been changed"}},
    {"AFolderInPlaceOfAFile",
     [](const TempDir& dir) {
         fs::remove(dir / Name(ResultKind::FirstAnswers));
         fs::create_directory(dir / Name(ResultKind::FirstAnswers));
     },
     true, false, {"have not been erased", "\"first2QEN.txt\"", "not a file"}},
    {"NoTemplate", [](const TempDir&) {}, false, false, {"have not been erased", "\"trend2QEN.txt\""}},
    {"NoRoomForTheCopy", [](const TempDir& dir) { dir.Write("backup", "a file, not a folder"); }, true, false,
     {"have not been erased", "\"backup\"", "no copy", "Nothing is erased without a copy"}},
};

void PrintTo(const EraseCase& c, std::ostream* os) { *os << c.name; }

class EraseResultsTest : public testing::TestWithParam<EraseCase> {};

TEST_P(EraseResultsTest, ErasesEverythingAfterACopyOrNothingAndSaysWhy) {
    const EraseCase& c = GetParam();
    TempDir dir;
    const qv::MemoryResourceSource source = Course(c.withTrendTemplate);
    const qv::CourseConfig config = qv::LoadCourseConfig(source).config;
    for (ResultKind kind : qv::kResultKinds) dir.Write(Name(kind), Old(kind));
    c.spoil(dir);

    const qv::EraseOutcome outcome = qv::EraseResults(source, dir.path(), config, kNow);
    EXPECT_EQ(outcome.erased, c.erased) << outcome.message;
    EXPECT_FALSE(outcome.begun && !outcome.erased);
    for (const std::string& words : c.words) {
        EXPECT_NE(outcome.message.find(words), std::string::npos) << words << " in: " << outcome.message;
    }
    EXPECT_EQ(outcome.message.empty(), c.erased) << outcome.message;
    for (ResultKind kind : qv::kResultKinds) {
        if (!fs::is_regular_file(dir / Name(kind))) continue;
        const auto bytes = source.Load(qv::ResultTemplateId(2, kind), qv::kResourceType);
        EXPECT_EQ(dir.Read(Name(kind)), c.erased ? *bytes : Old(kind)) << Name(kind);
    }
    EXPECT_FALSE(fs::exists(dir / "resetting.txt"));
    if (c.erased) {
        ASSERT_FALSE(outcome.backupFolder.empty());
        for (ResultKind kind : qv::kResultKinds) {
            EXPECT_EQ(qv::ReadWholeFile(outcome.backupFolder / Name(kind)).value, Old(kind)) << Name(kind);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, EraseResultsTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EraseResults, EachEraseKeepsACopyOfItsOwn) {
    TempDir dir;
    const qv::MemoryResourceSource source = Course();
    const qv::CourseConfig config = qv::LoadCourseConfig(source).config;
    dir.Write(Name(ResultKind::Marks), "first");
    const auto first = qv::EraseResults(source, dir.path(), config, kNow);
    dir.Write(Name(ResultKind::Marks), "second");
    const auto second = qv::EraseResults(source, dir.path(), config, kNow);
    ASSERT_TRUE(first.erased && second.erased);
    EXPECT_NE(first.backupFolder, second.backupFolder);
    EXPECT_EQ(qv::ReadWholeFile(first.backupFolder / Name(ResultKind::Marks)).value, "first");
    EXPECT_EQ(qv::ReadWholeFile(second.backupFolder / Name(ResultKind::Marks)).value, "second");
}

}  // namespace
