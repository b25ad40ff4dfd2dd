#include <fstream>
#include <QScrollBar>
#include <QTimer>

#include "practice/marking.h"
#include "practicewindow/page_browser.h"
#include "practice_fixture.h"
#include "ui/units.h"

namespace {

using qv::PracticeWindow;

TEST_F(PracticeWindowTest, TheTypicalRoadMarksAPaperAndTheHomePageShowsIt) {
    StartProgram();
    QTest::mouseClick(Find("Topic1"), Qt::LeftButton);
    QTest::mouseClick(Find("P1a"), Qt::LeftButton);
    ASSERT_NE(Practice(), nullptr);
    EXPECT_EQ(Practice()->objectName(), "Test1");
    EXPECT_TRUE(Practice()->isVisible());
    EXPECT_EQ(Practice()->windowTitle(), "Grammar (1) - Paper 1");
    EXPECT_EQ(Shown("QnTitle"), "Question 1");
    EXPECT_EQ(Shown("lblTotalQ"), "30");

    // Every question answered, 27 of them right; Next on every page.
    ASSERT_EQ(Practice()->attempt().questionCount(), 30);
    AnswerAndMark(27);
    ASSERT_FALSE(asked_.empty());
    EXPECT_EQ(asked_.back(), "Marking | Do you want to mark your practice now?");
    EXPECT_EQ(Shown("PScoring"), "90");
    EXPECT_TRUE(Practice()->attempt().marked());

    const auto marks = qv::ReadModuleMarks(dir_ / "marks2QEN.txt", 50).value;
    EXPECT_EQ(marks.firstScores[0], "90");
    EXPECT_FALSE(marks.timesTaken[0].empty());
    EXPECT_FALSE(marks.dates[0].empty());
    EXPECT_EQ(marks.firstMarked[0], "1");
    EXPECT_EQ(marks.secondMarked[0], "0");
    EXPECT_EQ(Record("trend2QEN.txt", "TRD"), "#TRD#>90");
    const auto results = qv::SplitRecordLine(Record("fresults2QEN.txt", "101"), 30);
    EXPECT_EQ(std::count(results.begin(), results.end(), std::string(qv::kTick)), 27);
    EXPECT_EQ(std::count(results.begin(), results.end(), std::string(qv::kCross)), 3);
    const auto answers = qv::SplitRecordLine(Record("first2QEN.txt", "101"), 30);
    EXPECT_EQ(std::count(answers.begin(), answers.end(), std::string()), 0);

    // Closing asks first, then the home page shows the score and offers a second attempt.
    ClickButton("ToolBar04");
    EXPECT_EQ(asked_.back(), "Close Practice | Confirm?");
    QApplication::processEvents();
    EXPECT_EQ(Practice(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "temppaper13030.mht"));
    EXPECT_EQ(Text("MSA1"), "90");
    EXPECT_TRUE(Find("P1b")->isVisible());

    // Opened again, the paper shows its marked state.
    QTest::mouseClick(Find("P1a"), Qt::LeftButton);
    ASSERT_NE(Practice(), nullptr);
    EXPECT_TRUE(InPractice<QLineEdit>("FA1")->isReadOnly());
    EXPECT_TRUE(InPractice("FR1")->isVisible());
    EXPECT_EQ(Shown("PScoring"), "90");
    EXPECT_FALSE(InPractice("ToolBar01")->isEnabled());
    EXPECT_FALSE(InPractice("ToolBar02")->isEnabled());
    EXPECT_TRUE(InPractice("ToolBar06")->isEnabled());
    EXPECT_FALSE(InPractice("TxtRem")->isVisible());
}

TEST_F(PracticeWindowTest, BackAndNextFollowTheQuestionAndEveryMoveSaves) {
    StartProgram();
    OpenPaper(1, 2);  // paper 102: 30 questions
    struct Step {
        const char* button;
        int question;
        bool back;
        bool next;
    };
    Practice()->Tick();
    EXPECT_FALSE(InPractice("ToolBar05")->isEnabled());
    EXPECT_TRUE(InPractice("ToolBar06")->isEnabled());
    Answer(1, QStringLiteral("3"));
    for (const Step& step : {Step{"ToolBar06", 2, true, true}, Step{"ToolBar05", 1, false, true}}) {
        SCOPED_TRACE(step.button);
        ClickButton(step.button);
        Practice()->Tick();
        EXPECT_EQ(Practice()->attempt().currentQuestion(), step.question);
        EXPECT_EQ(Shown("QnTitle"), QStringLiteral("Question %1").arg(step.question));
        EXPECT_EQ(InPractice("ToolBar05")->isEnabled(), step.back);
        EXPECT_EQ(InPractice("ToolBar06")->isEnabled(), step.next);
    }
    // The answer went into the file with the first move and came back.
    EXPECT_EQ(qv::SplitRecordLine(Record("first2QEN.txt", "102"), 30)[0], "3");
    EXPECT_EQ(InPractice<QLineEdit>("FA1")->text(), "3");
    EXPECT_EQ(Shown("lblAnsweredQ"), "1");
    const auto lines = qv::ReadPaperLines(dir_ / "first2QEN.txt", 50).value;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string()), 0);
    EXPECT_EQ(dir_.Read("first2QEN.txt").find("..."), std::string::npos);

    // The last question has no Next.
    Practice()->GoToQuestion(30);
    Practice()->Tick();
    EXPECT_FALSE(InPractice("ToolBar06")->isEnabled());
    // A disabled button ignores a click: still the last question.
    Click(InPractice("lblTB06"));
    EXPECT_EQ(Practice()->attempt().currentQuestion(), 30);
}

