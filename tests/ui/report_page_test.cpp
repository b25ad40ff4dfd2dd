// The report page of the main window, opened with its toolbar button: the
// summary labels, the topic rows and their bars, read after papers were
// marked through the program's own result files, and the learning gain.

#include <QLocale>
#include <QTest>
#include <cmath>
#include <functional>

#include "practice/attempt.h"
#include "practice/second_attempt.h"
#include "ui_fixture.h"

namespace {

class ReportPageTest : public MainWindowTest {
protected:
    void OpenReport() { QTest::mouseClick(Find("ToolBar02"), Qt::LeftButton); }
    void WriteTrend(const std::string& record, const std::string& file = "trend2QEN.txt") {
        dir_.Write(file, record + "\r\n");
    }

    // Marks paper `key` of the packed course's module: the first `right`
    // parts answered with the key, the others wrongly. Returns the score.
    std::string MarkPaper(qv::PaperAttempt& attempt, int key, int topicFirstPaper, int right) {
        qv::PaperContext context{dir_.path(), 2, "QEN", key, 50, topicFirstPaper, "topic"};
        const auto loaded = attempt.Load(Pack(), context);
        EXPECT_TRUE(loaded.ok()) << key;
        if (!loaded.ok()) return {};
        int part = 0;
        for (int q = 1; q <= attempt.questionCount(); ++q) {
            std::vector<std::string> rows;
            for (int r = 0; r < attempt.paper().partCounts[static_cast<std::size_t>(q - 1)]; ++r, ++part) {
                rows.push_back(part < right ? attempt.PartKey(part) : std::string("no such answer"));
            }
            if (q < attempt.questionCount()) {
                EXPECT_TRUE(attempt.GoToQuestion(q + 1, rows).ok());
            } else {
                attempt.StoreCurrentAnswers(rows);
            }
        }
        EXPECT_TRUE(attempt.Mark(std::chrono::seconds(60), "09/12/2026").ok()) << key;
        return attempt.scoreText();
    }

