#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/run_result.h"
#include "io/input_files.h"
#include "io/output.h"

namespace tropolink::cli {

// "-" names standard output wherever an output file is named.
inline constexpr std::string_view kStandardOutputPath = "-";

// An output file named on the command line, by the option that named it.
struct OutputPath {
    std::string_view option;  // "--csv"
    const std::optional<std::string>& path;
};

// Refuses (InputError) an empty file name and a file named by two options,
// standard output included.
void checkOutputPaths(const std::vector<OutputPath>& paths);

// Refuses (InputError) a file whose place cannot take it, before any work:
// a folder, or a file in a folder that does not exist.
void checkOutputPlaces(const std::vector<OutputPath>& paths);

// Refuses (InputError) an output file that is one of `inputs`, found by
// identity before anything is written: a report must never replace its plan.
void checkOutputsAreNotInputs(const std::vector<OutputPath>& paths, const InputFiles& inputs);

// Refuses (InputError) a flag given more than once.
void refuseRepeatedFlag(int count, std::string_view flag);

// Writes the named files whole, then what went to standard output; `texts`
// in the order of `paths`, an absent path skipped. A failed file leaves the
// old ones as they were.
RunResult writeOutputs(const std::vector<OutputPath>& paths, const std::vector<std::string>& texts, Output& out);

}  // namespace tropolink::cli
