// Starts the real program in a folder, as a pupil would, and looks at the
// files it leaves.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <filesystem>

#include "course/resources.h"
#include "course/results_store.h"
#include "course/startup.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Runs the program once in `dir`; returns its exit code.
int StartProgram(const fs::path& dir, QString* errors = nullptr, const QStringList& more = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(QUORVALE_EXECUTABLE,
                  QStringList{"--data-dir", QString::fromStdString(dir.string()), "--quit-after-start"} + more);
    EXPECT_TRUE(process.waitForFinished(30000));
    if (errors) *errors = QString::fromLocal8Bit(process.readAllStandardError());
    return process.exitCode();
}

// Starts the program in `dir` to stay open, and waits until it holds the folder.
void StartToStayOpen(QProcess& process, const fs::path& dir) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(QUORVALE_EXECUTABLE, {"--data-dir", QString::fromStdString(dir.string())});
    ASSERT_TRUE(process.waitForStarted(10000));
    QElapsedTimer clock;
    clock.start();
    // The window exists once the result files are made, after the lock is taken.
    while (!fs::exists(dir / "trend2QEN.txt") && clock.elapsed() < 30000) QThread::msleep(20);
    ASSERT_TRUE(fs::exists(dir / "quorvale.lock"));
}

int Count(const QString& text, const QString& part) { return static_cast<int>(text.count(part)); }

std::string ReadFile(const fs::path& file) { return qv::ReadWholeFile(file).value; }

const qv::DirectoryResourceSource& Pack() {
    static const qv::DirectoryResourceSource pack{QUORVALE_COURSE_PACK};
    return pack;
}

std::string TemplateOf(qv::ResultKind kind) { return *Pack().Load(qv::ResultTemplateId(2, kind), "Custom"); }

TEST(Startup, EmptyFolderGetsPicturesAndResultFiles) {
    TempDir dir;
    QString errors;
    ASSERT_EQ(StartProgram(dir.path(), &errors), 0) << errors.toStdString();
    EXPECT_FALSE(errors.contains("notice:")) << errors.toStdString();

    int pictures = 0;
    for (const auto& entry : fs::directory_iterator(dir / "Graphics")) {
        ++pictures;
        EXPECT_GT(fs::file_size(entry.path()), 0u) << entry.path();
    }
    EXPECT_EQ(pictures, 91);
    for (const auto& picture : qv::InterfacePictures()) {
        EXPECT_EQ(ReadFile(dir / "Graphics" / std::string(picture.fileName)), *Pack().Load(picture.id, "Custom"));
    }
    EXPECT_FALSE(fs::exists(dir / "temptext30000.txt"));
    for (qv::ResultKind kind : qv::kResultKinds) {
        EXPECT_EQ(ReadFile(dir / qv::ResultFileName(kind, 2, "QEN")), TemplateOf(kind));
    }
    EXPECT_FALSE(fs::exists(dir / "backup"));
}

TEST(Startup, SecondStartChangesNoResultFile) {
    TempDir dir;
    ASSERT_EQ(StartProgram(dir.path()), 0);
    const auto marks = dir / "marks2QEN.txt";
    EXPECT_EQ(qv::AtomicWriteFile(marks, "#FSE#>90\r\n#SSE#>\r\n#LTM#>0:1:2\r\n#CDD#>8/12/2026\r\n#FST#>1\r\n#SST#>0\r\n"), qv::IoStatus::Ok);
    const auto before = fs::last_write_time(marks);
    ASSERT_EQ(StartProgram(dir.path()), 0);
    EXPECT_EQ(ReadFile(marks), "#FSE#>90\r\n#SSE#>\r\n#LTM#>0:1:2\r\n#CDD#>8/12/2026\r\n#FST#>1\r\n#SST#>0\r\n");
    EXPECT_EQ(fs::last_write_time(marks), before);
    EXPECT_FALSE(fs::exists(dir / "temptext30000.txt"));
}

// One deleted file is made again; the results in the others are kept.
TEST(Startup, ADeletedResultFileIsMadeAgainAndTheOthersAreKept) {
    for (qv::ResultKind deleted : qv::kResultKinds) {
        TempDir dir;
        ASSERT_EQ(StartProgram(dir.path()), 0);
        const std::string kept = "#TRD#>88.8>75\r\n";
        if (deleted != qv::ResultKind::Trend) {
            EXPECT_EQ(qv::AtomicWriteFile(dir / "trend2QEN.txt", kept), qv::IoStatus::Ok);
        }
        fs::remove(dir / qv::ResultFileName(deleted, 2, "QEN"));

        QString errors;
        ASSERT_EQ(StartProgram(dir.path(), &errors), 0);
        for (qv::ResultKind kind : qv::kResultKinds) {
            const bool trendKept = kind == qv::ResultKind::Trend && deleted != qv::ResultKind::Trend;
            EXPECT_EQ(ReadFile(dir / qv::ResultFileName(kind, 2, "QEN")), trendKept ? kept : TemplateOf(kind));
        }
        EXPECT_FALSE(fs::exists(dir / "backup"));
        EXPECT_TRUE(errors.contains(QString::fromStdString(qv::ResultFileName(deleted, 2, "QEN"))))
            << errors.toStdString();
    }
}

