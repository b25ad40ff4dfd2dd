#include "course_writer.h"

#include <vector>

#include "course/config_keys.h"
#include "course/record_file.h"
#include "course/resources.h"
#include "course/results_store.h"
#include "course/text.h"

namespace coursec {

namespace {

std::string Cp1252(const std::string& utf8) {
    return qv::Utf8ToCp1252(utf8).value_or(utf8);
}

// A course data file: "...", the lines, "..." without a line end.
std::string RecordFile(const std::vector<std::string>& lines) {
    std::string bytes = "...\r\n";
    for (const std::string& line : lines) bytes += line + "\r\n";
    bytes += "...";
    return bytes;
}

std::string Record(const std::string& key, const std::vector<std::string>& fields) {
    return qv::BuildRecordLine(key, fields, static_cast<int>(fields.size()));
}

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

std::string Configuration(const Course& course) {
    std::vector<std::string> lines;
    lines.push_back(Record(std::string(qv::kTitleKey), {Cp1252(course.title)}));
    lines.push_back(Record(std::string(qv::kCodeKey), {course.code}));
    for (const Module& module : course.modules) {
        const auto key = qv::kModuleLabelKeys.at(static_cast<std::size_t>(module.slot - 1));
        lines.push_back(Record(std::string(key), {Cp1252(module.label)}));
    }
    lines.push_back(std::string(31, '-'));
    for (const Module& module : course.modules) {
        const std::string m = std::to_string(module.slot);
        lines.push_back(
            Record(std::string(qv::kTopicCountKey) + m, {std::to_string(module.topics.size())}));
        lines.push_back(
            Record(std::string(qv::kPaperCountKey) + m, {std::to_string(module.paperCount())}));
        std::vector<std::string> names;
        for (const Topic& topic : module.topics) names.push_back(Cp1252(topic.name));
        lines.push_back(Record(std::string(qv::kTopicNamesKey) + m, names));
    }
    return RecordFile(lines);
}

void AddModuleResources(const Module& module, std::map<int, std::string>& out) {
    const int slot = module.slot;
    std::vector<std::string> paperList, answers, types, marks, paperTemplate;
    for (const Topic& topic : module.topics) {
        for (const Paper& paper : topic.papers) {
            std::vector<std::string> ids;
            int parts = 0;
            for (const Question& question : paper.questions) {
                const std::string id = std::to_string(question.id);
                ids.push_back(id);
                std::vector<std::string> keyFields, typeFields, markFields;
                for (const Part& part : question.parts) {
                    keyFields.push_back(Cp1252(part.key));
                    typeFields.push_back(std::string(1, part.type));
                    markFields.push_back(std::to_string(part.mark));
                }
                answers.push_back(Record(id, keyFields));
                types.push_back(Record(id, typeFields));
                marks.push_back(Record(id, markFields));
                parts += static_cast<int>(question.parts.size());
            }
            const std::string key = std::to_string(paper.key);
            paperList.push_back(Record(key, ids));
            paperTemplate.push_back("#" + key + "#" + Repeat(">", parts));
        }
    }
    out[qv::PaperListId(slot)] = RecordFile(paperList);
    out[qv::AnswerKeyId(slot)] = RecordFile(answers);
    out[qv::AnswerTypesId(slot)] = RecordFile(types);
    out[qv::PartMarksId(slot)] = RecordFile(marks);

    const int papers = module.paperCount();
    std::vector<std::string> marksFile;
    for (const std::string& key : qv::kMarksKeys) {
        const bool state = key == "FST" || key == "SST";
        marksFile.push_back("#" + key + "#" + Repeat(state ? ">0" : ">", papers));
    }
    out[qv::ResultTemplateId(slot, qv::ResultKind::Marks)] = RecordFile(marksFile);
    for (qv::ResultKind kind : {qv::ResultKind::FirstAnswers, qv::ResultKind::SecondAnswers,
                                qv::ResultKind::FirstResults, qv::ResultKind::SecondResults}) {
        out[qv::ResultTemplateId(slot, kind)] = RecordFile(paperTemplate);
    }
    out[qv::ResultTemplateId(slot, qv::ResultKind::Trend)] = "#" + std::string(qv::kTrendKey) + "#";
}

}  // namespace

std::map<int, std::string> BuildCourseResources(const Course& course) {
    std::map<int, std::string> out;
    out[qv::kConfigurationId] = Configuration(course);
    for (const Module& module : course.modules) {
        AddModuleResources(module, out);
        for (const Topic& topic : module.topics) {
            for (const Paper& paper : topic.papers) {
                for (const Question& question : paper.questions) {
                    out[question.id] = BuildQuestionPage(course, question);
                }
            }
        }
    }
    return out;
}

}  // namespace coursec
