#include "practice/model_answer.h"

#include <optional>
#include <string_view>
#include <vector>

#include "practice/marking.h"

namespace qv {

namespace {

std::string_view At(const Fields& list, std::size_t i) {
    return i < list.size() ? std::string_view(list[i]) : std::string_view();
}

// The (n)-th (1-based) alternative not given anywhere in the group.
std::string NthRemaining(const std::vector<std::string>& alternatives, const std::vector<bool>& given, long long n) {
    for (std::size_t k = 0; k < alternatives.size() && n > 0; ++k) {
        if (given[k] || TrimSpaces(alternatives[k]).empty()) continue;
        if (--n == 0) return alternatives[k];
    }
    return {};
}

}  // namespace

std::string GroupModelAnswer(const Fields& answers, const Fields& keys, std::size_t part) {
    const std::optional<std::size_t> start = GroupStart(keys, part);
    if (!start) return {};
    std::size_t end = *start + 1;  // one past the group's last part
    while (end < keys.size() && end - *start <= kGroupReach && keys[end] == " ") ++end;

    const std::vector<std::string> alternatives = SplitAlternatives(keys[*start]);
    std::vector<std::string> comparable;
    for (const std::string& alternative : alternatives) comparable.push_back(ComparableAnswer(alternative));
    std::vector<bool> given(alternatives.size(), false);
    for (std::size_t p = *start; p < end; ++p) {
        const std::string answer = ComparableAnswer(At(answers, p));
        for (std::size_t k = 0; k < comparable.size(); ++k) given[k] = given[k] || comparable[k] == answer;
    }

    if (part == *start) {
        if (MarkGroupAnswer(answers, keys, part) == kTick) return {};
        return NthRemaining(alternatives, given, 1);
    }
    // An earlier part takes an alternative away only when the marking counts it
    // right, so a repeated answer does not push the later parts along twice.
    long long right = 0;
    for (std::size_t p = *start; p < part; ++p) right += MarkGroupAnswer(answers, keys, p) == kTick;
    const long long place = static_cast<long long>(part - *start) + 1;
    return NthRemaining(alternatives, given, place - right);
}

std::string ModelAnswer(const Fields& answers, const Fields& keys, const AnswerTypes& types, std::size_t part) {
    const AnswerType type = part < types.size() ? types[part] : AnswerType::Unknown;
    const std::string_view key = At(keys, part);
    if (type == AnswerType::Group) return GroupModelAnswer(answers, keys, part);
    if (type == AnswerType::Alternatives) {
        const std::vector<std::string> alternatives = SplitAlternatives(key);
        return alternatives.empty() ? std::string(key) : alternatives.front();
    }
    return std::string(key);
}

}  // namespace qv
