#include "previous_build.h"

#include <functional>
#include <optional>

#include "course/atomic_file.h"
#include "course/course_config.h"
#include "course/resources.h"

namespace coursec {

namespace fs = std::filesystem;

namespace {

using Lookup = std::function<std::optional<std::string>(int id)>;

// The fields of record `key` in a course data file, as one text ("" when the
// record has none); nothing when the file has no such record.
std::optional<std::string> RecordFields(const std::string& bytes, const std::string& key) {
    const std::string tag = "#" + key + "#";
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        if (bytes.compare(start, tag.size(), tag) == 0)
            return bytes.substr(start + tag.size(), end - start - tag.size());
        start = end + 2;
    }
    return std::nullopt;
}

std::vector<std::string> Split(const std::string& fields) {
    std::vector<std::string> out;
    for (std::size_t at = fields.find('>'); at != std::string::npos;) {
        const std::size_t next = fields.find('>', at + 1);
        out.push_back(fields.substr(at + 1, next == std::string::npos ? next : next - at - 1));
        at = next;
    }
    return out;
}

// A question as the pupil meets it, without its id: its page, its answers,
// their types and marks.
std::string QuestionContent(const Lookup& lookup, int slot, const std::string& id) {
    const int number = std::stoi(id);
    std::string page = lookup(number).value_or("");
    const std::size_t body = page.find("\r\n\r\n");
    page.erase(0, body == std::string::npos ? 0 : body);
    const std::string title = "<title>Question " + id + "</title>";
    if (const std::size_t at = page.find(title); at != std::string::npos)
        page.erase(at, title.size());
    std::string content = page;
    for (const int file : {qv::AnswerKeyId(slot), qv::AnswerTypesId(slot), qv::PartMarksId(slot)})
        content += "\n" + RecordFields(lookup(file).value_or(""), id).value_or("?");
    return content;
}

// Every paper of a module: its key and its questions' contents.
std::map<int, std::vector<std::string>> ModulePapers(const Lookup& lookup, int slot) {
    std::map<int, std::vector<std::string>> papers;
    const std::string list = lookup(qv::PaperListId(slot)).value_or("");
    for (int key = 101; key <= 100 + qv::kMaxPapers; ++key) {
        const auto fields = RecordFields(list, std::to_string(key));
        if (!fields) continue;
        std::vector<std::string>& questions = papers[key];
        for (const std::string& id : Split(*fields)) {
            if (id.empty() || id.find_first_not_of("0123456789") != std::string::npos ||
                id.size() > 6)
                questions.push_back("?" + id);
            else
                questions.push_back(QuestionContent(lookup, slot, id));
        }
    }
    return papers;
}

std::string NumberList(const std::vector<std::size_t>& numbers) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        text += (i == 0                    ? ""
                 : i + 1 == numbers.size() ? " and "
                                           : ", ") +
                std::to_string(numbers[i]);
    return text;
}

std::string Difference(const std::vector<std::string>& before,
                       const std::vector<std::string>& now) {
    if (before.size() != now.size()) {
        return "it has " + std::to_string(now.size()) + " questions (" +
               std::to_string(before.size()) + " before)";
    }
    std::vector<std::size_t> differ;
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (before[i] != now[i]) differ.push_back(i + 1);
    }
    if (differ.empty()) return {};
    return (differ.size() == 1 ? "question " : "questions ") + NumberList(differ) +
           (differ.size() == 1 ? " differs" : " differ");
}

}  // namespace

Comparison CompareWithEarlierBuild(const Course& course,
                                   const std::map<int, std::string>& resources,
                                   const fs::path& earlier) {
    Comparison result;
    const auto config = qv::ReadCourseConfig(earlier / std::to_string(qv::kConfigurationId));
    if (!config.ok() || !config.value.anyConfigured()) {
        result.fault = earlier.string() +
                       " is not a compiled course: it has no course configuration (file " +
                       std::to_string(qv::kConfigurationId) + ")";
        return result;
    }
    result.oldCode = config.value.code;
    const Lookup before = [&](int id) -> std::optional<std::string> {
        const auto bytes = qv::ReadWholeFile(earlier / std::to_string(id));
        if (!bytes.ok()) return std::nullopt;
        return bytes.value;
    };
    const Lookup now = [&](int id) -> std::optional<std::string> {
        const auto at = resources.find(id);
        if (at == resources.end()) return std::nullopt;
        return at->second;
    };
    for (int slot = 1; slot <= qv::kSlotCount; ++slot) {
        const Module* module = nullptr;
        for (const Module& m : course.modules) {
            if (m.slot == slot) module = &m;
        }
        if (!config.value.module(slot).configured()) continue;
        const auto oldPapers = ModulePapers(before, slot);
        const auto newPapers = module ? ModulePapers(now, slot) : decltype(oldPapers){};
        for (const auto& [key, questions] : oldPapers) {
            const auto at = newPapers.find(key);
            if (at == newPapers.end()) {
                result.gone.push_back("paper " + std::to_string(key) + " of module " +
                                      std::to_string(slot));
                continue;
            }
            std::string what = Difference(questions, at->second);
            if (what.empty()) continue;
            const int index = key - 101;
            const Topic& topic =
                module->topics[static_cast<std::size_t>(index / qv::kPapersPerTopic)];
            result.changed.push_back(
                {&topic, &topic.papers[static_cast<std::size_t>(index % qv::kPapersPerTopic)],
                 std::move(what)});
        }
    }
    return result;
}

std::vector<std::string> DescribeComparison(const Comparison& comparison, const Course& course,
                                            const std::string& earlier) {
    std::vector<std::string> lines;
    if (!comparison.fault.empty()) return {comparison.fault};
    if (comparison.oldCode != course.code) {
        return {"the earlier build in " + earlier + " is the course " + comparison.oldCode +
                ", and this one is " + course.code +
                ": results are kept apart by the course code, so no saved answer is read against "
                "the questions of this build"};
    }
    for (const PaperChange& change : comparison.changed) {
        lines.push_back(change.paper->questions.front().file + ":" +
                        std::to_string(change.paper->line) + ": paper " +
                        std::to_string(change.paper->key) + " (" + change.topic->name +
                        ") has changed since the build in " + earlier + ": " + change.what);
    }
    for (const std::string& gone : comparison.gone)
        lines.push_back(gone + " was in the build in " + earlier +
                        " and is no longer in the course");
    const std::size_t count = comparison.changed.size() + comparison.gone.size();
    if (count == 0) {
        lines.push_back("no paper's questions have changed since the build in " + earlier +
                        ": pupils' saved answers and marks still fit");
    } else {
        lines.push_back(std::to_string(count) + (count == 1 ? " paper has" : " papers have") +
                        " changed: answers pupils saved for " + (count == 1 ? "it" : "them") +
                        " would be read against other questions; warn the pupils, or erase "
                        "those papers' results");
    }
    return lines;
}

}  // namespace coursec
