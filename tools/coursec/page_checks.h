#pragma once

// Checks of what a question page says about itself: the promises of its
// instruction about the word box, and the paragraphs of its passage it names.

#include "course_source.h"
#include "diagnostics.h"

namespace coursec {

// An instruction that says each word is used only once, or that there are
// more words than gaps, holds for the page's word box and its gaps.
void CheckBoxPromises(const Question& question, Diagnostics& out);

// Every "paragraph N" the page names is a paragraph of its passage, and the
// words it quotes from "paragraph N" stand there rather than in another one.
void CheckParagraphReferences(const Question& question, Diagnostics& out);

}  // namespace coursec
