#include "practice/wrong_reason.h"

#include <algorithm>
#include <vector>

#include "course/text.h"
#include "practice/marking.h"
#include "practice/model_answer.h"

namespace qv {

namespace {

constexpr std::string_view kNotAnswered = "Not answered.";
constexpr std::string_view kLookAgain = "Not this one: look again.";
constexpr std::string_view kPunctuation = "Check the punctuation.";
constexpr std::string_view kOtherGap = "That word belongs in another gap.";
constexpr std::string_view kOrder = "The words are right, but not their order.";
constexpr std::string_view kSpelling = "Nearly: check the spelling.";

bool IsPunctuation(char c) {
    switch (c) {
        case '.': case ',': case '!': case '?': case ';': case ':': case '"': case '(': case ')':
        case '\x85':  // an ellipsis
            return true;
        default:
            return false;
    }
}

// Case folded, punctuation dropped, words split at runs of spaces.
std::vector<std::string> Words(std::string_view text) {
    const std::string plain = FoldCase(PlainTypography(text));
    std::vector<std::string> words;
    std::string word;
    for (const char c : plain) {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else if (!IsPunctuation(c)) {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

std::string Comparable(std::string_view text) { return FoldCase(TrimSpaces(PlainTypography(text))); }

// How many letters out a word may be and still count as a slip of spelling:
// none for a word of one or two letters (another word, not a misspelling),
// one for three letters, two beyond ("hear" for "here").
std::size_t SlipAllowance(std::string_view word) {
    if (word.size() <= 2) return 0;
    return word.size() == 3 ? 1 : 2;
}

bool NearlySpelt(const std::vector<std::string>& answer, const std::vector<std::string>& key) {
    if (answer.size() != key.size() || answer.empty()) return false;
    bool differs = false;
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (answer[i] == key[i]) continue;
        const std::size_t distance = EditDistance(answer[i], key[i]);
        if (distance > SlipAllowance(key[i])) return false;
        differs = true;
    }
    return differs;
}

std::string NameKey(std::string_view key) {
    const std::string_view shown = TrimSpaces(key);
    if (shown.empty()) return std::string(kLookAgain);
    std::string out = "The answer was " + std::string(shown);
    const char last = shown.back();
    if (last != '.' && last != '!' && last != '?') out += '.';
    return out;
}

}  // namespace

std::string WrongPartReason(std::string_view answer, std::string_view key, AnswerType type,
                            const Fields& boxWords, ModelAnswerShown shown) {
    const auto otherwise = [&] {
        return shown == ModelAnswerShown::Yes ? NameKey(key) : std::string(kLookAgain);
    };
    if (TrimSpaces(answer).empty()) return std::string(kNotAnswered);
    if (type == AnswerType::Choice || type == AnswerType::Number) return otherwise();

    const std::vector<std::string> answerWords = Words(answer);
    const std::vector<std::string> keyWords = Words(key);
    if (!keyWords.empty() && answerWords == keyWords) return std::string(kPunctuation);

    const std::string given = Comparable(answer);
    const bool inBox = std::any_of(boxWords.begin(), boxWords.end(),
                                   [&](const std::string& word) { return Comparable(word) == given; });
    if (inBox && given != Comparable(key)) return std::string(kOtherGap);

    if (keyWords.size() >= 2) {
        std::vector<std::string> a = answerWords, k = keyWords;
        std::sort(a.begin(), a.end());
        std::sort(k.begin(), k.end());
        if (a == k) return std::string(kOrder);
    }
    if (NearlySpelt(answerWords, keyWords)) return std::string(kSpelling);
    return otherwise();
}

std::string PaperPartReason(const Fields& answers, const Fields& keys, const AnswerTypes& types, std::size_t part,
                            const Fields& boxWords, ModelAnswerShown shown) {
    const std::string answer = part < answers.size() ? answers[part] : std::string();
    const AnswerType type = part < types.size() ? types[part] : AnswerType::Unknown;
    return WrongPartReason(answer, ModelAnswer(answers, keys, types, part), type, boxWords, shown);
}

}  // namespace qv
