#pragma once

// What a practice window needs to know about its paper: the context it was
// opened in, and the paper's questions, answer key, answer types and marks
// read from the course.

#include <filesystem>
#include <string>
#include <vector>

#include "course/answer_type.h"
#include "course/course_limits.h"
#include "course/record_file.h"
#include "course/resources.h"
#include "course/text.h"

namespace qv {

// Handed to the practice window once, when it opens, and kept: the window
// never looks at the main window's state again.
struct PaperContext {
    std::filesystem::path workDir;
    int slot = 0;              // module slot 1..3
    std::string courseCode;    // part of every result file name
    int paperKey = 0;          // 101.. (100 + paper number)
    int paperCount = 0;        // papers of the module: records in each per-paper file
    int topicFirstPaper = 0;   // paper number of the topic's first paper
    RecordText topicName;      // the chosen topic's name in the course

    int paperNumber() const { return paperKey - kPaperKeyOffset; }
    // 1..5: the paper's place within its topic.
    int paperInTopic() const { return paperNumber() - topicFirstPaper + 1; }
    // "Grammar (1) - Paper 1"
    RecordText Caption() const;
};

// The paper as the course gives it. Per-part lists run over every part of
// question 1, then question 2, and so on.
struct PaperData {
    Fields questionIds;            // five-digit resource ids, in paper order
    std::vector<int> partCounts;   // answer parts of each question
    Fields answerKey;
    AnswerTypes answerTypes;
    Fields partMarks;
    long long maximumMarks = 0;

    int questionCount() const { return static_cast<int>(questionIds.size()); }
    int totalParts() const { return static_cast<int>(answerKey.size()); }
};

enum class LoadStatus {
    Ok,
    BadContext,         // the window was opened without a usable paper
    CourseUnavailable,  // a course resource could not be extracted or read
    PaperNotListed,     // the paper key is not in the paper list, or lists no question
    QuestionMissing,    // a question of the paper is missing from a per-question file
    NoMarks,            // the paper's marks add up to nothing
    ResultsUnreadable,  // a result file exists but cannot be read
};

struct [[nodiscard]] LoadOutcome {
    LoadStatus status = LoadStatus::Ok;
    std::string message;  // a sentence for the pupil when not Ok

    bool ok() const { return status == LoadStatus::Ok; }
};

// True when the context names a paper that can be opened.
LoadOutcome CheckContext(const PaperContext& context);

// Reads the paper list, the answer key, the answer types and the marks of the
// slot from the course in memory (nothing is written). The paper must be listed, every one
// of its questions must stand in the three per-question files with the same
// number of parts, and its marks must add up to more than 0.
LoadOutcome LoadPaperData(const ResourceSource& source, const PaperContext& context, PaperData& paper);

}  // namespace qv
