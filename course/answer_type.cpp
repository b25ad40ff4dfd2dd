#include "course/answer_type.h"

namespace qv {

AnswerType ParseAnswerType(std::string_view letter) {
    struct Entry {
        std::string_view letter;
        AnswerType type;
    };
    static constexpr Entry kTypes[] = {
        {"Q", AnswerType::Choice},   {"T", AnswerType::Word},
        {"L", AnswerType::Sentence}, {"N", AnswerType::Number},
        {"R", AnswerType::Spelling}, {"F", AnswerType::InstructedSpelling},
        {"X", AnswerType::InstructedSpelling}, {"G", AnswerType::Group},
        {"M", AnswerType::Alternatives},
    };
    for (const Entry& entry : kTypes) {
        if (entry.letter == letter) return entry.type;
    }
    return AnswerType::Unknown;
}

AnswerTypes ParseAnswerTypes(const Fields& letters) {
    AnswerTypes types;
    types.reserve(letters.size());
    for (const std::string& letter : letters) types.push_back(ParseAnswerType(letter));
    return types;
}

}  // namespace qv
