#include "course/course_config.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

const std::string kSlotTwoOnly =
    "...\r\n#NME#>English\r\n#COD#>QEN\r\n#LBH#>Practice\r\n-------------------------------\r\n"
    "#TT2#>3\r\n#TP2#>15\r\n#TN2#>Grammar (1)>Grammar (2)>Word Order\r\n...";

TEST(ReadCourseConfig, SlotTwoOnly) {
    TempDir dir;
    const auto config = qv::ReadCourseConfig(dir.Write("c.txt", kSlotTwoOnly));
    ASSERT_TRUE(config.ok());
    EXPECT_EQ(config.value.title, "English");
    EXPECT_EQ(config.value.code, "QEN");
    EXPECT_FALSE(config.value.module(1).configured());
    EXPECT_TRUE(config.value.module(2).configured());
    EXPECT_FALSE(config.value.module(3).configured());
    EXPECT_EQ(config.value.firstConfiguredSlot(), 2);
    EXPECT_EQ(config.value.module(2).topicCount, 3);
    EXPECT_EQ(config.value.module(2).paperCount, 15);
    EXPECT_EQ(config.value.module(2).topicNames[2], "Word Order");
    EXPECT_EQ(config.value.module(2).topicNames[3], "");
    EXPECT_FALSE(config.value.module(0).configured());  // no exception for a slot that is not there
    EXPECT_FALSE(config.value.module(4).configured());
}

TEST(ReadCourseConfig, CountsOfAnUnconfiguredSlotAreNotRead) {
    TempDir dir;
    const auto config = qv::ReadCourseConfig(dir.Write("c.txt", kSlotTwoOnly + "\r\n#TT1#>4\r\n#TP1#>20\r\n"));
    EXPECT_EQ(config.value.module(1).topicCount, 0);
    EXPECT_EQ(config.value.module(1).paperCount, 0);
}

TEST(ReadCourseConfig, DamagedCountsStayWithinTheirLimits) {
    TempDir dir;
    const auto config = qv::ReadCourseConfig(dir.Write(
        "c.txt", "#NME#>T\r\n#COD#>X\r\n#LAH#>A\r\n#LCH#>C\r\n#TT1#>99\r\n#TP1#>700\r\n#TT3#>two\r\n#TP3#>-5\r\n"));
    EXPECT_EQ(config.value.module(1).topicCount, 10);
    EXPECT_EQ(config.value.module(1).paperCount, 50);
    EXPECT_EQ(config.value.module(3).topicCount, 0);
    EXPECT_EQ(config.value.module(3).paperCount, 0);
    EXPECT_EQ(config.value.firstConfiguredSlot(), 1);
}

TEST(LoadCourseConfig, ReadsTheResourceItself) {
    qv::MemoryResourceSource source;
    source.Add(30000, kSlotTwoOnly);
    const auto load = qv::LoadCourseConfig(source);
    EXPECT_TRUE(load.available);
    EXPECT_TRUE(load.problems.empty());
    EXPECT_EQ(load.config.module(2).label, "Practice");
    EXPECT_EQ(load.config.module(2).topicNames[2], "Word Order");
}

TEST(LoadCourseConfig, NoConfigurationMeansNoModule) {
    qv::MemoryResourceSource source;
    const auto load = qv::LoadCourseConfig(source);
    EXPECT_FALSE(load.available);
    EXPECT_FALSE(load.config.anyConfigured());
    EXPECT_EQ(load.problems.size(), 1u);
}

TEST(LoadCourseConfig, RefusesACodeThatIsNoFileName) {
    qv::MemoryResourceSource source;
    source.Add(30000, "#NME#>T\r\n#COD#>../x\r\n#LBH#>P\r\n#TT2#>1\r\n#TP2#>5\r\n#TN2#>A\r\n");
    const auto load = qv::LoadCourseConfig(source);
    EXPECT_FALSE(load.available);
    EXPECT_FALSE(load.config.anyConfigured());
}

}  // namespace

namespace {

// Run by the full-disk script (see atomic_file_test.cpp).
// The configuration is read from the program itself, so a full disk does not
// keep the course from opening.
TEST(FullDisk, CourseOpensOnAFullDisk) {
    const char* folder = std::getenv("QUORVALE_FULL_DISK");
    if (folder == nullptr) GTEST_SKIP() << "needs a full file system (tests/full_disk.sh)";
    qv::MemoryResourceSource source;
    source.Add(30000, kSlotTwoOnly + std::string(1 << 16, '.'));
    const auto load = qv::LoadCourseConfig(source);
    EXPECT_TRUE(load.available);
    EXPECT_TRUE(load.problems.empty());
}

}  // namespace
