#include "keyword_hints.h"

#include <algorithm>
#include <vector>

#include "course/text.h"
#include "source_text.h"

namespace coursec {

namespace {

bool IsLetters(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == ' ';
    });
}

bool HasCapital(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

// How far a word may be from a keyword and still be taken for a slip.
std::size_t Reach(std::string_view keyword) {
    return keyword.size() >= 8 ? 2 : 1;
}

// `written` standing where `keyword` belongs: a capital or a misspelling
// gives the slip, with `shown` and `meant` as the line is written and meant.
LineSlip Slip(std::string_view written, std::string_view keyword, const std::string& shown,
              const std::string& shownKeyword, std::string meant) {
    const std::string lower = qv::AsciiLowerCopy(written);
    if (lower == keyword) {
        if (!HasCapital(written)) return {};
        return {"`" + shown + "` is written with a capital: keywords are lower case (`" +
                    shownKeyword + "`)",
                std::move(meant)};
    }
    const std::size_t distance = EditDistance(lower, keyword);
    if (distance == 0 || distance > Reach(keyword)) return {};
    return {"unknown line `" + shown + "` (did you mean `" + shownKeyword + "`?)",
            std::move(meant)};
}

}  // namespace

LineSlip PaperLineSlip(std::string_view line) {
    const std::string text(line);
    // "question", alone on its line.
    if (IsLetters(line) && line.find(' ') == std::string_view::npos)
        return Slip(line, "question", text, "question", "question");
    // "paper 101", also without its space.
    const std::size_t digits = line.find_first_of("0123456789");
    if (digits != std::string_view::npos && digits > 0 && IsDigits(line.substr(digits))) {
        const std::string_view word = qv::TrimSpacesAndTabs(line.substr(0, digits));
        if (IsLetters(word) && word.find(' ') == std::string_view::npos) {
            const std::string meant = "paper " + std::string(line.substr(digits));
            if (word == "paper" && digits == word.size())
                return {"unknown line `" + text + "` (did you mean `" + meant + "`?)", meant};
            return Slip(word, "paper", text, meant, meant);
        }
    }
    // "instruction: ..." and "words: a | b".
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || !IsLetters(line.substr(0, colon)) ||
        line.substr(0, colon).find(' ') != std::string_view::npos)
        return {};
    const std::string key(line.substr(0, colon));
    const std::string rest(line.substr(colon));
    LineSlip slip = Slip(key, "instruction", key + ":", "instruction:", "instruction" + rest);
    if (slip.message.empty() && line.find('|') != std::string_view::npos)
        slip = Slip(key, "words", key + ":", "words:", "words" + rest);
    return slip;
}

LineSlip HeaderLineSlip(std::string_view line) {
    static constexpr std::string_view kKeys[] = {"title",      "code",   "choices", "box rule",
                                                 "order rule", "module", "topic"};
    const LineSlip unknown{
        "unknown line `" + std::string(line) +
            "`; the lines of a course header are title:, code:, choices:, box rule:, order rule:, "
            "module N: and topic:",
        {}};
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return unknown;
    std::string_view key = qv::TrimSpacesAndTabs(line.substr(0, colon));
    // "module 2:" names its slot after the keyword.
    std::string slot;
    if (const std::size_t blank = key.find_last_of(" \t"); blank != std::string_view::npos) {
        const std::string_view number = qv::TrimSpacesAndTabs(key.substr(blank));
        if (IsDigits(number)) {
            slot = " " + std::string(number);
            key = qv::TrimSpacesAndTabs(key.substr(0, blank));
        }
    }
    const std::string rest(line.substr(colon));
    for (std::string_view keyword : kKeys) {
        const std::string meant = std::string(keyword) + slot;
        LineSlip slip =
            Slip(key, keyword, std::string(key) + slot + ":", meant + ":", meant + rest);
        if (!slip.message.empty()) return slip;
    }
    return unknown;
}

}  // namespace coursec