    // The bar's width as a share of the inner width of its column's first track.
    double BarShare(int row, char attempt) {
        const auto* bar = Find(("TBar" + std::to_string(row) + attempt).c_str());
        const auto* scale = Find<QFrame>(std::string("TBack1") + attempt);
        return static_cast<double>(bar->width()) / scale->contentsRect().width();
    }
    void ExpectBar(int row, char attempt, double share) {
        const int inner = Find<QFrame>(std::string("TBack1") + attempt)->contentsRect().width();
        EXPECT_NEAR(BarShare(row, attempt), share, 0.51 / inner) << "row " << row << attempt;
    }
};

TEST_F(ReportPageTest, PapersMarkedThroughTheResultFilesShowInEverySection) {
    Start();
    qv::FirstAttempt whole, none, other;
    ASSERT_EQ(MarkPaper(whole, 101, 1, 1000), "100");
    ASSERT_EQ(MarkPaper(none, 102, 1, 0), "0");
    ASSERT_EQ(MarkPaper(other, 106, 6, 1000), "100");
    qv::SecondAttempt again;
    ASSERT_EQ(MarkPaper(again, 102, 1, 1000), "100");

    OpenReport();
    ASSERT_TRUE(Find("Body_Report")->isVisible());
    ASSERT_TRUE(Find("RC1Summary")->isVisible());
    EXPECT_EQ(Text("SumyL1"), "First Attempt Average Score:");
    EXPECT_EQ(Text("OScore1"), "66.7%");
    EXPECT_EQ(Text("OScore2"), "100%");
    EXPECT_EQ(Text("PCNum"), "3 / 50");
    // Topic 1 ranks on all its attempts, (100 + 0 + 100) / 3; topic 2 on 100.
    EXPECT_EQ(Text("WT"), " Grammar (1)");
    EXPECT_EQ(Text("ST"), " Grammar (2)");

    QTest::mouseClick(Find("RCBar2"), Qt::LeftButton);
    ASSERT_TRUE(Find("RC2Topical")->isVisible());
    EXPECT_EQ(Text("TopLab1"), "Grammar (1)");
    EXPECT_EQ(Text("TMark1A"), "50%");
    EXPECT_EQ(Text("TMark1B"), "100%");
    EXPECT_EQ(Text("TMark2A"), "100%");
    EXPECT_EQ(Text("TMark2B"), "");
    EXPECT_EQ(Text("TMark3A"), "");
    ExpectBar(1, 'A', 0.5);
    ExpectBar(1, 'B', 1.0);
    ExpectBar(2, 'A', 1.0);
    ExpectBar(2, 'B', 0.0);
    ExpectBar(3, 'A', 0.0);
    for (int t = 1; t <= 10; ++t) EXPECT_TRUE(Find(("TBack" + std::to_string(t) + "A").c_str())->isVisible()) << t;

    QTest::mouseClick(Find("lblRCBar3"), Qt::LeftButton);
    ASSERT_TRUE(Find("RC3Trend")->isVisible());
    EXPECT_EQ(Text("Label8"), "Recent Papers Attempted");

    // Paper 102: nothing right at the first attempt, everything at the second.
    QTest::mouseClick(Find("lblRCBar4"), Qt::LeftButton);
    ASSERT_TRUE(Find("RC4Gain")->isVisible());
    EXPECT_TRUE(Find("GainBar1")->isVisible());
    EXPECT_EQ(Find("GainBar1")->toolTip(), "Right first time: 0. Put right: 30. Still wrong: 0.");
    EXPECT_FALSE(Find("GainBar2")->isVisible());
    EXPECT_EQ(Text("GainSentence"),
              "A second attempt put right 30 of the 30 parts wrong at the first attempt in Grammar (1).");
}

struct FigureCase {
    const char* name;
    std::map<int, std::pair<std::string, std::string>> scores;  // paper -> first and second attempt
    const char* OScore1;
    const char* OScore2;
    const char* PCNum;
    const char* WT;
    const char* ST;
    // Row 1 and row 2: marks and bar shares of the first and second attempts.
    const char* marks[2][2];
    double bars[2][2];
};

TEST_F(ReportPageTest, EachFigureReachesItsOwnLabel) {
    const FigureCase cases[] = {
        {"nothing marked", {}, "-", "-", "0 / 50", "-", "-", {{"", ""}, {"", ""}}, {{0, 0}, {0, 0}}},
        {"one topic", {{1, {"100", ""}}, {2, {"75", "90"}}}, "87.5%", "90%", "2 / 50", "-", "-",
         {{"87.5%", "90%"}, {"", ""}}, {{0.875, 0.9}, {0, 0}}},
        {"two topics", {{1, {"90", ""}}, {6, {"80", "30"}}, {7, {"60", ""}}}, "76.7%", "30%", "3 / 50",
         " Grammar (2)", " Grammar (1)", {{"90%", ""}, {"70%", "30%"}}, {{0.9, 0}, {0.7, 0.3}}},
        {"two topics tied", {{1, {"80", ""}}, {6, {"80", ""}}}, "80%", "-", "2 / 50", " Grammar (2)",
         " Grammar (2)", {{"80%", ""}, {"80%", ""}}, {{0.8, 0}, {0.8, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.scores);
        OpenReport();
        EXPECT_EQ(Text("OScore1"), c.OScore1);
        EXPECT_EQ(Text("OScore2"), c.OScore2);
        EXPECT_EQ(Text("PCNum"), c.PCNum);
        EXPECT_EQ(Text("WT"), c.WT);
        EXPECT_EQ(Text("ST"), c.ST);
        for (int row = 1; row <= 2; ++row) {
            for (int attempt = 0; attempt < 2; ++attempt) {
                const char letter = attempt == 0 ? 'A' : 'B';
                EXPECT_EQ(Text(("TMark" + std::to_string(row) + letter).c_str()), c.marks[row - 1][attempt]);
                ExpectBar(row, letter, c.bars[row - 1][attempt]);
            }
        }
        window_.reset();
    }
}

TEST_F(ReportPageTest, OnlyTheModulesTopicsHaveRows) {
    std::vector<std::string> topics;
    for (int t = 1; t <= 8; ++t) topics.push_back("Topic " + std::to_string(t));
    const auto course = MakeCourse(Pack(), "QEN", {TestModule{"Only", topics}, TestModule{}, TestModule{}});
    Prepare(course);
    WriteScores({{40, {"60", ""}}}, "marks1QEN.txt", 40);
    Open();
    OpenReport();
    QTest::mouseClick(Find("RCBar2"), Qt::LeftButton);
    for (int t = 1; t <= 10; ++t) {
        SCOPED_TRACE(t);
        const bool shown = t <= 8;
        EXPECT_EQ(Text(("TopLab" + std::to_string(t)).c_str()), shown ? "Topic " + QString::number(t) : "");
        for (const char letter : {'A', 'B'}) {
            EXPECT_EQ(Find(("TBack" + std::to_string(t) + letter).c_str())->isVisible(), shown);
        }
        EXPECT_EQ(Find(("TopLab" + std::to_string(t)).c_str())->isVisible(), shown);
    }
    EXPECT_EQ(Text("TMark8A"), "60%");
    EXPECT_EQ(Text("PCNum"), "1 / 40");
}

TEST_F(ReportPageTest, EveryOpeningReadsTheFilesAgainButASectionBarDoesNot) {
    Start({{1, {"40", ""}}});
    OpenReport();
    QTest::mouseClick(Find("RCBar2"), Qt::LeftButton);
    EXPECT_EQ(Text("TMark1A"), "40%");

    WriteScores({{1, {"40", ""}}, {2, {"60", ""}}});
    QTest::mouseClick(Find("RCBar1"), Qt::LeftButton);
    EXPECT_EQ(Text("OScore1"), "40%");
    QTest::mouseClick(Find("RCBar2"), Qt::LeftButton);

    QTest::mouseClick(Find("ToolBar01"), Qt::LeftButton);
    OpenReport();
    EXPECT_TRUE(Find("RC2Topical")->isVisible());  // the section last opened
    EXPECT_EQ(Text("TMark1A"), "50%");
    EXPECT_EQ(Text("OScore1"), "50%");
    ExpectBar(1, 'A', 0.5);
}

TEST_F(ReportPageTest, ScoresAndAveragesTakeTheUsersDecimalSeparator) {
    const QLocale before;
    for (const QLocale& locale : {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::Arabic, QLocale::Egypt)}) {
        SCOPED_TRACE(locale.name().toStdString());
        QLocale::setDefault(locale);
        const QString point = locale.decimalPoint();
        Start({{1, {"100", "66.7"}}, {2, {"75.5", ""}}});
        // The home page's scores, as the report writes them; the second
        // attempt is offered from the stored score, whatever the separator.
        EXPECT_EQ(Text("MSA1"), "100");
        EXPECT_EQ(Text("MSB1"), "66" + point + "7");
        EXPECT_EQ(Text("MSA2"), "75" + point + "5");
        EXPECT_TRUE(Find("P1b")->isHidden());
        EXPECT_FALSE(Find("P2b")->isHidden());
        OpenReport();
        EXPECT_EQ(Text("OScore1"), "87" + point + "8%");
        EXPECT_EQ(Text("OScore2"), "66" + point + "7%");
        EXPECT_EQ(Text("TMark1A"), "87" + point + "8%");
    }
    QLocale::setDefault(before);
}

TEST_F(ReportPageTest, AnUnreadableFileIsToldOnceAndTheRestIsShown) {
    const auto trend = dir_ / "trend2QEN.txt";
    const struct {
        const char* name;
        std::function<void()> spoil;
        const char* file;
    } cases[] = {
        // The home page reads this marks file well; the report still tells it only once.
        {"a word for a score", [&] { WriteScores({{1, {"70", ""}}, {2, {"abc", ""}}}); }, "marks2QEN.txt"},
        {"the trend file a folder",
         [&] {
             std::filesystem::remove(trend);
             std::filesystem::create_directory(trend);
         },
         "trend2QEN.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start({{1, {"70", ""}}});
        window_->TakeNotices();
        DialogWatcher watcher(window_.get());
        c.spoil();
        for (int opening = 1; opening <= 2; ++opening) {
            OpenReport();
            QTest::mouseClick(Find("ToolBar01"), Qt::LeftButton);
        }
        ASSERT_EQ(watcher.messages.size(), 1u);
        EXPECT_TRUE(watcher.messages[0].contains(c.file)) << watcher.messages[0].toStdString();
        OpenReport();
        EXPECT_EQ(Text("OScore1"), "70%");
    }
    DialogWatcher watcher(window_.get());

    // Read well again, then broken again: told again.
    std::filesystem::remove(trend);
    WriteTrend("#TRD#>70");
    OpenReport();
    std::filesystem::remove(trend);
    std::filesystem::create_directory(trend);
    OpenReport();
    EXPECT_EQ(watcher.messages.size(), 1u);
}

}  // namespace
