#include <gtest/gtest.h>

#include <regex>

#include "course/record_file.h"
#include "course/text.h"
#include "course_source.h"
#include "course_writer.h"
#include "source_text.h"
#include "sources.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

using coursec_test::kChoice;
using coursec_test::kHeader;
using coursec_test::Papers;
using coursec_test::Read;

struct FaultCase {
    const char* name;
    std::string header;
    std::string papers;
    std::string file;  // "course.qvc" or "g.qvp"
    int line;
    std::string message;  // a piece of the message
};
void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

class CoursecFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(CoursecFaults, StopsAtTheFirstFaultWithFileAndLine) {
    const FaultCase& c = GetParam();
    TempDir dir;
    try {
        Read(dir, c.header, c.papers);
        FAIL() << "no fault found";
    } catch (const coursec::SourceError& error) {
        const std::string what = error.what();
        EXPECT_EQ(fs::path(error.file()).filename(), c.file) << what;
        EXPECT_EQ(error.line(), c.line) << what;
        EXPECT_NE(what.find(c.message), std::string::npos) << what;
        EXPECT_EQ(what.rfind((dir / c.file).string() + ":" + std::to_string(c.line) + ": ", 0), 0u)
            << what;
    }
}

// A choice question of four options with the given key.
std::string ChoiceWithKey(const std::string& key) {
    return "Q?\n{Q:" + key + "}\n1) a\n2) b\n3) c\n4) d";
}

std::string WithoutPaper105() {
    std::string text = Papers(kChoice);
    return text.substr(0, text.find("paper 105"));
}

