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

// `maxLength` is the field's limit in characters (AnswerMaxLength), 0 for none.

// True when every character of the text can be stored in an answer (not '>',
// not a control character, line breaks and tabs included, and in
// Windows-1252) and the text is within the field's length limit. False for
// text that is not valid UTF-8.
bool IsStorableAnswer(std::string_view utf8, int maxLength = 0);

// The text with every character that cannot be stored dropped, or put in its
// plain form where it has one (a non-breaking hyphen becomes '-'), then cut
// to the field's length limit (for pasted text). Invalid UTF-8 bytes are
// dropped.
std::string StorableAnswer(std::string_view utf8, int maxLength = 0);

// A stored answer (Windows-1252) as a field could have held it: a tab
// becomes a space and the other control characters (and the bytes the code
// page leaves undefined), which only a damaged or hand-edited file holds, are
// left out, so that an answer that shows as empty never counts as answered.
std::string StoredAnswer(std::string_view cp1252);

}  // namespace qv
