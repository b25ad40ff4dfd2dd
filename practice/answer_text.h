#pragma once

// What an answer field may hold. The answers files carry one record per line
// with '>' between the fields, in the Windows-1252 code page, so an answer can
// hold neither '>' nor a line break nor a character outside that code page.
// The window stops such characters at the field; the record writer still
// neutralises whatever reaches it.
//
// These functions take the field's text as UTF-8.

#include <string>
#include <string_view>

namespace qv {

// The longest sentence answer, in characters: far more than any sentence,
// and still a short line in the answers file.
inline constexpr int kSentenceMaxLength = 2000;

// The longest answer a field of this type takes: 1 for a choice ("Q", the
// option number), kSentenceMaxLength for a sentence ("L"), 0 (no limit of
// its own: the one-line field's) for every other type.
int AnswerMaxLength(std::string_view type);

// True when every character of the text can be stored in an answer (not '>',
// not a control character, line breaks and tabs included, and in
// Windows-1252) and the text is within the field's length limit. False for
// text that is not valid UTF-8.
bool IsStorableAnswer(std::string_view utf8, std::string_view type);

// The text with every character that cannot be stored dropped, or put in its
// plain form where it has one (a non-breaking hyphen becomes '-'), then cut
// to the field's length limit (for pasted text). Invalid UTF-8 bytes are
// dropped.
std::string StorableAnswer(std::string_view utf8, std::string_view type);

}  // namespace qv
