#pragma once

#include <string_view>

namespace tropolink {

// Texts that stand in a box in place of a number.
inline constexpr std::string_view kLineOfSight = "Line of Sight";
inline constexpr std::string_view kOutOfRange = "Out of Range";        // ITT and Collins
inline constexpr std::string_view kRiderOutOfRange = "out of range";   // Rider
inline constexpr std::string_view kNoData = "No Data";
inline constexpr std::string_view kNotLineOfSight = "Not LOS";
inline constexpr std::string_view kHorizonLimited = "horizon limited";
inline constexpr std::string_view kLineOfSightSuffix = " - LOS";

}  // namespace tropolink
