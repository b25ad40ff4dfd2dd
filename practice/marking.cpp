#include "practice/marking.h"

#include <algorithm>
#include <cmath>

#include "course/text.h"

namespace qv {

namespace {

// Marks beyond this are not meant; keeping them in range keeps the sums exact.
constexpr double kLargestMark = 1e6;

char FoldChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 32);  // À..Þ but ×
    if (u == 0x8A || u == 0x8C || u == 0x8E) return static_cast<char>(u + 16);   // Š Œ Ž
    if (u == 0x9F) return '\xFF';                                                 // Ÿ
    return c;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsFinalMark(char c) { return c == '.' || c == '!' || c == '?' || c == ',' || c == ';' || c == ':'; }

// The text in its plain form with the slips of spacing a teacher lets pass:
// trimmed, every run of blanks one space, no blank before the final punctuation mark.
std::string Tidy(std::string_view text) {
    const std::string plain = PlainTypography(text);
    std::string out;
    for (const char c : TrimSpaces(plain)) {
        if (IsBlank(c)) {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += c;
        }
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    if (out.size() >= 2 && IsFinalMark(out.back()) && out[out.size() - 2] == ' ') out.erase(out.size() - 2, 1);
    return out;
}

bool SameText(std::string_view a, std::string_view b) { return ComparableAnswer(a) == ComparableAnswer(b); }

std::optional<double> NumberValue(std::string_view text) {
    const auto value = ParseStoredNumber(text);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

// The answer with its spaces dropped, except the character at the place of
// the key's first space.
std::string WithoutSpaces(std::string_view answer, std::string_view key) {
    const std::size_t keySpace = key.find(' ');
    const std::string_view a = TrimSpaces(answer);
    std::string built;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != ' ' || i == keySpace) built += a[i];
    }
    return built;
}

std::string_view At(const Fields& list, std::size_t i) {
    return i < list.size() ? std::string_view(list[i]) : std::string_view();
}

bool IsSingleSpace(std::string_view key) { return key == " "; }

// The alternatives of a key as they are compared.
std::vector<std::string> ComparableAlternatives(std::string_view key) {
    std::vector<std::string> out;
    for (const std::string& alternative : SplitAlternatives(key))
        out.push_back(ComparableAnswer(alternative));
    return out;
}

std::string Result(bool right) { return std::string(right ? kTick : kCross); }

long long AddMark(long long total, std::string_view mark) {
    const auto value = NumberValue(mark);
    if (!value) return total;
    const double clamped = std::clamp(*value, -kLargestMark, kLargestMark);
    return static_cast<long long>(std::nearbyint(static_cast<double>(total) + clamped));
}

}  // namespace

std::string ComparableAnswer(std::string_view text) { return FoldCase(Tidy(text)); }

std::string FoldCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = FoldChar(c);
    return out;
}

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::string MarkAnswer(std::string_view answer, std::string_view key, AnswerType type) {
    switch (type) {
        case AnswerType::Choice:
        case AnswerType::Word:
        case AnswerType::Sentence:
            return Result(SameText(answer, key));
        case AnswerType::Number: {
            const auto given = NumberValue(PlainTypography(answer));
            const auto expected = NumberValue(PlainTypography(key));
            return Result(given && expected && *given == *expected);
        }
        case AnswerType::Spelling:
        case AnswerType::InstructedSpelling: {
            const std::string plainKey = Tidy(key);
            return Result(plainKey == WithoutSpaces(Tidy(answer), plainKey));
        }
        case AnswerType::Group:
        case AnswerType::Alternatives:
        case AnswerType::Unknown:
            break;
    }
    return {};
}

std::vector<std::string> SplitAlternatives(std::string_view key) {
    std::vector<std::string> out;
    std::size_t start = key.find(';');
    while (start != std::string_view::npos) {
        const std::size_t next = key.find(';', start + 1);
        out.emplace_back(key.substr(start + 1, next == std::string_view::npos ? next : next - start - 1));
        start = next;
    }
    return out;
}

std::optional<std::size_t> GroupStart(const Fields& keys, std::size_t part) {
    if (part >= keys.size()) return std::nullopt;
    if (!IsSingleSpace(keys[part])) return part;
    for (std::size_t back = 1; back <= kGroupReach && back <= part; ++back) {
        if (!IsSingleSpace(keys[part - back])) return part - back;
    }
    return std::nullopt;
}

std::string MarkGroupAnswer(const Fields& answers, const Fields& keys, std::size_t part) {
    if (part >= keys.size()) return {};
    const std::optional<std::size_t> start = GroupStart(keys, part);
    if (!start) return Result(false);
    std::vector<std::string> remaining = ComparableAlternatives(keys[*start]);
    for (std::size_t earlier = *start; earlier < part; ++earlier) {
        const std::string given = ComparableAnswer(At(answers, earlier));
        std::erase(remaining, given);
    }
    const std::string given = ComparableAnswer(At(answers, part));
    return Result(!given.empty() && std::find(remaining.begin(), remaining.end(), given) != remaining.end());
}

std::string MarkPart(const Fields& answers, const Fields& keys, const AnswerTypes& types, std::size_t part) {
    const AnswerType type = part < types.size() ? types[part] : AnswerType::Unknown;
    if (IsGroupType(type)) return MarkGroupAnswer(answers, keys, part);
    return MarkAnswer(At(answers, part), At(keys, part), type);
}

Fields MarkParts(const Fields& answers, const Fields& keys, const AnswerTypes& types) {
    Fields results(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) results[i] = MarkPart(answers, keys, types, i);
    return results;
}

long long SumMarks(const Fields& marks) {
    long long total = 0;
    for (const std::string& mark : marks) total = AddMark(total, mark);
    return total;
}

long long ScoreMarks(const Fields& results, const Fields& marks) {
    long long total = 0;
    for (std::size_t i = 0; i < results.size() && i < marks.size(); ++i) {
        if (results[i] == kTick) total = AddMark(total, marks[i]);
    }
    return total;
}

std::string FormatElapsed(std::chrono::seconds elapsed) {
    const long long total = std::max<long long>(elapsed.count(), 0);
    return std::to_string(total / 3600) + ":" + std::to_string(total / 60 % 60) + ":" +
           std::to_string(total % 60);
}

}  // namespace qv
