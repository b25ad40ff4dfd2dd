#include "course/resources.h"

#include <gtest/gtest.h>

#include <set>

#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(ExtractResource, WritesExactlyTheResourceBytes) {
    TempDir dir;
    qv::MemoryResourceSource source;
    source.Add(30000, std::string("...\r\n#NME#>T\r\n\0...", 18));
    const auto target = dir.Write("temptext30000.txt", std::string(5000, 'x'));  // an older, longer file

    EXPECT_EQ(qv::ExtractResource(source, 30000, "Custom", target), qv::ExtractStatus::Ok);
    EXPECT_EQ(dir.Read("temptext30000.txt"), std::string("...\r\n#NME#>T\r\n\0...", 18));
    EXPECT_FALSE(fs::exists(dir / "temptext30000.txt.tmp"));
}

TEST(ExtractResource, UnknownResourceWritesNothing) {
    TempDir dir;
    qv::MemoryResourceSource source;
    source.Add(30000, "config");
    EXPECT_NE(qv::ExtractResource(source, 30001, "Custom", dir / "new.txt"), qv::ExtractStatus::Ok);
    EXPECT_FALSE(fs::exists(dir / "new.txt"));
    EXPECT_NE(qv::ExtractResource(source, 30000, "Other", dir / "new.txt"), qv::ExtractStatus::Ok);
    EXPECT_FALSE(fs::exists(dir / "new.txt"));

    dir.Write("old.txt", "old");
    EXPECT_NE(qv::ExtractResource(source, 99, "Custom", dir / "old.txt"), qv::ExtractStatus::Ok);
    EXPECT_EQ(dir.Read("old.txt"), "old");
}

TEST(ExtractResource, MissingFolderFailsWithoutCrashing) {
    TempDir dir;
    qv::MemoryResourceSource source;
    source.Add(7, "bytes");
    EXPECT_NE(qv::ExtractResource(source, 7, "Custom", dir / "no-such-folder" / "file"), qv::ExtractStatus::Ok);
}

TEST(InterfacePictures, EightyNineUniqueIdsAndNames) {
    const auto pictures = qv::InterfacePictures();
    ASSERT_EQ(pictures.size(), 91u);
    std::set<int> ids;
    std::set<std::string_view> names;
    for (const auto& picture : pictures) {
        ids.insert(picture.id);
        names.insert(picture.fileName);
        EXPECT_TRUE((picture.id >= 1 && picture.id <= 37) || (picture.id >= 41 && picture.id <= 94)) << picture.id;
    }
    EXPECT_EQ(ids.size(), 91u);
    EXPECT_EQ(names.size(), 91u);
    EXPECT_EQ(qv::PictureFileName(1), "about_off.bmp");
    EXPECT_EQ(qv::PictureFileName(85), "QVicon.ico");
    EXPECT_EQ(qv::PictureFileName(92), "Border_bot_right.gif");
    EXPECT_EQ(qv::PictureFileName(38), "");
}

TEST(ExtractPictures, CreatesTheFolderAndEveryPicture) {
    TempDir dir;
    qv::MemoryResourceSource source;
    for (const auto& picture : qv::InterfacePictures()) source.Add(picture.id, "picture " + std::to_string(picture.id));

    EXPECT_TRUE(qv::ExtractPictures(source, dir.path()).empty());
    for (const auto& picture : qv::InterfacePictures()) {
        EXPECT_EQ(dir.Read("Graphics/" + std::string(picture.fileName)), "picture " + std::to_string(picture.id));
    }
}

TEST(ExtractPictures, ReportsPicturesThatCouldNotBeWritten) {
    TempDir dir;
    qv::MemoryResourceSource source;
    for (const auto& picture : qv::InterfacePictures()) {
        if (picture.id != 44) source.Add(picture.id, "p");
    }
    fs::create_directories(dir / "Graphics");
    dir.Write("Graphics/tabs_front_on.bmp", "previous");
    EXPECT_EQ(qv::ExtractPictures(source, dir.path()), std::vector<int>{44});
    EXPECT_EQ(dir.Read("Graphics/tabs_front_on.bmp"), "previous");
}

}  // namespace

namespace {

TEST(ExtractPictures, RepairsChangedPicturesAtTheNextStart) {
    TempDir dir;
    qv::MemoryResourceSource source;
    for (const auto& picture : qv::InterfacePictures()) source.Add(picture.id, "picture");
    ASSERT_TRUE(qv::ExtractPictures(source, dir.path()).empty());
    dir.Write("Graphics/bullet.bmp", "edited by hand");
    dir.Write("Graphics/bar.bmp", "pictur");  // same length would not be enough either
    std::filesystem::remove(dir / "Graphics" / "Logo.gif");
    ASSERT_TRUE(qv::ExtractPictures(source, dir.path()).empty());
    EXPECT_EQ(dir.Read("Graphics/bullet.bmp"), "picture");
    EXPECT_EQ(dir.Read("Graphics/bar.bmp"), "picture");
    EXPECT_EQ(dir.Read("Graphics/Logo.gif"), "picture");
}

}  // namespace
