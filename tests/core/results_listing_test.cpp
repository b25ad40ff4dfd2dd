// The printed listing of a module's results, as text.

#include <gtest/gtest.h>

#include "report/results_listing.h"

namespace {

using qv::ListingItem;
using qv::ListingLine;

qv::ModuleConfig Module(int topics) {
    qv::ModuleConfig module;
    module.label = "Two";
    module.topicCount = topics;
    module.paperCount = 5 * topics;
    for (int t = 0; t < topics; ++t) module.topicNames[t] = "Topic " + std::to_string(t + 1);
    return module;
}

// Empty records of `papers` entries, with the given entries (0-based) filled.
struct Entry {
    std::size_t index;
    std::string first, time, date, second;
};
qv::MarksLists Marks(int papers, const std::vector<Entry>& entries) {
    qv::MarksLists marks;
    for (qv::MarksRecord record : qv::kMarksRecords) marks[record].assign(static_cast<std::size_t>(papers), "");
    for (const Entry& e : entries) {
        marks.firstScores[e.index] = e.first;
        marks.timesTaken[e.index] = e.time;
        marks.dates[e.index] = e.date;
        marks.secondScores[e.index] = e.second;
    }
    return marks;
}

TEST(PlaceInZones, EachItemStartsAtTheNextZone) {
    struct Case {
        std::vector<std::string> items;
        std::vector<int> columns;
    };
    const Case cases[] = {
        {{}, {}},
        {{"a"}, {1}},
        {{" ", "Title"}, {1, 15}},
        {{"a", "b", "c", "d", "e", "f", "g", "h"}, {1, 15, 29, 43, 57, 71, 85, 99}},
        {{"", "x"}, {1, 15}},                           // an empty item still takes its zone
        {{"13 characters", "x"}, {1, 15}},              // ends in its own zone
        {{"fourteen chars", "x"}, {1, 29}},             // fills its zone: no item runs into the next
        {{" ", std::string(128, '-'), "x"}, {1, 15, 155}},
    };
    for (const Case& c : cases) {
        const ListingLine line = qv::PlaceInZones(c.items);
        ASSERT_EQ(line.size(), c.columns.size());
        for (std::size_t i = 0; i < line.size(); ++i) {
            EXPECT_EQ(line[i].column, c.columns[i]) << "item " << i << " of " << testing::PrintToString(c.items);
            EXPECT_EQ(line[i].text, c.items[i]);
        }
    }
}

TEST(ResultsListing, TitleTopicBlocksAndPaperLines) {
    const auto lines = qv::ResultsListing(
        "English Practice", Module(2),
        Marks(10, {{0, "90", "0:12:5", "09/12/2026", "100"}, {1, "88.8", "1:0:0", "10/12/2026", ""},
                   {5, "0", "0:0:40", "11/12/2026", "0"}}));
    std::vector<std::string> text;
    for (const auto& line : lines) text.push_back(qv::ListingLineText(line));
    const std::string rule(128, '-');
    const std::vector<std::string> expected = {
        "",
        "",
        "              English Practice",
        "",
        "",
        "",
        "",
        "              Topic 1",
        "              " + rule,
        "              Papers                      First take    Time taken    Date                        Second take",
        "                                          score                                                   score",
        "              " + rule,
        "              Paper 1                     90%           0:12:5        09/12/2026                  100%",
        "              Paper 2                     88.8%         1:0:0         10/12/2026                  %",
        "              Paper 3                     %                                                       %",
        "              Paper 4                     %                                                       %",
        "              Paper 5                     %                                                       %",
        "",
        "",
        "              Topic 2",
        "              " + rule,
        "              Papers                      First take    Time taken    Date                        Second take",
        "                                          score                                                   score",
        "              " + rule,
        "              Paper 1                     0%            0:0:40        11/12/2026                  0%",
        "              Paper 2                     %                                                       %",
        "              Paper 3                     %                                                       %",
        "              Paper 4                     %                                                       %",
        "              Paper 5                     %                                                       %",
    };
    EXPECT_EQ(text, expected);
}

TEST(ResultsListing, EveryTopicHasFivePaperLines) {
    struct Case {
        int topics;
        std::size_t blocks;
    };
    for (const Case c : {Case{1, 1}, Case{8, 8}, Case{10, 10}, Case{0, 0}, Case{12, 10}}) {
        const auto lines = qv::ResultsListing("T", Module(std::min(c.topics, 10)), Marks(50, {}));
        std::size_t papers = 0, rules = 0;
        for (const auto& line : lines) {
            const std::string text = qv::ListingLineText(line);
            if (text.find("Paper ") != std::string::npos) ++papers;
            if (text.find(std::string(128, '-')) != std::string::npos) ++rules;
        }
        EXPECT_EQ(papers, 5 * c.blocks) << c.topics;
        EXPECT_EQ(rules, 2 * c.blocks) << c.topics;
        EXPECT_EQ(lines.size(), 5 + 12 * c.blocks) << c.topics;
    }
    // More topics named in the count than the configuration allows are not printed.
    auto module = Module(10);
    module.topicCount = 12;
    EXPECT_EQ(qv::ResultsListing("T", module, Marks(50, {})).size(), 5u + 12 * 10);
}

TEST(ResultsListing, ShortOrMissingRecordsPrintAsNeverTaken) {
    qv::MarksLists marks;  // a marks file that held nothing
    marks.firstScores = {"75"};
    const auto lines = qv::ResultsListing("T", Module(1), marks);
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(qv::ListingLineText(lines[12]), "              Paper 1                     75%" + std::string(53, ' ') + "%");
    EXPECT_EQ(qv::ListingLineText(lines[16]), "              Paper 5                     %" + std::string(55, ' ') + "%");
}

TEST(ResultsListing, ItemsKeepTheirZonesAndTheLineEnds) {
    const auto lines = qv::ResultsListing("T", Module(1), Marks(5, {{0, "100", "0:1:2", "1/2/2026", "66.7"}}));
    const ListingLine& paper = lines[12];
    const std::vector<int> columns = {1, 15, 29, 43, 57, 71, 85, 99};
    ASSERT_EQ(paper.size(), columns.size());
    for (std::size_t i = 0; i < paper.size(); ++i) EXPECT_EQ(paper[i].column, columns[i]);
    EXPECT_EQ(paper[3], (ListingItem{43, "100%", true}));  // the scores print as the user writes them
    EXPECT_EQ(paper[7], (ListingItem{99, "66.7%", true}));
    EXPECT_FALSE(paper[5].figure);  // the date is stored as the user wrote it
    EXPECT_EQ(qv::ListingLineEnd(paper), 99 + 5);
    EXPECT_EQ(qv::ListingLineEnd(lines[8]), 15 + 128);
    EXPECT_EQ(qv::ListingLineEnd({}), 1);
}

}  // namespace
