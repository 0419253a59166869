#pragma once

#include <string>
#include <vector>

#include "profile/profile_csv.h"

namespace tropolink::profile {

// Reads the profile CSV at `path` ("-": standard input) row by row: memory
// holds the points and one line, and reading stops at the first refused row.
// Throws ProfileError for a refused row, and std::system_error, whose what()
// is "cannot read FILE: reason", when the file or standard input cannot be read.
std::vector<ProfilePoint> readProfileFile(const std::string& path);

// The same for a file in either layout of itu_profile.h: the CSV, or the
// ITU's header lines, "Points,N" and rows of distance, height and zone.
std::vector<ProfilePoint> readAnyProfileFile(const std::string& path);

// How messages name a profile file: "standard input" for "-", else the path
// as inputs are quoted.
std::string profileFileName(const std::string& path);

// The one line of a refused profile: the file, the row, the field, the
// problem and what is allowed.
std::string profileMessage(const std::string& path, const ProfileError& e);

}  // namespace tropolink::profile
