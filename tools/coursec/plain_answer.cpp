#include "plain_answer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>
#include <vector>

#include "course/text.h"
#include "practice/marking.h"

namespace coursec {

namespace {

// Characters that take no room on the page: a pupil can neither see nor type them.
constexpr std::array<std::pair<char32_t, std::string_view>, 9> kInvisible = {{
    {0x00AD, "a soft hyphen"},
    {0x200B, "a zero-width space"},
    {0x200C, "a zero-width non-joiner"},
    {0x200D, "a zero-width joiner"},
    {0x200E, "a left-to-right mark"},
    {0x200F, "a right-to-left mark"},
    {0x2060, "a word joiner"},
    {0x2061, "an invisible function sign"},
    {0xFEFF, "a zero-width no-break space"},
}};

std::string_view InvisibleName(char32_t code) {
    for (const auto& [c, name] : kInvisible) {
        if (c == code) return name;
    }
    return {};
}

std::string CodePoint(char32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(code));
    return text;
}

// One character of UTF-8 text; a byte that starts none stands for itself.
struct Character {
    char32_t code;
    std::string_view bytes;
};

template <typename Visit>
void ForEachCharacter(std::string_view text, Visit&& visit) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = qv::DecodeUtf8(text, i);
        const std::size_t length = c ? c->length : 1;
        visit(Character{c ? c->code : 0xFFFD, text.substr(i, length)}, i);
        i += length;
    }
}

// A space a pupil cannot tell from a plain one.
bool LooksLikeSpace(char32_t code) {
    const qv::PlainForm* form = qv::FindPlainForm(code);
    return form && form->plain == " ";
}

}  // namespace

std::string NameCharacterAt(std::string_view text, std::size_t at) {
    const auto c = qv::DecodeUtf8(text, at);
    const char32_t code = c ? c->code : 0xFFFD;
    if (const qv::PlainForm* form = qv::FindPlainForm(code))
        return std::string(form->name) + " (" + CodePoint(code) + ")";
    if (const std::string_view name = InvisibleName(code); !name.empty())
        return std::string(name) + " (" + CodePoint(code) + ")";
    return "the character \"" + std::string(text.substr(at, c ? c->length : 1)) + "\" (" +
           CodePoint(code) + ")";
}

std::string Visible(std::string_view text) {
    std::string out;
    ForEachCharacter(text, [&](const Character& c, std::size_t) {
        if (!InvisibleName(c.code).empty() || LooksLikeSpace(c.code))
            out += "<" + CodePoint(c.code) + ">";
        else
            out += c.bytes;
    });
    return out;
}

std::string PlainText(std::string_view text) {
    std::string plain;
    ForEachCharacter(text, [&](const Character& c, std::size_t) {
        const qv::PlainForm* form = qv::FindPlainForm(c.code);
        plain += form ? form->plain : c.bytes;
    });
    return plain;
}

std::string PlainAnswer(const std::string& text, const std::string& what, const std::string& file,
                        int line, Diagnostics& out) {
    std::string plain;
    std::vector<std::string> named;
    ForEachCharacter(text, [&](const Character& c, std::size_t at) {
        if (!InvisibleName(c.code).empty()) {
            throw SourceError(file, line,
                              what + " \"" + Visible(text) + "\" holds " +
                                  NameCharacterAt(text, at) +
                                  ", which a pupil can neither see nor type: delete it");
        }
        if (const qv::PlainForm* form = qv::FindPlainForm(c.code)) {
            plain += form->plain;
            const std::string name = NameCharacterAt(text, at);
            if (std::find(named.begin(), named.end(), name) == named.end()) named.push_back(name);
            return;
        }
        if (!qv::Utf8ToCp1252(c.bytes)) {
            throw SourceError(file, line,
                              what + " \"" + text + "\" holds " + NameCharacterAt(text, at) +
                                  ", which the answer files cannot keep: write the answer without "
                                  "it, in letters, digits and the punctuation on a keyboard");
        }
        plain += c.bytes;
    });
    plain = std::string(qv::TrimSpacesAndTabs(plain));
    if (!named.empty()) {
        std::string list;
        for (std::size_t i = 0; i < named.size(); ++i)
            list += (i == 0 ? "" : i + 1 == named.size() ? " and " : ", ") + named[i];
        out.Note(file, line,
                 what + " \"" + Visible(text) + "\" holds " + list + ": it is kept as \"" + plain +
                     "\", as a pupil types it");
    }
    return plain;
}

void CheckStorable(const std::string& value, const std::string& what, const std::string& file,
                   int line) {
    ForEachCharacter(value, [&](const Character& c, std::size_t at) {
        if (qv::Utf8ToCp1252(c.bytes)) return;
        throw SourceError(file, line,
                          what + " holds " + NameCharacterAt(value, at) +
                              ", which the program's files cannot keep: write it without it");
    });
}

std::string CaseFolded(std::string_view text) {
    const auto stored = qv::Utf8ToCp1252(text);
    return stored ? qv::Cp1252ToUtf8(qv::FoldCase(*stored)) : qv::AsciiLowerCopy(text);
}

}  // namespace coursec
