#include "report/results_listing.h"

#include <algorithm>

namespace qv {

namespace {

// Start of the first zone that begins after `column`.
int NextZone(int column) { return ((column - 1) / kZoneColumns + 1) * kZoneColumns + 1; }

const std::string& FieldOf(const Fields& list, std::size_t index) {
    static const std::string empty;
    return index < list.size() ? list[index] : empty;
}

}  // namespace

ListingLine PlaceInZones(const std::vector<std::string>& items) {
    ListingLine line;
    int column = 1;
    for (const std::string& text : items) {
        line.push_back({column, text});
        // The next item starts at the next zone after the column just behind
        // this one, so an item that fills its zone is still followed by a gap.
        column = NextZone(column + static_cast<int>(text.size()));
    }
    return line;
}

std::vector<ListingLine> ResultsListing(std::string_view title, const ModuleConfig& module,
                                        const MarksLists& marks) {
    const std::string rule(kRuleLength, '-');
    const Fields& first = marks.firstScores;
    const Fields& second = marks.secondScores;
    const Fields& times = marks.timesTaken;
    const Fields& dates = marks.dates;

    std::vector<ListingLine> lines(2);
    lines.push_back(PlaceInZones({" ", std::string(title)}));
    lines.resize(lines.size() + 2);
    const int topics = std::clamp(module.topicCount, 0, kMaxTopics);
    for (int t = 1; t <= topics; ++t) {
        lines.resize(lines.size() + 2);
        lines.push_back(PlaceInZones({" ", FieldOf(module.topicNames, static_cast<std::size_t>(t - 1))}));
        lines.push_back(PlaceInZones({" ", rule}));
        lines.push_back(PlaceInZones({" ", "Papers", " ", "First take", "Time taken", "Date", " ", "Second take"}));
        lines.push_back(PlaceInZones({" ", " ", " ", "score", " ", " ", " ", "score"}));
        lines.push_back(PlaceInZones({" ", rule}));
        for (int p = 1; p <= kPapersPerTopic; ++p) {
            const auto entry = static_cast<std::size_t>((t - 1) * kPapersPerTopic + p - 1);
            lines.push_back(PlaceInZones({" ", "Paper " + std::to_string(p), " ", FieldOf(first, entry) + "%",
                                          FieldOf(times, entry), FieldOf(dates, entry), " ",
                                          FieldOf(second, entry) + "%"}));
            ListingLine& scores = lines.back();
            scores[3].figure = scores[7].figure = true;
        }
    }
    return lines;
}

std::string ListingLineText(const ListingLine& line) {
    std::string text;
    for (const ListingItem& item : line) {
        const auto start = static_cast<std::size_t>(item.column - 1);
        if (text.size() < start) text.resize(start, ' ');
        text.replace(start, std::string::npos, item.text);
    }
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

int ListingLineEnd(const ListingLine& line) {
    int end = 1;
    for (const ListingItem& item : line) end = std::max(end, item.column + static_cast<int>(item.text.size()));
    return end;
}

}  // namespace qv
