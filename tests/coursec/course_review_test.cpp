// The warnings of the course compiler: words repeated from another question,
// a title another passage has.

#include <gtest/gtest.h>

#include <algorithm>

#include "course_review.h"
#include "sources.h"
#include "temp_dir.h"

namespace {

using coursec_test::kHeader;
using coursec_test::Papers;
using coursec_test::Read;

struct ReviewCase {
    const char* name;
    std::string body;     // paper 101's two questions
    std::string warning;  // a piece of the one warning, or "" for none
};

const std::string kChoices = "\n{Q:1}\n1) hunt\n2) hunts\n3) hunted\n4) hunting";

TEST(CourseReview, WarnsOfRepeatsAtTheLaterQuestion) {
    const ReviewCase cases[] = {
        {"EightWordsInARow",
         "Owls hunt at night and sleep during the day {T:x}.\nquestion\n"
         "Bats also hunt at night and sleep during the day {T:y}.",
         "shares the words \"hunt at night and sleep during the day\" with the question at"},
        {"SevenWordsInARow",
         "Owls hunt at night and sleep all day {T:x}.\nquestion\n"
         "Bats hunt at night and sleep all day too {T:y}.",
         ""},
        {"BlankReadWithTheRightOption",
         "Owls ______ at night and sleep during the day." + kChoices +
             "\nquestion\n"
             "Barn owls hunt at night and sleep during the day {T:y}.",
         "\"owls hunt at night and sleep during the day\""},
        {"WordOrderSentence",
         "The match was cancelled because the pitch was flooded {T:x}.\nquestion\n"
         "words: The match | was cancelled | because the pitch | was | covered in snow\n"
         "{L:The match was cancelled because the pitch was covered in snow.}",
         "\"The match was cancelled because the pitch was\""},
        {"SameWayOfAsking",
         "Which word or phrase is closest in meaning to \"big\" in this sentence: \"A big dog\"?" +
             kChoices +
             "\nquestion\nWhich word or phrase is closest in meaning to \"tiny\" in this sentence: "
             "\"A tiny "
             "cat\"?" +
             kChoices,
         ""},
        {"QuotedSentenceOfAQuestion",
         "What does \"glum\" mean in this sentence: \"Sam sat on the step looking glum after the "
         "match\"?" +
             kChoices + "\nquestion\nSam sat on the step looking glum after the match {T:x}.",
         "\"Sam sat on the step looking glum after the match\""},
        {"SameTitle", "## The Storm\nA {T:x}\nquestion\n## the storm\nB {T:y}",
         "the passage has the title \"the storm\", as the passage at"},
        {"OtherTitle", "## The Storm\nA {T:x}\nquestion\n## The Flood\nB {T:y}", ""},
    };
    for (const ReviewCase& c : cases) {
        TempDir dir;
        const auto warnings = coursec::ReviewCourse(Read(dir, kHeader, Papers(c.body)));
        if (c.warning.empty()) {
            EXPECT_TRUE(warnings.empty()) << c.name << ": " << warnings.front().text();
            continue;
        }
        ASSERT_EQ(warnings.size(), 1u) << c.name;
        // The second question: after line 3 ("question") and the first question's lines.
        const auto split = c.body.find("\nquestion\n");
        const int line = 5 + static_cast<int>(std::count(
                                 c.body.begin(), c.body.begin() + static_cast<long>(split), '\n'));
        const std::string text = warnings[0].text();
        EXPECT_EQ(
            text.rfind((dir / "g.qvp").string() + ":" + std::to_string(line) + ": warning: ", 0),
            0u)
            << c.name << ": " << text;
        EXPECT_NE(text.find(c.warning), std::string::npos) << c.name << ": " << text;
        EXPECT_NE(text.find("g.qvp:3"), std::string::npos) << c.name << ": " << text;
    }
}

}  // namespace
