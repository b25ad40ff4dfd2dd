#include "report/score_text.h"

#include <cmath>

#include "course/text.h"

namespace qv {

std::optional<double> ParseScore(std::string_view text) {
    const auto value = ParseStoredNumber(text);
    // Also rejects "nan" and "inf", which the number reader accepts.
    if (!value || !(*value >= 0.0 && *value <= 100.0)) return std::nullopt;
    return value;
}

std::string FormatAverage(double value) {
    if (!std::isfinite(value)) return {};
    const bool negative = value < 0;
    const double tenths = std::fabs(value) * 10.0;
    const double whole = std::floor(tenths);
    const double fraction = tenths - whole;
    auto rounded = static_cast<long long>(whole);
    constexpr double kHalfTolerance = 1e-7;
    if (std::fabs(fraction - 0.5) < kHalfTolerance) {
        if (rounded % 2 != 0) ++rounded;
    } else if (fraction > 0.5) {
        ++rounded;
    }
    std::string text = std::to_string(rounded / 10);
    if (rounded % 10 != 0) text += "." + std::to_string(rounded % 10);
    if (negative && rounded != 0) text.insert(0, "-");
    return text;
}

}  // namespace qv
