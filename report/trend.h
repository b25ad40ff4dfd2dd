#pragma once

// The points of the trend plot: the first-attempt scores of the most recent
// papers, oldest first, as the trend record lists them in the order of
// marking ("#TRD#>88.8>75>100").

#include <string_view>
#include <vector>

namespace qv {

inline constexpr int kTrendCapacity = 50;  // a module has at most 50 papers
inline constexpr int kTrendPoints = 20;    // the plot shows the latest 20
inline constexpr int kTrendSteps = kTrendPoints + 1;  // point k stands at k / 21 of the width

// One point. x and y are fractions of the plot's inner width and height,
// measured from its top left corner: x = k / 21 for point k (1..20), y = 0 for
// 100% and 1 for 0%. The line to the first point starts at the bottom left
// corner (0, 1); each point also has a drop line down to the bottom edge.
struct TrendPoint {
    double value = 0;  // the score, 0..100
    double x = 0;
    double y = 0;
};

struct TrendFigures {
    int entryCount = 0;       // entries in the record
    int skippedEntries = 0;   // dropped: older than the last 50, or not a score from 0 to 100
    int damagedEntries = 0;   // of the latest 50, those that are not a score from 0 to 100
    std::vector<TrendPoint> points;  // at most 20, oldest first
};

// The number of entries: the '>' characters of the record, its last
// character not examined. An empty record and "#TRD#" have none.
int CountTrendEntries(std::string_view record);

// The points of a record. Only the latest 50 entries are read; of those, the
// ones that are not a score are skipped, and the latest 20 scores are plotted.
TrendFigures TrendFromRecord(std::string_view record);

}  // namespace qv
