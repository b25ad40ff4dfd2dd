#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "practice/marking.h"
#include "practice/practice_opener.h"
#include "practice/practice_window.h"
#include "ui_fixture.h"

namespace {

using qv::PracticeWindow;

// The main window with its practice window opener; the program's dialogs
// are answered by the test, which records what they said.
class PracticeWindowTest : public MainWindowTest {
protected:
    void StartProgram() {
        Start();
        opener_ = new qv::PracticeOpener(*window_, Pack());
        opener_->markingStep = std::chrono::milliseconds(1);
        opener_->ask = [this](const QString& title, const QString& message, int buttons, QWidget*) {
            asked_.push_back(title + QStringLiteral(" | ") + message);
            return buttons == 1 || answer_;
        };
        opener_->inform = [this](const QString& title, const QString& message, QWidget*) {
            informed_.push_back(title + QStringLiteral(" | ") + message);
        };
    }

    PracticeWindow* Practice() { return opener_->current(); }
    template <typename T = QWidget>
    T* InPractice(const QString& name) {
        T* widget = Practice()->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center()); }
    void ClickButton(const char* name) {
        Practice()->Tick();
        Click(InPractice(QString::fromLatin1(name)));
    }
    // Types into answer field r of the question on show.
    void Answer(int row, const QString& text) {
        QWidget* field = InPractice(QStringLiteral("FA%1").arg(row));
        if (auto* line = qobject_cast<QLineEdit*>(field)) {
            line->setText(text);
        } else if (auto* box = qobject_cast<QPlainTextEdit*>(field)) {
            box->setPlainText(text);
        }
    }
    QString Shown(const QString& name) { return InPractice<QLabel>(name)->text(); }
    std::string Record(const std::string& file, const std::string& key) {
        return qv::ReadRecordLine(dir_ / file, key).value;
    }

    qv::PracticeOpener* opener_ = nullptr;
    std::vector<QString> asked_;
    std::vector<QString> informed_;
    bool answer_ = true;
};

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
    const qv::PaperAttempt& attempt = Practice()->attempt();
    ASSERT_EQ(attempt.questionCount(), 30);
    for (int q = 1; q <= 30; ++q) {
        SCOPED_TRACE(q);
        EXPECT_EQ(Shown("QnTitle"), QStringLiteral("Question %1").arg(q));
        const std::string key = attempt.PartKey(q - 1);
        const QString right = QString::fromStdString(key);
        Answer(1, q <= 27 ? right : (right == "1" ? QStringLiteral("2") : QStringLiteral("1")));
        if (q < 30) ClickButton("ToolBar06");
    }
    ClickButton("ToolBar02");
    ASSERT_FALSE(asked_.empty());
    EXPECT_EQ(asked_.back(), "Marking | Do you want to mark your practice now?");
    EXPECT_EQ(Shown("PScoring"), "90");
    EXPECT_EQ(Practice()->Status, "1");

    const auto marks = qv::ReadModuleMarks(dir_ / "marks2QEN.txt", 50).value;
    EXPECT_EQ(marks[0][0], "90");
    EXPECT_FALSE(marks[2][0].empty());  // time taken
    EXPECT_FALSE(marks[3][0].empty());  // date
    EXPECT_EQ(marks[4][0], "1");
    EXPECT_EQ(marks[5][0], "0");
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

}  // namespace
