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

void RemoveScratch(const fs::path& scratch) {
    std::error_code ignored;
    fs::remove(scratch, ignored);
}

// Extracts one course record resource to the scratch file, lets `read` take
// what it needs from it, and deletes the file again whatever happened.
template <typename Read>
LoadOutcome ReadCourseRecords(const ResourceSource& source, int id, const fs::path& scratch,
                              std::string_view what, Read read) {
    const ExtractStatus extracted = ExtractResource(source, id, kResourceType, scratch);
    if (extracted != ExtractStatus::Ok) {
        RemoveScratch(scratch);
        if (extracted == ExtractStatus::WriteFailed || extracted == ExtractStatus::DiskFull) {
            const IoStatus write = extracted == ExtractStatus::DiskFull ? IoStatus::DiskFull : IoStatus::WriteFailed;
            return Failure(LoadStatus::CourseUnavailable, DescribeIoStatus(write, scratch) + " Without the course's " +
                                                              std::string(what) + " the paper cannot be opened.");
        }
        return Failure(LoadStatus::CourseUnavailable, "The course's " + std::string(what) +
                                                          " is missing from the program, " +
                                                          std::string(kCannotOpen));
    }
    const IoStatus status = read(scratch);
    RemoveScratch(scratch);
    if (status != IoStatus::Ok) {
        return Failure(LoadStatus::CourseUnavailable, DescribeIoStatus(status, scratch) + " Without the course's " +
                                                          std::string(what) + " the paper cannot be opened.");
    }
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
LoadOutcome ReadPerQuestion(const ResourceSource& source, int id, const fs::path& scratch, std::string_view what,
                            const Fields& ids, std::vector<int>& counts, Fields& fields) {
    const std::vector<int> expected = counts;
    LoadOutcome outcome = ReadCourseRecords(source, id, scratch, what, [&](const fs::path& file) {
        auto read = ReadQuestionFields(file, ids);
        auto parts = CountAnswerParts(file, ids);
        fields = std::move(read.value);
        counts = std::move(parts.value);
        return read.ok() ? parts.status : read.status;
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
    const fs::path scratch = context.workDir / kCourseScratchName;
    const std::string key = std::to_string(context.paperKey);

    LoadOutcome outcome = ReadCourseRecords(source, PaperListId(context.slot), scratch, "paper list",
                                            [&](const fs::path& file) {
                                                auto ids = ReadPaperQuestions(file, key);
                                                paper.questionIds = std::move(ids.value);
                                                return ids.status;
                                            });
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

    outcome = ReadPerQuestion(source, AnswerKeyId(context.slot), scratch, "answer key", paper.questionIds,
                              paper.partCounts, paper.answerKey);
    if (!outcome.ok()) return outcome;
    std::vector<int> counts = paper.partCounts;
    Fields typeLetters;
    outcome = ReadPerQuestion(source, AnswerTypesId(context.slot), scratch, "answer types", paper.questionIds,
                              counts, typeLetters);
    if (!outcome.ok()) return outcome;
    paper.answerTypes = ParseAnswerTypes(typeLetters);
    counts = paper.partCounts;
    outcome = ReadPerQuestion(source, PartMarksId(context.slot), scratch, "marks", paper.questionIds, counts,
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
