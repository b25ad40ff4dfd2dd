#pragma once

// The printed listing of a module's past results: a title, then a block for
// every topic with a line for each of its five papers (first score, time
// taken, date, second score). A line is a row of items in print zones 14
// character columns wide: the first item starts in column 1 and every
// further item at the start of the next zone, so zones begin at columns 1,
// 15, 29, ... An item longer than its zone pushes the next item on to the
// zone after the one it ends in. The widget that prints the listing only
// turns columns into positions on the page.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "course/course_config.h"
#include "course/course_limits.h"
#include "course/marks_lists.h"
#include "course/record_file.h"

namespace qv {

inline constexpr int kZoneColumns = 14;
inline constexpr int kRuleLength = 128;

struct ListingItem {
    int column = 1;     // from 1
    std::string text;   // stored bytes (Windows-1252)
    bool figure = false;  // a score, which the printing writes with the user's decimal separator

    bool operator==(const ListingItem&) const = default;
};
// An empty line has no items.
using ListingLine = std::vector<ListingItem>;

// The items in zones, one after the other. " " leaves a zone empty.
ListingLine PlaceInZones(const std::vector<std::string>& items);

// The whole listing for `module`, whose marks file records (FSE, SSE, LTM,
// CDD, FST, SST, as ReadModuleMarks gives them) are `marks`. Every paper of
// every topic is listed, also those never taken; scores are given as
// stored, followed by "%", and marked as figures. Missing names or fields
// print as empty.
std::vector<ListingLine> ResultsListing(std::string_view title, const ModuleConfig& module,
                                        const MarksLists& marks);

// The line as plain text: each item from its column, blanks between, none
// at the end.
std::string ListingLineText(const ListingLine& line);

// The column just after the line's last character (1 for an empty line).
int ListingLineEnd(const ListingLine& line);

}  // namespace qv
