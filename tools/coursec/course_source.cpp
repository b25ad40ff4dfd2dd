#include "course_source.h"

#include <algorithm>
#include <cctype>
#include <array>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "course/text.h"

namespace coursec {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTypeLetters = "QTLNRFXGM";
constexpr int kMaxParts = 20;
constexpr int kMaxTopics = 10;

// Question ids given out in paper order, range after range.
constexpr std::array<std::pair<int, int>, 3> kQuestionIdRanges = {
    {{13001, 13345}, {14001, 14330}, {15001, 15330}}};

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string Lower(std::string_view text) { return qv::AsciiLowerCopy(text); }

std::vector<std::string> ReadLines(const fs::path& file, const std::string& shownName, int lineOfReference,
                                   const std::string& referencingFile) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw SourceError(referencingFile, lineOfReference, "cannot read \"" + shownName + "\"");
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool IsComment(const std::string& line) {
    const auto first = line.find_first_not_of(" \t");
    return first != std::string::npos && line[first] == '%';
}

// "key: value" with a known key; false when the line has another form.
bool SplitDirective(const std::string& line, const std::string& key, std::string& value) {
    if (line.size() <= key.size() || line.compare(0, key.size(), key) != 0 || line[key.size()] != ':') {
        return false;
    }
    value = Trim(std::string_view(line).substr(key.size() + 1));
    return true;
}

void CheckTextValue(const std::string& file, int line, const std::string& what, const std::string& value) {
    if (value.empty()) throw SourceError(file, line, what + " is empty");
    if (value.find_first_of("#>") != std::string::npos) {
        throw SourceError(file, line, what + " cannot hold '#' or '>'");
    }
    if (!qv::Utf8ToCp1252(value)) {
        throw SourceError(file, line, what + " holds a character that the Windows-1252 code page cannot store");
    }
}

bool HasExternalReference(const std::string& text) {
    const std::string lower = Lower(text);
    for (const char* marker : {"http:", "https:", "ftp:", "file:", "www.", "mailto:"}) {
        if (lower.find(marker) != std::string::npos) return true;
    }
    return false;
}

bool IsDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// "WORD REST" with WORD exactly `word` and at least one space before REST.
bool StartsWithWord(const std::string& line, std::string_view word, std::string& rest) {
    if (line.size() <= word.size() || line.compare(0, word.size(), word) != 0) return false;
    if (line[word.size()] != ' ' && line[word.size()] != '\t') return false;
    rest = Trim(std::string_view(line).substr(word.size()));
    return !rest.empty();
}

// "N) text": an option line.
bool SplitOption(const std::string& line, int& number, std::string& text) {
    const std::size_t paren = line.find(')');
    if (paren == std::string::npos || paren == 0 || paren > 2 || !IsDigits(std::string_view(line).substr(0, paren))) {
        return false;
    }
    if (paren + 1 >= line.size() || (line[paren + 1] != ' ' && line[paren + 1] != '\t')) return false;
    number = std::stoi(line.substr(0, paren));
    text = Trim(std::string_view(line).substr(paren + 1));
    return true;
}

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    std::string word;
    while (in >> word) words.push_back(word);
    return words;
}

class PaperReader {
public:
    PaperReader(std::string shownName, int firstKey, int choices)
        : file_(std::move(shownName)), firstKey_(firstKey), choices_(choices) {}

    std::vector<Paper> Read(const std::vector<std::string>& lines) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            line_ = static_cast<int>(i) + 1;
            ReadLine(lines[i]);
        }
        line_ = static_cast<int>(lines.size());
        FinishPaper();
        if (papers_.size() != 5) {
            throw SourceError(file_, line_, "the topic has " + std::to_string(papers_.size()) +
                                                " papers; a topic has exactly 5 (keys " +
                                                std::to_string(firstKey_) + ".." +
                                                std::to_string(firstKey_ + 4) + ")");
        }
        return std::move(papers_);
    }

