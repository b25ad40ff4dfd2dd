#include <QComboBox>
#include <fstream>
#include <sstream>

#include "practice/marking.h"
#include "practice_fixture.h"

namespace {

const QColor kShaded(192, 192, 255);

std::string Bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class SecondAttemptWindowTest : public PracticeWindowTest {
protected:
    QLineEdit* Field(int row) { return InPractice<QLineEdit>(QStringLiteral("FA%1").arg(row)); }
    bool Visible(const QString& name) { return InPractice(name)->isVisible(); }
    std::string MarksField(qv::MarksRecord record, std::size_t paper) {
        return qv::ReadModuleMarks(dir_ / "marks2QEN.txt", 50).value[record][paper];
    }
    void ChooseRemaining(const QString& question) {
        auto* list = InPractice<QComboBox>(QStringLiteral("RemQns"));
        const int index = list->findText(question);
        ASSERT_GE(index, 0) << question.toStdString();
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
};

// After a first attempt of 90, the pupil tries paper 1 again, answers the
// three parts that were wrong (two rightly) and marks it.
TEST_F(SecondAttemptWindowTest, TheTypicalRoadCarriesTheRightPartsOverAndRecordsTheSecondScoreOnly) {
    StartProgram();
    OpenPaper(1, 1);
    AnswerAndMark(27);
    ASSERT_EQ(Shown("PScoring"), "90");
    ClickButton("ToolBar04");
    QApplication::processEvents();
    const std::string trend = Bytes(dir_ / "trend2QEN.txt");
    const std::string firstAnswers = Bytes(dir_ / "first2QEN.txt");
    const std::string firstResults = Bytes(dir_ / "fresults2QEN.txt");
    const std::string time = MarksField(qv::MarksRecord::TimeTaken, 0), date = MarksField(qv::MarksRecord::Date, 0);

    OpenPaper(1, 1, "b");
    ASSERT_EQ(Practice()->objectName(), "Test2");
    EXPECT_EQ(Practice()->windowTitle(), "Grammar (1) - Paper 1");
    EXPECT_EQ(Practice()->findChild<QLabel*>(QStringLiteral("lblClock")), nullptr);
    EXPECT_EQ(Practice()->findChild<QLabel*>(QStringLiteral("lblDate")), nullptr);
    EXPECT_EQ(Shown("lblAnsweredQ"), "27");
    // A part right the first time: filled, locked, shaded, its tick beside it.
    const qv::PaperAttempt& attempt = Practice()->attempt();
    EXPECT_EQ(Field(1)->text(), QString::fromStdString(attempt.PartKey(0)));
    EXPECT_TRUE(Field(1)->isReadOnly());
    EXPECT_EQ(Field(1)->palette().color(QPalette::Base), kShaded);
    EXPECT_TRUE(Visible("FR1"));
    EXPECT_EQ(Shown("FR1"), QStringLiteral("\u2713"));
    EXPECT_FALSE(Visible("SR1"));
    EXPECT_FALSE(Visible("M1"));
    auto* remaining = InPractice<QComboBox>(QStringLiteral("RemQns"));
    ASSERT_EQ(remaining->count(), 3);
    EXPECT_EQ(remaining->itemText(0), "28");
    EXPECT_EQ(remaining->itemText(2), "30");

    // Marking with a wrong part still empty asks about it; "No" marks nothing.
    answer_ = false;
    ClickButton("ToolBar02");
    EXPECT_EQ(asked_.back(),
              "Marking | You have not answered all the questions.  Do you still want to mark your practice?");
    EXPECT_FALSE(Practice()->attempt().marked());
    answer_ = true;

    // A part wrong the first time is answered afresh.
    ChooseRemaining(QStringLiteral("28"));
    EXPECT_EQ(Shown("QnTitle"), "Question 28");
    EXPECT_FALSE(Field(1)->isReadOnly());
    EXPECT_EQ(Field(1)->text(), "");
    EXPECT_EQ(Field(1)->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_FALSE(Visible("FR1"));
    for (int q = 28; q <= 30; ++q) {
        const QString key = QString::fromStdString(attempt.PartKey(q - 1));
        Answer(1, q < 30 ? key : (key == "1" ? QStringLiteral("2") : QStringLiteral("1")));
        if (q < 30) ClickButton("ToolBar06");
    }
    ClickButton("ToolBar02");
    EXPECT_EQ(asked_.back(), "Marking | Do you want to mark your practice now?");
    EXPECT_TRUE(Practice()->attempt().marked());
    EXPECT_EQ(Shown("PScoring"), "96.7");
    EXPECT_EQ(Shown("Scoring"), "29");
    // The wrong part shows its model answer and its cross; the page stays on it.
    EXPECT_TRUE(Field(1)->isReadOnly());
    EXPECT_TRUE(Visible("SR1"));
    EXPECT_EQ(Shown("SR1"), QStringLiteral("\u2717"));
    EXPECT_FALSE(Visible("FR1"));
    EXPECT_TRUE(Visible("M1"));
    EXPECT_EQ(InPractice<QLineEdit>(QStringLiteral("M1"))->text(), QString::fromStdString(attempt.PartKey(29)));

    // Only the second attempt's records of paper 1 changed.
    EXPECT_EQ(MarksField(qv::MarksRecord::SecondScore, 0), "96.7");
    EXPECT_EQ(MarksField(qv::MarksRecord::SecondMarked, 0), "1");
    EXPECT_EQ(MarksField(qv::MarksRecord::FirstScore, 0), "90");
    EXPECT_EQ(MarksField(qv::MarksRecord::FirstMarked, 0), "1");
    EXPECT_EQ(MarksField(qv::MarksRecord::TimeTaken, 0), time);
    EXPECT_EQ(MarksField(qv::MarksRecord::Date, 0), date);
    EXPECT_EQ(MarksField(qv::MarksRecord::SecondScore, 1), "");
    EXPECT_EQ(MarksField(qv::MarksRecord::SecondMarked, 1), "0");
    EXPECT_EQ(Bytes(dir_ / "trend2QEN.txt"), trend);
    EXPECT_EQ(Bytes(dir_ / "first2QEN.txt"), firstAnswers);
    EXPECT_EQ(Bytes(dir_ / "fresults2QEN.txt"), firstResults);
    const auto results = qv::SplitRecordLine(Record("sresults2QEN.txt", "101"), 30);
    EXPECT_EQ(std::count(results.begin(), results.end(), std::string(qv::kTick)), 29);
    EXPECT_EQ(results[29], qv::kCross);
    const auto answers = qv::SplitRecordLine(Record("second2QEN.txt", "101"), 30);
    EXPECT_EQ(answers[0], attempt.PartKey(0));  // the carried answer is stored now
    EXPECT_EQ(answers[28], attempt.PartKey(28));

    ClickButton("ToolBar04");
    QApplication::processEvents();
    EXPECT_EQ(Practice(), nullptr);
    EXPECT_EQ(Text("MSB1"), "96.7");
    EXPECT_EQ(Text("MSA1"), "90");

    // Opened again, the paper shows its marked state: model answers only
    // beside the part wrong the second time, right parts still shaded.
    OpenPaper(1, 1, "b");
    EXPECT_EQ(Shown("PScoring"), "96.7");
    EXPECT_FALSE(InPractice("ToolBar02")->isEnabled());
    EXPECT_FALSE(Visible("TxtRem"));
    EXPECT_TRUE(Visible("SR1"));
    EXPECT_FALSE(Visible("FR1"));
    EXPECT_FALSE(Visible("M1"));
    EXPECT_EQ(Field(1)->palette().color(QPalette::Base), kShaded);
    for (int q = 2; q <= 30; ++q) Practice()->NextQuestion();
    EXPECT_EQ(Shown("QnTitle"), "Question 30");
    EXPECT_TRUE(Visible("M1"));
    EXPECT_EQ(Field(1)->palette().color(QPalette::Base), QColor(Qt::white));
    Practice()->PreviousQuestion();
    EXPECT_FALSE(Visible("M1"));
    EXPECT_EQ(Shown("SR1"), QStringLiteral("\u2713"));
}

// A second attempt in progress resumes from its own saved answers, and
// saving or closing never touches the first attempt's files.
TEST_F(SecondAttemptWindowTest, SavedSecondAnswersComeBackAndTheFirstAttemptStaysAsItWas) {
    StartProgram();
    OpenPaper(1, 1);
    AnswerAndMark(27);
    ClickButton("ToolBar04");
    QApplication::processEvents();
    const std::string firstAnswers = Bytes(dir_ / "first2QEN.txt");

    OpenPaper(1, 1, "b");
    ChooseRemaining(QStringLiteral("29"));
    Answer(1, QStringLiteral("4"));
    ClickButton("ToolBar01");
    EXPECT_EQ(asked_.back(), "Quorvale | Paper saved");
    ChooseRemaining(QStringLiteral("30"));
    Answer(1, QStringLiteral("3"));
    ClickButton("ToolBar04");  // closing writes what was typed since the move
    QApplication::processEvents();
    EXPECT_EQ(Bytes(dir_ / "first2QEN.txt"), firstAnswers);
    const auto saved = qv::SplitRecordLine(Record("second2QEN.txt", "101"), 30);
    EXPECT_EQ(saved[28], "4");
    EXPECT_EQ(saved[29], "3");

    OpenPaper(1, 1, "b");
    EXPECT_EQ(Shown("lblAnsweredQ"), "29");
    ChooseRemaining(QStringLiteral("28"));
    Practice()->NextQuestion();
    EXPECT_EQ(Shown("QnTitle"), "Question 29");
    EXPECT_EQ(Field(1)->text(), "4");
    EXPECT_FALSE(Field(1)->isReadOnly());
}

}  // namespace
