#pragma once

// The inline markup of page text: "*" switches bold on and off, and "\*",
// "\{" and "\}" stand for the character itself. Any other backslash is an
// ordinary character.

#include <cstddef>
#include <string>
#include <string_view>

namespace coursec {

// True when text[at] is a backslash that makes the next character plain.
bool IsEscapeAt(std::string_view text, std::size_t at);

// True when the text holds a '{' or '}' that is not escaped.
bool HasUnescapedBrace(std::string_view text);

// The text as the pupil reads it: escapes resolved, bold markers dropped.
std::string ShownText(std::string_view text);

}  // namespace coursec
