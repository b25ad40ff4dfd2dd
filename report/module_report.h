#pragma once

// Every figure of a module's report page, from its marks file and its trend
// file. The report only reads: no result file is written here.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "course/course_config.h"
#include "report/learning_gain.h"
#include "report/report_figures.h"
#include "report/trend.h"

namespace qv {

// A file the report could not read, with the sentence that tells the pupil.
struct ReportProblem {
    std::filesystem::path file;
    std::string words;
    bool values = false;  // the file reads well, but some of its scores are not scores and are left out
};

struct ModuleReport {
    ScoreTally tally;       // per-topic counts and sums
    TopicRanking ranking;
    ReportSummary summary;  // the "Overall Results" texts
    std::array<TopicRow, kMaxTopics> rows;  // the "Topical Results" rows 1..10
    TrendFigures trend;     // the "Trend Analysis" points
    LearningGain gain;      // the "Learning Gain" bars and sentence
    std::vector<ReportProblem> problems;  // each file that could not be read
};

// From values in memory: the first and second scores as the marks file's
// records FSE and SSE hold them, and the trend record line.
ModuleReport ComputeModuleReport(const ModuleConfig& module, const Fields& firstScores,
                                 const Fields& secondScores, std::string_view trendRecord);

// Reads the marks file, the trend file and the two results files of the
// slot and computes the report. A file that cannot be read counts as holding no results and is
// named in `problems`.
ModuleReport LoadModuleReport(const std::filesystem::path& workDir, int slot, std::string_view code,
                              const ModuleConfig& module);

}  // namespace qv
