#include "mhtml/mhtml_codec.h"

#include "course/text.h"

namespace qv {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool EndsAttributeName(char c) {
    return IsBlank(c) || c == '\r' || c == '\n' || c == '=' || c == '/' || c == '>';
}

// An encoded word is at most 75 characters long; a longer one is taken as
// plain text, which also keeps a long header from being searched again and
// again for the end of a word.
constexpr std::size_t kMaxEncodedWord = 75;

// Appends `text` with its "=XX" escapes undone.
void AppendUnescaped(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
}

// The length of the well-formed UTF-8 sequence at `i`, or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return 0;
    }
    return length;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string SanitiseUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r' || text.front() == '\n'))
        text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

// One encoded word "=?charset?Q?text?=" at the start of `text`.
struct EncodedWord {
    std::size_t length = 0;  // 0: not an encoded word
    std::string charset;
    std::string bytes;
};

EncodedWord ReadEncodedWord(std::string_view text) {
    EncodedWord word;
    if (text.substr(0, 2) != "=?") return word;
    text = text.substr(0, kMaxEncodedWord);
    const std::size_t charsetEnd = text.find('?', 2);
    if (charsetEnd == std::string_view::npos || charsetEnd + 2 >= text.size() ||
        text[charsetEnd + 2] != '?') {
        return word;
    }
    const char encoding = AsciiLower(text[charsetEnd + 1]);
    const std::size_t end = text.find("?=", charsetEnd + 3);
    if ((encoding != 'q' && encoding != 'b') || end == std::string_view::npos) return word;
    std::string_view charset = text.substr(2, charsetEnd - 2);
    charset = charset.substr(0, charset.find('*'));  // a language tag may follow
    const std::string_view payload = text.substr(charsetEnd + 3, end - charsetEnd - 3);
    if (payload.find_first_of(" \t\r\n") != std::string_view::npos) return word;
    word.charset = AsciiLowerCopy(charset);
    if (encoding == 'b') {
        word.bytes = DecodeBase64(payload);
    } else {
        std::string underscores(payload);
        for (char& c : underscores) {
            if (c == '_') c = ' ';
        }
        AppendUnescaped(word.bytes, underscores);
    }
    word.length = end + 2;
    return word;
}

}  // namespace

std::string DecodeQuotedPrintable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool hasBreak = end != std::string_view::npos;
        if (!hasBreak) end = text.size();
        std::string_view line = text.substr(start, end - start);
        const bool crlf = !line.empty() && line.back() == '\r';
        if (crlf) line.remove_suffix(1);
        while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
        if (!line.empty() && line.back() == '=') {
            line.remove_suffix(1);
            AppendUnescaped(out, line);
        } else {
            AppendUnescaped(out, line);
            if (hasBreak) out += crlf ? "\r\n" : "\n";
        }
        start = end + 1;
    }
    return out;
}

