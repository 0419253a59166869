#pragma once

#include <stdexcept>
#include <string>

namespace tropolink::profile {

// A refused profile. `row` counts the lines of the file from 1 (0 when no
// line is to blame); `field` is the offending text, if any, as read;
// profileMessage (profile_file.h) quotes it and adds the file's name.
class ProfileError : public std::runtime_error {
public:
    ProfileError(long row, std::string field, const std::string& problem, std::string allowed)
        : std::runtime_error(problem), row_(row), field_(std::move(field)), allowed_(std::move(allowed)) {}

    long row() const { return row_; }
    const std::string& field() const { return field_; }
    std::string problem() const { return what(); }
    const std::string& allowed() const { return allowed_; }

private:
    long row_;
    std::string field_;
    std::string allowed_;
};

}  // namespace tropolink::profile