INSTANTIATE_TEST_SUITE_P(
    Sources, CoursecFaults,
    testing::Values(
        FaultCase{"UnknownType", kHeader, Papers("A {Z:1} b."), "g.qvp", 4, "unknown answer type"},
        FaultCase{"ZeroMark", kHeader, Papers("A {T0:cat} b."), "g.qvp", 4, "mark"},
        FaultCase{"KeyOutsideOptions", kHeader, Papers(ChoiceWithKey("5")), "g.qvp", 5,
                  "not one of the options shown"},
        FaultCase{"ThreeOptions", kHeader, Papers("Q?\n{Q:1}\n1) a\n2) b\n3) c"), "g.qvp", 5,
                  "asks for 4"},
        FaultCase{"SameOptionTwice", kHeader, Papers("Q?\n{Q:1}\n1) a\n2) b\n3) A\n4) d"), "g.qvp",
                  8, "same as option 1"},
        FaultCase{"SameOptionInBold", kHeader, Papers("Q?\n{Q:1}\n1) a\n2) *a*\n3) c\n4) d"),
                  "g.qvp", 7, "same as option 1"},
        FaultCase{"OptionsOutOfOrder", kHeader, Papers("Q?\n{Q:1}\n1) a\n3) b"), "g.qvp", 7,
                  "out of order"},
        FaultCase{"OptionWithoutChoice", kHeader, Papers("Q?\n1) a"), "g.qvp", 5,
                  "does not follow a choice"},
        FaultCase{"NoParts", kHeader, Papers("Just text."), "g.qvp", 3, "has no answer"},
        FaultCase{"TwentyOneParts", kHeader, Papers([] {
                      std::string text;
                      for (int i = 0; i < 21; ++i) text += "w {T:x} ";
                      return text;
                  }()),
                  "g.qvp", 3, "at most 20"},
        FaultCase{"WrongPaperKey", kHeader, "paper 102\n", "g.qvp", 1, "paper 101 comes here"},
        FaultCase{"FourPapers", kHeader, WithoutPaper105(), "g.qvp", 33, "exactly 5"},
        FaultCase{"PaperWithoutQuestion", kHeader, "paper 101\nparagraph\n", "g.qvp", 2,
                  "outside a question"},
        FaultCase{"WordNotInBox", kHeader, Papers("words: cat | dog\nThe {T:cow} sat."), "g.qvp", 5,
                  "not in the word box"},
        FaultCase{"WordOrderUsesOtherWords", kHeader,
                  Papers("words: We | home | went\n{L:We went to home.}"), "g.qvp", 5,
                  "\"to\" is not in the box"},
        FaultCase{"WordOrderWithoutFullStop", kHeader,
                  Papers("words: We | went | home\n{L:We went home}"), "g.qvp", 5, "full stop"},
        FaultCase{"BlankThatIsNoPart", kHeader, Papers("The cat ____ on the {T:mat}."), "g.qvp", 4,
                  "is not an answer"},
        FaultCase{"WebAddress", kHeader, Papers("See https://example.org {T:x}"), "g.qvp", 4,
                  "outside the program"},
        FaultCase{"UnclosedPart", kHeader, Papers("A {T:cat b."), "g.qvp", 4, "not closed"},
        FaultCase{"KeyWithSeparator", kHeader, Papers("A {T:a>b} b."), "g.qvp", 4, "'>'"},
        FaultCase{"KeyOutsideCodePage", kHeader, Papers("A {T:\xE2\x9C\x93} b."), "g.qvp", 4,
                  "the character \"\xE2\x9C\x93\" (U+2713)"},
        FaultCase{"RepeatedQuestion", kHeader,
                  Papers("Sentence 105 ______.\n{Q:3}\n1) a\n2) b\n3) c\n4) d"), "g.qvp", 35,
                  "repeats the one at"},
        FaultCase{"LowerCaseCode", "title: T\ncode: tst\nmodule 2: P\ntopic: G | g.qvp\n",
                  Papers(kChoice), "course.qvc", 2, "upper-case"},
        FaultCase{"ModuleTwice", "title: T\ncode: T\nmodule 2: P\ntopic: G | g.qvp\nmodule 2: Q\n",
                  Papers(kChoice), "course.qvc", 5, "declared twice"},
        FaultCase{"ElevenTopics",
                  "title: T\ncode: T\nmodule 1: P\n" +
                      [] {
                          std::string topics;
                          for (int i = 0; i < 11; ++i)
                              topics += "topic: T" + std::to_string(i) + " | g.qvp\n";
                          return topics;
                      }(),
                  Papers(kChoice), "course.qvc", 14, "at most 10 topics"},
        FaultCase{"MissingPaperFile", "title: T\ncode: T\nmodule 2: P\ntopic: G | nothing.qvp\n",
                  Papers(kChoice), "course.qvc", 4, "cannot read"},
        FaultCase{"NoTitle", "code: T\nmodule 2: P\ntopic: G | g.qvp\n", Papers(kChoice),
                  "course.qvc", 3, "no title"},
        FaultCase{"NameWithSeparator", "title: T\ncode: T\nmodule 2: P>Q\ntopic: G | g.qvp\n",
                  Papers(kChoice), "course.qvc", 3, "'>'"},
        // Only UTF-8 text builds, and a bad byte is named where it stands.
        FaultCase{"StrayByte", kHeader, Papers("Caf\xE9 {T:x}"), "g.qvp", 4,
                  "not valid UTF-8 (byte 0xE9 at column 4)"},
        FaultCase{"StrayByteInComment", kHeader, "% \xFF\n" + Papers(kChoice), "g.qvp", 1,
                  "not valid UTF-8"},
        FaultCase{"OverlongSeparatorInKey", kHeader,
                  Papers("A {T:a\xC0\xBE"
                         "b} b."),
                  "g.qvp", 4, "not valid UTF-8"},
        FaultCase{"CutOffAtLineEnd", kHeader, Papers("A {T:x} \xE2\x82"), "g.qvp", 4,
                  "not valid UTF-8"},
        FaultCase{"SurrogateInTitle",
                  "title: T\xED\xA0\x80\ncode: T\nmodule 2: P\ntopic: G | g.qvp\n", Papers(kChoice),
                  "course.qvc", 1, "not valid UTF-8"},
        FaultCase{"ControlCharacter", kHeader, Papers("A\x01 {T:x}"), "g.qvp", 4,
                  "control character 0x01"},
        // The pupil types one digit; only a key of one digit can be marked right.
        FaultCase{"ChoiceKeyWithLeadingZero", kHeader, Papers(ChoiceWithKey("02")), "g.qvp", 5,
                  "write one digit, 1 to 4"},
        FaultCase{"ChoiceKeyZero", kHeader, Papers(ChoiceWithKey("0")), "g.qvp", 5, "one digit"},
        FaultCase{"ChoiceKeyWithSign", kHeader, Papers(ChoiceWithKey("+1")), "g.qvp", 5,
                  "one digit"},
        // An answer part stands only in a text line, where it is read.
        FaultCase{"PartInOption", kHeader, Papers("Q?\n{Q:1}\n1) a\n2) {T:b}\n3) c\n4) d"), "g.qvp",
                  7, "cannot stand in an option"},
        FaultCase{"PartInHeading", kHeader, Papers("## Gap {T:x}\nA {T:y}"), "g.qvp", 4,
                  "cannot stand in a heading"},
        FaultCase{"BraceInBox", kHeader, Papers("words: a} | b\nA {T:b}"), "g.qvp", 4,
                  "cannot stand in a word box"},
        FaultCase{"BraceInInstruction", kHeader, Papers(kChoice, "Fill {T:x}."), "g.qvp", 2,
                  "cannot stand in an instruction"},
        FaultCase{"WordOrderWithoutBox", kHeader, Papers("{L:We went home.}"), "g.qvp", 4,
                  "needs the word box"},
        // Box questions word their instruction one way.
        FaultCase{"BoxRuleNotSaid", kHeader + "box rule: Use each word once.\n",
                  Papers("words: cat | dog\nThe {T:cat} sat."), "g.qvp", 2,
                  "must say \"Use each word once.\""},
        FaultCase{"BoxRuleWithoutInstruction", kHeader + "box rule: Use each word once.\n",
                  Papers("words: cat | dog\nThe {T:cat} sat.", ""), "g.qvp", 2,
                  "has no instruction"},
        FaultCase{"BoxRuleWithoutBox", kHeader + "box rule: Use each word once.\n",
                  Papers(kChoice, "Choose. Use each word once."), "g.qvp", 3, "has no word box"},
        FaultCase{"EmptyBoxRule", kHeader + "box rule:\n", Papers(kChoice), "course.qvc", 8,
                  "box rule is empty"},
        FaultCase{
            "WordOrderKeySplitsABox", kHeader,
            Papers("words: knocked down | trees | The storm\n{L:The storm knocked trees down.}"),
            "g.qvp", 5, "splits a box"},
        // Word-order questions say that a box stays together.
        FaultCase{"OrderRuleNotSaid", kHeader + "order rule: Keep each box together.\n",
                  Papers("words: We | went home\n{L:We went home.}", "Order."), "g.qvp", 2,
                  "must say \"Keep each box together.\""},
        FaultCase{"OrderRuleWithoutWordOrder", kHeader + "order rule: Keep each box together.\n",
                  Papers(kChoice, "Choose. Keep each box together."), "g.qvp", 3,
                  "has no word-order answer"},
        // A model answer that opens a sentence is shown with its capital.
        FaultCase{"LowerCaseAfterFullStop", kHeader, Papers("It rained. {T:we} stayed in."),
                  "g.qvp", 4, "write \"We\""},
        FaultCase{"LowerCaseOpensParagraph", kHeader, Papers("Text.\n\n{T:so} we ran."), "g.qvp", 6,
                  "start of a sentence"},
        FaultCase{"LowerCaseAfterSpeakerName", kHeader, Papers("Amara: {T:which} is best?"),
                  "g.qvp", 4, "start of a sentence"},
        FaultCase{"LowerCaseOpensQuotation", kHeader, Papers("Mum said, \"{T:come} here.\""),
                  "g.qvp", 4, "start of a sentence"},
        FaultCase{"LowerCaseInGroup", kHeader, Papers("Go! {G:;Now;soon} we ran."), "g.qvp", 4,
                  "write \"Soon\""},
        // A box of many pieces alike is checked at once.
        FaultCase{"SplitsABoxOfManyAlike", kHeader,
                  Papers("words: " + [] { std::string w; for (int i = 0; i < 16; ++i) w += "x | "; return w; }() +
                         "y z\n{L:x x x x x x x x x x x x x x x y x z.}"),
                  "g.qvp", 5, "splits a box"},
        // Keys the marking could never count right, or would read otherwise.
        FaultCase{"ThousandsComma", kHeader, Papers("It cost {N:1,000} pounds."), "g.qvp", 4,
                  "comma as the decimal point"},
        FaultCase{"NumberNotTypeable", kHeader, Papers("It is {N:inf} big."), "g.qvp", 4,
                  "not a number a pupil can type"},
        FaultCase{"SpellingOfThreeWords", kHeader, Papers("We saw {R:New York City} at last."), "g.qvp",
                  4, "one space at the most"},
        FaultCase{"FurtherPartWithoutGroup", kHeader, Papers("A {T:cat} and {G:} here."), "g.qvp", 4,
                  "follows the first part of its group"},
        FaultCase{"GroupWithoutAnswers", kHeader, Papers("A {G:;} here."), "g.qvp", 4,
                  "lists no answer"},
        FaultCase{"GroupWithTooFewAnswers", kHeader, Papers("A {G:;red;blue}, {G:} and {G:} here."),
                  "g.qvp", 4, "3 parts but lists 2 answers"},
        FaultCase{"BoxInstructionChangesInPaper", kHeader,
                  Papers("words: cat | dog\nThe {T:cat} sat.\ninstruction: "
                         "Other.\nquestion\nwords: cow | hen\n"
                         "The {T:hen} ran."),
                  "g.qvp", 6, "carries the same instruction"}),
    [](const auto& info) { return info.param.name; });

