#include "practice/answer_text.h"

#include <optional>

#include "course/text.h"

namespace qv {

namespace {

// True when the character of one UTF-8 sequence can be stored.
bool IsStorableSequence(std::string_view sequence, char32_t c) {
    if (c < 0x20 || c == 0x7F || c == '>') return false;
    if (c >= 0x80 && c <= 0x9F) return false;  // C1 controls
    return Utf8ToCp1252(sequence).has_value();
}

}  // namespace

bool IsStorableAnswer(std::string_view utf8, int maxLength) {
    int count = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::optional<Utf8Char> d = DecodeUtf8(utf8, i);
        if (!d || !IsStorableSequence(utf8.substr(i, d->length), d->code)) return false;
        ++count;
        i += d->length;
    }
    return maxLength == 0 || count <= maxLength;
}

std::string StoredAnswer(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    for (const char c : cp1252) {
        const auto u = static_cast<unsigned char>(c);
        // The five bytes the code page leaves undefined read as controls too.
        const bool undefined = u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D;
        if (c == '\t') out += ' ';
        else if (u >= 0x20 && u != 0x7F && !undefined) out += c;
    }
    return out;
}

std::string StorableAnswer(std::string_view utf8, int maxLength) {
    std::string out;
    int count = 0;
    for (std::size_t i = 0; i < utf8.size() && (maxLength == 0 || count < maxLength);) {
        const std::optional<Utf8Char> d = DecodeUtf8(utf8, i);
        const std::size_t length = d ? d->length : 1;  // an invalid byte is dropped alone
        if (d && IsStorableSequence(utf8.substr(i, length), d->code)) {
            out.append(utf8.substr(i, length));
            ++count;
        } else if (const PlainForm* form = d ? FindPlainForm(d->code) : nullptr) {
            // A non-breaking hyphen, a minus sign: the keyboard's character instead.
            for (std::size_t k = 0; k < form->plain.size() && (maxLength == 0 || count < maxLength); ++k, ++count)
                out += form->plain[k];
        }
        i += length;
    }
    return out;
}

}  // namespace qv
