#pragma once

#include <span>
#include <string>

// Numbers in the map's metadata: the shortest text that reads back to the
// same double, "." as the decimal point in every locale.
namespace tropolink::coverage {

std::string metadataNumber(double value);
std::string metadataNumbers(std::span<const double> values);  // "50 99.9"

}  // namespace tropolink::coverage
