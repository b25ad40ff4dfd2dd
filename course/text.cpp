#include "course/text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <vector>

namespace qv {

std::string PathWords(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

namespace {

std::optional<char> ByteFor(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

constexpr std::array<PlainForm, 32> kPlainForms = {{
    {0x00A0, " ", "a non-breaking space"},
    {0x02BC, "'", "a modifier apostrophe"},
    {0x2000, " ", "an en quad space"},
    {0x2001, " ", "an em quad space"},
    {0x2002, " ", "an en space"},
    {0x2003, " ", "an em space"},
    {0x2004, " ", "a three-per-em space"},
    {0x2005, " ", "a four-per-em space"},
    {0x2006, " ", "a six-per-em space"},
    {0x2007, " ", "a figure space"},
    {0x2008, " ", "a punctuation space"},
    {0x2009, " ", "a thin space"},
    {0x200A, " ", "a hair space"},
    {0x2010, "-", "a typographic hyphen"},
    {0x2011, "-", "a non-breaking hyphen"},
    {0x2012, "-", "a figure dash"},
    {0x2013, "-", "an en dash"},
    {0x2014, "-", "an em dash"},
    {0x2015, "-", "a horizontal bar"},
    {0x2018, "'", "an opening curly quote"},
    {0x2019, "'", "a curly apostrophe"},
    {0x201A, "'", "a low curly quote"},
    {0x201B, "'", "a reversed curly quote"},
    {0x201C, "\"", "an opening curly quotation mark"},
    {0x201D, "\"", "a closing curly quotation mark"},
    {0x201E, "\"", "a low curly quotation mark"},
    {0x201F, "\"", "a reversed curly quotation mark"},
    {0x2026, "...", "an ellipsis"},
    {0x202F, " ", "a narrow non-breaking space"},
    {0x2032, "'", "a prime"},
    {0x2033, "\"", "a double prime"},
    {0x2212, "-", "a minus sign"},
}};

}  // namespace

const PlainForm* FindPlainForm(char32_t code) {
    for (const PlainForm& form : kPlainForms) {
        if (form.code == code) return &form;
    }
    return nullptr;
}

std::string PlainTypography(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    for (char b : cp1252) {
        const auto u = static_cast<unsigned char>(b);
        const PlainForm* form = u < 0x80 ? nullptr : FindPlainForm(u < 0xA0 ? kHighControls[u - 0x80] : u);
        if (form) out += form->plain;
        else out += b;
    }
    return out;
}

std::string AsciiLowerCopy(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = AsciiLower(c);
    return out;
}

std::string_view TrimSpacesAndTabs(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::optional<Utf8Char> DecodeUtf8(std::string_view text, std::size_t at) {
    if (at >= text.size()) return std::nullopt;
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return Utf8Char{lead, 1};
    std::size_t length = 0;
    char32_t code = 0;
    char32_t smallest = 0;  // below this the form is overlong
    if ((lead & 0xE0) == 0xC0) { length = 2; code = lead & 0x1F; smallest = 0x80; }
    else if ((lead & 0xF0) == 0xE0) { length = 3; code = lead & 0x0F; smallest = 0x800; }
    else if ((lead & 0xF8) == 0xF0) { length = 4; code = lead & 0x07; smallest = 0x10000; }
    else return std::nullopt;
    if (text.size() - at < length) return std::nullopt;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
    return Utf8Char{code, length};
}

std::size_t FindInvalidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = DecodeUtf8(text, i);
        if (!c) return i;
        i += c->length;
    }
    return std::string_view::npos;
}

std::string NeutraliseFieldValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\r') {
            out += ' ';
            if (i + 1 < value.size() && value[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += ' ';
        } else if (c == '>') {
            out += '\x9B';
        } else {
            out += c;
        }
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u < 0x80) out += b;
        else if (u < 0xA0) AppendUtf8(out, kHighControls[u - 0x80]);
        else AppendUtf8(out, u);
    }
    return out;
}

std::optional<RecordText> Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = DecodeUtf8(utf8, i);
        if (!c) return std::nullopt;
        const auto byte = ByteFor(c->code);
        if (!byte) return std::nullopt;
        out += *byte;
        i += c->length;
    }
    return out;
}

std::string FormatPercent(long long raw, long long maximum) {
    if (maximum <= 0) return {};
    const bool negative = raw < 0;
    const unsigned long long numerator = static_cast<unsigned long long>(negative ? -raw : raw) * 1000ULL;
    const auto denominator = static_cast<unsigned long long>(maximum);
    unsigned long long tenths = numerator / denominator;
    const unsigned long long remainder = numerator % denominator;
    if (remainder * 2 > denominator || (remainder * 2 == denominator && (tenths % 2) == 1)) ++tenths;
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10 != 0) text += "." + std::to_string(tenths % 10);
    if (negative && tenths != 0) text.insert(0, "-");
    return text;
}

std::optional<double> ParseStoredNumber(std::string_view text) {
    text = TrimSpacesAndTabs(text);
    if (text.empty()) return std::nullopt;
    std::string copy(text);
    for (char& c : copy) {
        if (c == ',') c = '.';
    }
    double value = 0;
    const char* first = copy.data();
    if (*first == '+') ++first;
    const auto [end, error] = std::from_chars(first, copy.data() + copy.size(), value);
    if (error != std::errc() || end != copy.data() + copy.size()) return std::nullopt;
    return value;
}

std::optional<int> ParseStoredInt(std::string_view text) {
    text = TrimSpacesAndTabs(text);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
    // Optimal string alignment distance, three rows at a time.
    std::vector<std::size_t> before(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                current[j] = std::min(current[j], before[j - 2] + 1);
        }
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[b.size()];
}

}  // namespace qv
