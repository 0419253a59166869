#pragma once

#include <stdexcept>
#include <string>

namespace tropolink::terrain {

// A refused site, DEM, path or map file. The message is one line that names
// the input and, where it helps, what is allowed.
class TerrainError : public std::runtime_error {
public:
    explicit TerrainError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tropolink::terrain
