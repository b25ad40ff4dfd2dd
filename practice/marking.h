#pragma once

// The marking rules: how one answer part is judged against its key, how the
// marks of the right parts add up, and how the score and the time taken are
// written. Texts are the stored Windows-1252 bytes.
//
// Part indexes are 0-based positions in the paper's flat part lists (all
// parts of question 1, then of question 2, and so on).

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "course/answer_type.h"
#include "course/record_file.h"

namespace qv {

// A right part and a wrong part, as stored in the results files and shown in
// the Wingdings font: "ü" (252) is a tick, "û" (251) a cross.
inline constexpr std::string_view kTick = "\xFC";
inline constexpr std::string_view kCross = "\xFB";

// Letter case folded over Windows-1252 (A..Z and the accented capitals).
std::string FoldCase(std::string_view text);

// Leading and trailing spaces removed.
std::string_view TrimSpaces(std::string_view text);

// Texts are compared in their plain form (PlainTypography): a curly
// apostrophe, a dash or a non-breaking space reads as the keyboard's. Slips
// of spacing do not count: every run of blanks is one space, and a blank
// before the final punctuation mark is dropped.
//
// An answer as the marking compares it with a word or a group's alternative:
// in its plain form, its spacing tidied, its case folded.
std::string ComparableAnswer(std::string_view text);

// One part of any type but the group types:
//   Choice, Word, Sentence  answer and key equal once trimmed and case-folded;
//   Number                  both are numbers of equal value (a key that is
//                           not a number matches nothing);
//   Spelling, InstructedSpelling  the trimmed answer with its spaces removed,
//                           except the one at the place of the key's first
//                           space, equals the trimmed key, case kept;
//   any other               an empty result: neither right nor wrong.
std::string MarkAnswer(std::string_view answer, std::string_view key, AnswerType type);

// How far back (in parts) a part whose key is a single space looks for the
// start of its group.
inline constexpr std::size_t kGroupReach = 20;

// The acceptable answers listed in a group key, in key order: the texts
// between one ';' and the next (";is;are" gives "is" and "are").
std::vector<std::string> SplitAlternatives(std::string_view key);

// A part whose key is a single space belongs to the group of the nearest
// earlier part (at most 20 back) whose key is not; that part starts the
// group. A part with a key of its own starts its own group. Nothing when no
// start lies within reach.
std::optional<std::size_t> GroupStart(const Fields& keys, std::size_t part);

// One part of a group type. The first part of a group is right when its
// answer is one of the alternatives; a later part is right when its answer is
// one of the alternatives that no earlier part of the group has given, so the
// parts may be answered in any order but each alternative counts once. An
// empty answer is never right.
std::string MarkGroupAnswer(const Fields& answers, const Fields& keys, std::size_t part);

// One part by its type: MarkGroupAnswer for the group types, MarkAnswer otherwise.
std::string MarkPart(const Fields& answers, const Fields& keys, const AnswerTypes& types, std::size_t part);

// Every part of a paper, in order.
Fields MarkParts(const Fields& answers, const Fields& keys, const AnswerTypes& types);

// The sum of the marks of every part (the paper's maximum), or of the parts
// whose result is a tick (the score). A mark is the number its text holds
// (text that is not a number counts 0); the running total is rounded to a
// whole number, halves to even, after each addition.
long long SumMarks(const Fields& marks);
long long ScoreMarks(const Fields& results, const Fields& marks);

// The time taken, "h:m:s" without leading zeros (0:12:5). Negative times
// count as 0; hours go on past 24.
std::string FormatElapsed(std::chrono::seconds elapsed);

}  // namespace qv