private:
    [[noreturn]] void Fail(const std::string& message) const { throw SourceError(file_, line_, message); }

    void ReadLine(const std::string& raw) {
        std::string line = raw;
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
        if (IsComment(line)) return;
        const std::string trimmed = Trim(line);
        std::string value;
        int number = 0;

        if (StartsWithWord(trimmed, "paper", value)) return StartPaper(value);
        if (SplitDirective(trimmed, "instruction", value)) {
            EndParagraph();
            if (value.empty()) Fail("the instruction is empty");
            CheckPageText(value);
            instruction_ = value;
            return;
        }
        if (trimmed == "question") return StartQuestion();
        if (trimmed.empty()) return EndParagraph();

        Question& question = CurrentQuestion();
        if (trimmed.rfind("## ", 0) == 0) {
            EndParagraph();
            CheckPageText(trimmed);
            Block block;
            block.kind = Block::Kind::Heading;
            block.text = Trim(std::string_view(trimmed).substr(3));
            question.blocks.push_back(block);
            return;
        }
        if (SplitDirective(trimmed, "words", value)) {
            EndParagraph();
            CheckPageText(value);
            Block block;
            block.kind = Block::Kind::WordBox;
            std::string item;
            std::istringstream in(value);
            while (std::getline(in, item, '|')) {
                item = Trim(item);
                if (item.empty()) Fail("the word box has an empty item");
                block.items.push_back(item);
            }
            if (block.items.empty()) Fail("the word box is empty");
            question.blocks.push_back(block);
            return;
        }
        if (SplitOption(trimmed, number, value)) return AddOption(number, value);
        AddTextLine(trimmed);
    }

    void StartPaper(const std::string& keyText) {
        FinishPaper();
        const auto key = qv::ParseStoredInt(keyText);
        const int expected = firstKey_ + static_cast<int>(papers_.size());
        if (!key) Fail("\"" + keyText + "\" is not a paper key");
        if (papers_.size() >= 5) Fail("a topic has exactly 5 papers; paper " + keyText + " is a sixth");
        if (*key != expected) {
            Fail("paper " + keyText + " is out of place: the papers of this topic are " +
                 std::to_string(firstKey_) + ".." + std::to_string(firstKey_ + 4) +
                 " in order, so paper " + std::to_string(expected) + " comes here");
        }
        paper_ = Paper{};
        paper_.key = *key;
        paper_.line = line_;
        inPaper_ = true;
        instruction_.clear();
    }

    void FinishPaper() {
        FinishQuestion();
        if (!inPaper_) return;
        if (paper_.questions.empty()) {
            throw SourceError(file_, paper_.line, "paper " + std::to_string(paper_.key) + " has no question");
        }
        papers_.push_back(std::move(paper_));
        inPaper_ = false;
    }

    void StartQuestion() {
        if (!inPaper_) Fail("a question must follow a \"paper\" line");
        FinishQuestion();
        question_ = Question{};
        question_.file = file_;
        question_.line = line_;
        question_.instruction = instruction_;
        inQuestion_ = true;
    }

    Question& CurrentQuestion() {
        if (!inQuestion_) Fail("text outside a question: start a question with a line \"question\"");
        return question_;
    }

    void EndParagraph() { paragraphOpen_ = false; }

    void CheckPageText(const std::string& text) {
        if (HasExternalReference(text)) Fail("pages cannot refer to anything outside the program (web or file addresses)");
        if (!qv::Utf8ToCp1252(text) && !IsValidUtf8(text)) Fail("the text is not valid UTF-8");
    }

    static bool IsValidUtf8(const std::string& text) {
        for (std::size_t i = 0; i < text.size();) {
            const auto lead = static_cast<unsigned char>(text[i]);
            std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                                                  : (lead & 0xF8) == 0xF0 ? 4 : 0;
            if (length == 0 || i + length > text.size()) return false;
            for (std::size_t k = 1; k < length; ++k) {
                if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
            }
            i += length;
        }
        return true;
    }

    void AddOption(int number, const std::string& text) {
        Question& question = CurrentQuestion();
        EndParagraph();
        if (lastChoicePart_ < 0) Fail("option " + std::to_string(number) + " does not follow a choice part {Q:...}");
        Part& part = question.parts[static_cast<std::size_t>(lastChoicePart_)];
        const int expected = static_cast<int>(part.options.size()) + 1;
        if (number != expected) {
            Fail("option " + std::to_string(number) + " is out of order: option " + std::to_string(expected) +
                 " comes here");
        }
        if (text.empty()) Fail("option " + std::to_string(number) + " is empty");
        CheckPageText(text);
        for (std::size_t i = 0; i < part.options.size(); ++i) {
            if (Lower(part.options[i]) == Lower(text)) {
                Fail("option " + std::to_string(number) + " is the same as option " + std::to_string(i + 1));
            }
        }
        part.options.push_back(text);
        if (question.blocks.empty() || question.blocks.back().kind != Block::Kind::Options ||
            question.blocks.back().part != lastChoicePart_) {
            Block block;
            block.kind = Block::Kind::Options;
            block.part = lastChoicePart_;
            question.blocks.push_back(block);
        }
    }

    void AddTextLine(const std::string& text) {
        Question& question = CurrentQuestion();
        CheckPageText(text);
        std::vector<Segment> segments = ParseSegments(question, text);
        const bool markerOnly = segments.size() == 1 && segments[0].isPart;
        if (markerOnly) {
            EndParagraph();
            Block block;
            block.kind = Block::Kind::PartOnly;
            block.part = segments[0].part;
            question.blocks.push_back(block);
            return;
        }
        if (!paragraphOpen_) {
            Block block;
            block.kind = Block::Kind::Paragraph;
            question.blocks.push_back(block);
            paragraphOpen_ = true;
        } else {
            question.blocks.back().segments.push_back(Segment{false, " ", -1});
        }
        auto& target = question.blocks.back().segments;
        target.insert(target.end(), segments.begin(), segments.end());
    }

    std::vector<Segment> ParseSegments(Question& question, const std::string& text) {
        std::vector<Segment> segments;
        std::string plain;
        auto flush = [&] {
            if (!plain.empty()) segments.push_back(Segment{false, plain, -1});
            plain.clear();
        };
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '\\' && i + 1 < text.size() && std::string_view("*{}\\").find(text[i + 1]) != std::string_view::npos) {
                plain += c;  // kept escaped; the page writer prints the character
                plain += text[++i];
                continue;
            }
            if (c == '}') Fail("a '}' without its '{' (write \\} for the character itself)");
            if (c != '{') {
                plain += c;
                continue;
            }
            const std::size_t close = text.find('}', i + 1);
            if (close == std::string::npos) Fail("an answer part {...} is not closed");
            const std::string inside = text.substr(i + 1, close - i - 1);
            if (inside.find('{') != std::string::npos) Fail("an answer part cannot hold '{'");
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

    Part ParsePart(const std::string& inside) {
        // TYPE, an optional MARK, ':' and the answer.
        const std::size_t colon = inside.find(':');
        const std::string head = colon == std::string::npos ? std::string() : Trim(inside.substr(0, colon));
        const bool letterFirst = !head.empty() && std::isalpha(static_cast<unsigned char>(head[0]));
        const std::string markText = letterFirst ? Trim(std::string_view(head).substr(1)) : std::string();
        if (!letterFirst || (!markText.empty() && !IsDigits(markText))) {
            Fail("\"{" + inside + "}\" is not an answer part: write {TYPE:answer} or {TYPE MARK:answer}");
        }
        Part part;
        part.line = line_;
        const std::string letter = head.substr(0, 1);
        if (kTypeLetters.find(letter[0]) == std::string_view::npos) {
            Fail("unknown answer type \"" + letter + "\"; the types are Q, T, L, N, R, F, X, G and M");
        }
        part.type = letter[0];
        if (!markText.empty()) {
            const auto mark = qv::ParseStoredInt(markText);
            if (!mark || *mark < 1 || *mark > 100) Fail("the mark of a part is a whole number from 1 to 100");
            part.mark = *mark;
        }
        const std::string rawKey = inside.substr(colon + 1);
        if (part.type == 'G' || part.type == 'M') {
            const std::string key = Trim(rawKey);
            part.key = key.empty() ? " " : key;
            if (!key.empty() && key[0] != ';') {
                Fail("a group answer lists its answers as ;first;second;... (or is a single space)");
            }
        } else {
            part.key = Trim(rawKey);
            if (part.key.empty()) Fail("the answer of a part is empty");
        }
        if (part.key.find('>') != std::string::npos) Fail("an answer cannot hold '>'");
        if (!qv::Utf8ToCp1252(part.key)) {
            Fail("the answer \"" + part.key + "\" holds a character that the Windows-1252 code page cannot store");
        }
        if (part.type == 'N' && !qv::ParseStoredNumber(part.key)) Fail("the answer of a number part is not a number");
        return part;
    }

    void FinishQuestion() {
        EndParagraph();
        lastChoicePart_ = -1;
        if (!inQuestion_) return;
        inQuestion_ = false;
        CheckQuestion(question_);
        paper_.questions.push_back(std::move(question_));
    }

    void CheckQuestion(const Question& question) {
        const auto fail = [&](int line, const std::string& message) { throw SourceError(file_, line, message); };
        if (question.parts.empty()) fail(question.line, "the question has no answer part");
        if (question.parts.size() > kMaxParts) {
            fail(question.line, "the question has " + std::to_string(question.parts.size()) +
                                    " answer parts; the answer sheet holds at most 20");
        }
        // On a page with blanks to fill, every blank shown must be an answer part.
        const bool fillsBlanks = std::any_of(question.parts.begin(), question.parts.end(),
                                             [](const Part& part) { return part.type != 'Q' && part.type != 'L'; });
        if (fillsBlanks) {
            for (const Block& block : question.blocks) {
                for (const Segment& segment : block.segments) {
                    if (!segment.isPart && segment.text.find("___") != std::string::npos) {
                        fail(question.line, "a blank \"___\" on the page is not an answer part: write the part {T:...} there");
                    }
                }
            }
        }
        std::vector<std::string> box;
        bool hasBox = false;
        for (const Block& block : question.blocks) {
            if (block.kind != Block::Kind::WordBox) continue;
            hasBox = true;
            box.insert(box.end(), block.items.begin(), block.items.end());
        }
        for (const Part& part : question.parts) {
            if (part.type == 'Q') CheckChoice(part);
            if (!hasBox) continue;
            if (part.type == 'T') {
                const bool found = std::any_of(box.begin(), box.end(),
                                               [&](const std::string& item) { return Lower(item) == Lower(part.key); });
                if (!found) fail(part.line, "the answer \"" + part.key + "\" is not in the word box");
            }
            if (part.type == 'L') CheckWordOrder(part, box);
        }
    }

    void CheckChoice(const Part& part) const {
        const auto fail = [&](const std::string& message) { throw SourceError(file_, part.line, message); };
        const int count = static_cast<int>(part.options.size());
        if (count == 0) fail("the choice part has no options: list them as lines 1) ... 2) ...");
        if (count < 2) fail("a choice part needs at least two options");
        if (count > 9) fail("a choice part has at most 9 options (the answer is one digit)");
        if (choices_ > 0 && count != choices_) {
            fail("the choice part has " + std::to_string(count) + " options; this course asks for " +
                 std::to_string(choices_));
        }
        const auto key = qv::ParseStoredInt(part.key);
        if (!key || *key < 1 || *key > count) {
            fail("the answer \"" + part.key + "\" is not one of the options shown (1.." + std::to_string(count) + ")");
        }
    }

    void CheckWordOrder(const Part& part, const std::vector<std::string>& box) const {
        const auto fail = [&](const std::string& message) { throw SourceError(file_, part.line, message); };
        if (part.key.empty() || part.key.back() != '.') fail("a word-order answer ends with a full stop");
        std::vector<std::string> keyWords = SplitWords(part.key.substr(0, part.key.size() - 1));
        std::vector<std::string> shown;
        for (const std::string& item : box) {
            for (std::string& word : SplitWords(item)) shown.push_back(std::move(word));
        }
        std::sort(keyWords.begin(), keyWords.end());
        std::sort(shown.begin(), shown.end());
        if (keyWords != shown) {
            std::vector<std::string> extra, unused;
            std::set_difference(keyWords.begin(), keyWords.end(), shown.begin(), shown.end(), std::back_inserter(extra));
            std::set_difference(shown.begin(), shown.end(), keyWords.begin(), keyWords.end(), std::back_inserter(unused));
            std::string detail;
            for (const auto& word : extra) detail += " \"" + word + "\" is not in the box;";
            for (const auto& word : unused) detail += " \"" + word + "\" is not used;";
            detail.pop_back();
            fail("the answer must use exactly the words in the box, each once:" + detail);
        }
    }

    std::string file_;
    int firstKey_;
    int choices_;
    int line_ = 0;
    std::vector<Paper> papers_;
    Paper paper_;
    bool inPaper_ = false;
    Question question_;
    bool inQuestion_ = false;
    bool paragraphOpen_ = false;
    int lastChoicePart_ = -1;
    std::string instruction_;
};

