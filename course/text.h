#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// Text as the record files store it: Windows-1252 bytes. Messages for the
// pupil are UTF-8 std::string; paths are std::filesystem::path.
using RecordText = std::string;

// A path as UTF-8 text for a message to the pupil (its native bytes are not
// UTF-8 on every system).
std::string PathWords(const std::filesystem::path& path);

inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string AsciiLowerCopy(std::string_view text);

// The text without leading and trailing spaces and tabs.
std::string_view TrimSpacesAndTabs(std::string_view text);

// One character read from UTF-8 text.
struct Utf8Char {
    char32_t code = 0;
    std::size_t length = 0;  // bytes it takes, 1 to 4
};

// The character that starts at byte `at` of `text`. Nothing when the bytes
// there are not a well-formed UTF-8 character: a continuation byte without
// its lead, a cut-off sequence, an overlong form, a surrogate (U+D800 to
// U+DFFF) or a value beyond U+10FFFF.
std::optional<Utf8Char> DecodeUtf8(std::string_view text, std::size_t at);

// The offset of the first byte that does not start a well-formed character,
// or std::string_view::npos when the whole text is well-formed UTF-8.
std::size_t FindInvalidUtf8(std::string_view text);

// The record format cannot carry '>' or a line break inside a value. A line
// break (CR LF, CR or LF) becomes a space; '>' becomes the look-alike U+203A
// (byte 0x9B in Windows-1252). The field count of the record is kept.
std::string NeutraliseFieldValue(std::string_view value);

// Appends character `c` to `out` as UTF-8.
void AppendUtf8(std::string& out, char32_t c);

// Windows-1252 bytes <-> UTF-8. Bytes with no character in the code page
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same number.
std::string Cp1252ToUtf8(std::string_view bytes);  // from RecordText
// Returns nothing when a character has no byte in the code page, or the text
// is not valid UTF-8.
std::optional<RecordText> Utf8ToCp1252(std::string_view utf8);

// The form a pupil types at a keyboard for a character that word processors
// put in its place: curly apostrophes and quotation marks, dashes and the
// minus sign, non-breaking and other fixed-width spaces, the ellipsis.
struct PlainForm {
    char32_t code;
    std::string_view plain;  // "'", "\"", "-", " " or "..."
    std::string_view name;   // "a curly apostrophe"
};
// Nothing when `code` is typed as it is.
const PlainForm* FindPlainForm(char32_t code);

// Windows-1252 text with every such character in its plain form, so that
// "Don\x92t" and "Don't" read the same.
std::string PlainTypography(std::string_view cp1252);

// A percentage of `raw` out of `maximum` to one decimal place, a tie going to
// the even digit, in its shortest form with '.' as the decimal separator:
// 27/30 -> "90", 2/3 -> "66.7", 0/5 -> "0". Empty when maximum <= 0.
std::string FormatPercent(long long raw, long long maximum);

// A stored number; both '.' and ',' are taken as the decimal separator.
// Leading and trailing spaces are ignored. Nothing for empty or bad text.
std::optional<double> ParseStoredNumber(std::string_view text);

// A whole number as stored in the configuration ("10"); nothing when the text
// is not a whole number.
std::optional<int> ParseStoredInt(std::string_view text);

// The number of single-character changes (one added, dropped or replaced, or
// two neighbours swapped) that turn one text into the other: the optimal
// string alignment distance, byte by byte.
std::size_t EditDistance(std::string_view a, std::string_view b);

}  // namespace qv
