#pragma once

// Answers and box words are compared with what a pupil types at a keyboard,
// so they are kept in that form.

#include <string>
#include <string_view>

#include "diagnostics.h"

namespace coursec {

// The character of `text` (UTF-8) that starts at byte `at`, by name where it
// has one, with its code point: "a curly apostrophe (U+2019)", "the
// character "✓" (U+2713)".
std::string NameCharacterAt(std::string_view text, std::size_t at);

// The text with every character a pupil cannot see written as <U+XXXX>.
std::string Visible(std::string_view text);

// UTF-8 text with each typographic character in its plain form, as read
// when comparing texts.
std::string PlainText(std::string_view text);

// UTF-8 text with its letter case folded as the marking folds it, the
// accented capitals of the answer files included ("Éclair" as "éclair").
std::string CaseFolded(std::string_view text);

// `text` (UTF-8, on line `line`) with each typographic character in its plain
// form, told in a note: "the answer "Don’t" holds a curly apostrophe
// (U+2019): it is kept as "Don't", as a pupil types it". `what` names the
// text: "the answer", "the box word". Throws SourceError for a character that
// a pupil cannot see or that the answer files cannot keep, naming it and
// saying what to do instead.
std::string PlainAnswer(const std::string& text, const std::string& what, const std::string& file,
                        int line, Diagnostics& out);

// Throws SourceError when `value` (a title, a label, a topic name) holds a
// character the program's files cannot keep, naming it.
void CheckStorable(const std::string& value, const std::string& what, const std::string& file,
                   int line);

}  // namespace coursec
