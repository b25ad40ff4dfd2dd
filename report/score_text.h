#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// A score as the marks and trend files hold it: a percentage from 0 to 100.
// Nothing for empty text, text that is not a number, or a number outside
// 0..100 (a hand-edited or damaged value), so such a value is left out of
// every figure rather than pulling an average or a bar off its scale.
std::optional<double> ParseScore(std::string_view text);

// A percentage rounded to one decimal place, an exact half going to the even
// digit, in its shortest form with '.' as the decimal separator:
// 87.5 -> "87.5", 85.0 -> "85", 87.25 -> "87.2", 87.35 -> "87.4".
// The value is an average of scores with at most one decimal, so a half is
// recognised even when the division left a rounding error in the last bits.
std::string FormatAverage(double value);

}  // namespace qv
