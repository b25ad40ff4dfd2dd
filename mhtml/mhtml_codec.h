#pragma once

// The encodings a saved web page is wrapped in: transfer encodings of a MIME
// part, encoded words in a header, and the character sets of its text.
// Nothing here fails: bad input is decoded as far as it goes.

#include <string>
#include <string_view>

namespace qv {

// Quoted-printable: "=XX" (either case of hex) is one byte, "=" at the end of
// a line (spaces may follow it) is a soft break and vanishes, blanks at the
// end of a line are dropped; an "=" that starts no escape stays as it is.
std::string DecodeQuotedPrintable(std::string_view text);

// Base64: characters outside the alphabet (line breaks, blanks) are skipped;
// decoding stops at the padding; a last incomplete group gives what it holds.
std::string DecodeBase64(std::string_view text);

// A header value with its encoded words ("=?utf-8?Q?caf=C3=A9?=") decoded,
// as UTF-8. The bytes of neighbouring words in the same character set are
// joined before they are read, so a character split between two words
// survives; blanks between two encoded words are dropped.
std::string DecodeHeaderWords(std::string_view value);

enum class Charset { Utf8, Windows1252, Unknown };

// The character set a label names: "utf-8" and "utf8"; "windows-1252",
// "iso-8859-1", "latin1", "us-ascii" and their aliases all read as
// Windows-1252, as web browsers read them. Case and quotes are ignored.
Charset CharsetFromLabel(std::string_view label);

// The charset a page declares in a <meta> tag near its start, either
// <meta charset="..."> or <meta http-equiv="Content-Type" content="...;
// charset=...">; empty when there is none.
std::string MetaCharset(std::string_view html);

// Text bytes as UTF-8. Unknown: UTF-8 when the bytes are valid UTF-8,
// otherwise Windows-1252. A UTF-8 byte-order mark is removed; invalid UTF-8
// sequences become U+FFFD.
std::string TextToUtf8(std::string_view bytes, Charset charset);

}  // namespace qv
