#include "app/work_folder.h"

#include "app/folder_lock.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

namespace {

TEST(ChooseWorkFolder, ProgramFolderWhenWritable) {
    QTemporaryDir program, fallback;
    const auto choice = qv::ChooseWorkFolder({"quorvale"}, program.path(), fallback.path() + "/data");
    EXPECT_EQ(choice.path, QDir(program.path()).absolutePath());
    EXPECT_TRUE(choice.notice.isEmpty());
    EXPECT_FALSE(QFile::exists(fallback.path() + "/data"));
}

TEST(ChooseWorkFolder, DataDirWins) {
    QTemporaryDir program, other;
    const QString wanted = other.path() + "/results/here";
    const auto choice = qv::ChooseWorkFolder({"quorvale", "--data-dir", wanted}, program.path(), "/nowhere");
    EXPECT_EQ(choice.path, wanted);
    EXPECT_TRUE(QDir(wanted).exists());
}

TEST(ChooseWorkFolder, DataDirWithoutFolderIsAnError) {
    QTemporaryDir program;
    const auto choice = qv::ChooseWorkFolder({"quorvale", "--data-dir"}, program.path(), "/nowhere");
    EXPECT_TRUE(choice.path.isEmpty());
    EXPECT_FALSE(choice.error.isEmpty());
}

TEST(ChooseWorkFolder, ReadOnlyProgramFolderFallsBackOnceWithANotice) {
    if (geteuid() == 0) GTEST_SKIP() << "root can write to any folder";
    QTemporaryDir program, fallback;
    QFile::setPermissions(program.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString data = fallback.path() + "/data";
    const auto first = qv::ChooseWorkFolder({"quorvale"}, program.path(), data);
    EXPECT_EQ(first.path, data);
    EXPECT_FALSE(first.notice.isEmpty());
    const auto second = qv::ChooseWorkFolder({"quorvale"}, program.path(), data);
    EXPECT_EQ(second.path, data);
    EXPECT_TRUE(second.notice.isEmpty());
    QFile::setPermissions(program.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(ChooseWorkFolder, MissingProgramFolderFallsBack) {
    QTemporaryDir fallback;
    const QString data = fallback.path() + "/data";
    const auto choice = qv::ChooseWorkFolder({"quorvale"}, fallback.path() + "/no/such/folder", data);
    EXPECT_EQ(choice.path, data);
    EXPECT_FALSE(choice.notice.isEmpty());
}

TEST(FolderLock, OneCopyAFolderWhileItRuns) {
    QTemporaryDir folder, other;
    auto first = std::make_unique<qv::FolderLock>(folder.path());
    ASSERT_TRUE(first->Acquire());
    qv::FolderLock second(folder.path());
    EXPECT_FALSE(second.Acquire());
    EXPECT_TRUE(second.error().contains("already open")) << second.error().toStdString();
    EXPECT_TRUE(second.error().contains(QDir::toNativeSeparators(folder.path())));
    qv::FolderLock elsewhere(other.path());
    EXPECT_TRUE(elsewhere.Acquire());
    first.reset();
    EXPECT_FALSE(QFile::exists(folder.path() + "/quorvale.lock"));
    qv::FolderLock third(folder.path());
    EXPECT_TRUE(third.Acquire());
}

}  // namespace
