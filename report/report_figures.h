#pragma once

// The figures of the report page of one module, from its scores: the
// overall summary (averages, papers completed, strongest and weakest topic)
// and the rows of the topical chart. Everything is recomputed from nothing on
// each call; nothing is kept between two showings of the page.

#include <array>
#include <string>
#include <string_view>

#include "course/course_config.h"
#include "course/course_limits.h"
#include "course/record_file.h"

namespace qv {

// A topic that counts in every average and has its bars, but is never named
// strongest or weakest (compared exactly, letter case included).
inline constexpr std::string_view kMockExaminationName = "Mock Examination";

// The marked attempts of one topic's five papers.
struct TopicTally {
    int firstCount = 0;   // papers with a first-attempt score
    double firstSum = 0;  // the sum of those scores
    int secondCount = 0;
    double secondSum = 0;

    bool attempted() const { return firstCount > 0; }
};

struct ScoreTally {
    std::array<TopicTally, kMaxTopics> topics{};  // topic t at t - 1
    int damagedScores = 0;  // non-empty texts that are not a score from 0 to 100: left out
};

// Paper p (1..5) of topic t (1..topicCount) is entry 5(t - 1) + p of the
// score lists (record FSE and SSE of the marks file). Empty texts are
// skipped; entries beyond a list's end count as empty. Topics beyond the
// topic count keep zero counts and sums.
ScoreTally TallyScores(const Fields& firstScores, const Fields& secondScores, int topicCount);

// The average used to rank a topic: 0 when it has no first attempt; over all
// its marked attempts, first and second alike, when it has a second one;
// otherwise over its first attempts.
double RankingAverage(const TopicTally& tally);

struct TopicRanking {
    int attemptedTopics = 0;
    int weakest = 0;    // topic number 1..10; 0 when none is named
    int strongest = 0;
};

// The weakest and strongest of the attempted topics other than the mock
// examination, each walk keeping the later topic on equal averages. Nothing is
// named when fewer than two topics are attempted.
TopicRanking RankTopics(const ScoreTally& tally, const Fields& topicNames, int topicCount);

// The "Overall Results" section: the texts of its value labels.
struct ReportSummary {
    std::string firstAverage;     // OScore1: "87.5%" or "-"
    std::string secondAverage;    // OScore2
    std::string papersCompleted;  // PCNum: "12 / 50", first attempts only
    std::string weakest;          // WT: " Grammar" or "-"
    std::string strongest;        // ST
    int firstNumber = 0;          // papers with a first-attempt score
    int secondNumber = 0;
};

ReportSummary SummariseScores(const ScoreTally& tally, const TopicRanking& ranking,
                              const Fields& topicNames, int paperCount);

// One row of the "Topical Results" chart. Bar lengths are fractions (0..1)
// of the track's inner width; the page multiplies them by the inner width of
// the first row's tracks, the same for every row.
struct TopicRow {
    std::string name;        // TopLab: empty beyond the topic count
    std::string firstMark;   // TMark..A: "87.5%", or empty without a first attempt
    std::string secondMark;  // TMark..B
    double firstBar = 0;     // from the unrounded average
    double secondBar = 0;
    bool visible = false;    // the row's label and tracks: rows 1..topic count
};

std::array<TopicRow, kMaxTopics> TopicRows(const ScoreTally& tally, const Fields& topicNames,
                                           int topicCount);

}  // namespace qv
