#pragma once

// What a moderator would send back but a course may still be built with:
// the same words in two questions, the same title on two passages.

#include <string>
#include <vector>

#include "course_source.h"
#include "diagnostics.h"

namespace coursec {

// How many words in a row two questions may share before it looks like a repeat.
constexpr std::size_t kRepeatedWords = 8;

// Questions whose text (gaps filled with their answers, word-order sentences
// included) shares kRepeatedWords or more words in a row with an earlier
// question, and passages whose title an earlier passage has. One warning for
// each pair, at the later question.
std::vector<Diagnostic> ReviewCourse(const Course& course);

}  // namespace coursec
