#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "profile/profile_error.h"

namespace tropolink::profile {

struct ProfilePoint {
    double distanceKm = 0;  // from station 1
    double heightM = 0;     // ground, above sea level
    long row = 0;           // line of the file, from 1
};

inline constexpr std::size_t kMinProfilePoints = 3;
inline constexpr std::size_t kMaxProfilePoints = 100000;

// Reads the two-column CSV "distance km, height m": an optional header line
// (the first line that is not blank or a # comment, when none of its fields is
// a number), # comments and blank lines are skipped; LF or CRLF line ends.
// The first point is at distance 0 and distances rise strictly. Throws
// ProfileError naming the row.
std::vector<ProfilePoint> readProfile(std::string_view text);

// A finite decimal number, optionally signed, with an optional exponent and
// blanks around it; none for anything else.
struct ParsedNumber {
    enum class Status { Ok, NotANumber, NotFinite } status = Status::NotANumber;
    double value = 0;
};
ParsedNumber parseNumber(std::string_view text);

}  // namespace tropolink::profile