void AssignQuestionIds(Course& course) {
    std::size_t range = 0;
    int next = kQuestionIdRanges[0].first;
    for (Module& module : course.modules) {
        for (Topic& topic : module.topics) {
            for (Paper& paper : topic.papers) {
                for (Question& question : paper.questions) {
                    if (range >= kQuestionIdRanges.size()) {
                        throw SourceError(question.file, question.line,
                                          "the course has more questions than the 1005 question ids "
                                          "(13001..13345, 14001..14330, 15001..15330)");
                    }
                    question.id = next;
                    if (++next > kQuestionIdRanges[range].second && ++range < kQuestionIdRanges.size()) {
                        next = kQuestionIdRanges[range].first;
                    }
                }
            }
        }
    }
}

void CheckNoRepeats(const Course& course) {
    std::map<std::string, const Question*> seen;
    for (const Module& module : course.modules) {
        for (const Topic& topic : module.topics) {
            for (const Paper& paper : topic.papers) {
                for (const Question& question : paper.questions) {
                    const auto [at, inserted] = seen.emplace(ComparableText(question), &question);
                    if (!inserted) {
                        throw SourceError(question.file, question.line,
                                          "the question repeats the one at " + at->second->file + ":" +
                                              std::to_string(at->second->line));
                    }
                }
            }
        }
    }
}

}  // namespace