TEST(Coursec, AnAddressIsToldApartFromWordsOfTheText) {
    const struct {
        const char* text;
        bool address;
    } cases[] = {{"See https://example.org", true}, {"Go to WWW.example.org", true}, {"(file:///etc/passwd)", true},
                 {"mailto:head@school.org", true}, {"ftp://files", true}, {"Read her profile: she sings", false},
                 {"Open the file: it is short", false}, {"Use a knife:", false}};
    for (const auto& c : cases) EXPECT_EQ(coursec::HasExternalReference(c.text), c.address) << c.text;
}

TEST(Coursec, WritesTheRecordsOfAModule) {
    TempDir dir;
    const auto course =
        Read(dir, kHeader,
             Papers("words: went | was | sat\n## A Day\nWe {T:went} out and the sun {T2:was} hot.\n"
                    "question\nQ?\n{Q:3}\n1) a\n2) b\n3) c\n4) d"));
    const auto resources = coursec::BuildCourseResources(course);

    EXPECT_EQ(resources.at(30000),
              "...\r\n#NME#>Test "
              "Course\r\n#COD#>TST\r\n#LBH#>Practice\r\n-------------------------------\r\n"
              "#TT2#>1\r\n#TP2#>5\r\n#TN2#>Grammar\r\n...");
    EXPECT_EQ(resources.at(30022).rfind("...\r\n#101#>13001>13002\r\n#102#>13003\r\n", 0), 0u);
    EXPECT_EQ(resources.at(30023).rfind("...\r\n#13001#>went>was\r\n#13002#>3\r\n#13003", 0), 0u);
    EXPECT_EQ(resources.at(30024).rfind("...\r\n#13001#>T>T\r\n#13002#>Q\r\n#1300", 0), 0u);
    EXPECT_EQ(resources.at(30025).rfind("...\r\n#13001#>1>2\r\n#13002#>1\r\n#1300", 0), 0u);
    EXPECT_EQ(resources.at(30122),
              "...\r\n#101#>>>\r\n#102#>\r\n#103#>\r\n#104#>\r\n#105#>\r\n...");
    EXPECT_EQ(resources.at(30122), resources.at(30125));
    EXPECT_EQ(resources.at(30121),
              "...\r\n#FSE#>>>>>\r\n#SSE#>>>>>\r\n#LTM#>>>>>\r\n#CDD#>>>>>\r\n#FST#>0>0>0>0>0\r\n"
              "#SST#>0>0>0>0>0\r\n...");
    EXPECT_EQ(resources.at(30126), "#TRD#");
    EXPECT_EQ(resources.count(30012), 0u);  // only configured modules have resources
    EXPECT_EQ(resources.count(13006), 1u);
    EXPECT_EQ(resources.count(13007), 0u);
}