// A compiled course folder instead of the packed course: here the packed one
// under another code and without its pictures, so that the program's own
// pictures are used and the results go under the folder's code.
TEST(Startup, RunsOnACourseFolderAndKeepsItsResultsApart) {
    TempDir dir;
    const fs::path course = dir / "course";
    fs::copy(QUORVALE_COURSE_PACK, course);
    for (const auto& picture : qv::InterfacePictures()) fs::remove(course / std::to_string(picture.id));
    std::string config = ReadFile(course / "30000");
    config.replace(config.find("#COD#>QEN"), 9, "#COD#>TST");
    EXPECT_EQ(qv::AtomicWriteFile(course / "30000", config), qv::IoStatus::Ok);
    const QString folder = QString::fromStdString(course.string());

    QString errors;
    ASSERT_EQ(StartProgram(dir / "work", &errors, {"--course", folder}), 0) << errors.toStdString();
    for (qv::ResultKind kind : qv::kResultKinds) {
        EXPECT_EQ(ReadFile(dir / "work" / qv::ResultFileName(kind, 2, "TST")), TemplateOf(kind));
        EXPECT_FALSE(fs::exists(dir / "work" / qv::ResultFileName(kind, 2, "QEN")));
    }
    EXPECT_EQ(ReadFile(dir / "work" / "Graphics" / std::string(qv::PictureFileName(1))), *Pack().Load(1, "Custom"));

    fs::remove(course / "30023");
    EXPECT_EQ(StartProgram(dir / "work", &errors, {"--course", folder}), 1);
    EXPECT_TRUE(errors.contains("is not complete: its file 30023 is missing")) << errors.toStdString();
    EXPECT_EQ(StartProgram(dir / "work", &errors, {"--course"}), 1);
    EXPECT_TRUE(errors.contains("--course needs the folder")) << errors.toStdString();
}

TEST(WorkFolder, ASecondCopyOnTheSameFolderStopsWithWords) {
    TempDir dir;
    QProcess first;
    StartToStayOpen(first, dir.path());
    // However long the first copy has been open.
    fs::last_write_time(dir / "quorvale.lock", fs::file_time_type::clock::now() - std::chrono::hours(5));
    QString errors;
    EXPECT_NE(StartProgram(dir.path(), &errors), 0);
    EXPECT_TRUE(errors.contains("already open on the folder")) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QString::fromStdString(dir.path().string()))) << errors.toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);
    first.terminate();
    first.waitForFinished(10000);
}

TEST(WorkFolder, ALockLeftByAKilledCopyDoesNotBlock) {
    TempDir dir;
    QProcess first;
    StartToStayOpen(first, dir.path());
    first.kill();
    ASSERT_TRUE(first.waitForFinished(10000));
    ASSERT_TRUE(fs::exists(dir / "quorvale.lock"));
    QString errors;
    EXPECT_EQ(StartProgram(dir.path(), &errors), 0) << errors.toStdString();
    // A copy that ends well leaves no lock behind.
    EXPECT_FALSE(fs::exists(dir / "quorvale.lock"));
}

// --help and --version answer on the terminal and leave: they need no screen
// (the platform named here does not exist) and touch no folder.
TEST(CommandLine, HelpAndVersionPrintAndLeave) {
    struct Row {
        QStringList arguments;
        const char* printed;
    };
    const Row rows[] = {
        {{"--help"}, "--data-dir FOLDER"},
        {{"-h"}, "Usage: quorvale"},
        {{"--version"}, "Quorvale Practice " QUORVALE_VERSION "\n"},
        {{"--data-dir", "--help", "--version"}, "Quorvale Practice " QUORVALE_VERSION "\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        TempDir dir;
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "no-such-screen");
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(QString::fromStdString(dir.path().string()));
        process.start(QUORVALE_EXECUTABLE, row.arguments);
        ASSERT_TRUE(process.waitForFinished(30000));
        const QString printed = QString::fromLocal8Bit(process.readAllStandardOutput());
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        EXPECT_TRUE(printed.contains(row.printed)) << printed.toStdString();
        EXPECT_TRUE(fs::is_empty(dir.path()));
    }
}

TEST(Startup, AResetIsToldOnceWithTheMissingFileAndTheCopies) {
    TempDir dir;
    ASSERT_EQ(StartProgram(dir.path()), 0);
    // Files the program finds none of its records in, and one missing: all are reset.
    for (qv::ResultKind kind : qv::kResultKinds) {
        ASSERT_EQ(qv::AtomicWriteFile(dir / qv::ResultFileName(kind, 2, "QEN"), "#OLD#>1\r\n"), qv::IoStatus::Ok);
    }
    fs::remove(dir / "marks2QEN.txt");
    QString errors;
    ASSERT_EQ(StartProgram(dir.path(), &errors), 0);
    ASSERT_EQ(Count(errors, "notice:"), 1) << errors.toStdString();
    const auto backup = fs::directory_iterator(dir / "backup")->path().string();
    EXPECT_TRUE(errors.contains(QString::fromStdString(backup))) << errors.toStdString();
    EXPECT_TRUE(errors.contains("marks2QEN.txt")) << errors.toStdString();
    // The next start has nothing to tell.
    ASSERT_EQ(StartProgram(dir.path(), &errors), 0);
    EXPECT_EQ(Count(errors, "notice:"), 0) << errors.toStdString();
}

TEST(Startup, AnUnreadableMarksFileIsToldOnceAndTheStartEnds) {
    TempDir dir;
    ASSERT_EQ(StartProgram(dir.path()), 0);
    fs::remove(dir / "marks2QEN.txt");
    fs::create_directory(dir / "marks2QEN.txt");
    QString errors;
    EXPECT_EQ(StartProgram(dir.path(), &errors), 0);
    EXPECT_EQ(Count(errors, "notice:"), 1) << errors.toStdString();
    EXPECT_TRUE(errors.contains("marks2QEN.txt")) << errors.toStdString();
    EXPECT_TRUE(fs::is_directory(dir / "marks2QEN.txt"));
}

}  // namespace
