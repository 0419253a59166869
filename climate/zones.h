#pragma once

#include <string_view>

namespace tropolink::climate {

inline constexpr int kMinZoneCode = 0;
inline constexpr int kMaxZoneCode = 6;

// The `--climate-zone` that a map code stands for: 0 (maritime temperate,
// over sea) is the tool's zone 7, the others keep their number. Throws
// std::out_of_range for a code outside 0 to 6.
int climateZoneOption(int zoneCode);

// The climate a map code names, e.g. "continental temperate". Throws
// std::out_of_range for a code outside 0 to 6.
std::string_view zoneName(int zoneCode);

}  // namespace tropolink::climate
