#include "profile/profile_csv.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>
#include <utility>

namespace tropolink::profile {
namespace {

constexpr std::string_view kNumberForm = "decimal numbers such as 12.5, -3 or 1e2";
constexpr std::string_view kTwoFields =
    "two fields: distance from station 1 in km, ground height in m asl; or three, with the zone (1 sea, 3 coastal "
    "land, 4 inland), on every row";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// A field as written, without blanks around it or one pair of double quotes.
std::string_view unquote(std::string_view field) {
    field = trim(field);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = trim(field.substr(1, field.size() - 2));
    return field;
}


std::string allowedPoints() {
    return std::to_string(kMinProfilePoints) + " to " + std::to_string(kMaxProfilePoints) + " points";
}

double readField(std::string_view field, long row, std::string_view what) {
    const ParsedNumber n = parseNumber(field);
    switch (n.status) {
        case ParsedNumber::Status::NotANumber:
            throw ProfileError(row, std::string(field), std::string(what) + " is not a number",
                               std::string(kNumberForm));
        case ParsedNumber::Status::NotFinite:
            throw ProfileError(row, std::string(field), std::string(what) + " is not a finite number",
                               std::string(kNumberForm));
        case ParsedNumber::Status::Ok:
            break;
    }
    return n.value;
}

int readZone(std::string_view field, long row) {
    const double zone = readField(field, row, "zone");
    if (zone != kSeaZone && zone != kCoastalLandZone && zone != kInlandZone)
        throw ProfileError(row, std::string(field), "zone is not 1, 3 or 4", std::string(kZoneCodes));
    return static_cast<int>(zone);
}

}  // namespace

std::vector<std::string_view> splitProfileFields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        const auto comma = line.find(',');
        fields.push_back(unquote(line.substr(0, comma)));
        if (comma == std::string_view::npos) return fields;
        line.remove_prefix(comma + 1);
    }
}

void addProfilePoint(std::vector<ProfilePoint>& points, std::span<const std::string_view> fields, bool zoned,
                     long row) {
    if (points.size() == kMaxProfilePoints)
        throw ProfileError(row, "", "more than " + std::to_string(kMaxProfilePoints) + " points", allowedPoints());
    ProfilePoint p{readField(fields[0], row, "distance"), readField(fields[1], row, "height"), row};
    if (zoned) p.zone = readZone(fields[2], row);
    if (points.empty() && p.distanceKm != 0)
        throw ProfileError(row, std::string(fields[0]), "the first point is not at distance 0",
                           "station 1's ground at 0 km first");
    if (!points.empty() && !(p.distanceKm > points.back().distanceKm))
        throw ProfileError(row, std::string(fields[0]), "distance does not rise",
                           "distances that rise strictly, beyond row " + std::to_string(points.back().row));
    points.push_back(p);
}

ParsedNumber parseNumber(std::string_view text) {
    text = trim(text);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end != text.data() + text.size() || text.empty()) return {};
    if (error == std::errc::result_out_of_range) return {ParsedNumber::Status::NotFinite, 0};
    if (error != std::errc{}) return {};
    if (!std::isfinite(value)) return {ParsedNumber::Status::NotFinite, 0};
    return {ParsedNumber::Status::Ok, value};
}

void ProfileRows::add(std::string_view rawLine) {
    ++row_;
    if (rawLine.size() > kMaxProfileLineBytes)
        throw ProfileError(row_, "", "longer than " + std::to_string(kMaxProfileLineBytes) + " bytes",
                           "rows of at most " + std::to_string(kMaxProfileLineBytes) + " bytes");
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (row_ == 1 && rawLine.starts_with(kByteOrderMark)) rawLine.remove_prefix(kByteOrderMark.size());
    const std::string_view line = trim(rawLine);
    if (line.empty() || line.front() == '#') return;
    const auto fields = splitProfileFields(line);
    if (headerPossible_) {
        headerPossible_ = false;
        bool anyNumber = false;
        for (const auto field : fields)
            anyNumber = anyNumber || parseNumber(field).status != ParsedNumber::Status::NotANumber;
        if (!anyNumber) return;
    }
    // The first point's row sets the columns: two, or three with the zone.
    const std::size_t columns = points_.empty() ? fields.size() : (hasZones(points_) ? 3 : 2);
    if (fields.size() != columns || columns < 2 || columns > 3)
        throw ProfileError(row_, std::string(line),
                           std::to_string(fields.size()) + (fields.size() == 1 ? " field" : " fields"),
                           std::string(kTwoFields));
    addProfilePoint(points_, fields, columns == 3, row_);
}

std::vector<ProfilePoint> ProfileRows::finish() {
    if (points_.size() < kMinProfilePoints)
        throw ProfileError(points_.empty() ? 0 : points_.back().row, "",
                           "only " + std::to_string(points_.size()) + (points_.size() == 1 ? " point" : " points"),
                           allowedPoints());
    return std::move(points_);
}

std::vector<ProfilePoint> readProfile(std::string_view text) {
    return readLines(text, ProfileRows{});
}

}  // namespace tropolink::profile
