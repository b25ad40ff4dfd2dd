#include "paper_reader.h"

#include <cctype>
#include <sstream>
#include <string_view>

#include "course/course_limits.h"
#include "course/text.h"
#include "course_checks.h"
#include "diagnostics.h"
#include "keyword_hints.h"
#include "page_text.h"
#include "plain_answer.h"
#include "source_text.h"

namespace coursec {

namespace {

constexpr std::string_view kTypeLetters = "QTLNRFXGM";

class PaperReader {
  public:
    PaperReader(std::string file, int firstKey, const QuestionRules& rules, Diagnostics& out)
        : file_(std::move(file)), firstKey_(firstKey), rules_(rules), out_(out) {}

    std::vector<Paper> Read(const std::vector<std::string>& lines) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            line_ = static_cast<int>(i) + 1;
            // A question with a line that could not be read is not checked as a
            // whole: its faults would only follow from that line's.
            if (!out_.Try([&] { ReadLine(lines[i]); }) && inQuestion_) questionBroken_ = true;
        }
        line_ = static_cast<int>(lines.size());
        FinishPaper();
        if (papers_.size() != static_cast<std::size_t>(qv::kPapersPerTopic) && !tooManyTold_) {
            out_.Error(SourceError(file_, line_,
                                   "the topic has " + std::to_string(papers_.size()) +
                                       " papers; a topic has exactly " +
                                       std::to_string(qv::kPapersPerTopic) + " (keys " +
                                       KeyRange() + ")"));
        }
        return std::move(papers_);
    }

  private:
    [[noreturn]] void Fail(const std::string& message) const {
        throw SourceError(file_, line_, message);
    }

    std::string KeyRange() const {
        return std::to_string(firstKey_) + ".." +
               std::to_string(firstKey_ + qv::kPapersPerTopic - 1);
    }

    void ReadLine(const std::string& raw) {
        if (IsComment(raw)) return;
        const std::string line(qv::TrimSpacesAndTabs(raw));
        std::string value;
        int number = 0;

        if (StartsWithWord(line, "paper", value)) return StartPaper(value);
        if (SplitDirective(line, "instruction", value)) {
            EndParagraph();
            if (value.empty()) Fail("the instruction is empty");
            CheckPlainText(value, "an instruction");
            instruction_ = value;
            instructionLine_ = line_;
            return;
        }
        if (line == "question") return StartQuestion();
        if (line.empty()) return EndParagraph();
        if (const LineSlip slip = PaperLineSlip(line); !slip.message.empty()) {
            // Read as meant, so that the lines after it are read as intended.
            out_.Error(SourceError(file_, line_, slip.message));
            return ReadLine(slip.meant);
        }

        Question* question = CurrentQuestion();
        if (!question) return;
        if (line.rfind("## ", 0) == 0) {
            EndParagraph();
            CheckPlainText(line, "a heading");
            Block block;
            block.kind = Block::Kind::Heading;
            block.text = qv::TrimSpacesAndTabs(std::string_view(line).substr(3));
            block.line = line_;
            question->blocks.push_back(block);
            return;
        }
        if (SplitDirective(line, "words", value)) return AddWordBox(*question, value);
        if (SplitOption(line, number, value)) return AddOption(number, value);
        AddTextLine(*question, line);
    }

    // A paper is opened whatever is wrong with its line, so that its questions are read.
    void StartPaper(const std::string& keyText) {
        FinishPaper();
        const int expected = firstKey_ + static_cast<int>(papers_.size());
        OpenPaper(expected);
        const auto key = qv::ParseStoredInt(keyText);
        if (!key) Fail("\"" + keyText + "\" is not a paper key");
        if (papers_.size() >= static_cast<std::size_t>(qv::kPapersPerTopic)) {
            tooManyTold_ = true;
            Fail("a topic has exactly " + std::to_string(qv::kPapersPerTopic) + " papers; paper " +
                 keyText + " is one too many");
        }
        // Told once: the papers after a misplaced one would all be out of place.
        if (*key != expected && !keyFaultTold_) {
            keyFaultTold_ = true;
            Fail("paper " + keyText + " is out of place: the papers of this topic are " +
                 KeyRange() + " in order, so paper " + std::to_string(expected) + " comes here");
        }
    }

    void OpenPaper(int key) {
        paper_ = Paper{};
        paper_.key = key;
        paper_.line = line_;
        inPaper_ = true;
        outsideTold_ = false;
        instruction_.clear();
        instructionLine_ = 0;
    }

