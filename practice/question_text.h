#pragma once

// A question page read as plain text: its paragraphs as a pupil reads them
// and the words of its word box. Used where the page itself cannot be shown
// (a printed sheet) and to know which words the box offers. Texts are UTF-8,
// as the page is.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "course/record_file.h"
#include "course/resources.h"
#include "practice/paper_data.h"

namespace qv {

struct QuestionText {
    std::vector<std::string> paragraphs;  // block by block, spaces collapsed, never empty
    std::vector<std::string> boxWords;    // the cells of the word box, in page order
};

// From the page's HTML: the head, styles and scripts are left out, every
// paragraph, heading, list item, line break and table row starts a new
// paragraph, character references are decoded and runs of blanks become one
// space. The cells of a table whose class is "box" are the box words.
QuestionText ReadQuestionText(std::string_view html);

// The page of question `questionId` from the course, decoded; empty when the
// course has no readable page for it.
QuestionText LoadQuestionText(const ResourceSource& source, std::string_view questionId);

// The box words (as Windows-1252 record bytes) that the key of the question
// puts in a gap: the box's words less those it offers only as distractors.
Fields PlacedBoxWords(const QuestionText& page, const Fields& questionKeys);

// The same for question `question` (1-based) of a paper, its page read from
// the course.
Fields PlacedBoxWordsOf(const ResourceSource& source, const PaperData& paper, int question);

// The text that stands for the question on paper. A short page (up to
// `longPage` characters) is given whole, paragraphs joined by line breaks. A
// longer one keeps its first paragraph (the instruction) and, for part
// `part` (0-based) of a question of several parts, the sentence that holds
// that part's label "(a)", "(b)", ...; a page without the label keeps its
// first paragraphs up to the length and ends with "...".
std::string QuestionExcerpt(const QuestionText& page, std::size_t part, std::size_t partCount,
                            std::size_t longPage = 420);

}  // namespace qv
