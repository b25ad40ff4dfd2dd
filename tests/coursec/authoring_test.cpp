// The course compiler as a teacher meets it at the terminal: what it says
// about a small course, where, and what it stores.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "course/file_system.h"
#include "sources.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

using coursec_test::kChoice;
using coursec_test::kHeader;
using coursec_test::Papers;

struct Output {
    int code = -1;
    std::string out, err;
};

// Runs the compiler (COURSEC in the environment names another build of it)
// in `dir` with the arguments.
Output Coursec(const TempDir& dir, const std::string& args) {
    const char* other = std::getenv("COURSEC");
    const std::string command = "cd \"" + dir.path().string() + "\" && \"" +
                                (other ? other : QUORVALE_COURSEC) + "\" " + args +
                                " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    Output run;
#ifdef _WIN32
    run.code = status;
#else
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    run.out = dir.Read("out.txt");
    run.err = dir.Read("err.txt");
    return run;
}

const std::string kFill = "Fill the gaps. Use each word only once. There are more words than gaps.";

struct MessageCase {
    const char* name;
    std::string header;
    std::string papers;
    int code;                       // the exit code
    std::vector<std::string> said;  // pieces of what it prints, in order
    std::string stored;             // a piece of the answer key it writes, or ""
};
void PrintTo(const MessageCase& c, std::ostream* os) {
    *os << c.name;
}

class CoursecSays : public testing::TestWithParam<MessageCase> {};

TEST_P(CoursecSays, WhatIsWrongWhereItIs) {
    const MessageCase& c = GetParam();
    TempDir dir;
    dir.Write("course.qvc", c.header);
    dir.Write("g.qvp", c.papers);
    const Output run = Coursec(dir, "course.qvc pack");
    EXPECT_EQ(run.code, c.code) << run.err;
    const std::string said = run.err + run.out;
    std::size_t at = 0;
    for (const std::string& piece : c.said) {
        at = said.find(piece, at);
        ASSERT_NE(at, std::string::npos) << "missing, or out of order: " << piece << "\nin:\n"
                                         << said;
    }
    if (!c.stored.empty()) {
        EXPECT_NE(dir.Read("pack/30023").find(c.stored), std::string::npos);
    }
}

std::string ManyFaults(int count) {
    std::string body = "A {T:a}.";
    for (int i = 0; i < count; ++i) body += "\nquestion\nB " + std::to_string(i) + " {Z:x}.";
    return Papers(body);
}

std::string FullCourse(int questions) {
    std::string papers;
    for (int key = 101; key <= 105; ++key) {
        papers += "paper " + std::to_string(key) + "\n";
        for (int q = 0; q < questions / 5; ++q)
            papers +=
                "question\nItem " + std::to_string(key) + "-" + std::to_string(q) + " {T:x}\n";
    }
    return papers;
}

const std::string kPassage =
    "## The Storm\nThe wind rose in the night.\nA storm broke over the hills.\n\nBy morning "
    "the river was high.\n\n";