TEST(Coursec, QuestionIdsRunThroughTheThreeRanges) {
    TempDir dir;
    std::string papers;
    // 1005 questions: 201 in each paper.
    int n = 0;
    for (int key = 101; key <= 105; ++key) {
        papers += "paper " + std::to_string(key) + "\n";
        for (int q = 0; q < 201; ++q)
            papers += "question\nItem " + std::to_string(n++) + " {T:x}\n";
    }
    const auto course = Read(dir, kHeader, papers);
    const auto& questions = course.modules[0].topics[0].papers;
    EXPECT_EQ(questions[0].questions[0].id, 13001);
    EXPECT_EQ(questions[1].questions[143].id, 13345);  // question 345
    EXPECT_EQ(questions[1].questions[144].id, 14001);  // question 346
    EXPECT_EQ(questions[4].questions[200].id, 15330);  // question 1005

    papers += "question\nOne more {T:x}\n";
    EXPECT_THROW(Read(dir, kHeader, papers), coursec::SourceError);
}

TEST(Coursec, PageIsSinglePartQuotedPrintableAscii) {
    TempDir dir;
    const auto course =
        Read(dir, kHeader,
             Papers("A caf\xC3\xA9 = *bold* <tag> & " + std::string(120, 'x') + " {T:x} {T:y}"));
    const auto& question = course.modules[0].topics[0].papers[0].questions[0];
    const std::string page = coursec::BuildQuestionPage(course, question);

    const std::size_t body = page.find("\r\n\r\n");
    ASSERT_NE(body, std::string::npos);
    const std::string header = page.substr(0, body);
    EXPECT_NE(header.find("MIME-Version: 1.0\r\n"), std::string::npos);
    EXPECT_NE(header.find("Content-Type: text/html;\r\n\tcharset=\"us-ascii\""), std::string::npos);
    EXPECT_NE(header.find("Content-Transfer-Encoding: quoted-printable"), std::string::npos);
    EXPECT_NE(header.find("Content-Location: "), std::string::npos);
    EXPECT_EQ(header.find("multipart"), std::string::npos);

    for (char c : page) EXPECT_LT(static_cast<unsigned char>(c), 128u);
    std::size_t start = body + 4;
    while (start < page.size()) {
        std::size_t end = page.find("\r\n", start);
        if (end == std::string::npos) end = page.size();
        EXPECT_LE(end - start, 76u);
        start = end + 2;
    }
    const std::string html = coursec::BuildQuestionHtml(question);
    EXPECT_NE(html.find("caf&#233; = <b>bold</b> &lt;tag&gt; &amp;"), std::string::npos);
    EXPECT_NE(html.find("(a)"), std::string::npos);
    EXPECT_NE(html.find("(b)"), std::string::npos);
    EXPECT_EQ(html.find("://"), std::string::npos);
}

TEST(Coursec, QuotedPrintableDecodesBackToTheText) {
    const std::string text = "a=b \t\r\n" + std::string(200, 'y') + "=\r\ntrailing \r\nend";
    const std::string encoded = coursec::EncodeQuotedPrintable(text);
    std::string decoded;
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '=' && encoded.compare(i + 1, 2, "\r\n") == 0) {
            i += 2;
        } else if (encoded[i] == '=') {
            decoded += static_cast<char>(std::stoi(encoded.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += encoded[i];
        }
    }
    EXPECT_EQ(decoded, text);
    EXPECT_EQ(encoded.find(" \r\n"), std::string::npos);  // no line ends in a bare space
}

TEST(Coursec, SinglePartQuestionsShowNoLabel) {
    TempDir dir;
    const auto course = Read(dir, kHeader, Papers(kChoice));
    const std::string html =
        coursec::BuildQuestionHtml(course.modules[0].topics[0].papers[0].questions[0]);
    EXPECT_EQ(html.find("(a)"), std::string::npos);
    EXPECT_NE(html.find("<td class=\"number\">4</td><td>gone</td>"), std::string::npos);
}

}  // namespace
