#pragma once

// The answer types of the course's answer-types records: one letter a part,
// read once when a paper is loaded. Everything after that works on the enum.

#include <string_view>
#include <vector>

#include "course/record_file.h"

namespace qv {

enum class AnswerType {
    Choice,              // "Q": the option number, one character
    Word,                // "T": a typed word
    Sentence,            // "L": a typed sentence, in a tall field
    Number,              // "N": a number, compared by value
    Spelling,            // "R": text compared with its case and spaces as in the key
    InstructedSpelling,  // "F", "X": the same, answered as the instruction under the sheet says
    Group,               // "G": one of several answers, a group of parts in any order
    Alternatives,        // "M": the same; its model answer is the key's first alternative
    Unknown,             // any other letter: marked neither right nor wrong
};

// The type a record field names; Unknown for anything else (the letter alone,
// case as stored).
AnswerType ParseAnswerType(std::string_view letter);
using AnswerTypes = std::vector<AnswerType>;
AnswerTypes ParseAnswerTypes(const Fields& letters);

// Group and Alternatives: parts that accept one of several answers.
inline bool IsGroupType(AnswerType type) { return type == AnswerType::Group || type == AnswerType::Alternatives; }
// Parts answered as the written instruction under the answer sheet says.
inline bool NeedsInstruction(AnswerType type) { return type == AnswerType::InstructedSpelling; }
// The longest sentence answer, in characters: far more than any sentence,
// and still a short line in the answers file.
inline constexpr int kSentenceMaxLength = 2000;

// The longest answer a field of this type takes: 1 for a choice (the option
// number), kSentenceMaxLength for a sentence, 0 (no limit of its own: the
// one-line field's) for every other type.
inline int AnswerMaxLength(AnswerType type) {
    if (type == AnswerType::Choice) return 1;
    return type == AnswerType::Sentence ? kSentenceMaxLength : 0;
}

}  // namespace qv
