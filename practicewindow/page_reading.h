#pragma once

namespace qv {

// A screen reader reads the question page as the pupil sees it: its text
// with every paragraph and table cell on a line of its own (an option's
// number apart from its words), named by its question.
void EnablePageReading();

}  // namespace qv
