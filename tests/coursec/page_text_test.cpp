// How the text of a course source reaches the question page: escapes, bold,
// characters beyond ASCII, line ends.

#include <gtest/gtest.h>

#include "course_writer.h"
#include "sources.h"
#include "temp_dir.h"

namespace {

using coursec_test::kHeader;
using coursec_test::Papers;
using coursec_test::Read;

std::string FirstPage(const coursec::Course& course) {
    return coursec::BuildQuestionHtml(
        course.modules.at(0).topics.at(0).papers.at(0).questions.at(0));
}

struct PageCase {
    const char* name;
    std::string body;      // paper 101's first question
    std::string expected;  // a piece of its HTML
};

TEST(QuestionPage, PrintsTheTextAsWritten) {
    const PageCase cases[] = {
        {"PathKeepsItsBackslashes", "Save it as C:\\new\\notes.txt {T:x}",
         "Save it as C:\\new\\notes.txt "},
        {"TwoBackslashesStayTwo", "Open \\\\server\\share {T:x}", "Open \\\\server\\share "},
        {"BackslashAtLineEnd", "{T:X} ends with \\", "ends with \\</p>"},
        {"EscapedStars", "a \\*star\\* b {T:x}", "a *star* b "},
        {"EscapedBraces", "set \\{x\\} {T:x}", "set {x} "},
        {"Bold", "*bold* text {T:x}", "<b>bold</b> text "},
        {"BackslashBeforeLetterInBold", "*a\\b* {T:x}", "<b>a\\b</b> "},
        {"BoldAcrossALineAndAPart", "*This is\nbold* and *the {T:cat}* sat.",
         "<b>This is bold</b> and <b>the <span class=\"blank\">__________</span></b> sat.</p>"},
        {"HeadingPath", "## C:\\Users\n{T:x}", "<h2>C:\\Users</h2>"},
        {"HeadingEscape", "## \\*Notes\\* \\{1\\}\n{T:x}", "<h2>*Notes* {1}</h2>"},
        {"BoxItemBackslash", "words: a\\b | c\nPick {T:c}", "<td>a\\b</td>"},
        {"OptionPath", "Where?\n{Q:1}\n1) C:\\temp\n2) D:\\\n3) \\*\n4) d", "<td>C:\\temp</td>"},
        {"OptionEscape", "Where?\n{Q:1}\n1) C:\\temp\n2) D:\\\n3) \\*\n4) d", "<td>*</td>"},
        {"EveryCharacterOnce", "caf\xC3\xA9 \xF0\x9F\x98\x80 xyz \xE2\x82\xAC {T:x}",
         "caf&#233; &#128512; xyz &#8364; "},
        {"MarkupCharacters", "1 < 2 & \"q\" > 0 {T:x}", "1 &lt; 2 &amp; &quot;q&quot; &gt; 0 "},
    };
    for (const PageCase& c : cases) {
        TempDir dir;
        const std::string html = FirstPage(Read(dir, kHeader, Papers(c.body)));
        EXPECT_NE(html.find(c.expected), std::string::npos) << c.name << "\n" << html;
    }
}

struct SourceCase {
    const char* name;
    std::string header;
    std::string papers;
};

std::string WithLineEnds(std::string text, const std::string& end) {
    std::string out;
    for (char c : text) out += c == '\n' ? end : std::string(1, c);
    return out;
}

TEST(CourseSource, AcceptsWhatTheFormatAllows) {
    const std::string rule = "box rule: Use each word once. Some are not needed.\n";
    const SourceCase cases[] = {
        {"ChoiceKeyWithBlanks", kHeader, Papers("Q?\n{Q: 2 }\n1) a\n2) b\n3) c\n4) d")},
        {"CrLfLineEnds", WithLineEnds(kHeader, "\r\n"), WithLineEnds(Papers("A {T:x}"), "\r\n")},
        {"CrLineEnds", WithLineEnds(kHeader, "\r"), WithLineEnds(Papers("A {T:x}"), "\r")},
        {"ByteOrderMark", "\xEF\xBB\xBF" + kHeader, "\xEF\xBB\xBF" + Papers("A {T:x}")},
        {"BoxRuleSaid", kHeader + rule,
         Papers("words: cat | dog\nThe {T:cat} sat.",
                "Choose. Use each word once. Some are not needed.")},
        {"BoxRuleSaidInBold", kHeader + rule,
         Papers("words: cat | dog\nThe {T:cat} sat.",
                "Choose. *Use each word once. Some are not needed.*")},
        {"BoxRuleLeavesWordOrderAlone", kHeader + rule,
         Papers("words: We | went | home\n{L:We went home.}", "Order.")},
        {"BoldBoxItem", kHeader, Papers("words: *went* | was\nWe {T:went} out.")},
        {"BoldWordOrderPiece", kHeader, Papers("words: *We* | went home\n{L:We went home.}")},
        {"CapitalAfterFullStop", kHeader, Papers("It rained. {T:We} stayed in.")},
        {"LowerCaseWithinSentence", kHeader,
         Papers("We had an idea: {T:all} of us, {T:even} Dad, ran (and {T:hid}).")},
        {"LowerCaseAfterQuotedQuestion", kHeader, Papers("\"Who is there?\" {T:asked} Tom.")},
        {"LowerCaseInQuotedWord", kHeader, Papers("The word \"{T:kind}\" is nice.")},
        {"OrderRuleSaid", kHeader + "order rule: Keep each box together.\n",
         Papers("words: We | went home\n{L:We went home.}", "Order. Keep each box together.")},
        {"SameBoxInstructionInPaper", kHeader,
         Papers("words: cat | dog\nThe {T:cat} sat.\ninstruction: Choose.\nquestion\nwords: cow | "
                "hen\nThe {T:hen} ran.")},
    };
    for (const SourceCase& c : cases) {
        TempDir dir;
        try {
            const auto course = Read(dir, c.header, c.papers);
            EXPECT_EQ(course.title, "Test Course") << c.name;
            EXPECT_EQ(course.modules.at(0).topics.at(0).papers.size(), 5u) << c.name;
        } catch (const coursec::SourceError& error) {
            ADD_FAILURE() << c.name << ": " << error.what();
        }
    }
}

TEST(CourseSource, LineEndsDoNotChangeTheCourse) {
    const std::string papers = Papers("## Title\nA *b* {T:x}\nnext line\n\nnew paragraph {T:y}");
    TempDir lf, crlf, cr;
    const auto expected = coursec::BuildCourseResources(Read(lf, kHeader, papers));
    EXPECT_EQ(coursec::BuildCourseResources(Read(crlf, kHeader, WithLineEnds(papers, "\r\n"))),
              expected);
    EXPECT_EQ(coursec::BuildCourseResources(Read(cr, kHeader, WithLineEnds(papers, "\r"))),
              expected);
}

}  // namespace