TEST_F(PracticeWindowTest, TheRemainingListHoldsTheQuestionsStillToAnswer) {
    StartProgram();
    OpenPaper(1, 1);
    auto* list = InPractice<QComboBox>(QStringLiteral("RemQns"));
    EXPECT_EQ(list->count(), 30);
    Answer(1, QStringLiteral("2"));
    ClickButton("ToolBar06");
    Answer(1, QStringLiteral(" "));  // blanks only: still to answer
    ClickButton("ToolBar06");
    ASSERT_GE(list->count(), 1);
    EXPECT_EQ(list->itemText(0), "2");
    EXPECT_EQ(list->count(), 29);
    // Choosing a question there moves to it.
    list->activated(list->findText(QStringLiteral("17")));
    EXPECT_EQ(Practice()->attempt().currentQuestion(), 17);
    EXPECT_EQ(Shown("QnTitle"), "Question 17");
}

TEST_F(PracticeWindowTest, SaveTellsThePupilAndClosingAsksFirst) {
    StartProgram();
    OpenPaper(1, 1);
    Answer(1, QStringLiteral("4"));
    ClickButton("ToolBar01");
    EXPECT_EQ(asked_.back(), "Quorvale | Paper saved");
    EXPECT_EQ(qv::SplitRecordLine(Record("first2QEN.txt", "101"), 30)[0], "4");
    // "No" keeps the window as it was.
    answer_ = false;
    ClickButton("ToolBar04");
    EXPECT_EQ(asked_.back(), "Close Practice | Confirm?");
    ASSERT_NE(Practice(), nullptr);
    EXPECT_TRUE(Practice()->isVisible());
    // "Yes" writes the answers typed since the last save, then closes.
    Answer(1, QStringLiteral("1"));
    answer_ = true;
    ClickButton("ToolBar04");
    EXPECT_EQ(Practice(), nullptr);
    EXPECT_EQ(asked_.back(), "Close Practice | Confirm?");
    EXPECT_EQ(qv::SplitRecordLine(Record("first2QEN.txt", "101"), 30)[0], "1");
    // Reopened, the paper resumes with the saved answer, unmarked.
    OpenPaper(1, 1);
    EXPECT_EQ(InPractice<QLineEdit>("FA1")->text(), "1");
    EXPECT_FALSE(Practice()->attempt().marked());
    EXPECT_FALSE(InPractice<QLineEdit>("FA1")->isReadOnly());
}

TEST_F(PracticeWindowTest, MarkingAsksAboutEmptyAnswersAndNoLeavesThePaperOpen) {
    StartProgram();
    OpenPaper(1, 1);
    Answer(1, QStringLiteral("2"));
    answer_ = false;
    ClickButton("ToolBar02");
    EXPECT_EQ(asked_.back(),
              "Marking | You have not answered all the questions.  Do you still want to mark your practice?");
    EXPECT_FALSE(Practice()->attempt().marked());
    EXPECT_EQ(qv::SplitRecordLine(Record("first2QEN.txt", "101"), 30)[0], "2");
    EXPECT_EQ(qv::ReadModuleMarks(dir_ / "marks2QEN.txt", 50).value.firstMarked[0], "0");
    EXPECT_EQ(Record("trend2QEN.txt", "TRD"), "#TRD#");
}

