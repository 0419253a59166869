#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/profile_csv.h"

// The ITU's own profile layout, as its P.2001 validation examples give it:
// header lines ("TxCoordE,-6.33", ...), a line "Points,N", then N rows of
// distance km, height m asl and zone code.
namespace tropolink::profile {

// Header lines before "Points,N" at most: the ITU's have eight.
inline constexpr long kMaxItuHeaderLines = 64;

// Reads either layout a line at a time: the ITU's when a "Points,N" line
// comes before any row of numbers, else the CSV of ProfileRows (with or
// without its zone column).
class AnyProfileRows {
public:
    // The next line, without its '\n'. Throws ProfileError.
    void add(std::string_view line);
    // The points, once every line is in. Throws ProfileError for too few, or
    // fewer rows than "Points,N" promised.
    std::vector<ProfilePoint> finish();
    bool ituLayout() const { return state_ == State::Itu; }

private:
    enum class State { Undecided, Csv, Itu };
    void addItu(std::string_view line);

    State state_ = State::Undecided;
    std::vector<std::string> pending_;  // lines before the layout is known
    ProfileRows csv_;
    std::vector<ProfilePoint> points_;  // of the ITU layout
    std::size_t expected_ = 0;          // its N
    long row_ = 0;
    long pointsRow_ = 0;  // where "Points,N" stands
};

// Reads a whole text in either layout. Throws ProfileError naming the row.
std::vector<ProfilePoint> readAnyProfile(std::string_view text);

}  // namespace tropolink::profile
