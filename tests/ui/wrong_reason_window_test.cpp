#include <QApplication>

#include "practice_fixture.h"

namespace {

class WrongReasonWindowTest : public PracticeWindowTest {
protected:
    // Answers every part of the open paper with its key, except part 0 of
    // question 1, which gets `first`; then marks the paper.
    void AnswerAllButOneAndMark(const QString& first) {
        const qv::PaperAttempt& attempt = Practice()->attempt();
        while (attempt.currentQuestion() > 1) Practice()->PreviousQuestion();
        for (int q = 1; q <= attempt.questionCount(); ++q) {
            for (int r = 0; r < attempt.PartCount(q); ++r) {
                const int part = attempt.PartOffset(q) + r;
                if (attempt.IsPartLocked(part)) continue;
                Answer(r + 1, part == 0 ? first : QString::fromStdString(attempt.PartKey(part)));
            }
            if (q < attempt.questionCount()) ClickButton("ToolBar06");
        }
        ClickButton("ToolBar02");
        while (attempt.currentQuestion() > 1) Practice()->PreviousQuestion();
    }
    QString Tip(const QString& name) { return InPractice(name)->toolTip(); }
    QString Description(const QString& name) { return InPractice(name)->accessibleDescription(); }
};

// A cloze with a word box (Grammar Cloze (1), paper 3): a box word put in
// the wrong gap is named as such; once the model answer is shown, a wrong
// answer of any other kind names the key.
TEST_F(WrongReasonWindowTest, AWrongPartSaysWhyAsItsTooltipAndDescription) {
    StartProgram();
    OpenPaper(5, 3);
    const QString otherGap = QString::fromStdString(Practice()->attempt().PartKey(1));
    AnswerAllButOneAndMark(otherGap);
    ASSERT_TRUE(Practice()->attempt().marked());
    for (const char* name : {"FA1", "FR1"}) EXPECT_EQ(Tip(name), "That word belongs in another gap.") << name;
    // The field's description says first whether it is right.
    EXPECT_EQ(Description("FR1"), "That word belongs in another gap.");
    EXPECT_EQ(Description("FA1"), "Wrong. That word belongs in another gap.");
    EXPECT_EQ(Tip("FA2"), "Enter your answer");
    EXPECT_EQ(Description("FA2"), "Right.");
    EXPECT_EQ(Tip("FR2"), "");
    ClickButton("ToolBar04");
    QApplication::processEvents();

    OpenPaper(5, 3, "b");
    AnswerAllButOneAndMark(QStringLiteral("zzz"));
    ASSERT_TRUE(Practice()->attempt().marked());
    const QString named = QStringLiteral("The answer was %1.").arg(QString::fromStdString(Practice()->attempt().PartKey(0)));
    EXPECT_EQ(Tip("SR1"), named);
    EXPECT_EQ(Description("FA1"), "Wrong. " + named);
    EXPECT_EQ(Tip("SR2"), "");
}

}  // namespace
