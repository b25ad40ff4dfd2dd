#pragma once

// The model answer shown beside a part of a marked second attempt: what the
// pupil should have written. Part indexes are 0-based positions in the
// paper's flat part lists; texts are the stored Windows-1252 bytes.

#include <cstddef>
#include <string>

#include "course/answer_type.h"
#include "course/record_file.h"

namespace qv {

// For a part of a group of type Group (a key of alternatives, then parts whose
// key is a single space): the accepted answers that the pupil has given
// nowhere in the group, handed out in key order to the group's wrong parts in
// part order. The group's first part shows nothing when its answer is
// accepted, else the first such answer; a later part shows the one whose
// place is its own place in the group less the earlier parts that the marking
// counts right, and nothing when there are fewer left. Texts are compared
// trimmed and with letter case folded.
std::string GroupModelAnswer(const Fields& answers, const Fields& keys, std::size_t part);

// The model answer of any part: GroupModelAnswer for Group, the first
// alternative of the key for Alternatives (the key itself when it lists
// none), and the key unchanged for every other type.
std::string ModelAnswer(const Fields& answers, const Fields& keys, const AnswerTypes& types, std::size_t part);

}  // namespace qv