    void FinishPaper() {
        FinishQuestion();
        if (!inPaper_) return;
        inPaper_ = false;
        if (paper_.questions.empty()) {
            out_.Error(SourceError(file_, paper_.line,
                                   "paper " + std::to_string(paper_.key) + " has no question"));
        } else {
            out_.Try([&] { CheckPaper(paper_, file_); });
        }
        papers_.push_back(std::move(paper_));
    }

    void StartQuestion() {
        const bool orphan = !inPaper_;
        if (orphan) OpenPaper(firstKey_ + static_cast<int>(papers_.size()));
        FinishQuestion();
        question_ = Question{};
        question_.file = file_;
        question_.line = line_;
        question_.instruction = instruction_;
        question_.instructionLine = instructionLine_;
        inQuestion_ = true;
        if (orphan)
            out_.Error(SourceError(file_, line_, "a question must follow a \"paper\" line"));
    }

    void FinishQuestion() {
        EndParagraph();
        lastChoicePart_ = -1;
        if (!inQuestion_) return;
        inQuestion_ = false;
        question_.readWhole = !questionBroken_;
        if (question_.readWhole) CheckQuestion(question_, rules_, out_);
        questionBroken_ = false;
        paper_.questions.push_back(std::move(question_));
    }

    // The question being read; text outside one is told once a paper.
    Question* CurrentQuestion() {
        if (inQuestion_) return &question_;
        if (outsideTold_) return nullptr;
        outsideTold_ = true;
        Fail("text outside a question: start a question with a line \"question\"");
    }

    void EndParagraph() { paragraphOpen_ = false; }

    void CheckPageText(const std::string& text) const {
        if (HasExternalReference(text))
            Fail("pages cannot refer to anything outside the program (web or file addresses)");
    }

    // Text that cannot hold an answer part: a brace in it would be printed as markup.
    void CheckPlainText(const std::string& text, const std::string& where) const {
        CheckPageText(text);
        if (HasUnescapedBrace(text)) {
            Fail("an answer {...} cannot stand in " + where +
                 " (write \\{ and \\} for the characters themselves)");
        }
    }

    void AddWordBox(Question& question, const std::string& value) {
        EndParagraph();
        CheckPlainText(value, "a word box");
        Block block;
        block.kind = Block::Kind::WordBox;
        block.line = line_;
        std::string item;
        std::istringstream in(value);
        while (std::getline(in, item, '|')) {
            item = PlainAnswer(std::string(qv::TrimSpacesAndTabs(item)), "the box word", file_,
                               line_, out_);
            if (item.empty()) Fail("the word box has an empty item");
            block.items.push_back(item);
        }
        if (block.items.empty()) Fail("the word box is empty");
        question.blocks.push_back(block);
    }

    void AddOption(int number, const std::string& text) {
        Question* current = CurrentQuestion();
        if (!current) return;
        Question& question = *current;
        EndParagraph();
        if (lastChoicePart_ < 0)
            Fail("option " + std::to_string(number) + " does not follow a choice {Q:...}");
        Part& part = question.parts[static_cast<std::size_t>(lastChoicePart_)];
        const int expected = static_cast<int>(part.options.size()) + 1;
        if (number != expected) {
            Fail("option " + std::to_string(number) + " is out of order: option " +
                 std::to_string(expected) + " comes here");
        }
        if (text.empty()) Fail("option " + std::to_string(number) + " is empty");
        CheckPlainText(text, "an option");
        for (std::size_t i = 0; i < part.options.size(); ++i) {
            if (qv::AsciiLowerCopy(ShownText(part.options[i])) ==
                qv::AsciiLowerCopy(ShownText(text))) {
                Fail("option " + std::to_string(number) + " is the same as option " +
                     std::to_string(i + 1));
            }
        }
        part.options.push_back(text);
        if (question.blocks.empty() || question.blocks.back().kind != Block::Kind::Options ||
            question.blocks.back().part != lastChoicePart_) {
            Block block;
            block.kind = Block::Kind::Options;
            block.part = lastChoicePart_;
            block.line = line_;
            question.blocks.push_back(block);
        }
    }

    void AddTextLine(Question& question, const std::string& text) {
        CheckPageText(text);
        std::vector<Segment> segments = ParseSegments(question, text);
        const bool markerOnly = segments.size() == 1 && segments[0].isPart;
        if (markerOnly) {
            EndParagraph();
            Block block;
            block.kind = Block::Kind::PartOnly;
            block.part = segments[0].part;
            block.line = line_;
            question.blocks.push_back(block);
            return;
        }
        if (!paragraphOpen_) {
            Block block;
            block.kind = Block::Kind::Paragraph;
            block.line = line_;
            question.blocks.push_back(block);
            paragraphOpen_ = true;
        } else {
            question.blocks.back().segments.push_back(Segment{false, " ", -1});
        }
        auto& target = question.blocks.back().segments;
        target.insert(target.end(), segments.begin(), segments.end());
    }

