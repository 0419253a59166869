#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "p2001/path_input.h"

// The ITU's validation examples, read from the folder they are kept in (never
// copied here): a profile file and a results table per path.
namespace tropolink::p2001::testing_support {

struct ValidationTable {
    std::filesystem::path file;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;  // fields as text

    // The column's index; throws when the table has no such column.
    std::size_t column(const std::string& name) const;
    double number(std::size_t row, const std::string& name) const;
};

struct ValidationCase {
    std::string name;  // "b2iseac", "prof4"
    PathInput path;    // profile and coordinates; heights and gains from the first row
    ValidationTable table;
};

// The rain maps at a path's three rain points: the examples hold no column
// for them, so the formula sheet kept beside the examples (one folder up)
// tabulates them. Throws std::runtime_error when the sheet lacks a row.
struct RainPoints {
    RainMapValues mid, txSegment, rxSegment;
};
RainPoints readRainPoints(const std::string& name);

// The folder given to the build, or empty when it does not exist.
std::optional<std::filesystem::path> validationFolder();

// Throws std::runtime_error naming the file and line on a malformed file.
ValidationCase readValidationCase(const std::filesystem::path& folder, const std::string& name);

}  // namespace tropolink::p2001::testing_support
