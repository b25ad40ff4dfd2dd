#include "course_checks.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <utility>
#include <vector>

#include "course/course_limits.h"
#include "course/text.h"
#include "page_checks.h"
#include "page_text.h"
#include "plain_answer.h"
#include "sentences.h"
#include "source_text.h"

namespace coursec {

namespace {

// Question ids given out in paper order, range after range.
constexpr std::array<std::pair<int, int>, 3> kQuestionIdRanges = {
    {{13001, 13345}, {14001, 14330}, {15001, 15330}}};
static_assert([] {
    std::size_t count = 0;
    for (const auto& [first, last] : kQuestionIdRanges)
        count += static_cast<std::size_t>(last - first + 1);
    return count;
}() == kQuestionIdCount);

std::string Lower(std::string_view text) {
    return qv::AsciiLowerCopy(text);
}

bool HasWordBox(const Question& question) {
    return std::any_of(question.blocks.begin(), question.blocks.end(),
                       [](const Block& block) { return block.kind == Block::Kind::WordBox; });
}

// The items of every word box of the page, as the pupil reads them.
std::vector<std::string> BoxItems(const Question& question) {
    std::vector<std::string> items;
    for (const Block& block : question.blocks) {
        if (block.kind != Block::Kind::WordBox) continue;
        for (const std::string& item : block.items) items.push_back(ShownText(item));
    }
    return items;
}

// "the answer "x" is not in the word box", saying where it differs from a box
// word written almost the same way, when the difference is hard to see.
std::string NotInBox(const std::string& key, const std::vector<std::string>& box) {
    const std::string message = "the answer \"" + key + "\" is not in the word box";
    const std::string lowerKey = Lower(key);
    for (const std::string& item : box) {
        const std::string lowerItem = Lower(item);
        std::size_t same = 0;
        while (same < lowerKey.size() && same < lowerItem.size() &&
               lowerKey[same] == lowerItem[same])
            ++same;
        // Back to the start of the character that differs.
        while (same > 0 && same < lowerKey.size() &&
               (static_cast<unsigned char>(lowerKey[same]) & 0xC0) == 0x80)
            --same;
        const auto beyondAscii = [&](const std::string& text) {
            return same < text.size() && static_cast<unsigned char>(text[same]) >= 0x80;
        };
        if (same == 0 || (!beyondAscii(key) && !beyondAscii(item))) continue;
        const auto has = [&](const std::string& text) {
            return same < text.size() ? NameCharacterAt(text, same) : std::string("nothing more");
        };
        return message + ": the box word \"" + Visible(item) + "\" has " + has(item) +
               " where the answer has " + has(key);
    }
    return message;
}

bool HasPartOfType(const Question& question, char type) {
    return std::any_of(question.parts.begin(), question.parts.end(),
                       [type](const Part& part) { return part.type == type; });
}

void CheckChoice(const Question& question, const Part& part, int choices) {
    const auto fail = [&](const std::string& message) {
        throw SourceError(question.file, part.line, message);
    };
    const int count = static_cast<int>(part.options.size());
    if (count == 0) fail("the choice has no options: list them as lines 1) ... 2) ...");
    if (count < 2) fail("a choice needs at least two options");
    if (count > 9) fail("a choice has at most 9 options (the answer is one digit)");
    if (choices > 0 && count != choices) {
        fail("the choice has " + std::to_string(count) + " options; this course asks for " +
             std::to_string(choices));
    }
    // The pupil types one digit, and the answer is right only when it is the key.
    const bool oneDigit = part.key.size() == 1 && part.key[0] >= '1' && part.key[0] < '1' + count;
    if (!oneDigit) {
        fail("the answer \"" + part.key +
             "\" is not one of the options shown: write one digit, 1 to " + std::to_string(count));
    }
}

// True when the words, in order, are the pieces laid end to end, each once.
// Of pieces alike only the first unused one is tried at a place: the others
// would lead to the same, and a box of many alike would take for ever.
bool LaidFromPieces(const std::vector<std::string>& words, std::size_t at,
                    const std::vector<std::vector<std::string>>& pieces, std::vector<bool>& used) {
    if (at == words.size()) return true;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::vector<std::string>& piece = pieces[i];
        const auto alikeBefore = [&] {
            for (std::size_t j = 0; j < i; ++j)
                if (!used[j] && pieces[j] == piece) return true;
            return false;
        };
        if (used[i] || piece.size() > words.size() - at || alikeBefore() ||
            !std::equal(piece.begin(), piece.end(),
                        words.begin() + static_cast<std::ptrdiff_t>(at)))
            continue;
        used[i] = true;
        if (LaidFromPieces(words, at + piece.size(), pieces, used)) return true;
        used[i] = false;
    }
    return false;
}

void CheckWordOrder(const Question& question, const Part& part) {
    const auto fail = [&](const std::string& message) {
        throw SourceError(question.file, part.line, message);
    };
    if (!HasWordBox(question))
        fail("a word-order answer needs the word box of its pieces (words: A | B | ...)");
    if (part.key.back() != '.') fail("a word-order answer ends with a full stop");
    std::vector<std::string> keyWords =
        SplitWords(std::string_view(part.key).substr(0, part.key.size() - 1));
    std::vector<std::vector<std::string>> pieces;
    std::vector<std::string> shown;
    for (const std::string& item : BoxItems(question)) {
        pieces.push_back(SplitWords(item));
        shown.insert(shown.end(), pieces.back().begin(), pieces.back().end());
    }
    const std::vector<std::string> sentence = keyWords;
    std::sort(keyWords.begin(), keyWords.end());
    std::sort(shown.begin(), shown.end());
    if (keyWords == shown) {
        std::vector<bool> used(pieces.size(), false);
        if (LaidFromPieces(sentence, 0, pieces, used)) return;
        fail("the answer splits a box: the words of each box stand together in the sentence");
    }
    std::vector<std::string> extra, unused;
    std::set_difference(keyWords.begin(), keyWords.end(), shown.begin(), shown.end(),
                        std::back_inserter(extra));
    std::set_difference(shown.begin(), shown.end(), keyWords.begin(), keyWords.end(),
                        std::back_inserter(unused));
    std::string detail;
    for (const auto& word : extra) detail += " \"" + word + "\" is not in the box;";
    for (const auto& word : unused) detail += " \"" + word + "\" is not used;";
    detail.pop_back();
    fail("the answer must use exactly the words in the box, each once:" + detail);
}

void CheckBlanks(const Question& question) {
    // On a page with blanks to fill, every blank shown must be an answer part.
    const bool fillsBlanks =
        std::any_of(question.parts.begin(), question.parts.end(),
                    [](const Part& part) { return part.type != 'Q' && part.type != 'L'; });
    if (!fillsBlanks) return;
    for (const Block& block : question.blocks) {
        for (const Segment& segment : block.segments) {
            if (!segment.isPart && segment.text.find("___") != std::string::npos) {
                throw SourceError(question.file, block.line,
                                  "a blank \"___\" on the page is not an answer: write the "
                                  "answer {T:...} there");
            }
        }
    }
}

// An instruction wording that the course asks of some pages: the pages that
// need it say it, and pages it does not fit never do.
struct InstructionRule {
    const std::string& words;
    const char* name;  // "box rule"
    const char* page;  // "cloze with a word box": the pages that must say it
    const char* lack;  // "no word box": why a page may not
};

void CheckInstructionRule(const Question& question, const InstructionRule& rule, bool needed,
                          bool fits) {
    if (rule.words.empty()) return;
    const bool says =
        ShownText(question.instruction).find(ShownText(rule.words)) != std::string::npos;
    if (needed && !says) {
        if (question.instructionLine == 0) {
            throw SourceError(question.file, question.line,
                              std::string("the ") + rule.page +
                                  " has no instruction; it must say \"" + rule.words + "\"");
        }
        throw SourceError(question.file, question.instructionLine,
                          std::string("the instruction of a ") + rule.page + " must say \"" +
                              rule.words + "\", the " + rule.name + " of the course");
    }
    if (!fits && says) {
        throw SourceError(question.file, question.line,
                          "the instruction (line " + std::to_string(question.instructionLine) +
                              ") gives the " + rule.name + ", but the page has " + rule.lack);
    }
}

// The model answer is shown as the key is written: a gap that opens a
// sentence has a key with a capital letter.
void CheckSentenceStarts(const Question& question) {
    const auto check = [&](const Part& gap, const std::string& before) {
        if (!GapStartsSentence(before)) return;
        for (const std::string& key : gap.answers()) {
            if (key[0] < 'a' || key[0] > 'z') continue;
            std::string capital = key;
            capital[0] = static_cast<char>(capital[0] - 'a' + 'A');
            throw SourceError(question.file, gap.line,
                              "the answer \"" + key +
                                  "\" fills a gap at the start of a sentence, and the pupil "
                                  "sees it as written: write \"" +
                                  capital + "\"");
        }
    };
    for (const Block& block : question.blocks) {
        if (block.kind == Block::Kind::Paragraph) AnsweredParagraph(question, block, check);
    }
}

}  // namespace