    // Plain runs keep their markup (bold markers and escapes); the page
    // writer prints it.
    std::vector<Segment> ParseSegments(Question& question, const std::string& text) {
        std::vector<Segment> segments;
        std::string plain;
        auto flush = [&] {
            if (!plain.empty()) segments.push_back(Segment{false, plain, -1});
            plain.clear();
        };
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (IsEscapeAt(text, i)) {
                plain += c;
                plain += text[++i];
                continue;
            }
            if (c == '}') Fail("a '}' without its '{' (write \\} for the character itself)");
            if (c != '{') {
                plain += c;
                continue;
            }
            const std::size_t close = text.find('}', i + 1);
            if (close == std::string::npos) Fail("an answer {...} is not closed");
            const std::string inside = text.substr(i + 1, close - i - 1);
            if (inside.find('{') != std::string::npos) Fail("an answer cannot hold '{'");
            flush();
            question.parts.push_back(ParsePart(inside));
            const int index = static_cast<int>(question.parts.size()) - 1;
            if (question.parts.back().type == 'Q') lastChoicePart_ = index;
            segments.push_back(Segment{true, {}, index});
            i = close;
        }
        flush();
        return segments;
    }

    Part ParsePart(const std::string& inside) const {
        // TYPE, an optional MARK, ':' and the answer.
        const std::size_t colon = inside.find(':');
        const std::string head = colon == std::string::npos
                                     ? std::string()
                                     : std::string(qv::TrimSpacesAndTabs(inside.substr(0, colon)));
        const bool letterFirst = !head.empty() && std::isalpha(static_cast<unsigned char>(head[0]));
        const std::string markText =
            letterFirst ? std::string(qv::TrimSpacesAndTabs(std::string_view(head).substr(1)))
                        : std::string();
        if (!letterFirst || (!markText.empty() && !IsDigits(markText))) {
            Fail("\"{" + inside +
                 "}\" is not an answer: write {TYPE:answer} or {TYPE MARK:answer}");
        }
        Part part;
        part.line = line_;
        if (kTypeLetters.find(head[0]) == std::string_view::npos) {
            Fail("unknown answer type \"" + head.substr(0, 1) +
                 "\"; the types are Q, T, L, N, R, F, X, G and M");
        }
        part.type = head[0];
        if (!markText.empty()) {
            const auto mark = qv::ParseStoredInt(markText);
            if (!mark || *mark < 1 || *mark > 100)
                Fail("the mark of an answer is a whole number from 1 to 100");
            part.mark = *mark;
        }
        const std::string key = PlainAnswer(
            std::string(qv::TrimSpacesAndTabs(std::string_view(inside).substr(colon + 1))),
            "the answer", file_, line_, out_);
        if (part.type == 'G' || part.type == 'M') {
            part.key = key.empty() ? " " : key;
            if (!key.empty() && key[0] != ';') {
                Fail(
                    "a group answer lists its answers as ;first;second;... (or is a single space)");
            }
        } else {
            part.key = key;
            if (part.key.empty()) Fail("the answer is empty");
        }
        if (part.key.find('>') != std::string::npos) Fail("an answer cannot hold '>'");
        if (part.type == 'N' && !qv::ParseStoredNumber(part.key))
            Fail("the answer \"" + part.key + "\" of a number {N:...} is not a number");
        return part;
    }

    std::string file_;
    int firstKey_;
    const QuestionRules& rules_;
    Diagnostics& out_;
    int line_ = 0;
    std::vector<Paper> papers_;
    Paper paper_;
    bool inPaper_ = false;
    Question question_;
    bool inQuestion_ = false;
    bool questionBroken_ = false;
    bool outsideTold_ = false;
    bool keyFaultTold_ = false;
    bool tooManyTold_ = false;
    bool paragraphOpen_ = false;
    int lastChoicePart_ = -1;
    std::string instruction_;
    int instructionLine_ = 0;
};

}  // namespace

std::vector<Paper> ReadPapers(const std::vector<std::string>& lines, const std::string& file,
                              int firstKey, const QuestionRules& rules, Diagnostics& out) {
    return PaperReader(file, firstKey, rules, out).Read(lines);
}

}  // namespace coursec