INSTANTIATE_TEST_SUITE_P(
    SmallCourses, CoursecSays,
    testing::Values(
        // Typographic characters pasted from a word processor are kept as typed.
        MessageCase{
            "CurlyApostrophe",
            kHeader,
            Papers("words: Don\xE2\x80\x99t | do | did\n{T:Don\xE2\x80\x99t} run.", kFill),
            0,
            {"g.qvp:4: note: the box word \"Don\xE2\x80\x99t\" holds a curly apostrophe (U+2019)",
             "g.qvp:5: note: the answer \"Don\xE2\x80\x99t\" holds a curly apostrophe "
             "(U+2019): it is kept as \"Don't\""},
            "#13001#>Don't\r\n"},
        // A gap that opens a sentence takes its box word with a capital, accented too.
        MessageCase{"AccentedCapitalOfABoxWord", kHeader,
                    Papers("words: \xC3\xA9" "clair | cake | pie\nYum. {T:\xC3\x89" "clair} is nice.", kFill),
                    0, {}, "#13001#>\xC9" "clair\r\n"},
        MessageCase{"NonBreakingSpaceAfterBoxWord",
                    kHeader,
                    Papers("words: rusty\xC2\xA0 | old | new\nThe {T:rusty} gate.", kFill),
                    0,
                    {"g.qvp:4: note: the box word \"rusty<U+00A0>\" holds a non-breaking space "
                     "(U+00A0): it is kept as \"rusty\""},
                    "#13001#>rusty\r\n"},
        MessageCase{"NonBreakingHyphen",
                    kHeader,
                    Papers("It is {T:well\xE2\x80\x91known}."),
                    0,
                    {"g.qvp:4: note: the answer \"well\xE2\x80\x91known\" holds a non-breaking "
                     "hyphen (U+2011): it is kept as \"well-known\""},
                    "#13001#>well-known\r\n"},
        // Characters a pupil cannot type are named, with what to do.
        MessageCase{"CharacterOutsideTheFiles",
                    kHeader,
                    Papers("Tick {T:\xE2\x9C\x93}."),
                    1,
                    {"g.qvp:4: the answer \"\xE2\x9C\x93\" holds the character \"\xE2\x9C\x93\" "
                     "(U+2713), which the answer files cannot keep: write the answer without it"},
                    ""},
        MessageCase{"SoftHyphen",
                    kHeader,
                    Papers("It {T:rus\xC2\xADty} is."),
                    1,
                    {"g.qvp:4: the answer \"rus<U+00AD>ty\" holds a soft hyphen (U+00AD), which "
                     "a pupil can neither see nor type: delete it"},
                    ""},
        MessageCase{"NotInBoxNamesTheDifference",
                    kHeader,
                    Papers("words: caf\xC3\xA9 | tea\nA {T:cafe} here."),
                    1,
                    {"g.qvp:5: the answer \"cafe\" is not in the word box: the box word "
                     "\"caf\xC3\xA9\" has the character \"\xC3\xA9\" (U+00E9) where the answer "
                     "has the character \"e\" (U+0065)"},
                    ""},
        // The paragraphs a question names are the passage's.
        MessageCase{
            "ParagraphThatIsNotThere",
            kHeader,
            Papers(kPassage +
                       "{Q:1} In paragraph 3, the river was...\n1) high\n2) low\n3) wet\n4) dry",
                   ""),
            1,
            {"g.qvp:9: the question names paragraph 3, but the passage has 2 paragraphs "
             "(a blank line ends a paragraph: is one missing?)"},
            ""},
        MessageCase{
            "QuotationFromAnotherParagraph",
            kHeader,
            Papers(
                kPassage +
                    "{Q:1} In paragraph 2, \"storm\" means...\n1) rain\n2) sun\n3) wind\n4) snow",
                ""),
            1,
            {"g.qvp:9: the question names paragraph 2, but \"storm\" stands in paragraph 1"},
            ""},
        // What the instruction promises of the word box holds.
        MessageCase{"BoxWordKeyedTwice",
                    kHeader,
                    Papers("words: was | were | is\nIt {T:was} cold.\nIt {T:was} wet.", kFill),
                    1,
                    {"g.qvp:6: the box word \"was\" is the answer of two gaps (lines 5 and 6), but "
                     "the instruction says to use each word only once"},
                    ""},
        MessageCase{"BoxAsLongAsItsGaps",
                    kHeader,
                    Papers("words: was | were\nIt {T:was} cold and we {T:were} in.", kFill),
                    1,
                    {"g.qvp:4: the word box has 2 words for 2 gaps, but the instruction says "
                     "there are more words than gaps"},
                    ""},
        // A keyword written a little wrong is named on its own line, and read as meant.
        MessageCase{"MisspeltQuestion",
                    kHeader,
                    Papers(kChoice + "\nqustion\nwords: We | went | home\n{L:We went home.}"),
                    1,
                    {"g.qvp:10: unknown line `qustion` (did you mean `question`?)",
                     "coursec: 1 fault to correct"},
                    ""},
        MessageCase{"KeywordWithACapital",
                    kHeader,
                    Papers("Words: cat | dog\nThe {T:cat} sat."),
                    1,
                    {"g.qvp:4: `Words:` is written with a capital: keywords are lower case "
                     "(`words:`)",
                     "coursec: 1 fault to correct"},
                    ""},
        MessageCase{"MisspeltHeaderKeyword",
                    "title: T\ncode: T\nmodul 2: P\ntopic: Grammar | g.qvp\n",
                    Papers(kChoice),
                    1,
                    {"course.qvc:3: unknown line `modul 2:` (did you mean `module 2:`?)",
                     "coursec: 1 fault to correct"},
                    ""},
        // The course's size in words, at the first question over.
        MessageCase{"CourseFull",
                    kHeader,
                    FullCourse(1010),
                    1,
                    {"g.qvp:2016: the course is full (1005 questions) and this is question "
                     "1006: remove 5 questions to add 5"},
                    ""},
        // Every fault of a run, up to a number worth reading at once.
        MessageCase{"EveryFault",
                    kHeader,
                    ManyFaults(2),
                    1,
                    {"g.qvp:6: unknown answer type", "g.qvp:8: unknown answer type",
                     "coursec: 2 faults to correct; nothing was written"},
                    ""},
        MessageCase{"StopsAfterTwenty",
                    kHeader,
                    ManyFaults(25),
                    1,
                    {"g.qvp:44: unknown answer type",
                     "coursec: stopped after 20 faults; correct these and run coursec again"},
                    ""},
        // A course that builds is summed up, one line a topic.
        MessageCase{"Summary",
                    kHeader,
                    Papers("A {T:a} and {T:b}."),
                    0,
                    {"Grammar: 5 papers, 5 questions, 6 answers (g.qvp)",
                     "Test Course (TST): 1 module, 1 topic, 5 papers, 5 questions; room for 1000 "
                     "more questions"},
                    ""}),
    [](const auto& info) { return info.param.name; });

