#pragma once

// Reading the lines of a course source file and taking them apart.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "course_source.h"

namespace coursec {

// The lines of a source file, without their line ends (CR LF, LF or CR) and
// without a leading byte order mark. Throws `unreadable` when the file cannot
// be read, and a SourceError at the line when a line is not valid UTF-8 or
// holds a control character other than a tab.
std::vector<std::string> ReadSourceLines(const std::filesystem::path& file,
                                         const std::string& shownName,
                                         const SourceError& unreadable);

// A line whose first non-blank character is '%'.
bool IsComment(std::string_view line);

// "key: value" with exactly this key; `value` is trimmed. False when the
// line has another form.
bool SplitDirective(std::string_view line, std::string_view key, std::string& value);

// "WORD REST" with WORD exactly `word`, a blank and a non-blank REST.
bool StartsWithWord(std::string_view line, std::string_view word, std::string& rest);

// "N) text": an option line with a one- or two-digit number.
bool SplitOption(std::string_view line, int& number, std::string& text);

bool IsDigits(std::string_view text);

// The words of a text, split at blanks.
std::vector<std::string> SplitWords(std::string_view text);

// True when the text names a web or file address.
bool HasExternalReference(std::string_view text);

}  // namespace coursec
