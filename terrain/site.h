#pragma once

#include <string>
#include <string_view>

namespace tropolink::terrain {

struct Site {
    double latDeg = 0;  // WGS84, north positive
    double lonDeg = 0;  // WGS84, east positive
};

inline constexpr double kMaxLatitudeDeg = 90;
inline constexpr double kMaxLongitudeDeg = 180;

// Reads "LAT,LON" in plain decimal degrees: an optional sign, digits and an
// optional fraction, blanks allowed around either number; no exponent, hex,
// inf or nan. Throws TerrainError whose message starts with `optionName` (the
// option or field the text came from, may be empty) and the text.
Site parseSite(std::string_view text, std::string_view optionName = {});

// The text quoted for a message: printable ASCII as is, other bytes as \xNN,
// cut short when long, so that the message stays one readable line.
std::string quoteInput(std::string_view text);

}  // namespace tropolink::terrain