TEST_F(PracticeWindowTest, ThePageRefusesCopyingAndItsMenu) {
    StartProgram();
    OpenPaper(1, 1);
    auto* page = InPractice<QTextBrowser>(QStringLiteral("brwWebBrowser"));
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool refused;
    };
    for (const Case& c : {Case{Qt::Key_C, Qt::ControlModifier, true}, Case{Qt::Key_X, Qt::ControlModifier, true},
                          Case{Qt::Key_C, Qt::NoModifier, false}, Case{Qt::Key_X, Qt::NoModifier, false}}) {
        SCOPED_TRACE(QKeySequence(c.key | c.modifiers).toString().toStdString());
        informed_.clear();
        QTest::keyClick(page, c.key, c.modifiers);
        EXPECT_EQ(informed_.size(), c.refused ? 1U : 0U);
        if (c.refused) {
            EXPECT_EQ(informed_.front(), "Error | Invalid operation");
        }
    }
    informed_.clear();
    QTest::mouseClick(page->viewport(), Qt::RightButton);
    ASSERT_EQ(informed_.size(), 1U);
    EXPECT_EQ(informed_.front(), "Error | Invalid operation");
}

TEST_F(PracticeWindowTest, AQuestionPageThatCannotBeUnpackedIsSaidSoInItsPlace) {
    StartProgram();
    source_.missing = {13032};  // the second question of paper 102
    OpenPaper(1, 2);
    const QString first = Page();
    EXPECT_FALSE(first.contains(QString::fromLatin1(qv::PageBrowser::kUnavailableText)));
    ClickButton("ToolBar06");
    EXPECT_EQ(Shown("QnTitle"), "Question 2");
    EXPECT_TRUE(Page().contains(QString::fromLatin1(qv::PageBrowser::kUnavailableText)));
    EXPECT_NE(Page(), first);
}

// A paper whose answers file is damaged opens with what is sound in it, and
// the pupil is told once the window is on show.
TEST_F(PracticeWindowTest, ADamagedAnswersFileIsToldOnceThePaperIsOnShow) {
    StartProgram();
    const std::string answers = dir_.Read("first2QEN.txt");
    std::ofstream(dir_ / "first2QEN.txt", std::ios::binary)
        << "#101#>3" << answers.substr(answers.find("\r\n")) << std::string(qv::kMaxFileBytes, 'x') << "\r\n";
    std::vector<bool> shown;
    opener_->ask = [&](const QString& title, const QString& message, qv::PopUpButtons, QWidget*) {
        asked_.push_back(title + QStringLiteral(" | ") + message);
        shown.push_back(Practice() != nullptr && Practice()->windowHandle()->isExposed());
        return true;
    };
    OpenPaper(1, 1);
    QTRY_COMPARE(asked_.size(), 1U);
    EXPECT_TRUE(asked_[0].contains(QStringLiteral("\"first2QEN.txt\"")) && asked_[0].contains(QStringLiteral("is damaged")))
        << asked_[0].toStdString();
    EXPECT_TRUE(shown[0]);
    EXPECT_EQ(InPractice<QLineEdit>(QStringLiteral("FA1"))->text(), QStringLiteral("3"));
}

TEST_F(PracticeWindowTest, APaperThatCannotBeOpenedIsReportedAndNoWindowStays) {
    struct Case {
        std::vector<int> missing;
        int paper;
    };
    StartProgram();
    for (const Case& c : {Case{{30023}, 101}, Case{{}, 160}}) {
        SCOPED_TRACE(c.paper);
        source_.missing = c.missing;
        asked_.clear();
        opener_->OpenPaper({c.paper, qv::Attempt::First});
        EXPECT_EQ(Practice(), nullptr);
        ASSERT_EQ(asked_.size(), 1U);
        EXPECT_TRUE(asked_.front().startsWith(QStringLiteral("Quorvale | "))) << asked_.front().toStdString();
    }
    EXPECT_FALSE(std::filesystem::exists(dir_ / "temptext.txt"));
}

TEST_F(PracticeWindowTest, TheWindowKeepsTheModuleItWasOpenedIn) {
    StartProgram();
    OpenPaper(1, 1);
    // The main window moves to another module (a tab the pupil cannot reach here).
    QTest::mouseClick(Find("Tab01"), Qt::LeftButton);
    ASSERT_EQ(window_->moduleSlot(), 1);
    Answer(1, QStringLiteral("3"));
    ClickButton("ToolBar01");
    EXPECT_EQ(qv::SplitRecordLine(Record("first2QEN.txt", "101"), 30)[0], "3");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "first1QEN.txt"));
}

