#include "page_checks.h"

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "course/text.h"
#include "page_text.h"
#include "plain_answer.h"

namespace coursec {

namespace {

// Text as compared here: what the pupil reads, plain and in lower case.
std::string Comparable(std::string_view text) {
    return CaseFolded(PlainText(ShownText(text)));
}

bool Says(const std::string& text, std::initializer_list<const char*> phrases) {
    for (const char* phrase : phrases) {
        if (text.find(phrase) != std::string::npos) return true;
    }
    return false;
}

// The text of a paragraph without its answers.
std::string ParagraphText(const Block& block) {
    std::string text;
    for (const Segment& segment : block.segments) text += segment.isPart ? " " : segment.text;
    return text;
}

bool HoldsPart(const Block& block) {
    for (const Segment& segment : block.segments) {
        if (segment.isPart) return true;
    }
    return false;
}

// A text of the page that may name a paragraph, with its line.
struct Said {
    std::string text;  // comparable
    int line;
};

// The numbers after each "paragraph" or "paragraphs" of the text: "paragraph
// 4", "paragraphs 2 and 3".
std::vector<std::vector<int>> NamedParagraphs(const std::string& text) {
    std::vector<std::vector<int>> named;
    for (std::size_t at = text.find("paragraph"); at != std::string::npos;
         at = text.find("paragraph", at + 1)) {
        if (at > 0 && std::isalpha(static_cast<unsigned char>(text[at - 1]))) continue;
        std::size_t i = at + 9;
        if (i < text.size() && text[i] == 's') ++i;
        std::vector<int> numbers;
        for (;;) {
            while (i < text.size() && text[i] == ' ') ++i;
            std::size_t end = i;
            while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
            if (end == i || end - i > 3) break;
            numbers.push_back(std::stoi(text.substr(i, end - i)));
            i = end;
            bool joined = false;
            for (const char* joint : {",", " and", " or", " to", "-"}) {
                const std::string_view j(joint);
                if (text.compare(i, j.size(), j) == 0) {
                    i += j.size();
                    joined = true;
                    break;
                }
            }
            if (!joined) break;
        }
        if (!numbers.empty()) named.push_back(std::move(numbers));
    }
    return named;
}

// The words between each pair of quotation marks.
std::vector<std::string> Quotations(const std::string& text) {
    std::vector<std::string> quoted;
    for (std::size_t open = text.find('"'); open != std::string::npos;) {
        const std::size_t close = text.find('"', open + 1);
        if (close == std::string::npos) break;
        const std::string inside(qv::TrimSpacesAndTabs(text.substr(open + 1, close - open - 1)));
        if (!inside.empty()) quoted.push_back(inside);
        open = text.find('"', close + 1);
    }
    return quoted;
}

}  // namespace

void CheckBoxPromises(const Question& question, Diagnostics& out) {
    const std::string said = Comparable(question.instruction);
    const bool once = Says(said, {"only once", "once only", "each word once"});
    const bool spare =
        Says(said, {"more words than gaps", "more words than blanks", "more words than you need"});
    if (!once && !spare) return;
    std::map<std::string, int> inBox;  // word -> times it stands in the box
    int boxLine = 0;
    std::size_t items = 0;
    for (const Block& block : question.blocks) {
        if (block.kind != Block::Kind::WordBox) continue;
        if (boxLine == 0) boxLine = block.line;
        for (const std::string& item : block.items) ++inBox[Comparable(item)];
        items += block.items.size();
    }
    std::vector<const Part*> gaps;
    for (const Part& part : question.parts) {
        if (part.type == 'T') gaps.push_back(&part);
    }
    if (boxLine == 0 || gaps.empty()) return;
    if (once) {
        std::map<std::string, std::vector<int>> keyed;  // word -> lines of its gaps
        for (const Part* gap : gaps) {
            std::vector<int>& lines = keyed[Comparable(gap->key)];
            lines.push_back(gap->line);
            // Told once a word: at its first gap beyond the times the box holds it.
            if (static_cast<int>(lines.size()) != inBox[Comparable(gap->key)] + 1) continue;
            const std::string where = lines.front() == gap->line
                                          ? "both on line " + std::to_string(gap->line)
                                          : "lines " + std::to_string(lines.front()) + " and " +
                                                std::to_string(gap->line);
            out.Error(SourceError(question.file, gap->line,
                                  "the box word \"" + gap->key + "\" is the answer of two gaps (" +
                                      where +
                                      "), but the instruction says to use each word only once: "
                                      "give one of the gaps another word"));
        }
    }
    if (spare && items <= gaps.size()) {
        out.Error(SourceError(question.file, boxLine,
                              "the word box has " + std::to_string(items) + " words for " +
                                  std::to_string(gaps.size()) +
                                  " gaps, but the instruction says there are more words than "
                                  "gaps: add a word that fits none of them"));
    }
}

void CheckParagraphReferences(const Question& question, Diagnostics& out) {
    std::vector<std::string> passage;  // the paragraphs without answers, in order
    std::vector<Said> asking;
    if (!question.instruction.empty())
        asking.push_back({Comparable(question.instruction), question.instructionLine});
    for (const Block& block : question.blocks) {
        if (block.kind == Block::Kind::Paragraph && !HoldsPart(block)) {
            passage.push_back(Comparable(ParagraphText(block)));
        } else if (block.kind == Block::Kind::Paragraph) {
            asking.push_back({Comparable(ParagraphText(block)), block.line});
        } else if (block.kind == Block::Kind::Options) {
            for (const std::string& option :
                 question.parts[static_cast<std::size_t>(block.part)].options)
                asking.push_back({Comparable(option), block.line});
        }
    }
    const int count = static_cast<int>(passage.size());
    for (const Said& said : asking) {
        const std::vector<std::vector<int>> named = NamedParagraphs(said.text);
        for (const std::vector<int>& numbers : named) {
            for (const int n : numbers) {
                if (n >= 1 && n <= count) continue;
                out.Error(SourceError(question.file, said.line,
                                      "the question names paragraph " + std::to_string(n) +
                                          ", but the passage has " + std::to_string(count) +
                                          (count == 1 ? " paragraph" : " paragraphs") +
                                          " (a blank line ends a paragraph: is one missing?)"));
                return;
            }
        }
        // Words quoted from the one paragraph named stand in it.
        if (named.size() != 1 || named[0].size() != 1) continue;
        const int n = named[0][0];
        const std::vector<std::string> quoted = Quotations(said.text);
        bool inNamed = quoted.empty();
        int elsewhere = 0;
        std::string stray;
        for (const std::string& words : quoted) {
            if (passage[static_cast<std::size_t>(n - 1)].find(words) != std::string::npos) {
                inNamed = true;
                break;
            }
            for (int k = 0; k < count && elsewhere == 0; ++k) {
                if (passage[static_cast<std::size_t>(k)].find(words) != std::string::npos) {
                    elsewhere = k + 1;
                    stray = words;
                }
            }
        }
        if (inNamed || elsewhere == 0) continue;
        out.Error(SourceError(question.file, said.line,
                              "the question names paragraph " + std::to_string(n) + ", but \"" +
                                  stray + "\" stands in paragraph " + std::to_string(elsewhere) +
                                  " (a blank line ends a paragraph: is one missing?)"));
    }
}

}  // namespace coursec
