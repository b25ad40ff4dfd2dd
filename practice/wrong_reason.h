#pragma once

// Why a part was marked wrong, in a pupil's words: the short note shown
// beside a crossed part once the paper is marked. It only explains; the
// marking itself is never changed by it. Texts are the stored Windows-1252
// bytes.

#include <cstddef>
#include <string>
#include <string_view>

#include "course/answer_type.h"
#include "course/record_file.h"

namespace qv {

// Whether the model answer is on show beside the part (a marked second
// attempt). Before that the reason never gives the answer away.
enum class ModelAnswerShown { No, Yes };

// The reason for a wrong `answer` to a part whose model answer is `key` and
// whose answer type is `type`. `boxWords` are the words of the question's box
// that its key puts in one of the gaps. The first that fits, in this order:
//   nothing typed                      "Not answered."
//   a choice or a number               "Not this one: look again."
//   the key but for a full stop, comma,
//   other punctuation or a capital     "Check the punctuation."
//   a box word the key puts elsewhere  "That word belongs in another gap."
//   the key's words in another order   "The words are right, but not their order."
//   a word one or two letters out      "Nearly: check the spelling."
//   anything else                      "Not this one: look again."
// With the model answer shown, the last two (the choice and anything else)
// name the key instead: "The answer was <key>."
std::string WrongPartReason(std::string_view answer, std::string_view key, AnswerType type,
                            const Fields& boxWords, ModelAnswerShown shown);

// The reason for part `part` (0-based) of a paper, from the paper's flat
// lists: its model answer (ModelAnswer) stands as the key.
std::string PaperPartReason(const Fields& answers, const Fields& keys, const AnswerTypes& types, std::size_t part,
                            const Fields& boxWords, ModelAnswerShown shown);

}  // namespace qv
