#include "report/mistakes.h"

#include <algorithm>
#include <array>
#include <map>

#include "course/navigation.h"
#include "course/results_store.h"
#include "course/text.h"
#include "practice/marking.h"
#include "practice/model_answer.h"
#include "practice/paper_data.h"
#include "practice/paper_records.h"
#include "practice/question_text.h"
#include "practice/wrong_reason.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

const std::string& At(const Fields& list, std::size_t i) {
    static const std::string kEmpty;
    return i < list.size() ? list[i] : kEmpty;
}

// The wrong parts of one paper whose course data is loaded.
void AddPaperMistakes(const ResourceSource& source, const PaperData& paper, const Fields& answers,
                      const Fields& results, int topic, int paperInTopic, std::vector<Mistake>& out) {
    int offset = 0;
    for (int q = 0; q < paper.questionCount(); ++q) {
        const int count = paper.partCounts[static_cast<std::size_t>(q)];
        bool pageRead = false;
        QuestionText page;
        Fields placed;
        for (int k = 0; k < count; ++k) {
            const auto part = static_cast<std::size_t>(offset + k);
            if (At(results, part) != kCross) continue;
            if (!pageRead) {
                page = LoadQuestionText(source, paper.questionIds[static_cast<std::size_t>(q)]);
                const auto first = paper.answerKey.begin() + offset;
                placed = PlacedBoxWords(page, Fields(first, first + count));
                pageRead = true;
            }
            Mistake m;
            m.topic = topic;
            m.paperInTopic = paperInTopic;
            m.question = q + 1;
            m.part = k;
            m.partsInQuestion = count;
            m.questionText = page.paragraphs.empty()
                                 ? std::string("(The page of this question could not be read.)")
                                 : QuestionExcerpt(page, static_cast<std::size_t>(k), static_cast<std::size_t>(count));
            m.answer = At(answers, part);
            m.model = ModelAnswer(answers, paper.answerKey, paper.answerTypes, part);
            m.reason = PaperPartReason(answers, paper.answerKey, paper.answerTypes, part, placed, ModelAnswerShown::Yes);
            out.push_back(std::move(m));
        }
        offset += count;
    }
}

}  // namespace

void SortMistakes(std::vector<Mistake>& parts) {
    std::map<int, int> perTopic;
    for (const Mistake& m : parts) ++perTopic[m.topic];
    std::stable_sort(parts.begin(), parts.end(), [&](const Mistake& a, const Mistake& b) {
        const int ca = perTopic[a.topic], cb = perTopic[b.topic];
        if (ca != cb) return ca > cb;
        if (a.topic != b.topic) return a.topic < b.topic;
        if (a.paperInTopic != b.paperInTopic) return a.paperInTopic < b.paperInTopic;
        if (a.question != b.question) return a.question < b.question;
        return a.part < b.part;
    });
}

Mistakes LoadMistakes(const ResourceSource& source, const fs::path& workDir, int slot, std::string_view code,
                      const ModuleConfig& module) {
    Mistakes mistakes;
    const auto marksFile = ResultFilePath(workDir, ResultKind::Marks, slot, code);
    const auto answersFile = ResultFilePath(workDir, ResultKind::SecondAnswers, slot, code);
    const auto resultsFile = ResultFilePath(workDir, ResultKind::SecondResults, slot, code);
    const auto marks = ReadModuleMarks(marksFile, module.paperCount);
    const auto answers = ReadPaperRecords(answersFile, module.paperCount);
    const auto results = ReadPaperRecords(resultsFile, module.paperCount);
    for (const auto& [file, status] : std::array<std::pair<fs::path, IoStatus>, 3>{
             {{marksFile, marks.status}, {answersFile, answers.status}, {resultsFile, results.status}}}) {
        if (status != IoStatus::Ok) mistakes.problems.push_back({file, DescribeIoStatus(status, file)});
    }
    // A damaged file is told, and what is sound in it is still used.
    const auto unusable = [](IoStatus status) { return status != IoStatus::Ok && status != IoStatus::Damaged; };
    if (unusable(marks.status) || unusable(answers.status) || unusable(results.status)) return mistakes;

    const int papers = std::min(module.paperCount, kPapersPerTopic * std::clamp(module.topicCount, 0, kMaxTopics));
    for (int p = 0; p < papers; ++p) {
        const auto index = static_cast<std::size_t>(p);
        if (TrimSpaces(At(marks.value.firstMarked, index)) != "1" ||
            TrimSpaces(At(marks.value.secondMarked, index)) != "1") {
            continue;
        }
        const std::string& line = At(results.value, index);
        if (line.find(kCross) == std::string::npos) continue;
        PaperContext context;
        context.workDir = workDir;
        context.slot = slot;
        context.courseCode = std::string(code);
        context.paperKey = kPaperKeyOffset + p + 1;
        context.paperCount = module.paperCount;
        context.topicFirstPaper = FirstPaperOfTopic(TopicOfPaper(p + 1));
        context.topicName = At(module.topicNames, static_cast<std::size_t>(TopicOfPaper(p + 1) - 1));
        PaperData paper;
        const LoadOutcome loaded = LoadPaperData(source, context, paper);
        if (!loaded.ok()) {
            mistakes.problems.push_back({fs::path(), context.Caption() + ": " + loaded.message});
            continue;
        }
        const int parts = paper.totalParts();
        AddPaperMistakes(source, paper, SplitPaperRecord(At(answers.value, index), parts),
                         SplitPaperRecord(line, parts), p / 5 + 1, p % 5 + 1, mistakes.parts);
    }
    SortMistakes(mistakes.parts);
    return mistakes;
}

}  // namespace qv
