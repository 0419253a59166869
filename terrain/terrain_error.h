#pragma once

#include <stdexcept>
#include <string>

namespace tropolink::terrain {

// A refused site, DEM, path or map file. The message is one line that names
// the input and, where it helps, what is allowed.
class TerrainError : public std::runtime_error {
public:
    // A gap is ground the DEMs do not give (a void, or a point no DEM holds)
    // and no option fills: a map of many paths leaves such a path out, where
    // any other refusal stops it.
    enum class Kind { Refused, Gap };

    explicit TerrainError(const std::string& message, Kind kind = Kind::Refused)
        : std::runtime_error(message), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

}  // namespace tropolink::terrain
