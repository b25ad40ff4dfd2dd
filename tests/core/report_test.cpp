#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "course/results_store.h"
#include "report/module_report.h"
#include "report/score_text.h"
#include "temp_dir.h"

namespace {

using Scores = std::map<int, std::string>;  // paper number -> score text

qv::ModuleConfig Module(std::vector<std::string> names, int paperCount = -1) {
    qv::ModuleConfig module;
    module.label = "Module";
    module.topicCount = static_cast<int>(names.size());
    module.paperCount = paperCount >= 0 ? paperCount : 5 * module.topicCount;
    names.resize(qv::kMaxTopics);
    module.topicNames = names;
    return module;
}

qv::ModuleConfig TenTopics() {
    return Module({"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"});
}

qv::Fields ScoreList(const Scores& scores, int papers) {
    qv::Fields list(static_cast<std::size_t>(papers));
    for (const auto& [paper, text] : scores) list[static_cast<std::size_t>(paper - 1)] = text;
    return list;
}

qv::ModuleReport Report(const qv::ModuleConfig& module, const Scores& first, const Scores& second = {},
                        std::string_view trend = "#TRD#") {
    return qv::ComputeModuleReport(module, ScoreList(first, module.paperCount),
                                   ScoreList(second, module.paperCount), trend);
}

TEST(ReportScoreText, RoundsToOneDecimalWithHalvesToEven) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {87.5, "87.5"},  {85.0, "85"},   {100.0, "100"}, {0.0, "0"},        {200.0 / 3, "66.7"},
        {87.25, "87.2"}, {87.35, "87.4"}, {0.05, "0"},   {0.15, "0.2"},     {(0.1 + 0.2) / 2, "0.2"},
        {79.96, "80"},   {12.04, "12"},
        // Halves that the division leaves a hair off: 64.95 and 65.05 both go to 65.
        {(64.8 + 65.1) / 2, "65"}, {(64.9 + 65.2) / 2, "65"}, {(1.3 + 1.6) / 2, "1.4"},
    };
    for (const auto& c : cases) EXPECT_EQ(qv::FormatAverage(c.value), c.text) << c.value;
}

TEST(ReportScoreText, TakesOnlyScoresFromZeroToHundred) {
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"88.8", 88.8}, {"88,8", 88.8},         {" 90 ", 90.0},        {"0", 0.0},
        {"100", 100.0}, {"", std::nullopt},     {"abc", std::nullopt}, {"9O", std::nullopt},
        {"nan", std::nullopt}, {"inf", std::nullopt}, {"-5", std::nullopt}, {"100.1", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(qv::ParseScore(c.text), c.value) << c.text;
}

struct SummaryCase {
    const char* name;
    qv::ModuleConfig module;
    Scores first;
    Scores second;
    const char* firstAverage;
    const char* secondAverage;
    const char* completed;
    const char* weakest;
    const char* strongest;
};

