// What the practice window's status strip and the main window's toolbar show.

#include <QPrinterInfo>
#include <QTimer>

#include "course/atomic_file.h"
#include "practice_fixture.h"

namespace {

TEST_F(PracticeWindowTest, TheMarkingProgressLeavesTheStatusPanelsInView) {
    StartProgram();
    opener_->markingStep = std::chrono::milliseconds(20);
    OpenPaper(1, 1);
    EXPECT_EQ(Shown("CountCaption"), "parts answered");
    QRect progress, clock;
    QTimer::singleShot(60, window_.get(), [&] {
        QWidget* panel = InPractice("fmeMark");
        if (!panel->isVisible()) return;
        progress = QRect(panel->mapTo(Practice(), QPoint(0, 0)), panel->size());
        QWidget* caption = InPractice("ClockCaption");
        clock = QRect(caption->mapTo(Practice(), QPoint(0, 0)), caption->size());
    });
    ClickButton("ToolBar02");
    ASSERT_FALSE(progress.isNull());
    EXPECT_FALSE(progress.intersects(clock)) << progress.right() << " over " << clock.left();
}

// At every width the window allows, each status panel shows its words whole
// or not at all, beside the remaining questions; at the usual width all show.
TEST_F(PracticeWindowTest, TheStatusPanelsShowTheirWordsWholeOrNotAtAll) {
    StartProgram();
    for (const char* attempt : {"a", "b"}) {
        OpenPaper(1, 1, attempt);
        const int usual = Practice()->width();
        for (const int width : {usual, Practice()->minimumWidth(), 560, 640, 720, 900, 1200}) {
            SCOPED_TRACE(testing::Message() << "attempt " << attempt << ", width " << width);
            Practice()->resize(width, Practice()->height());
            QApplication::processEvents();
            if (auto* clock = Practice()->findChild<QLabel*>(QStringLiteral("lblClock"))) clock->setText("10:59:59");
            InPractice<QLabel>("lblAnsweredQ")->setText("30");
            QWidget* remaining = InPractice("TxtRem");
            int shown = 0;
            for (const char* name : {"Bot1", "Bot2", "Bot3"}) {
                QWidget* panel = InPractice(QString::fromLatin1(name));
                if (!panel->isVisible()) continue;
                ++shown;
                EXPECT_GE(panel->x(), remaining->geometry().right() + 1) << name;
                for (QLabel* label : panel->findChildren<QLabel*>()) {
                    if (!label->isVisible()) continue;
                    const int needed = label->fontMetrics().horizontalAdvance(label->text());
                    EXPECT_LE(needed, label->width()) << label->objectName().toStdString();
                    EXPECT_LE(label->x() + needed, panel->width()) << label->objectName().toStdString();
                }
            }
            if (width >= usual) {
                EXPECT_EQ(shown, attempt == std::string("a") ? 3 : 2);
            }
        }
        if (attempt == std::string("a")) {
            AnswerAndMark(30);
            ClickButton("ToolBar04");
            QApplication::processEvents();
        }
    }
}

TEST_F(PracticeWindowTest, AToolbarPlaceWithoutACommandShowsNothing) {
    StartProgram();
    QTest::mouseClick(Find("Tab04"), Qt::LeftButton);
    window_->Tick();
    EXPECT_FALSE(Find("ToolBar03")->isVisible());
    EXPECT_TRUE(Find("ToolBar04")->isVisible());
    QTest::mouseClick(Find("Tab02"), Qt::LeftButton);
    window_->Tick();
    EXPECT_TRUE(Find("ToolBar03")->isVisible());
}

}  // namespace

namespace {

TEST_F(PracticeWindowTest, WithoutAPrinterTheQuestionCanBeSavedAsAPdf) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is set up here";
    StartProgram();
    const std::filesystem::path file = dir_ / "question.pdf";
    opener_->choosePdfFile = [&](QWidget*) { return QString::fromStdString(file.string()); };
    OpenPaper(1, 1);
    ClickButton("ToolBar03");
    ASSERT_GE(asked_.size(), 2u);
    EXPECT_TRUE(asked_[asked_.size() - 2].contains("save it as a PDF")) << asked_[asked_.size() - 2].toStdString();
    EXPECT_TRUE(asked_.back().contains("has been saved in")) << asked_.back().toStdString();
    EXPECT_EQ(qv::ReadWholeFile(file).value.substr(0, 4), "%PDF");
}

}  // namespace

namespace {

// The frame's maximise button on the real windows of both attempts.
TEST_F(PracticeWindowTest, MaximiseMaximisesAndRestoresBothAttempts) {
    StartProgram();
    for (const char* attempt : {"a", "b"}) {
        SCOPED_TRACE(attempt);
        OpenPaper(1, 1, attempt);
        EXPECT_EQ(Practice()->objectName(), attempt == std::string("a") ? "Test1" : "Test2");
        QWidget* maximise = InPractice("imgProgMax");
        Click(maximise);
        QApplication::processEvents();
        EXPECT_TRUE(Practice()->isMaximized());
        Click(maximise);
        QApplication::processEvents();
        EXPECT_FALSE(Practice()->isMaximized());
        if (attempt == std::string("a")) {
            AnswerAndMark(30);
            ClickButton("ToolBar04");
            QApplication::processEvents();
        }
    }
}

}  // namespace
