#include "report/trend.h"

#include <algorithm>

#include "course/record_file.h"
#include "report/score_text.h"

namespace qv {

int CountTrendEntries(std::string_view record) {
    if (record.empty()) return 0;
    record.remove_suffix(1);
    return static_cast<int>(std::count(record.begin(), record.end(), '>'));
}

TrendFigures TrendFromRecord(std::string_view record) {
    TrendFigures trend;
    trend.entryCount = CountTrendEntries(record);
    // All entries are split so that a record longer than a module can hold
    // still shows its latest scores rather than its oldest.
    const Fields entries = SplitFields(record, FirstSeparatorIndex(3), trend.entryCount);
    const std::size_t firstKept =
        entries.size() > static_cast<std::size_t>(kTrendCapacity) ? entries.size() - kTrendCapacity : 0;
    trend.skippedEntries = static_cast<int>(firstKept);

    std::vector<double> scores;
    scores.reserve(entries.size() - firstKept);
    for (std::size_t i = firstKept; i < entries.size(); ++i) {
        if (const auto score = ParseScore(entries[i])) scores.push_back(*score);
        else ++trend.damagedEntries;
    }

    trend.skippedEntries += trend.damagedEntries;
    const std::size_t shown = std::min(scores.size(), static_cast<std::size_t>(kTrendPoints));
    const std::size_t first = scores.size() - shown;
    trend.points.reserve(shown);
    for (std::size_t k = 1; k <= shown; ++k) {
        const double value = scores[first + k - 1];
        trend.points.push_back({value, static_cast<double>(k) / kTrendSteps, (100.0 - value) / 100.0});
    }
    return trend;
}

}  // namespace qv