TEST_F(PracticeWindowTest, AFailedSaveIsToldAndTheAnswersStay) {
    StartProgram();
    OpenPaper(1, 1);
    // The answers file has become a folder: it cannot be replaced.
    std::filesystem::remove(dir_ / "first2QEN.txt");
    std::filesystem::create_directory(dir_ / "first2QEN.txt");
    Answer(1, QStringLiteral("3"));
    ClickButton("ToolBar01");
    ASSERT_FALSE(asked_.empty());
    EXPECT_NE(asked_.back(), "Quorvale | Paper saved");
    EXPECT_TRUE(asked_.back().contains(QStringLiteral("first2QEN.txt"))) << asked_.back().toStdString();
    EXPECT_EQ(InPractice<QLineEdit>("FA1")->text(), "3");
    EXPECT_EQ(Practice()->attempt().answers()[0], "3");
    // A move's save is written after the next question shows; its failure is told then, once.
    asked_.clear();
    ClickButton("ToolBar06");
    Practice()->attempt().FinishWrites();
    QApplication::processEvents();
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_TRUE(asked_.back().contains(QStringLiteral("kept in this window"))) << asked_.back().toStdString();
    ClickButton("ToolBar05");
    Practice()->attempt().FinishWrites();
    QApplication::processEvents();
    // Neither closing nor opening another paper throws the answers away.
    for (const char* how : {"close", "open another"}) {
        SCOPED_TRACE(how);
        asked_.clear();
        if (std::string(how) == "close") ClickButton("ToolBar04");
        else QTest::mouseClick(Find("P2a"), Qt::LeftButton);
        ASSERT_FALSE(asked_.empty());
        EXPECT_TRUE(asked_.back().contains(QStringLiteral("first2QEN.txt"))) << asked_.back().toStdString();
        ASSERT_NE(Practice(), nullptr);
        EXPECT_TRUE(Practice()->isVisible());
        EXPECT_EQ(Practice()->attempt().context().paperKey, 101);
        EXPECT_EQ(InPractice<QLineEdit>("FA1")->text(), "3");
    }
    // Once the file can be written again, closing writes and goes.
    std::filesystem::remove(dir_ / "first2QEN.txt");
    ClickButton("ToolBar04");
    QApplication::processEvents();
    EXPECT_EQ(Practice(), nullptr);
    EXPECT_EQ(qv::SplitRecordLine(Record("first2QEN.txt", "101"), 30)[0], "3");
}

// Save pressed while a move's write is still under way: the move's failure is
// overtaken by the Save's own word, which alone is told.
TEST_F(PracticeWindowTest, AMoveFailureOvertakenByASaveIsNotToldAgain) {
    StartProgram();
    OpenPaper(1, 1);
    for (const bool writableAgain : {true, false}) {
        SCOPED_TRACE(writableAgain ? "the save succeeds" : "the save fails too");
        std::filesystem::remove_all(dir_ / "first2QEN.txt");
        std::filesystem::create_directory(dir_ / "first2QEN.txt");
        Answer(1, writableAgain ? QStringLiteral("3") : QStringLiteral("2"));
        ClickButton("ToolBar06");
        Practice()->attempt().FinishWrites();  // failed; its word not yet delivered
        if (writableAgain) std::filesystem::remove(dir_ / "first2QEN.txt");
        asked_.clear();
        ClickButton("ToolBar01");
        QApplication::processEvents();
        ASSERT_EQ(asked_.size(), 1u) << asked_.back().toStdString();
        EXPECT_EQ(asked_[0] == "Quorvale | Paper saved", writableAgain) << asked_[0].toStdString();
        ClickButton("ToolBar05");
        Practice()->attempt().FinishWrites();
        QApplication::processEvents();
    }
}

// The date marked is kept in the system's short form where the results files
// can hold it; a form in other figures (Arabic-Indic digits) is kept as year-month-day.
TEST_F(PracticeWindowTest, TheDateMarkedIsKeptInFiguresTheFilesCanHold) {
    const QDate today = QDate::currentDate();
    const QLocale british(QLocale::English, QLocale::UnitedKingdom);
    const struct {
        QLocale locale;
        QString stored;
    } cases[] = {
        {british, british.toString(today, QLocale::ShortFormat)},
        {QLocale(QLocale::Arabic, QLocale::Egypt), today.toString(Qt::ISODate)},
    };
    const QLocale before;
    StartProgram();
    for (int paper = 1; paper <= 2; ++paper) {
        const auto& c = cases[paper - 1];
        SCOPED_TRACE(c.locale.name().toStdString());
        QLocale::setDefault(c.locale);
        OpenPaper(1, paper);
        ClickButton("ToolBar02");
        QLocale::setDefault(before);
        ASSERT_TRUE(Practice()->attempt().marked());
        EXPECT_EQ(qv::ReadModuleMarks(dir_ / "marks2QEN.txt", 50).value.dates[paper - 1], c.stored.toStdString());
    }
}