void CheckQuestion(const Question& question, const QuestionRules& rules, Diagnostics& out) {
    const auto fail = [&](int line, const std::string& message) {
        out.Error(SourceError(question.file, line, message));
    };
    if (question.parts.empty()) {
        return fail(question.line,
                    "the question has no answer: write one where it belongs, as {T:answer} or "
                    "{Q:number}");
    }
    if (question.parts.size() > static_cast<std::size_t>(qv::kMaxAnswerParts)) {
        return fail(question.line, "the question has " + std::to_string(question.parts.size()) +
                                       " answers; the answer sheet holds at most " +
                                       std::to_string(qv::kMaxAnswerParts));
    }
    out.Try([&] { CheckBlanks(question); });
    CheckAnswerKeys(question, out);
    const bool hasBox = HasWordBox(question);
    const std::vector<std::string> box = BoxItems(question);
    for (const Part& part : question.parts) {
        if (part.type == 'Q') out.Try([&] { CheckChoice(question, part, rules.choices); });
        if (part.type == 'L') out.Try([&] { CheckWordOrder(question, part); });
        if (part.type == 'T' && hasBox) {
            const bool found = std::any_of(box.begin(), box.end(), [&](const std::string& item) {
                return CaseFolded(item) == CaseFolded(part.key);
            });
            if (!found) fail(part.line, NotInBox(part.key, box));
        }
    }
    const bool wordOrder = HasPartOfType(question, 'L');
    out.Try([&] {
        CheckInstructionRule(question,
                             {rules.boxRule, "box rule", "cloze with a word box", "no word box"},
                             hasBox && HasPartOfType(question, 'T'), hasBox);
    });
    out.Try([&] {
        CheckInstructionRule(
            question,
            {rules.orderRule, "order rule", "word-order question", "no word-order answer"},
            wordOrder, wordOrder);
    });
    out.Try([&] { CheckSentenceStarts(question); });
    CheckBoxPromises(question, out);
    CheckParagraphReferences(question, out);
}

