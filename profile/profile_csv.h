#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "profile/profile_error.h"

namespace tropolink::profile {

struct ProfilePoint {
    double distanceKm = 0;  // from station 1
    double heightM = 0;     // ground, above sea level
    long row = 0;           // line of the file, from 1
    int zone = 0;           // from a zone column: 1 sea, 3 coastal land, 4 inland; 0 without one
};

// The zone codes a zone column holds, as the complete P.2001 reads them.
inline constexpr int kSeaZone = 1;
inline constexpr int kCoastalLandZone = 3;
inline constexpr int kInlandZone = 4;
inline constexpr std::string_view kZoneCodes = "zone 1 (sea), 3 (coastal land) or 4 (inland)";

// Whether the points came with a zone column.
inline bool hasZones(std::span<const ProfilePoint> points) { return !points.empty() && points.front().zone != 0; }

inline constexpr std::size_t kMinProfilePoints = 3;
inline constexpr std::size_t kMaxProfilePoints = 100000;
// Far more than two numbers need: a longer line is refused as soon as it is.
inline constexpr std::size_t kMaxProfileLineBytes = 4096;

// Reads the CSV "distance km, height m" with an optional third column, the
// zone code (every row then has it): an optional UTF-8 byte order mark, an
// optional header line (the first line that is not blank or a # comment,
// when none of its fields is a number), # comments and blank lines are
// skipped; LF or CRLF line ends. The first point is at distance 0 and
// distances rise strictly. Throws ProfileError naming the row.
std::vector<ProfilePoint> readProfile(std::string_view text);

// The same reading, a line at a time, so that a stream stops at its first bad
// row, whatever follows it.
class ProfileRows {
public:
    // The next line, without its '\n'. Throws ProfileError.
    void add(std::string_view line);
    // The points, once every line is in. Throws ProfileError when there are too few.
    std::vector<ProfilePoint> finish();
    long rowCount() const { return row_; }

private:
    std::vector<ProfilePoint> points_;
    bool headerPossible_ = true;
    long row_ = 0;
};

// Feeds each line of `text` (without its '\n') to a reader of rows that has
// add() and finish(), as ProfileRows does, and returns what finish() gives.
template <typename Rows>
auto readLines(std::string_view text, Rows rows) {
    for (std::size_t start = 0; start < text.size();) {
        const auto newline = text.find('\n', start);
        rows.add(text.substr(start, newline - start));
        start = newline == std::string_view::npos ? text.size() : newline + 1;
    }
    return rows.finish();
}

// The parts of a row both profile layouts share.
// A line without blanks, CR or one pair of quotes around each field.
std::vector<std::string_view> splitProfileFields(std::string_view line);
// Checks one data row (distance, height and, when `zoned`, the zone) against
// the points before it and appends it. Throws ProfileError.
void addProfilePoint(std::vector<ProfilePoint>& points, std::span<const std::string_view> fields, bool zoned, long row);

// A finite decimal number, optionally signed, with an optional exponent and
// blanks around it; none for anything else.
struct ParsedNumber {
    enum class Status { Ok, NotANumber, NotFinite } status = Status::NotANumber;
    double value = 0;
};
ParsedNumber parseNumber(std::string_view text);

}  // namespace tropolink::profile
