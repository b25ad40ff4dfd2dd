#include "course_source.h"

#include <algorithm>
#include <set>

#include "course/course_config.h"
#include "course/course_limits.h"
#include "course/text.h"
#include "course_checks.h"
#include "diagnostics.h"
#include "keyword_hints.h"
#include "page_text.h"
#include "paper_reader.h"
#include "plain_answer.h"
#include "source_text.h"

namespace coursec {

namespace fs = std::filesystem;

namespace {

void CheckTextValue(const std::string& file, int line, const std::string& what,
                    const std::string& value) {
    if (value.empty()) throw SourceError(file, line, what + " is empty");
    if (value.find_first_of("#>") != std::string::npos) {
        throw SourceError(file, line, what + " cannot hold '#' or '>'");
    }
    CheckStorable(value, what, file, line);
}

bool IsCourseCode(const std::string& code) {
    return !code.empty() && code.size() <= 8 && std::all_of(code.begin(), code.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

class HeaderReader {
  public:
    HeaderReader(std::string file, Diagnostics& out) : file_(std::move(file)), out_(out) {}

    Course Read(const std::vector<std::string>& lines) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            line_ = static_cast<int>(i) + 1;
            const std::string line(qv::TrimSpacesAndTabs(lines[i]));
            if (!line.empty() && !IsComment(line)) out_.Try([&] { ReadLine(line); });
        }
        line_ = static_cast<int>(lines.size());
        if (course_.title.empty())
            out_.Error(SourceError(file_, line_, "the course has no title: write a `title:` line"));
        if (course_.code.empty())
            out_.Error(SourceError(file_, line_, "the course has no code: write a `code:` line"));
        if (course_.modules.empty())
            out_.Error(SourceError(file_, line_, "the course has no module"));
        for (const Module& module : course_.modules) {
            if (module.topics.empty())
                out_.Error(SourceError(file_, module.line, "the module has no topic"));
        }
        return std::move(course_);
    }

  private:
    [[noreturn]] void Fail(const std::string& message) const {
        throw SourceError(file_, line_, message);
    }

    void ReadLine(const std::string& line) {
        std::string value;
        if (SplitDirective(line, "title", value)) {
            CheckTextValue(file_, line_, "the title", value);
            course_.title = value;
        } else if (SplitDirective(line, "code", value)) {
            if (!IsCourseCode(value))
                Fail("the course code is 1 to 8 upper-case letters or digits");
            course_.code = value;
        } else if (SplitDirective(line, "choices", value)) {
            const auto count = qv::ParseStoredInt(value);
            if (!count || *count < 2 || *count > 9) Fail("choices is a number from 2 to 9");
            course_.rules.choices = *count;
        } else if (SplitDirective(line, "box rule", value)) {
            course_.rules.boxRule = InstructionRule("the box rule", value);
        } else if (SplitDirective(line, "order rule", value)) {
            course_.rules.orderRule = InstructionRule("the order rule", value);
        } else if (StartsWithWord(line, "module", value) && value.find(':') != std::string::npos) {
            AddModule(value);
        } else if (SplitDirective(line, "module", value)) {
            Fail("a module line names its slot: module 1:, module 2: or module 3:");
        } else if (SplitDirective(line, "topic", value)) {
            if (value.find('|') == std::string::npos)
                Fail("a topic line names its paper file after a '|': topic: NAME | FILE");
            AddTopic(value);
        } else {
            const LineSlip slip = HeaderLineSlip(line);
            if (slip.meant.empty()) Fail(slip.message);
            // Read as meant, so that the lines after it are read as intended.
            out_.Error(SourceError(file_, line_, slip.message));
            ReadLine(slip.meant);
        }
    }

    // Words that instructions must give: never empty, never an address.
    std::string InstructionRule(const std::string& what, const std::string& value) const {
        if (value.empty()) Fail(what + " is empty");
        if (HasExternalReference(value))
            Fail(what + " cannot refer to anything outside the program");
        return value;
    }

    void AddModule(const std::string& value) {
        const auto slot = qv::ParseStoredInt(value.substr(0, value.find(':')));
        if (!slot || *slot < 1 || *slot > qv::kSlotCount) Fail("a module slot is 1, 2 or 3");
        if (!slots_.insert(*slot).second)
            Fail("module " + std::to_string(*slot) + " is declared twice");
        Module module;
        module.slot = *slot;
        module.line = line_;
        module.label = qv::TrimSpacesAndTabs(std::string_view(value).substr(value.find(':') + 1));
        CheckTextValue(file_, line_, "the module label", module.label);
        course_.modules.push_back(module);
    }

    void AddTopic(const std::string& value) {
        if (course_.modules.empty()) Fail("a topic must follow a \"module\" line");
        Topic topic;
        topic.name = qv::TrimSpacesAndTabs(std::string_view(value).substr(0, value.rfind('|')));
        topic.file = qv::TrimSpacesAndTabs(std::string_view(value).substr(value.rfind('|') + 1));
        topic.line = line_;
        if (topic.file.empty()) Fail("the topic names no paper file");
        CheckTextValue(file_, line_, "the topic name", topic.name);
        Module& module = course_.modules.back();
        module.topics.push_back(std::move(topic));
        if (module.topics.size() > static_cast<std::size_t>(qv::kMaxTopics)) {
            Fail("a module has at most " + std::to_string(qv::kMaxTopics) + " topics");
        }
    }

    std::string file_;
    Diagnostics& out_;
    int line_ = 0;
    Course course_;
    std::set<int> slots_;
};

}  // namespace

std::vector<std::string> Part::answers() const {
    if (type != 'G' && type != 'M') return {key};
    std::vector<std::string> list;
    std::size_t start = 1;
    while (start <= key.size()) {
        const std::size_t end = std::min(key.find(';', start), key.size());
        std::string answer(qv::TrimSpacesAndTabs(std::string_view(key).substr(start, end - start)));
        if (!answer.empty()) list.push_back(std::move(answer));
        start = end + 1;
    }
    return list;
}

std::string AnsweredParagraph(
    const Question& question, const Block& paragraph,
    const std::function<void(const Part& gap, const std::string& before)>& atGap) {
    std::string text;
    for (const Segment& segment : paragraph.segments) {
        if (!segment.isPart) {
            text += ShownText(segment.text);
            continue;
        }
        const Part& part = question.parts[static_cast<std::size_t>(segment.part)];
        const std::vector<std::string> answers = part.answers();
        if (part.type == 'Q' || part.type == 'L' || answers.empty()) {
            text += ' ';
            continue;
        }
        if (atGap) atGap(part, text);
        text += answers.front();
    }
    return text;
}

Course ReadCourse(const fs::path& header, Diagnostics& out) {
    Course course;
    try {
        const std::string headerName = header.string();
        std::vector<std::string> headerLines;
        if (!out.Try([&] {
                headerLines =
                    ReadSourceLines(header, headerName,
                                    SourceError(headerName, 0, "cannot read the course header"));
            }))
            return course;
        course = HeaderReader(headerName, out).Read(headerLines);
        for (Module& module : course.modules) {
            for (std::size_t t = 0; t < module.topics.size(); ++t) {
                Topic& topic = module.topics[t];
                const fs::path file = header.parent_path() / topic.file;
                const std::string shown = file.string();
                std::vector<std::string> lines;
                if (!out.Try([&] {
                        lines = ReadSourceLines(
                            file, shown,
                            SourceError(headerName, topic.line,
                                        "cannot read the paper file \"" + topic.file + "\""));
                    }))
                    continue;
                const int firstKey =
                    qv::kPaperKeyOffset + 1 + qv::kPapersPerTopic * static_cast<int>(t);
                topic.papers = ReadPapers(lines, shown, firstKey, course.rules, out);
            }
        }
        std::sort(course.modules.begin(), course.modules.end(),
                  [](const Module& a, const Module& b) { return a.slot < b.slot; });
        AssignQuestionIds(course, out);
        CheckNoRepeats(course, out);
    } catch (const TooManyErrors&) {
        // Enough to read at once; the rest waits for the next run.
    }
    return course;
}

Course ReadCourse(const fs::path& header) {
    Diagnostics out;
    Course course = ReadCourse(header, out);
    if (const auto first = out.firstError()) throw *first;
    return course;
}

}  // namespace coursec