TEST(CoursecPreview, WritesEveryQuestionWithItsKeyAndAnIndex) {
    TempDir dir;
    dir.Write("course.qvc", kHeader);
    dir.Write("g.qvp",
              Papers(kChoice + "\nquestion\nwords: cat | dog | cow\nThe {T:cat} and {T2:dog}."));
    const Output run = Coursec(dir, "--preview look course.qvc");
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string index = dir.Read("look/index.html");
    for (const char* link : {"href=\"13001.html\"", "href=\"13002.html\"", "href=\"13006.html\""})
        EXPECT_NE(index.find(link), std::string::npos) << link;
    EXPECT_NE(index.find("Paper 1 (101)"), std::string::npos);
    const std::string choice = dir.Read("look/13001.html");
    EXPECT_NE(choice.find("<td class=\"number\">2</td><td>goes</td>"), std::string::npos);
    EXPECT_NE(choice.find("<b>2) goes</b>"), std::string::npos);  // the key, under the page
    const std::string cloze = dir.Read("look/13002.html");
    EXPECT_LT(cloze.find("</table>"), cloze.find("Key"));
    EXPECT_NE(cloze.find("<td>(b)</td><td><b>dog</b>"), std::string::npos);
    EXPECT_NE(cloze.find("</td><td>2</td></tr>"), std::string::npos);  // its marks
    EXPECT_FALSE(std::filesystem::exists(dir / "pack"));
}

// The program's own build packs the interface pictures apart from the course.
TEST(CoursecPack, ListsThePicturesApartFromTheCourse) {
    TempDir dir;
    dir.Write("course.qvc", kHeader);
    dir.Write("g.qvp", Papers(kChoice));
    const Output run = Coursec(dir, "--quiet --pictures \"" QUORVALE_COURSE_SOURCE "/../graphics\" --qrc course.qrc "
                                    "--pictures-qrc pictures.qrc course.qvc pack");
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string course = dir.Read("course.qrc"), pictures = dir.Read("pictures.qrc");
    EXPECT_NE(course.find("alias=\"13001\""), std::string::npos);
    EXPECT_EQ(pictures.find("alias=\"13001\""), std::string::npos);
    EXPECT_EQ(course.find("alias=\"1\""), std::string::npos);
    std::size_t listed = 0;
    for (std::size_t at = pictures.find("<file"); at != std::string::npos; at = pictures.find("<file", at + 1)) ++listed;
    EXPECT_EQ(listed, 91u);
}