TEST_F(PracticeWindowTest, TheClockStartsAtNothingAndRunsOnItsOwnTimer) {
    StartProgram();
    OpenPaper(1, 1);
    EXPECT_EQ(Shown("lblClock"), "0:0:0");
    EXPECT_EQ(Shown("lblDate"), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    // The real timer drives the tick: a hover shows within a few ticks.
    QWidget* save = InPractice(QStringLiteral("ToolBar01"));
    cursor_.point = save->mapToGlobal(save->rect().center());
    QTest::qWait(350);
    EXPECT_EQ(qobject_cast<qv::PictureButton*>(save)->picture(), "save_on.bmp");
}

TEST_F(PracticeWindowTest, TheSheetSlidesAwayAndBackAndTheLayoutFollowsTheWindow) {
    StartProgram();
    OpenPaper(1, 1);
    QWidget* window = Practice();
    QWidget* sheet = InPractice(QStringLiteral("AnsBox"));
    QWidget* page = InPractice(QStringLiteral("brwWebBrowser"));
    QWidget* handle = InPractice(QStringLiteral("ImgHandle"));
    QWidget* right = InPractice(QStringLiteral("BRight"));
    for (const QSize size : {QSize(800, 600), QSize(1000, 700)}) {
        SCOPED_TRACE(size.width());
        window->resize(size);
        QApplication::processEvents();
        EXPECT_EQ(sheet->geometry().right() + 1, window->width() - right->width());
        EXPECT_EQ(InPractice(QStringLiteral("RemQnsBG"))->width(), page->width());
        EXPECT_EQ(InPractice(QStringLiteral("ToolBar06"))->geometry().right() + 1 + qv::TwipsToPixels(120),
                  InPractice(QStringLiteral("ScnTabBG"))->width());
        // The sheet's scroll bar ends above the size grip.
        const auto* bar = sheet->findChild<QScrollBar*>();
        ASSERT_NE(bar, nullptr);
        EXPECT_LE(bar->mapTo(window, QPoint(0, bar->height())).y(), InPractice(QStringLiteral("Sizer"))->y());
    }
    const int shownWidth = page->width();
    Click(handle);
    EXPECT_FALSE(Practice()->answerSheetShown());
    EXPECT_GE(sheet->x(), window->width());
    EXPECT_EQ(page->width(), shownWidth + sheet->width());
    EXPECT_EQ(handle->toolTip(), "Show answer sheet");
    Click(handle);
    EXPECT_TRUE(Practice()->answerSheetShown());
    EXPECT_EQ(page->width(), shownWidth);
    EXPECT_EQ(handle->toolTip(), "Hide answer sheet");
}

TEST_F(PracticeWindowTest, TheToolbarIgnoresClicksWhileThePaperIsBeingMarked) {
    StartProgram();
    opener_->markingStep = std::chrono::milliseconds(20);
    OpenPaper(1, 1);
    Answer(1, QStringLiteral("2"));
    int closeAsked = 0;
    // Mid-way through the progress, the pupil clicks Close and Save, then a
    // message of the main window holds the progress up for a second.
    QTimer::singleShot(100, Practice(), [this, &closeAsked] {
        EXPECT_TRUE(Practice()->busy());
        EXPECT_TRUE(InPractice("fmeMark")->isVisible());
        const std::size_t before = asked_.size();
        Click(InPractice("ToolBar04"));
        Click(InPractice("lblTB01"));
        closeAsked = static_cast<int>(asked_.size() - before);
        QEventLoop message;
        QTimer::singleShot(1100, &message, &QEventLoop::quit);
        message.exec();
    });
    ClickButton("ToolBar02");
    EXPECT_EQ(closeAsked, 0);
    EXPECT_EQ(Shown("LTime"), "0:0:0");  // the time taken ends with the progress
    EXPECT_TRUE(Practice()->attempt().marked());
    EXPECT_FALSE(Practice()->busy());
    EXPECT_FALSE(InPractice("fmeMark")->isVisible());
    for (int k = 1; k <= 15; ++k) {
        EXPECT_TRUE(InPractice(QStringLiteral("imgBar%1").arg(k, 2, 10, QLatin1Char('0')))->isVisibleTo(InPractice("fmeMark")));
    }
}

}  // namespace
