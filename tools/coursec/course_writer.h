#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "course_source.h"

namespace coursec {

// Every course resource by id: the configuration, per module the paper list,
// answer key, answer types, part marks and the six result templates, and one
// page per question.
std::map<int, std::string> BuildCourseResources(const Course& course);

// A question page: a single-part MIME HTML archive, quoted-printable, us-ascii.
std::string BuildQuestionPage(const Course& course, const Question& question);

// Text as ASCII HTML: markup characters escaped, other characters as numeric
// references; with `markup`, *text* in bold and escaped characters plain.
std::string HtmlText(const std::string& text, bool markup = true);
// One run of a paragraph's text as HtmlText writes it, bold carried in and out
// through `bold` (a *...* may span several runs); the caller closes it.
std::string HtmlRun(const std::string& text, bool& bold, bool markup = true);

// The HTML of a question page (pure ASCII).
std::string BuildQuestionHtml(const Question& question);

// Quoted-printable encoding of ASCII text with CR LF line ends.
std::string EncodeQuotedPrintable(const std::string& text);

}  // namespace coursec
