#pragma once

// The checks that a course read from its source must pass. Each throws
// SourceError naming the first fault.

#include <string>

#include "course_source.h"

namespace coursec {

// A question as soon as it has been read: its parts, choices, blanks, word
// box and instruction.
void CheckQuestion(const Question& question, const QuestionRules& rules);

// A paper once all its questions have been read: every question with a word
// box carries the same instruction.
void CheckPaper(const Paper& paper, const std::string& file);

// Gives out the question ids in paper order; fails when the course has more
// questions than there are ids.
void AssignQuestionIds(Course& course);

// No two questions of the course have the same text.
void CheckNoRepeats(const Course& course);

// The text of a question that two questions may not share: letter case and
// spacing do not count.
std::string ComparableText(const Question& question);

}  // namespace coursec
