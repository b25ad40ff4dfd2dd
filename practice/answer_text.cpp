#include "practice/answer_text.h"

#include <optional>

#include "course/text.h"

namespace qv {

namespace {

struct Decoded {
    char32_t c = 0;
    std::size_t length = 1;  // bytes taken, also when the sequence is invalid
    bool valid = false;
};

Decoded DecodeAt(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t c = 0;
    if (lead < 0x80) return {lead, 1, true};
    if ((lead & 0xE0) == 0xC0) { length = 2; c = lead & 0x1F; }
    else if ((lead & 0xF0) == 0xE0) { length = 3; c = lead & 0x0F; }
    else if ((lead & 0xF8) == 0xF0) { length = 4; c = lead & 0x07; }
    else return {};
    if (i + length > text.size()) return {};
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return {};
        c = (c << 6) | (next & 0x3F);
    }
    return {c, length, true};
}

// True when the character of one UTF-8 sequence can be stored.
bool IsStorableSequence(std::string_view sequence, char32_t c) {
    if (c < 0x20 || c == 0x7F || c == '>') return false;
    if (c >= 0x80 && c <= 0x9F) return false;  // C1 controls
    return Utf8ToCp1252(sequence).has_value();
}

}  // namespace

int AnswerMaxLength(std::string_view type) {
    if (type == "Q") return 1;
    return type == "L" ? kSentenceMaxLength : 0;
}

bool IsStorableAnswer(std::string_view utf8, std::string_view type) {
    const int limit = AnswerMaxLength(type);
    int count = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const Decoded d = DecodeAt(utf8, i);
        if (!d.valid || !IsStorableSequence(utf8.substr(i, d.length), d.c)) return false;
        ++count;
        i += d.length;
    }
    return limit == 0 || count <= limit;
}

std::string StorableAnswer(std::string_view utf8, std::string_view type) {
    const int limit = AnswerMaxLength(type);
    std::string out;
    int count = 0;
    for (std::size_t i = 0; i < utf8.size() && (limit == 0 || count < limit);) {
        const Decoded d = DecodeAt(utf8, i);
        if (d.valid && IsStorableSequence(utf8.substr(i, d.length), d.c)) {
            out.append(utf8.substr(i, d.length));
            ++count;
        } else if (const PlainForm* form = d.valid ? FindPlainForm(d.c) : nullptr) {
            // A non-breaking hyphen, a minus sign: the keyboard's character instead.
            for (std::size_t k = 0; k < form->plain.size() && (limit == 0 || count < limit); ++k, ++count)
                out += form->plain[k];
        }
        i += d.length;
    }
    return out;
}

}  // namespace qv
