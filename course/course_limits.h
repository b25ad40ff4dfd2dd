#pragma once

// How a module is divided into papers, and how large a question may be.

namespace qv {

// Topic t (from 1) of a module owns the papers 5(t - 1) + 1 .. 5t.
inline constexpr int kPapersPerTopic = 5;

// A paper's key is this offset plus its number in the module (101 .. 150).
inline constexpr int kPaperKeyOffset = 100;

// The answer sheet of a practice window has this many rows.
inline constexpr int kMaxAnswerParts = 20;

}  // namespace qv
