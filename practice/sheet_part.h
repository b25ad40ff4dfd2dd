#pragma once

// One row of the answer sheet as the attempt model decides it: everything the
// row shows, so the sheet itself decides nothing. Texts are record bytes
// (Windows-1252).

#include <string>

#include "course/answer_type.h"
#include "course/text.h"

namespace qv {

struct SheetPart {
    RecordText answer;
    RecordText key;            // the model answer
    int maxLength = 0;         // the longest answer the one-line field takes; 0: no limit
    bool sentence = false;     // a sentence: a tall field
    bool needsInstruction = false;  // answered as the instruction under the sheet says
    RecordText result;         // FR: tick, cross or empty
    RecordText secondResult;   // SR (second attempt only)
    bool carried = false;      // right the first time: locked and shaded (second attempt)
    RecordText reason;         // why a marked part is wrong; empty for the others
    // What the row shows beside its field.
    bool showResult = false;
    bool showSecondResult = false;
    bool showModel = false;
};

// A row for a part of the given type, with its field's limits and no texts.
inline SheetPart SheetPartOf(AnswerType type) {
    SheetPart part;
    part.sentence = type == AnswerType::Sentence;
    // A sentence's own limit is kept by its box; the one-line field has none.
    part.maxLength = part.sentence ? 0 : AnswerMaxLength(type);
    part.needsInstruction = NeedsInstruction(type);
    return part;
}

}  // namespace qv
