// A compiled course in a folder, run on instead of the packed one.

#include "course/course_folder.h"

#include <gtest/gtest.h>

#include "course_writer.h"
#include "coursec/sources.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

// The small test course, compiled into dir/"course".
fs::path Compile(const TempDir& dir) {
    const auto course =
        coursec_test::Read(dir, coursec_test::kHeader, coursec_test::Papers(coursec_test::kChoice));
    const fs::path folder = dir / "course";
    fs::create_directories(folder);
    for (const auto& [id, bytes] : coursec::BuildCourseResources(course))
        EXPECT_EQ(qv::AtomicWriteFile(folder / std::to_string(id), bytes), qv::IoStatus::Ok);
    return folder;
}

TEST(CourseFolder, SaysInWordsWhyItCannotBeRunOn) {
    struct Case {
        const char* name;
        const char* removed;  // a file taken out of the compiled course, or ""
        std::string fault;    // a piece of the words, or "" for none
    };
    const Case cases[] = {
        {"Complete", "", ""},
        {"NoConfiguration", "30000", "holds no compiled course (it has no file 30000)"},
        {"NoAnswerKey", "30023", "is not complete: its file 30023 is missing"},
        {"NoResultTemplate", "30126", "its file 30126 is missing"},
        {"NoQuestionPage", "13004", "its file 13004 is missing"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const fs::path folder = Compile(dir);
        if (*c.removed) fs::remove(folder / c.removed);
        const std::string fault = qv::CourseFolderFault(folder);
        if (c.fault.empty())
            EXPECT_EQ(fault, "") << c.name;
        else
            EXPECT_NE(fault.find(c.fault), std::string::npos) << c.name << ": " << fault;
    }
    TempDir dir;
    EXPECT_EQ(qv::CourseFolderFault(dir / "nothing").rfind("There is no course folder", 0), 0u);
    EXPECT_NE(qv::CourseFolderFault(dir.Write("file", "x")).find("is a file, not a course folder"),
              std::string::npos);
    fs::create_directory(dir / "empty");
    dir.Write("empty/30000", "...\r\n#NME#>T\r\n#COD#>T\r\n...");
    EXPECT_NE(qv::CourseFolderFault(dir / "empty").find("no module"), std::string::npos);
}

TEST(CourseFolder, TakesOnlyMissingPicturesFromTheProgram) {
    TempDir dir;
    const fs::path folder = Compile(dir);
    qv::MemoryResourceSource packed;
    packed.Add(1, "packed picture");
    packed.Add(2, "packed picture 2");
    packed.Add(qv::kConfigurationId, "packed course");
    packed.Add(14001, "a packed question");
    ASSERT_EQ(qv::AtomicWriteFile(folder / "2", "the folder's picture"), qv::IoStatus::Ok);
    const qv::CourseFolderSource source(folder, packed);
    EXPECT_EQ(source.Load(1, "Custom"), "packed picture");
    EXPECT_EQ(source.Load(2, "Custom"), "the folder's picture");
    EXPECT_NE(source.Load(qv::kConfigurationId, "Custom"), "packed course");
    EXPECT_EQ(source.Load(14001, "Custom"), std::nullopt);  // never a question of another course
}

}  // namespace
