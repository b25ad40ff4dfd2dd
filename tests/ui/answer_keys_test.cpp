// The keys a pupil presses in a practice window: Enter after an answer, the
// wheel and stray digits over the remaining questions list.

#include <QComboBox>
#include <QTimer>
#include <QWheelEvent>

#include "practice/marking.h"
#include "practice_fixture.h"

namespace {

class AnswerKeysTest : public PracticeWindowTest {
protected:
    void OpenActive(int topic, int paper) {
        StartProgram();
        OpenPaper(topic, paper);
        Practice()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Practice()));
    }
    QWidget* Focused() { return QApplication::focusWidget(); }
    void Type(const QString& text) { QTest::keyClicks(Focused(), text); }
    void Press(Qt::Key key) { QTest::keyClick(Focused(), key); }
};

// Enter moves on, from the last field to the next question, and what was typed is kept.
TEST_F(AnswerKeysTest, EnterAfterAnAnswerGoesOnWithoutSkippingAQuestion) {
    OpenActive(1, 3);
    ASSERT_EQ(Practice()->attempt().PartCount(1), 1);
    ASSERT_EQ(Focused(), InPractice("FA1"));
    Type(QStringLiteral("2"));
    Press(Qt::Key_Return);
    Type(QStringLiteral("4"));
    EXPECT_EQ(Shown("QnTitle"), "Question 2");
    EXPECT_EQ(InPractice<QLineEdit>("FA1")->text(), "4");
    EXPECT_EQ(Practice()->attempt().answers()[0], "2");

}

// The list moves only on a pick: the wheel, digits and Enter over it change nothing.
TEST_F(AnswerKeysTest, TheRemainingQuestionsListIgnoresTheWheelAndStrayKeys) {
    OpenActive(1, 3);
    auto* list = InPractice<QComboBox>("RemQns");
    const std::vector<std::pair<const char*, std::function<void()>>> habits = {
        {"wheel down", [&] {
             QWheelEvent wheel(list->rect().center(), list->mapToGlobal(list->rect().center()), {}, {0, -120},
                               Qt::NoButton, {}, Qt::NoScrollPhase, false);
             QApplication::sendEvent(list, &wheel);
         }},
        {"digit", [&] { QTest::keyClicks(list, QStringLiteral("4")); }},
        {"arrow down", [&] { QTest::keyClick(list, Qt::Key_Down); }},
        {"enter", [&] { QTest::keyClick(list, Qt::Key_Return); }},
    };
    for (const auto& [habit, act] : habits) {
        SCOPED_TRACE(habit);
        list->setFocus();
        act();
        EXPECT_EQ(Shown("QnTitle"), "Question 1");
        EXPECT_EQ(list->currentIndex(), 0);
    }
    // A deliberate pick still goes there.
    list->activated(list->findText(QStringLiteral("4")));
    EXPECT_EQ(Shown("QnTitle"), "Question 4");
}

}  // namespace

namespace {

// The typical road from the keyboard alone: each answer then Enter, Ctrl+M
// and Enter on Yes, Ctrl+W and Enter on Yes; the program's own boxes.
TEST_F(AnswerKeysTest, TheTypicalRoadFromTheKeyboardLosesNothing) {
    OpenActive(1, 1);
    opener_->ask = [this](const QString& title, const QString& message, qv::PopUpButtons buttons, QWidget* owner) {
        asked_.push_back(title + QStringLiteral(" | ") + message);
        // The box answers the key pressed in it once it is up.
        QTimer::singleShot(0, [] {
            QWidget* box = QApplication::activeModalWidget();
            QWidget* focused = QApplication::focusWidget();
            if (box) QTest::keyClick(focused && focused->window() == box ? focused : box, Qt::Key_Return);
        });
        return window_->Ask(title, message, buttons, owner);
    };
    const qv::PaperAttempt& attempt = Practice()->attempt();
    ASSERT_EQ(attempt.questionCount(), 30);
    for (int q = 1; q <= 30; ++q) {
        ASSERT_EQ(Shown("QnTitle"), QStringLiteral("Question %1").arg(q));
        Type(QString::fromStdString(attempt.PartKey(q - 1)));
        Press(Qt::Key_Return);
    }
    EXPECT_EQ(Shown("QnTitle"), "Question 30");  // Enter on the last question stays there
    QTest::keyClick(Focused(), Qt::Key_M, Qt::ControlModifier);
    ASSERT_FALSE(asked_.empty());
    EXPECT_EQ(asked_.back(), "Marking | Do you want to mark your practice now?");
    EXPECT_EQ(Shown("PScoring"), "100");
    const auto answers = qv::SplitRecordLine(Record("first2QEN.txt", "101"), 30);
    EXPECT_EQ(std::count(answers.begin(), answers.end(), std::string()), 0);
    const auto results = qv::SplitRecordLine(Record("fresults2QEN.txt", "101"), 30);
    EXPECT_EQ(std::count(results.begin(), results.end(), std::string(qv::kTick)), 30);
    Practice()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Practice()));
    QTest::keyClick(Focused(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(asked_.back(), "Close Practice | Confirm?");
    QApplication::processEvents();
    EXPECT_EQ(Practice(), nullptr);
    EXPECT_EQ(Text("MSA1"), "100");
}

}  // namespace