void CheckPaper(const Paper& paper, const std::string& file) {
    const Question* first = nullptr;
    for (const Question& question : paper.questions) {
        if (!HasWordBox(question)) continue;
        if (!first) {
            first = &question;
            continue;
        }
        if (question.instruction == first->instruction) continue;
        throw SourceError(
            file, question.instructionLine != 0 ? question.instructionLine : question.line,
            "every question with a word box in paper " + std::to_string(paper.key) +
                " carries the same instruction; this one differs from the instruction of the "
                "question at line " +
                std::to_string(first->line));
    }
}

void AssignQuestionIds(Course& course, Diagnostics& out) {
    std::size_t total = 0;
    const Question* firstOver = nullptr;
    for (Module& module : course.modules) {
        for (Topic& topic : module.topics) {
            for (Paper& paper : topic.papers) {
                for (Question& question : paper.questions) {
                    if (++total > kQuestionIdCount && !firstOver) firstOver = &question;
                }
            }
        }
    }
    if (firstOver) {
        const std::size_t over = total - kQuestionIdCount;
        out.Error(SourceError(firstOver->file, firstOver->line,
                              "the course is full (" + std::to_string(kQuestionIdCount) +
                                  " questions) and this is question " +
                                  std::to_string(kQuestionIdCount + 1) + ": remove " +
                                  std::to_string(over) + (over == 1 ? " question" : " questions") +
                                  " to add " + std::to_string(over)));
        return;
    }
    std::size_t range = 0;
    int next = kQuestionIdRanges[0].first;
    for (Module& module : course.modules) {
        for (Topic& topic : module.topics) {
            for (Paper& paper : topic.papers) {
                for (Question& question : paper.questions) {
                    question.id = next;
                    if (++next > kQuestionIdRanges[range].second &&
                        ++range < kQuestionIdRanges.size()) {
                        next = kQuestionIdRanges[range].first;
                    }
                }
            }
        }
    }
}

void CheckNoRepeats(const Course& course, Diagnostics& out) {
    std::map<std::string, const Question*> seen;
    for (const Module& module : course.modules) {
        for (const Topic& topic : module.topics) {
            for (const Paper& paper : topic.papers) {
                for (const Question& question : paper.questions) {
                    if (!question.readWhole) continue;
                    const auto [at, inserted] = seen.emplace(ComparableText(question), &question);
                    if (!inserted) {
                        out.Error(SourceError(question.file, question.line,
                                              "the question repeats the one at " +
                                                  at->second->file + ":" +
                                                  std::to_string(at->second->line)));
                    }
                }
            }
        }
    }
}

std::string ComparableText(const Question& question) {
    std::string text;
    for (const Block& block : question.blocks) {
        switch (block.kind) {
            case Block::Kind::Heading:
                text += block.text + "\n";
                break;
            case Block::Kind::WordBox:
                for (const auto& item : block.items) text += item + "|";
                text += "\n";
                break;
            case Block::Kind::Paragraph:
                for (const Segment& segment : block.segments)
                    text += segment.isPart ? "{}" : segment.text;
                text += "\n";
                break;
            case Block::Kind::Options:
                for (const auto& option :
                     question.parts[static_cast<std::size_t>(block.part)].options) {
                    text += option + "|";
                }
                text += "\n";
                break;
            case Block::Kind::PartOnly:
                text += "{}\n";
                break;
        }
    }
    for (const Part& part : question.parts) {
        if (part.type == 'L') text += part.key + "\n";
    }
    std::string normal;
    bool space = false;
    for (char c : Lower(text)) {
        if (c == ' ' || c == '\t' || c == '\n') {
            space = true;
            continue;
        }
        if (space && !normal.empty()) normal += ' ';
        space = false;
        normal += c;
    }
    return normal;
}

}  // namespace coursec