std::string DecodeBase64(std::string_view text) {
    std::string out;
    out.reserve(text.size() / 4 * 3 + 3);
    unsigned int bits = 0;
    int count = 0;
    for (const char c : text) {
        int value = -1;
        if (c >= 'A' && c <= 'Z')
            value = c - 'A';
        else if (c >= 'a' && c <= 'z')
            value = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            value = c - '0' + 52;
        else if (c == '+')
            value = 62;
        else if (c == '/')
            value = 63;
        else if (c == '=')
            break;
        if (value < 0) continue;
        bits = ((bits << 6) | static_cast<unsigned int>(value)) & 0xFFFFFF;
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return out;
}

std::string DecodeHeaderWords(std::string_view value) {
    std::string out;
    std::string pendingBytes;
    std::string pendingCharset;
    auto flush = [&] {
        if (pendingBytes.empty()) return;
        out += TextToUtf8(pendingBytes, CharsetFromLabel(pendingCharset));
        pendingBytes.clear();
    };
    std::string
        plain;  // text between encoded words, held back in case only blanks separate two words
    bool afterWord = false;
    for (std::size_t i = 0; i < value.size();) {
        EncodedWord word = ReadEncodedWord(value.substr(i));
        if (word.length == 0) {
            plain += value[i++];
            continue;
        }
        const bool onlyBlanks = TrimBlanks(plain).empty();
        if (!(afterWord && onlyBlanks)) {
            flush();
            out += TextToUtf8(plain, Charset::Unknown);
        }
        plain.clear();
        if (word.charset != pendingCharset) flush();
        pendingCharset = word.charset;
        pendingBytes += word.bytes;
        afterWord = true;
        i += word.length;
    }
    flush();
    out += TextToUtf8(plain, Charset::Unknown);
    return out;
}

Charset CharsetFromLabel(std::string_view label) {
    std::string name = AsciiLowerCopy(TrimBlanks(label));
    if (name.size() >= 2 && (name.front() == '"' || name.front() == '\'') &&
        name.back() == name.front()) {
        name = name.substr(1, name.size() - 2);
    }
    if (name == "utf-8" || name == "utf8" || name == "unicode-1-1-utf-8") return Charset::Utf8;
    static constexpr std::string_view kWestern[] = {"windows-1252", "cp1252",          "x-cp1252",
                                                    "iso-8859-1",   "iso8859-1",       "iso_8859-1",
                                                    "iso88591",     "latin1",          "l1",
                                                    "cp819",        "ibm819",          "us-ascii",
                                                    "ascii",        "ansi_x3.4-1968",  "iso-ir-100",
                                                    "csisolatin1",  "iso_8859-1:1987", "us"};
    for (const std::string_view known : kWestern) {
        if (name == known) return Charset::Windows1252;
    }
    return Charset::Unknown;
}

std::string MetaCharset(std::string_view html) {
    const std::string head = AsciiLowerCopy(html.substr(0, 4096));
    for (std::size_t at = head.find("<meta"); at != std::string::npos;
         at = head.find("<meta", at + 5)) {
        std::string charset, httpEquiv, content;
        std::size_t i = at + 5;
        while (i < head.size() && head[i] != '>') {
            while (i < head.size() &&
                   (IsBlank(head[i]) || head[i] == '\r' || head[i] == '\n' || head[i] == '/'))
                ++i;
            const std::size_t nameStart = i;
            while (i < head.size() && !EndsAttributeName(head[i])) ++i;
            const std::string name = head.substr(nameStart, i - nameStart);
            std::string attribute;
            if (i < head.size() && head[i] == '=') {
                ++i;
                if (i < head.size() && (head[i] == '"' || head[i] == '\'')) {
                    const char quote = head[i++];
                    const std::size_t close = head.find(quote, i);
                    const std::size_t stop = close == std::string::npos ? head.size() : close;
                    attribute = head.substr(i, stop - i);
                    i = stop == head.size() ? stop : stop + 1;
                } else {
                    const std::size_t stop =
                        std::min(head.find_first_of(" \t\r\n>", i), head.size());
                    attribute = head.substr(i, stop - i);
                    i = stop;
                }
            }
            if (name == "charset")
                charset = attribute;
            else if (name == "http-equiv")
                httpEquiv = attribute;
            else if (name == "content")
                content = attribute;
            if (name.empty() && i < head.size() && head[i] != '>') ++i;  // a stray character
        }
        if (!charset.empty()) return std::string(TrimBlanks(charset));
        const std::size_t declared = content.find("charset=");
        if (TrimBlanks(httpEquiv) == "content-type" && declared != std::string::npos) {
            std::string_view value = std::string_view(content).substr(declared + 8);
            value = TrimBlanks(value);
            if (!value.empty() && (value.front() == '"' || value.front() == '\''))
                value.remove_prefix(1);
            return std::string(value.substr(0, value.find_first_of(" \t;\"'")));
        }
    }
    return {};
}

std::string TextToUtf8(std::string_view bytes, Charset charset) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
        charset = Charset::Utf8;
    }
    if (charset == Charset::Unknown)
        charset = IsValidUtf8(bytes) ? Charset::Utf8 : Charset::Windows1252;
    return charset == Charset::Utf8 ? SanitiseUtf8(bytes) : Cp1252ToUtf8(bytes);
}

}  // namespace qv
