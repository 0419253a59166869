#pragma once

#include <string>

#include "profile/profile_error.h"

namespace tropolink {

// The one line of a refused profile: the file ("-": standard input), the row,
// the field, the problem and what is allowed.
std::string profileMessage(const std::string& path, const profile::ProfileError& e);

}  // namespace tropolink
