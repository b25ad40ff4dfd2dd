#pragma once

// A folder of web pages in which a teacher sees every question as the pupil
// will, with its key under it.

#include <filesystem>
#include <string>

#include "course_source.h"

namespace coursec {

// The page of one question as the pupil sees it, followed by its key (every
// answer, how it is marked, its marks) and links to the questions beside it.
// `previous` and `next` are question ids, 0 for none.
std::string PreviewPage(const Topic& topic, const Paper& paper, std::size_t index, int previous,
                        int next);

// The index page: every question by module, topic and paper.
std::string PreviewIndex(const Course& course);

// Writes "index.html" and "<id>.html" for every question into `folder` (made
// when missing; pages of questions the course no longer has are removed).
// Returns what went wrong in words, or nothing.
std::string WritePreview(const Course& course, const std::filesystem::path& folder);

}  // namespace coursec
