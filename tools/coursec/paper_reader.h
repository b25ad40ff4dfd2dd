#pragma once

#include <string>
#include <vector>

#include "course_source.h"

namespace coursec {

class Diagnostics;

// The five papers of a topic from the lines of its paper file, each question
// checked as soon as it has been read. `file` names the file in messages;
// `firstKey` is the key of the topic's first paper. Every fault goes to `out`.
std::vector<Paper> ReadPapers(const std::vector<std::string>& lines, const std::string& file,
                              int firstKey, const QuestionRules& rules, Diagnostics& out);

}  // namespace coursec
