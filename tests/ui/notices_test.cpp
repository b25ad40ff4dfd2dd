// What the pupil is told about the start: each problem once, in one message
// box, after the main window is on screen.

#include <QTest>
#include <filesystem>
#include <functional>

#include "app/start_notices.h"
#include "ui_fixture.h"

namespace {

namespace fs = std::filesystem;

class NoticesTest : public MainWindowTest {
protected:
    // Lets the event loop run a little, so a message box that is due comes.
    static void Settle() { QTest::qWait(60); }
    void ClickHome() {
        QTest::mouseClick(Find("ToolBar01"), Qt::LeftButton);
        Settle();
    }
    fs::path Marks() const { return dir_ / "marks2QEN.txt"; }
    // Result files holding none of their records: with one missing, all are reset.
    void SpoilResults() {
        for (qv::ResultKind kind : qv::kResultKinds) dir_.Write(qv::ResultFileName(kind, 2, "QEN"), "#OLD#>1\r\n");
    }
};

TEST_F(NoticesTest, AProblemWithTheMarksFileIsToldOnceUntilItChanges) {
    Prepare(Pack());
    fs::remove(Marks());
    DialogWatcher watcher;
    Open();
    Settle();
    // Nothing is shown while the window is being built.
    EXPECT_TRUE(watcher.messages.empty());

    const QStringList notices = qv::GatherStartNotices({}, startup_, *window_, *pictures_);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains("marks2QEN.txt")) << notices[0].toStdString();
    watcher.SetWindow(window_.get());
    qv::TellWhenShown(*window_, notices);
    Settle();
    ASSERT_EQ(watcher.messages.size(), 1u);
    EXPECT_TRUE(watcher.windowShown[0]);

    struct Step {
        const char* what;
        std::function<void()> change;
        std::size_t dialogs;  // after the Home click
    };
    const Step steps[] = {
        {"the same problem again", [] {}, 1},
        {"the file readable again", [&] { WriteScores({{1, {"50", ""}}}); }, 1},
        {"the file gone once more", [&] { fs::remove(Marks()); }, 2},
        {"a new problem with the same file", [&] { fs::create_directory(Marks()); }, 3},
        {"the same new problem", [] {}, 3},
        {"the file cut short", [&] {
             fs::remove(Marks());
             WriteScores({{1, {"50", ""}}});
             fs::resize_file(Marks(), fs::file_size(Marks()) / 2);
         }, 4},
        {"the same damage", [] {}, 4},
    };
    for (const Step& step : steps) {
        step.change();
        ClickHome();
        EXPECT_EQ(watcher.messages.size(), step.dialogs) << step.what;
    }
    EXPECT_EQ(watcher.messages[1], watcher.messages[0]);
    EXPECT_NE(watcher.messages[2], watcher.messages[0]);
}

TEST_F(NoticesTest, EveryStartNoticeComesInOneMessageBoxAfterTheWindowIsShown) {
    Prepare(Pack());
    SpoilResults();
    fs::remove(dir_ / "trend2QEN.txt");
    Prepare(Pack());
    ASSERT_TRUE(startup_.results.reset);
    const std::string backup = startup_.results.backupFolder.string();
    ASSERT_FALSE(backup.empty());
    // Whatever the start-up says about the reset is shown; here it names the copies.
    startup_.results.problems.push_back("Your results were reset; the old ones are kept in " + backup + ".");
    fs::remove(Marks());
    fs::remove(dir_ / "Graphics" / "bullet.bmp");

    DialogWatcher watcher;
    Open();
    watcher.SetWindow(window_.get());
    qv::TellWhenShown(*window_, qv::GatherStartNotices("The folder notice.", startup_, *window_, *pictures_));
    Settle();
    ASSERT_EQ(watcher.messages.size(), 1u);
    EXPECT_TRUE(watcher.windowShown[0]);
    const QString& message = watcher.messages[0];
    for (const QString& part : {QString("The folder notice."), QString::fromStdString(backup),
                                QString("marks2QEN.txt"), QString("bullet.bmp")}) {
        EXPECT_TRUE(message.contains(part)) << part.toStdString() << " in " << message.toStdString();
    }
    ClickHome();
    EXPECT_EQ(watcher.messages.size(), 1u);
}

TEST_F(NoticesTest, AResetIsToldOnceAfterTheWindowIsShown) {
    Prepare(Pack());
    SpoilResults();
    fs::remove(dir_ / qv::ResultFileName(qv::ResultKind::FirstAnswers, 2, "QEN"));
    Prepare(Pack());
    ASSERT_TRUE(startup_.results.reset);
    DialogWatcher watcher;
    Open();
    watcher.SetWindow(window_.get());
    qv::TellWhenShown(*window_, qv::GatherStartNotices({}, startup_, *window_, *pictures_));
    Settle();
    ASSERT_EQ(watcher.messages.size(), 1u);
    EXPECT_TRUE(watcher.windowShown[0]);
    const QString& message = watcher.messages[0];
    for (const std::string& problem : startup_.problems()) {
        EXPECT_TRUE(message.contains(QString::fromStdString(problem))) << problem;
    }
    EXPECT_TRUE(message.contains(QString::fromStdString(startup_.results.backupFolder.string())))
        << message.toStdString();
    EXPECT_TRUE(message.contains("first2QEN.txt")) << message.toStdString();
}

TEST_F(NoticesTest, NothingToTellShowsNothing) {
    DialogWatcher watcher;
    Start();
    qv::TellWhenShown(*window_, qv::GatherStartNotices({}, startup_, *window_, *pictures_));
    Settle();
    EXPECT_TRUE(watcher.messages.empty());
}

TEST_F(NoticesTest, NoticesWaitForTheWindowToBeShown) {
    Prepare(Pack());
    pictures_ = std::make_unique<qv::PictureCache>(QString::fromStdString((dir_.path() / "Graphics").string()));
    window_ = std::make_unique<qv::MainWindow>(startup_, QString::fromStdString(dir_.path().string()), *pictures_,
                                             cursor_);
    DialogWatcher watcher(window_.get());
    qv::TellWhenShown(*window_, {"First.", "Second."});
    Settle();
    EXPECT_TRUE(watcher.messages.empty());
    window_->show();
    Settle();
    ASSERT_EQ(watcher.messages.size(), 1u);
    EXPECT_TRUE(watcher.windowShown[0]);
    EXPECT_EQ(watcher.messages[0], "First.\n\nSecond.");
    window_->hide();
    window_->show();
    Settle();
    EXPECT_EQ(watcher.messages.size(), 1u);
}

}  // namespace
