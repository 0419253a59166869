#include "profile/itu_profile.h"

#include <cmath>
#include <utility>

namespace tropolink::profile {
namespace {

constexpr std::string_view kPointsLine = "\"Points,N\" with N a whole number of points, 3 to 100000";
constexpr std::string_view kItuRow = "three fields: distance km, height m asl, zone (1 sea, 3 coastal land, 4 inland)";

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// The ITU's files come from spreadsheets, whose rows may end in empty cells.
std::vector<std::string_view> fieldsWithoutTrailingEmpty(std::string_view line) {
    auto fields = splitProfileFields(line);
    while (fields.size() > 1 && fields.back().empty()) fields.pop_back();
    return fields;
}

std::size_t pointCount(std::span<const std::string_view> fields, long row) {
    const std::string_view text = fields.size() == 2 ? fields[1] : std::string_view();
    const ParsedNumber n = parseNumber(text);
    if (fields.size() != 2 || n.status != ParsedNumber::Status::Ok || n.value != std::floor(n.value) ||
        n.value < static_cast<double>(kMinProfilePoints) || n.value > static_cast<double>(kMaxProfilePoints))
        throw ProfileError(row, std::string(fields.size() == 2 ? text : std::string_view()),
                           "not a count of points", std::string(kPointsLine));
    return static_cast<std::size_t>(n.value);
}

}  // namespace

void AnyProfileRows::add(std::string_view line) {
    ++row_;
    if (state_ == State::Csv) return csv_.add(line);
    if (state_ == State::Itu) return addItu(line);
    // Undecided: the first line whose first field is a number is the CSV's
    // first point; "Points" before it makes the ITU layout.
    if (line.size() > kMaxProfileLineBytes) {
        csv_.add(line);  // refused as any long line
        return;
    }
    const auto fields = fieldsWithoutTrailingEmpty(trimmed(line));
    if (fields.front() == "Points") {
        expected_ = pointCount(fields, row_);
        pointsRow_ = row_;
        state_ = State::Itu;
        pending_.clear();
        return;
    }
    const bool dataRow = parseNumber(fields.front()).status != ParsedNumber::Status::NotANumber;
    if (!dataRow && static_cast<long>(pending_.size()) < kMaxItuHeaderLines) {
        pending_.emplace_back(line);
        return;
    }
    // The CSV layout: the lines so far are its, refused there as they would be.
    state_ = State::Csv;
    for (const std::string& earlier : pending_) csv_.add(earlier);
    pending_.clear();
    csv_.add(line);
}

void AnyProfileRows::addItu(std::string_view rawLine) {
    if (rawLine.size() > kMaxProfileLineBytes)
        throw ProfileError(row_, "", "longer than " + std::to_string(kMaxProfileLineBytes) + " bytes",
                           "rows of at most " + std::to_string(kMaxProfileLineBytes) + " bytes");
    const std::string_view line = trimmed(rawLine);
    if (line.empty()) return;
    if (points_.size() == expected_)
        throw ProfileError(row_, std::string(line), "a row beyond the " + std::to_string(expected_) + " points",
                           "the number of rows that \"Points\" on row " + std::to_string(pointsRow_) + " gives");
    const auto fields = fieldsWithoutTrailingEmpty(line);
    if (fields.size() != 3)
        throw ProfileError(row_, std::string(line),
                           std::to_string(fields.size()) + (fields.size() == 1 ? " field" : " fields"),
                           std::string(kItuRow));
    addProfilePoint(points_, fields, true, row_);
}

std::vector<ProfilePoint> AnyProfileRows::finish() {
    switch (state_) {
        case State::Csv:
            return csv_.finish();
        case State::Undecided:
            for (const std::string& earlier : pending_) csv_.add(earlier);
            return csv_.finish();
        case State::Itu:
            break;
    }
    if (points_.size() != expected_)
        throw ProfileError(row_, "", "only " + std::to_string(points_.size()) + " of the " +
                                         std::to_string(expected_) + " points",
                           "the number of rows that \"Points\" on row " + std::to_string(pointsRow_) + " gives");
    return std::move(points_);
}

std::vector<ProfilePoint> readAnyProfile(std::string_view text) {
    return readLines(text, AnyProfileRows{});
}

}  // namespace tropolink::profile
