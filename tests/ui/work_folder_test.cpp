#include "app/work_folder.h"

#include "app/folder_lock.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
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

// A copy is installed when the install step's marker lies in its prefix; an
// installed copy never writes beside its executable, not even as root.
TEST(ChooseWorkFolder, InstalledCopiesKeepResultsInTheUserFolder) {
    enum class Marker { None, File, Folder };
    enum class Where { Program, User, DataDir, Nowhere };
    struct Row {
        const char* name;
        Marker marker;
        bool dataDir;
        bool userFolderBlocked;
        Where where;
    };
    const Row rows[] = {
        {"portable copy", Marker::None, false, false, Where::Program},
        {"installed copy", Marker::File, false, false, Where::User},
        {"installed copy told --data-dir", Marker::File, true, false, Where::DataDir},
        {"a folder where the marker should be", Marker::Folder, false, false, Where::Program},
        {"installed copy whose user folder cannot be made", Marker::File, false, true, Where::Nowhere},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir prefix;
        const QString program = prefix.path() + "/bin";
        QDir().mkpath(program);
        const QString marker = QDir(program).filePath(qv::InstallMarkerFromProgramFolder());
        QDir().mkpath(row.marker == Marker::Folder ? marker : QFileInfo(marker).path());
        if (row.marker == Marker::File) QFile(marker).open(QIODevice::WriteOnly);
        // A file where the user folder's parent should be: it cannot be made.
        if (row.userFolderBlocked) QFile(prefix.path() + "/home").open(QIODevice::WriteOnly);
        const QString user = prefix.path() + "/home/data";
        const QString chosen = prefix.path() + "/chosen";
        QStringList arguments{"quorvale"};
        if (row.dataDir) arguments << "--data-dir" << chosen;
        const std::filesystem::path programPath = program.toStdString();
        const auto before = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
        std::filesystem::last_write_time(programPath, before);

        const auto choice = qv::ChooseWorkFolder(arguments, program, user);

        const QString expected[] = {program, user, chosen, QString()};
        EXPECT_EQ(choice.path, expected[static_cast<int>(row.where)]);
        EXPECT_TRUE(choice.notice.isEmpty()) << choice.notice.toStdString();
        EXPECT_EQ(choice.error.isEmpty(), row.where != Where::Nowhere) << choice.error.toStdString();
        if (row.where == Where::Nowhere) {
            EXPECT_TRUE(choice.error.contains(user)) << choice.error.toStdString();
            EXPECT_FALSE(choice.error.contains("program's folder")) << choice.error.toStdString();
        }
        if (row.where != Where::Program) {
            // Not even a probe was made there: the folder did not change.
            EXPECT_TRUE(QDir(program).isEmpty());
            EXPECT_EQ(std::filesystem::last_write_time(programPath), before);
        }
    }
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

// A lock another computer left (a folder on the network) is named with that computer.
TEST(FolderLock, ALockOfAnotherComputerSaysWhichAndHowToClearIt) {
    QTemporaryDir folder;
    QFile left(folder.path() + "/quorvale.lock");
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.write("4242\nquorvale\nclassroom-pc-7\n");
    left.close();
    qv::FolderLock lock(folder.path());
    EXPECT_FALSE(lock.Acquire());
    EXPECT_TRUE(lock.error().contains("\"classroom-pc-7\"")) << lock.error().toStdString();
    EXPECT_TRUE(lock.error().contains("delete the file \"quorvale.lock\"")) << lock.error().toStdString();
}

}  // namespace