TEST(ReportSummary, AveragesPapersCompletedAndTopicRanking) {
    const qv::ModuleConfig mock = Module({"Grammar", "Mock Examination", "Reading"});
    const SummaryCase cases[] = {
        {"nothing marked", TenTopics(), {}, {}, "-", "-", "0 / 50", "-", "-"},
        {"one topic only", TenTopics(), {{6, "100"}, {8, "75"}}, {}, "87.5%", "-", "2 / 50", "-", "-"},
        {"one topic with a second attempt", TenTopics(), {{1, "40"}}, {{1, "90"}},
         "40%", "90%", "1 / 50", "-", "-"},
        {"two topics", TenTopics(), {{1, "90"}, {6, "80"}}, {}, "85%", "-", "2 / 50", " B", " A"},
        {"every paper weighs the same", TenTopics(), {{1, "100"}, {2, "100"}, {3, "100"}, {6, "40"}}, {},
         "85%", "-", "4 / 50", " B", " A"},
        {"two topics tied: the later wins both", TenTopics(), {{1, "80"}, {11, "70"}, {12, "90"}}, {},
         "80%", "-", "3 / 50", " C", " C"},
        {"tied once the division's hair is left out", TenTopics(), {{1, "78.2"}, {2, "6.4"}, {6, "42.3"}}, {},
         "42.3%", "-", "3 / 50", " B", " B"},
        {"half of a tenth goes to the even digit", TenTopics(), {{1, "87.2"}, {6, "87.3"}}, {},
         "87.2%", "-", "2 / 50", " A", " B"},
        {"a half the division blurs still goes to the even digit", TenTopics(), {{1, "64.8"}, {2, "65.1"}},
         {{1, "64.9"}, {2, "65.2"}}, "65%", "65%", "2 / 50", "-", "-"},
        {"without a second attempt", TenTopics(), {{1, "60"}, {6, "70"}}, {}, "65%", "-", "2 / 50", " A", " B"},
        {"a second attempt pools into the ranking", TenTopics(), {{1, "60"}, {6, "70"}}, {{1, "100"}},
         "65%", "100%", "2 / 50", " B", " A"},
        {"topic without a first attempt is never ranked", TenTopics(), {{6, "50"}, {11, "60"}},
         {{1, "100"}, {16, "0"}}, "55%", "50%", "2 / 50", " B", " C"},
        {"mock examination lowest", mock, {{1, "70"}, {6, "10"}, {11, "80"}}, {},
         "53.3%", "-", "3 / 15", " Grammar", " Reading"},
        {"mock examination highest", mock, {{1, "70"}, {6, "100"}, {11, "80"}}, {},
         "83.3%", "-", "3 / 15", " Grammar", " Reading"},
        {"mock examination and one topic", mock, {{6, "10"}, {11, "80"}}, {},
         "45%", "-", "2 / 15", " Reading", " Reading"},
        {"only mock examinations attempted", Module({"Mock Examination", "Mock Examination"}),
         {{1, "50"}, {6, "60"}}, {}, "55%", "-", "2 / 10", "-", "-"},
        {"mock compared with its letter case", Module({"mock examination", "Reading"}),
         {{1, "10"}, {6, "80"}}, {}, "45%", "-", "2 / 10", " mock examination", " Reading"},
        {"damaged scores are left out", TenTopics(),
         {{1, "90"}, {2, "abc"}, {3, "150"}, {4, "nan"}, {6, "70"}}, {{7, "-3"}},
         "80%", "-", "2 / 50", " B", " A"},
        {"scores beyond the topic count are not read", Module({"A", "B"}, 15), {{1, "50"}, {11, "100"}}, {},
         "50%", "-", "1 / 15", "-", "-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto summary = Report(c.module, c.first, c.second).summary;
        EXPECT_EQ(summary.firstAverage, c.firstAverage);
        EXPECT_EQ(summary.secondAverage, c.secondAverage);
        EXPECT_EQ(summary.papersCompleted, c.completed);
        EXPECT_EQ(summary.weakest, c.weakest);
        EXPECT_EQ(summary.strongest, c.strongest);
    }
}

TEST(ReportSummary, ShortScoreListsAreReadAsFarAsTheyGo) {
    // Ten topics but a marks file of only 12 papers: topic 3 has two papers.
    const auto report = qv::ComputeModuleReport(TenTopics(), qv::Fields{"50", "", "", "", "", "70", "", "", "",
                                                                        "", "30", "40"},
                                                {}, "");
    EXPECT_EQ(report.summary.firstAverage, "47.5%");
    EXPECT_EQ(report.tally.topics[2].firstCount, 2);
    EXPECT_EQ(report.summary.weakest, " C");
}

TEST(ReportSummary, CountsDamagedScores) {
    const auto report = Report(TenTopics(), {{1, "90"}, {2, "x"}}, {{3, "200"}});
    EXPECT_EQ(report.tally.damagedScores, 2);
    EXPECT_EQ(report.tally.topics[0].firstCount, 1);
    EXPECT_EQ(report.tally.topics[0].secondCount, 0);
}

struct RowCase {
    int row;  // 1..10
    const char* name;
    const char* firstMark;
    const char* secondMark;
    double firstBar;
    double secondBar;
    bool visible;
};

TEST(ReportTopicRows, MarksBarsAndVisibility) {
    const auto module = Module({"Grammar", "Reading", "Writing", "Spelling", "Vocabulary", "Listening",
                                "Speaking", "Mock Examination"});
    const auto report = Report(module, {{1, "100"}, {2, "75"}, {6, "66.7"}, {7, "66.6"}, {8, "66.6"}, {36, "0"}},
                               {{1, "100"}, {11, "50"}, {37, "90"}});
    const RowCase cases[] = {
        {1, "Grammar", "87.5%", "100%", 0.875, 1.0, true},
        {2, "Reading", "66.6%", "", 200.0 / 300.0 - 0.1 / 300.0, 0.0, true},  // bar from the unrounded average
        {3, "Writing", "", "50%", 0.0, 0.5, true},
        {4, "Spelling", "", "", 0.0, 0.0, true},
        {8, "Mock Examination", "0%", "90%", 0.0, 0.9, true},
        {9, "", "", "", 0.0, 0.0, false},
        {10, "", "", "", 0.0, 0.0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        const auto& row = report.rows[static_cast<std::size_t>(c.row - 1)];
        EXPECT_EQ(row.name, c.name);
        EXPECT_EQ(row.firstMark, c.firstMark);
        EXPECT_EQ(row.secondMark, c.secondMark);
        EXPECT_NEAR(row.firstBar, c.firstBar, 1e-12);
        EXPECT_NEAR(row.secondBar, c.secondBar, 1e-12);
        EXPECT_EQ(row.visible, c.visible);
    }
}

TEST(ReportTopicRows, TenTopicsShowEveryRow) {
    const auto report = Report(TenTopics(), {});
    for (const auto& row : report.rows) EXPECT_TRUE(row.visible) << row.name;
    EXPECT_EQ(report.rows[9].name, "J");
}

struct TrendCase {
    const char* name;
    std::string record;
    int entries;
    int skipped;
    std::vector<double> values;  // oldest first
};

std::string TrendOf(int from, int to) {
    std::string record = "#TRD#";
    for (int v = from; v <= to; ++v) record += ">" + std::to_string(v);
    return record;
}

std::vector<double> Range(int from, int to) {
    std::vector<double> values;
    for (int v = from; v <= to; ++v) values.push_back(v);
    return values;
}

TEST(ReportTrend, LatestTwentyScoresOldestFirst) {
    const TrendCase cases[] = {
        {"no record", "", 0, 0, {}},
        {"reset record", "#TRD#", 0, 0, {}},
        {"one entry", "#TRD#>40", 1, 0, {40}},
        {"three entries", "#TRD#>88.8>75>100", 3, 0, {88.8, 75, 100}},
        {"top then bottom", "#TRD#>100>0", 2, 0, {100, 0}},
        {"exactly twenty", TrendOf(1, 20), 20, 0, Range(1, 20)},
        {"twenty-five: entries 6 to 25", TrendOf(1, 25), 25, 0, Range(6, 25)},
        {"fifty", TrendOf(1, 50), 50, 0, Range(31, 50)},
        {"more than fifty keeps the latest", TrendOf(1, 60), 60, 10, Range(41, 60)},
        {"damaged entries are skipped", "#TRD#>40>abc>>60>101>nan>55,5", 7, 4, {40, 60, 55.5}},
        {"damaged entries do not take a place", TrendOf(1, 19) + ">x>y>20>21", 23, 2, Range(2, 21)},
        {"last character not counted", "#TRD>", 0, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto trend = qv::TrendFromRecord(c.record);
        EXPECT_EQ(trend.entryCount, c.entries);
        EXPECT_EQ(trend.skippedEntries, c.skipped);
        ASSERT_EQ(trend.points.size(), c.values.size());
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            EXPECT_DOUBLE_EQ(trend.points[i].value, c.values[i]) << i;
        }
    }
}

TEST(ReportTrend, PointsAsFractionsOfThePlot) {
    const struct {
        std::string record;
        std::size_t point;  // 0-based
        double x;
        double y;
    } cases[] = {
        {"#TRD#>40", 0, 1.0 / 21, 0.6},
        {"#TRD#>100>0", 0, 1.0 / 21, 0.0},
        {"#TRD#>100>0", 1, 2.0 / 21, 1.0},
        {TrendOf(1, 25), 0, 1.0 / 21, 0.94},
        {TrendOf(1, 25), 19, 20.0 / 21, 0.75},
        {"#TRD#>12.5", 0, 1.0 / 21, 0.875},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        const auto trend = qv::TrendFromRecord(c.record);
        ASSERT_LT(c.point, trend.points.size());
        EXPECT_NEAR(trend.points[c.point].x, c.x, 1e-12);
        EXPECT_NEAR(trend.points[c.point].y, c.y, 1e-12);
    }
}

TEST(ReportFiles, ReadsTheMarksAndTrendFilesOfTheSlot) {
    TempDir dir;
    std::string states;
    for (int i = 0; i < 50; ++i) states += ">0";
    std::string marks = "#FSE#>100>75" + std::string(48, '>') + "90\r\n#SSE#>80" + std::string(49, '>') +
                        "\r\n#LTM#" + std::string(50, '>') + "\r\n#CDD#" + std::string(50, '>') + "\r\n#FST#" +
                        states + "\r\n#SST#" + states + "\r\n";
    dir.Write("marks2QEN.txt", marks);
    dir.Write("trend2QEN.txt", "#TRD#>100>75>90\r\n");
    dir.Write("trend1QEN.txt", "#TRD#>1>2>3>4\r\n");  // another slot: not read
    dir.Write("fresults2QEN.txt", "");
    dir.Write("sresults2QEN.txt", "");
    const auto report = qv::LoadModuleReport(dir.path(), 2, "QEN", TenTopics());
    EXPECT_TRUE(report.problems.empty());
    EXPECT_EQ(report.summary.firstAverage, "88.3%");
    EXPECT_EQ(report.summary.secondAverage, "80%");
    EXPECT_EQ(report.summary.papersCompleted, "3 / 50");
    EXPECT_EQ(report.summary.weakest, " A");
    EXPECT_EQ(report.summary.strongest, " J");
    EXPECT_EQ(report.rows[0].firstMark, "87.5%");
    EXPECT_EQ(report.rows[9].firstMark, "90%");
    ASSERT_EQ(report.trend.points.size(), 3u);
    EXPECT_DOUBLE_EQ(report.trend.points[2].value, 90);
}

TEST(ReportFiles, ScoresThatAreNotScoresAreNamedAsDamage) {
    std::string states;
    for (int i = 0; i < 50; ++i) states += ">0";
    const auto marks = [&](const std::string& first) {
        return "#FSE#>" + first + std::string(49, '>') + "\r\n#SSE#" + std::string(50, '>') + "\r\n#LTM#" +
               std::string(50, '>') + "\r\n#CDD#" + std::string(50, '>') + "\r\n#FST#" + states + "\r\n#SST#" +
               states + "\r\n";
    };
    const struct {
        const char* name;
        std::string first;  // paper 1's first score
        std::string trend;
        std::vector<std::string> named;
    } cases[] = {
        {"sound", "75", "#TRD#>75\r\n", {}},
        {"a word for a score", "abc", "#TRD#>75\r\n", {"marks2QEN.txt"}},
        {"a score over 100", "150", "#TRD#>75\r\n", {"marks2QEN.txt"}},
        {"a word in the trend", "75", "#TRD#>75>x\r\n", {"trend2QEN.txt"}},
        {"more than fifty trend entries", "75", TrendOf(1, 60) + "\r\n", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.Write("marks2QEN.txt", marks(c.first));
        dir.Write("trend2QEN.txt", c.trend);
        dir.Write("fresults2QEN.txt", "");
        dir.Write("sresults2QEN.txt", "");
        const auto report = qv::LoadModuleReport(dir.path(), 2, "QEN", TenTopics());
        std::vector<std::string> named;
        for (const auto& problem : report.problems) {
            named.push_back(problem.file.filename().string());
            EXPECT_TRUE(problem.values);
            EXPECT_NE(problem.words.find("are not scores from 0 to 100"), std::string::npos) << problem.words;
        }
        EXPECT_EQ(named, c.named);
    }
}

TEST(ReportFiles, MissingFilesGiveAnEmptyReportAndSaySo) {
    TempDir dir;
    dir.Write("marks1QEN.txt", "#FSE#>70\r\n#SSE#>\r\n");  // cut short: what is there is read
    const auto report = qv::LoadModuleReport(dir.path(), 1, "QEN", TenTopics());
    // The marks file, damaged; the trend file and the two results files of the learning gain, missing.
    ASSERT_EQ(report.problems.size(), 4u);
    EXPECT_NE(report.problems[0].words.find("\"marks1QEN.txt\" in " + dir.path().string() + " is damaged"),
              std::string::npos) << report.problems[0].words;
    EXPECT_EQ(report.problems[1].file.filename(), "trend1QEN.txt");
    EXPECT_EQ(report.problems[3].file.filename(), "sresults1QEN.txt");
    EXPECT_NE(report.problems[1].words.find("trend1QEN.txt"), std::string::npos) << report.problems[1].words;
    EXPECT_EQ(report.summary.firstAverage, "70%");
    EXPECT_TRUE(report.trend.points.empty());

    const auto empty = qv::LoadModuleReport(dir.path(), 3, "QEN", TenTopics());
    EXPECT_EQ(empty.problems.size(), 4u);
    EXPECT_EQ(empty.summary.firstAverage, "-");
    EXPECT_EQ(empty.summary.papersCompleted, "0 / 50");
}

}  // namespace
