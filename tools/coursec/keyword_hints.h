#pragma once

// A line meant as a keyword but written a little wrong would be read as
// something else (a paper file takes it as page text): these name the slip
// and give the line that was meant, so that reading goes on as intended.

#include <string>
#include <string_view>

#include "course/text.h"

namespace coursec {

struct LineSlip {
    std::string message;  // empty: no slip
    std::string meant;    // the line with its keyword written right
};

// A paper-file line that would otherwise be page text but looks like a
// keyword: "unknown line `qustion` (did you mean `question`?)", "`Words:` is
// written with a capital: keywords are lower case (`words:`)".
LineSlip PaperLineSlip(std::string_view line);

// A course-header line that is none of the header's keywords: the keyword it
// resembles when there is one, else what the header's lines are.
LineSlip HeaderLineSlip(std::string_view line);

// The number of single-letter edits (a letter added, dropped or changed, or
// two neighbours swapped) that turn `a` into `b`: the program's own.
using qv::EditDistance;

}  // namespace coursec