std::string ComparableText(const Question& question) {
    std::string text;
    for (const Block& block : question.blocks) {
        switch (block.kind) {
            case Block::Kind::Heading: text += block.text + "\n"; break;
            case Block::Kind::WordBox:
                for (const auto& item : block.items) text += item + "|";
                text += "\n";
                break;
            case Block::Kind::Paragraph:
                for (const Segment& segment : block.segments) text += segment.isPart ? "{}" : segment.text;
                text += "\n";
                break;
            case Block::Kind::Options:
                for (const auto& option : question.parts[static_cast<std::size_t>(block.part)].options) {
                    text += option + "|";
                }
                text += "\n";
                break;
            case Block::Kind::PartOnly: text += "{}\n"; break;
        }
    }
    for (const Part& part : question.parts) {
        if (part.type == 'L') text += part.key + "\n";
    }
    // Letter case and spacing do not make two questions different.
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

std::vector<Paper> ReadPaperFile(const fs::path& file, const std::string& shownName, int firstKey, int choices) {
    const auto lines = ReadLines(file, shownName, 0, shownName);
    return PaperReader(shownName, firstKey, choices).Read(lines);
}

Course ReadCourse(const fs::path& header) {
    const std::string headerName = header.string();
    const auto lines = ReadLines(header, headerName, 0, headerName);
    Course course;
    std::set<int> slots;

    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const std::string line = Trim(lines[i]);
        if (line.empty() || IsComment(line)) continue;
        std::string value;
        if (SplitDirective(line, "title", value)) {
            CheckTextValue(headerName, number, "the title", value);
            course.title = value;
        } else if (SplitDirective(line, "code", value)) {
            const bool valid = !value.empty() && value.size() <= 8 &&
                               std::all_of(value.begin(), value.end(), [](char c) {
                                   return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
                               });
            if (!valid) {
                throw SourceError(headerName, number, "the course code is 1 to 8 upper-case letters or digits");
            }
            course.code = value;
        } else if (SplitDirective(line, "choices", value)) {
            const auto count = qv::ParseStoredInt(value);
            if (!count || *count < 2 || *count > 9) throw SourceError(headerName, number, "choices is a number from 2 to 9");
            course.choices = *count;
        } else if (StartsWithWord(line, "module", value) && value.find(':') != std::string::npos) {
            const auto slot = qv::ParseStoredInt(value.substr(0, value.find(':')));
            if (!slot || *slot < 1 || *slot > 3) throw SourceError(headerName, number, "a module slot is 1, 2 or 3");
            if (!slots.insert(*slot).second) {
                throw SourceError(headerName, number, "module " + std::to_string(*slot) + " is declared twice");
            }
            Module module;
            module.slot = *slot;
            module.line = number;
            module.label = Trim(std::string_view(value).substr(value.find(':') + 1));
            CheckTextValue(headerName, number, "the module label", module.label);
            course.modules.push_back(module);
        } else if (SplitDirective(line, "topic", value) && value.find('|') != std::string::npos) {
            if (course.modules.empty()) throw SourceError(headerName, number, "a topic must follow a \"module\" line");
            Topic topic;
            topic.name = Trim(std::string_view(value).substr(0, value.rfind('|')));
            topic.file = Trim(std::string_view(value).substr(value.rfind('|') + 1));
            if (topic.file.empty()) throw SourceError(headerName, number, "the topic names no paper file");
            topic.line = number;
            CheckTextValue(headerName, number, "the topic name", topic.name);
            Module& module = course.modules.back();
            module.topics.push_back(Topic{topic.name, topic.file, number, {}});
            if (module.topics.size() > kMaxTopics) {
                throw SourceError(headerName, number, "a module has at most 10 topics");
            }
        } else {
            throw SourceError(headerName, number, "unknown line; expected title:, code:, choices:, module N: or topic:");
        }
    }
    const int last = static_cast<int>(lines.size());
    if (course.title.empty()) throw SourceError(headerName, last, "the course has no title: line");
    if (course.code.empty()) throw SourceError(headerName, last, "the course has no code: line");
    if (course.modules.empty()) throw SourceError(headerName, last, "the course has no module");
    for (const Module& module : course.modules) {
        if (module.topics.empty()) throw SourceError(headerName, module.line, "the module has no topic");
    }

    for (Module& module : course.modules) {
        for (std::size_t t = 0; t < module.topics.size(); ++t) {
            Topic& topic = module.topics[t];
            const fs::path file = header.parent_path() / topic.file;
            const std::string shown = (header.parent_path() / topic.file).string();
            std::ifstream probe(file);
            if (!probe) throw SourceError(headerName, topic.line, "cannot read the paper file \"" + topic.file + "\"");
            topic.papers = ReadPaperFile(file, shown, 101 + 5 * static_cast<int>(t), course.choices);
        }
    }
    std::sort(course.modules.begin(), course.modules.end(),
              [](const Module& a, const Module& b) { return a.slot < b.slot; });
    AssignQuestionIds(course);
    CheckNoRepeats(course);
    return course;
}

}  // namespace coursec
