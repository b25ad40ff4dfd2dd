#pragma once

// The checks that a course read from its source must pass. Every fault goes
// to the run's Diagnostics; CheckPaper throws SourceError.

#include <cstddef>
#include <string>

#include "course_source.h"
#include "diagnostics.h"

namespace coursec {

// A question as soon as it has been read: its parts, choices, blanks, word
// box, instruction and the paragraphs it names.
void CheckQuestion(const Question& question, const QuestionRules& rules, Diagnostics& out);

// The answer keys of a question as the marking reads them: a number without a
// thousands comma, a spelling with one space at the most, every group with a
// first part that lists at least as many answers as the group has parts.
void CheckAnswerKeys(const Question& question, Diagnostics& out);

// A paper once all its questions have been read: every question with a word
// box carries the same instruction.
void CheckPaper(const Paper& paper, const std::string& file);

// The number of question ids, and so of questions in a course.
inline constexpr std::size_t kQuestionIdCount = 1005;

// Gives out the question ids in paper order. When the course has more
// questions than there are ids, says so at the first question over and gives
// out none.
void AssignQuestionIds(Course& course, Diagnostics& out);

// No two questions of the course have the same text.
void CheckNoRepeats(const Course& course, Diagnostics& out);

// The text of a question that two questions may not share: letter case and
// spacing do not count.
std::string ComparableText(const Question& question);

}  // namespace coursec
