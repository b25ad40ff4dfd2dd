#include "report/report_figures.h"

#include <algorithm>

#include "report/score_text.h"

namespace qv {

namespace {

int TopicsInUse(int topicCount) { return std::clamp(topicCount, 0, kMaxTopics); }

const std::string& TopicName(const Fields& names, int topic) {
    static const std::string kNone;
    const auto index = static_cast<std::size_t>(topic - 1);
    return index < names.size() ? names[index] : kNone;
}

// Adds the scores of one attempt of topic t; returns the damaged ones.
int AddScores(const Fields& scores, int topic, int& count, double& sum) {
    int damaged = 0;
    for (int p = 1; p <= kPapersPerTopic; ++p) {
        const auto index = static_cast<std::size_t>((topic - 1) * kPapersPerTopic + p - 1);
        if (index >= scores.size() || scores[index].empty()) continue;
        if (const auto score = ParseScore(scores[index])) {
            ++count;
            sum += *score;
        } else {
            ++damaged;
        }
    }
    return damaged;
}

std::string AverageText(double sum, int count) {
    return count < 1 ? std::string("-") : FormatAverage(sum / count) + "%";
}

std::string MarkText(double sum, int count) {
    return count < 1 ? std::string() : FormatAverage(sum / count) + "%";
}

double BarFraction(double sum, int count) {
    return count < 1 ? 0.0 : std::clamp(sum / count / 100.0, 0.0, 1.0);
}

std::string NamedTopic(const Fields& names, int topic) {
    return topic == 0 ? std::string("-") : " " + TopicName(names, topic);
}

}  // namespace

ScoreTally TallyScores(const Fields& firstScores, const Fields& secondScores, int topicCount) {
    ScoreTally tally;
    for (int t = 1; t <= TopicsInUse(topicCount); ++t) {
        TopicTally& topic = tally.topics[static_cast<std::size_t>(t - 1)];
        tally.damagedScores += AddScores(firstScores, t, topic.firstCount, topic.firstSum);
        tally.damagedScores += AddScores(secondScores, t, topic.secondCount, topic.secondSum);
    }
    return tally;
}

double RankingAverage(const TopicTally& tally) {
    if (tally.firstCount == 0) return 0;
    if (tally.secondCount > 0) {
        return (tally.firstSum + tally.secondSum) / (tally.firstCount + tally.secondCount);
    }
    return tally.firstSum / tally.firstCount;
}

TopicRanking RankTopics(const ScoreTally& tally, const Fields& topicNames, int topicCount) {
    TopicRanking ranking;
    const int topics = TopicsInUse(topicCount);
    for (int t = 1; t <= topics; ++t) {
        if (tally.topics[static_cast<std::size_t>(t - 1)].attempted()) ++ranking.attemptedTopics;
    }
    if (ranking.attemptedTopics < 2) return ranking;
    double lowest = 0;
    double highest = 0;
    for (int t = 1; t <= topics; ++t) {
        const TopicTally& topic = tally.topics[static_cast<std::size_t>(t - 1)];
        if (!topic.attempted() || TopicName(topicNames, t) == kMockExaminationName) continue;
        // Averages the division leaves a hair apart ((78.2 + 6.4) / 2 against
        // 42.3) are equal: stored scores differ by a tenth at the least.
        constexpr double kSame = 1e-9;
        const double average = RankingAverage(topic);
        if (ranking.weakest == 0 || average <= lowest + kSame) {
            ranking.weakest = t;
            lowest = average;
        }
        if (ranking.strongest == 0 || average >= highest - kSame) {
            ranking.strongest = t;
            highest = average;
        }
    }
    return ranking;
}

ReportSummary SummariseScores(const ScoreTally& tally, const TopicRanking& ranking,
                              const Fields& topicNames, int paperCount) {
    ReportSummary summary;
    double firstTotal = 0;
    double secondTotal = 0;
    for (const TopicTally& topic : tally.topics) {
        firstTotal += topic.firstSum;
        summary.firstNumber += topic.firstCount;
        secondTotal += topic.secondSum;
        summary.secondNumber += topic.secondCount;
    }
    summary.firstAverage = AverageText(firstTotal, summary.firstNumber);
    summary.secondAverage = AverageText(secondTotal, summary.secondNumber);
    summary.papersCompleted = std::to_string(summary.firstNumber) + " / " + std::to_string(paperCount);
    summary.weakest = NamedTopic(topicNames, ranking.weakest);
    summary.strongest = NamedTopic(topicNames, ranking.strongest);
    return summary;
}

std::array<TopicRow, kMaxTopics> TopicRows(const ScoreTally& tally, const Fields& topicNames,
                                           int topicCount) {
    std::array<TopicRow, kMaxTopics> rows;
    const int topics = TopicsInUse(topicCount);
    for (int t = 1; t <= kMaxTopics; ++t) {
        const TopicTally& topic = tally.topics[static_cast<std::size_t>(t - 1)];
        TopicRow& row = rows[static_cast<std::size_t>(t - 1)];
        row.visible = t <= topics;
        if (row.visible) row.name = TopicName(topicNames, t);
        row.firstMark = MarkText(topic.firstSum, topic.firstCount);
        row.secondMark = MarkText(topic.secondSum, topic.secondCount);
        row.firstBar = BarFraction(topic.firstSum, topic.firstCount);
        row.secondBar = BarFraction(topic.secondSum, topic.secondCount);
    }
    return rows;
}

}  // namespace qv