// Saved answers belong to a paper's answers in order: a paper whose questions
// change is listed, and one that only moved to other question ids is not.
// A build that cannot be written whole writes nothing: the folder keeps the
// earlier build, every file of it, rather than a mix of the two.
TEST(CoursecPack, ABuildThatCannotBeWrittenLeavesTheEarlierOne) {
    TempDir dir;
    dir.Write("course.qvc", kHeader);
    dir.Write("g.qvp", Papers("A {T:x}."));
    ASSERT_EQ(Coursec(dir, "--quiet course.qvc pack").code, 0);
    const std::string page = dir.Read("pack/13001");
    dir.Write("g.qvp", Papers("Another {T:y}."));
    fs::remove(dir / "pack/30023");
    fs::create_directory(dir / "pack/30023");  // the answer key cannot be written
    const Output run = Coursec(dir, "--quiet course.qvc pack");
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("the earlier one is as it was"), std::string::npos) << run.err;
    EXPECT_EQ(dir.Read("pack/13001"), page);
    for (const auto& entry : fs::directory_iterator(dir / "pack")) {
        EXPECT_FALSE(qv::IsTemporaryName(entry.path().filename().string())) << entry.path();
    }
}

// A rebuild takes out the resources the course no longer has, and nothing else.
TEST(CoursecPack, ARebuildRemovesOnlyResourcesTheCourseNoLongerHas) {
    TempDir dir;
    dir.Write("course.qvc", kHeader);
    dir.Write("g.qvp", Papers("A {T:x}."));
    fs::create_directory(dir / "pack");
    dir.Write("pack/99999", "an old page");
    dir.Write("pack/notes.txt", "the teacher's own");
    ASSERT_EQ(Coursec(dir, "--quiet course.qvc pack").code, 0);
    EXPECT_FALSE(fs::exists(dir / "pack/99999"));
    EXPECT_TRUE(fs::exists(dir / "pack/notes.txt"));
    EXPECT_TRUE(fs::exists(dir / "pack/13001"));
}

TEST(CoursecPrevious, ListsThePapersWhoseQuestionsChanged) {
    struct Case {
        const char* name;
        std::string changed;            // the new paper file
        std::vector<std::string> said;  // pieces of what it prints
        std::string notSaid;
    };
    const std::string before = Papers(kChoice);
    std::string inserted = before;
    inserted.insert(inserted.find("paper 102"), "question\nA new one {T:x}.\n");
    std::string reworded = before;
    reworded.replace(reworded.find("Sentence 104"), 12, "Sentence 4");
    const Case cases[] = {
        {"Unchanged",
         before,
         {"no paper's questions have changed since the build in old"},
         "paper 10"},
        {"QuestionInserted",
         inserted,
         {"g.qvp:1: paper 101 (Grammar) has changed since the build in old: it has 2 questions (1 "
          "before)",
          "1 paper has changed: answers pupils saved for it would be read against other questions"},
         "paper 102"},
        {"QuestionReworded",
         reworded,
         {"g.qvp:26: paper 104 (Grammar) has changed", "question 1 differs"},
         "paper 103"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        dir.Write("course.qvc", kHeader);
        dir.Write("g.qvp", before);
        ASSERT_EQ(Coursec(dir, "--quiet course.qvc old").code, 0) << c.name;
        dir.Write("g.qvp", c.changed);
        const Output run = Coursec(dir, "--quiet --previous old course.qvc old");
        EXPECT_EQ(run.code, 0) << c.name << run.err;
        for (const std::string& piece : c.said)
            EXPECT_NE(run.out.find(piece), std::string::npos) << c.name << ": " << piece << "\n"
                                                              << run.out;
        EXPECT_EQ(run.out.find(c.notSaid), std::string::npos) << c.name << "\n" << run.out;
    }
}

}  // namespace
