// Closing the main window while a paper is open: nothing the pupil did is lost.

#include <QTimer>
#include <csignal>

#include "app/stop_signals.h"

#include "practice_fixture.h"

namespace {

namespace fs = std::filesystem;

class ProgramCloseTest : public PracticeWindowTest {
protected:
    bool Told(const char* words) {
        return std::any_of(asked_.begin(), asked_.end(), [&](const QString& m) { return m.contains(words); });
    }
};

TEST_F(ProgramCloseTest, ACloseDuringTheMarkingWaitsAndTheMarkIsKept) {
    StartProgram();
    opener_->markingStep = std::chrono::milliseconds(20);
    OpenPaper(1, 1);
    Answer(1, QString::fromStdString(Practice()->attempt().PartKey(0)));
    bool marking = false;
    QTimer::singleShot(60, window_.get(), [&] {
        marking = Practice() && Practice()->busy();
        window_->close();
    });
    ClickButton("ToolBar02");
    ASSERT_TRUE(marking);
    EXPECT_TRUE(Told("being marked"));
    EXPECT_TRUE(window_->isVisible());
    ASSERT_NE(Practice(), nullptr);
    EXPECT_TRUE(Practice()->attempt().marked());
    EXPECT_NE(Record("trend2QEN.txt", "TRD"), "#TRD#");
    EXPECT_EQ(qv::ReadModuleMarks(dir_ / "marks2QEN.txt", 50).value.firstMarked[0], "1");
}

// A logout or a shutdown (SIGTERM, and again when it insists) closes the
// program as the pupil would: the answer on show, typed and not yet saved, is
// kept. A paper being marked is marked and written first, without a pop-up,
// and a question the close asks is never asked twice over.
TEST_F(ProgramCloseTest, AStopFromOutsideClosesAsThePupilWouldOnceTheMarkingHasEnded) {
    const struct {
        const char* when;
        int paper;
        bool marking;   // the stops come while the paper is being marked
        bool readOnly;  // the answers cannot be written, and the pupil keeps the program open
    } cases[] = {{"a paper open", 1, false, false}, {"the marking", 2, true, false}, {"the question", 3, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.when);
        StartProgram();
        opener_->markingStep = std::chrono::milliseconds(20);
        int questions = 0;
        opener_->ask = [&, asked = opener_->ask](const QString& title, const QString& message, qv::PopUpButtons buttons,
                                                  QWidget* owner) {
            if (message.contains("without the answers") && ++questions == 1) {
                std::raise(SIGTERM);
                QTest::qWait(30);
            }
            return asked(title, message, buttons, owner);
        };
        answer_ = !c.readOnly;
        const qv::StopSignals stops;
        QObject::connect(&stops, &qv::StopSignals::stopRequested, opener_, &qv::PracticeOpener::Stop);
        OpenPaper(1, c.paper);
        const std::string key = std::to_string(100 + c.paper);
        Answer(1, QStringLiteral("2"));
        if (c.readOnly) fs::permissions(dir_ / "first2QEN.txt", fs::perms::owner_read);
        if (c.marking) {
            int marking = 0;
            for (const int after : {60, 120}) {
                QTimer::singleShot(after, window_.get(), [&, after] {
                    marking += Practice() && Practice()->busy();
                    std::raise(after == 60 ? SIGTERM : SIGHUP);
                });
            }
            ClickButton("ToolBar02");
            EXPECT_EQ(marking, 2);
        } else {
            std::raise(SIGTERM);
        }
        QTest::qWait(50);
        fs::permissions(dir_ / "first2QEN.txt", fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_FALSE(Told("being marked"));
        EXPECT_EQ(questions, c.readOnly ? 1 : 0);
        EXPECT_EQ(window_->isVisible(), c.readOnly);
        EXPECT_EQ(Practice() != nullptr, c.readOnly);
        if (c.readOnly) EXPECT_EQ(InPractice<QLineEdit>("FA1")->text(), "2");
        else EXPECT_TRUE(qv::ReadRecordLine(dir_ / "first2QEN.txt", key).value.starts_with("#" + key + "#>2>"));
        EXPECT_EQ(qv::ReadModuleMarks(dir_ / "marks2QEN.txt", 50).value.firstMarked[c.paper - 1] == "1", c.marking);
    }
}

TEST_F(ProgramCloseTest, AnswersThatCannotBeWrittenKeepTheProgramOpenUntilThePupilLetsThemGo) {
    StartProgram();
    OpenPaper(1, 1);
    fs::permissions(dir_ / "first2QEN.txt", fs::perms::owner_read);
    Answer(1, QStringLiteral("2"));
    answer_ = false;  // No: do not close without them
    window_->close();
    EXPECT_TRUE(Told("read-only"));
    EXPECT_TRUE(window_->isVisible());
    ASSERT_NE(Practice(), nullptr);
    EXPECT_EQ(InPractice<QLineEdit>("FA1")->text(), "2");
    answer_ = true;
    window_->close();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(Practice(), nullptr);
}

}  // namespace

namespace {

TEST_F(ProgramCloseTest, AReportOnShowFollowsAPaperMarkedAndClosed) {
    StartProgram();
    OpenPaper(1, 1);
    QTest::mouseClick(Find("ToolBar02"), Qt::LeftButton);
    ASSERT_TRUE(Find("Body_Report")->isVisible());
    EXPECT_EQ(Text("PCNum"), "0 / 50");
    AnswerAndMark(30);
    ClickButton("ToolBar04");
    QApplication::processEvents();
    EXPECT_EQ(Practice(), nullptr);
    EXPECT_EQ(Text("PCNum"), "1 / 50");
}

// A stop from outside while the practice window asks something (its own
// pop-up on show): the question ends, the answer is kept, nothing is left dangling.
TEST_F(ProgramCloseTest, AStopWhileThePracticeWindowAsksEndsTheQuestionAndCloses) {
    for (const char* button : {"ToolBar04", "ToolBar01", "ToolBar02"}) {  // Close, Save, Mark
        SCOPED_TRACE(button);
        StartProgram();
        opener_->ask = [this](const QString& title, const QString& message, qv::PopUpButtons buttons, QWidget* owner) {
            QTimer::singleShot(30, window_.get(), [this] { window_->close(); });
            return window_->Ask(title, message, buttons, owner);
        };
        OpenPaper(1, 1);
        Answer(1, QStringLiteral("2"));
        ClickButton(button);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(window_->isVisible());
        EXPECT_EQ(Practice(), nullptr);
        EXPECT_TRUE(qv::ReadRecordLine(dir_ / "first2QEN.txt", "101").value.starts_with("#101#>2>"));
    }
}

}  // namespace
