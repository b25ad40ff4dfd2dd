#pragma once

// The record keys of the course configuration file.

#include <array>
#include <string_view>

namespace qv {

inline constexpr std::string_view kTitleKey = "NME";
inline constexpr std::string_view kCodeKey = "COD";

// The module label of slots 1, 2 and 3; a slot with a label is configured.
inline constexpr std::array<std::string_view, 3> kModuleLabelKeys = {"LAH", "LBH", "LCH"};

// Followed by the slot's digit: the topic count, the paper count and the
// topic names of that module.
inline constexpr std::string_view kTopicCountKey = "TT";
inline constexpr std::string_view kPaperCountKey = "TP";
inline constexpr std::string_view kTopicNamesKey = "TN";

}  // namespace qv
