#include "practice/paper_data.h"

#include <algorithm>
#include <system_error>

#include "course/course_config.h"
#include "practice/marking.h"

namespace qv {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCannotOpen = "so the paper cannot be opened.";

LoadOutcome Failure(LoadStatus status, std::string message) { return {status, std::move(message)}; }

// Reads one course record resource from the course in memory and lets
// `read` take what it needs from its text.
template <typename Read>
LoadOutcome ReadCourseRecords(const ResourceSource& source, int id, std::string_view what, Read read) {
    const std::optional<std::string> text = source.Load(id, kResourceType);
    if (!text) {
        return Failure(LoadStatus::CourseUnavailable, "The course's " + std::string(what) +
                                                          " is missing from the program, " + std::string(kCannotOpen));
    }
    read(std::string_view(*text));
    return {};
}

bool IsQuestionId(std::string_view id) {
    return !id.empty() && id.size() <= 5 && std::all_of(id.begin(), id.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
}

// Every question must have parts in this file, as many as in the answer key.
LoadOutcome CheckPartCounts(const Fields& ids, const std::vector<int>& counts, const std::vector<int>& expected,
                            std::string_view what) {
    for (std::size_t q = 0; q < ids.size(); ++q) {
        const int count = q < counts.size() ? counts[q] : 0;
        if (count == 0) {
            return Failure(LoadStatus::QuestionMissing, "Question " + ids[q] + " of this paper is missing from the course's " +
                                                            std::string(what) + ", " + std::string(kCannotOpen));
        }
        if (q < expected.size() && count != expected[q]) {
            return Failure(LoadStatus::QuestionMissing,
                           "Question " + ids[q] + " of this paper has a different number of parts in the course's " +
                               std::string(what) + " than in its answer key, " + std::string(kCannotOpen));
        }
    }
    return {};
}

// Reads one per-question file: its fields for the paper's questions, checked
// against the part counts of the answer key (none given for the key itself).
LoadOutcome ReadPerQuestion(const ResourceSource& source, int id, std::string_view what, const Fields& ids,
                            std::vector<int>& counts, Fields& fields) {
    const std::vector<int> expected = counts;
    LoadOutcome outcome = ReadCourseRecords(source, id, what, [&](std::string_view text) {
        fields = QuestionFieldsIn(text, ids);
        counts = AnswerPartsIn(text, ids);
    });
    if (!outcome.ok()) return outcome;
    return CheckPartCounts(ids, counts, expected, what);
}

}  // namespace

RecordText PaperContext::Caption() const { return topicName + " - Paper " + std::to_string(paperInTopic()); }

LoadOutcome CheckContext(const PaperContext& context) {
    const bool usable = !context.workDir.empty() && context.slot >= 1 && context.slot <= kSlotCount &&
                        IsValidCourseCode(context.courseCode) && context.paperCount >= 1 &&
                        context.paperCount <= kMaxPapers && context.paperNumber() >= 1 &&
                        context.paperNumber() <= context.paperCount && context.topicFirstPaper >= 1 &&
                        context.topicFirstPaper <= context.paperNumber();
    if (usable) return {};
    return Failure(LoadStatus::BadContext, "The program could not tell which paper to open (paper " +
                                               std::to_string(context.paperKey) + "), " + std::string(kCannotOpen));
}

LoadOutcome LoadPaperData(const ResourceSource& source, const PaperContext& context, PaperData& paper) {
    paper = PaperData();
    if (LoadOutcome checked = CheckContext(context); !checked.ok()) return checked;
    const std::string key = std::to_string(context.paperKey);

    LoadOutcome outcome = ReadCourseRecords(source, PaperListId(context.slot), "paper list",
                                            [&](std::string_view text) { paper.questionIds = PaperQuestionsIn(text, key); });
    if (!outcome.ok()) return outcome;
    const std::string paperName = "Paper " + std::to_string(context.paperInTopic()) + " of this topic";
    if (paper.questionIds.empty()) {
        return Failure(LoadStatus::PaperNotListed,
                       paperName + " is not in the course's paper list, " + std::string(kCannotOpen));
    }
    if (!std::all_of(paper.questionIds.begin(), paper.questionIds.end(), IsQuestionId)) {
        return Failure(LoadStatus::PaperNotListed,
                       paperName + " has a damaged entry in the course's paper list, " + std::string(kCannotOpen));
    }

    outcome = ReadPerQuestion(source, AnswerKeyId(context.slot), "answer key", paper.questionIds,
                              paper.partCounts, paper.answerKey);
    if (!outcome.ok()) return outcome;
    std::vector<int> counts = paper.partCounts;
    Fields typeLetters;
    outcome = ReadPerQuestion(source, AnswerTypesId(context.slot), "answer types", paper.questionIds,
                              counts, typeLetters);
    if (!outcome.ok()) return outcome;
    paper.answerTypes = ParseAnswerTypes(typeLetters);
    counts = paper.partCounts;
    outcome = ReadPerQuestion(source, PartMarksId(context.slot), "marks", paper.questionIds, counts,
                              paper.partMarks);
    if (!outcome.ok()) return outcome;

    paper.maximumMarks = SumMarks(paper.partMarks);
    if (paper.maximumMarks <= 0) {
        return Failure(LoadStatus::NoMarks, paperName + " carries no marks in the course, so it could never be scored; " +
                                                "the paper cannot be opened.");
    }
    return {};
}

}  // namespace qv
