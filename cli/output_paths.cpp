#include "cli/output_paths.h"

#include <filesystem>

#include "grammar/input_error.h"
#include "io/file_output.h"
#include "io/input_file.h"

namespace tropolink::cli {
namespace {

// The same file whatever the spelling: "x", "./x" and "dir/../x" alike.
std::string sameFileKey(const std::string& path) {
    if (path == kStandardOutputPath) return path;
    std::error_code error;
    std::filesystem::path file = std::filesystem::absolute(path, error);
    if (!error) file = std::filesystem::weakly_canonical(file, error);
    return (error ? std::filesystem::path(path) : file).lexically_normal().string();
}

}  // namespace

void checkOutputPaths(const std::vector<OutputPath>& paths) {
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!paths[i].path) continue;
        const std::string& path = *paths[i].path;
        const std::string input = std::string(paths[i].option) + "=" + path;
        if (path.empty())
            throw InputError(std::string(paths[i].option) + "=\"\"", "empty file name",
                             "a file name, or - for standard output");
        for (std::size_t j = 0; j < i; ++j)
            if (paths[j].path && sameFileKey(*paths[j].path) == sameFileKey(path))
                throw InputError(input, "the same file as " + std::string(paths[j].option),
                                 "a file of its own for each option");
    }
}

void checkOutputPlaces(const std::vector<OutputPath>& paths) {
    for (const OutputPath& output : paths) {
        if (!output.path || *output.path == kStandardOutputPath) continue;
        const std::filesystem::path file(*output.path);
        std::error_code error;
        const std::string input = std::string(output.option) + "=" + *output.path;
        if (std::filesystem::is_directory(file, error))
            throw InputError(input, "a folder", "a file in an existing folder");
        const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
        if (!std::filesystem::is_directory(folder, error))
            throw InputError(input, "no such folder", "a file in an existing folder");
    }
}

void checkOutputsAreNotInputs(const std::vector<OutputPath>& paths, const InputFiles& inputs) {
    for (const OutputPath& output : paths) {
        if (!output.path || *output.path == kStandardOutputPath) continue;
        if (const auto input = inputs.inputAt(*output.path))
            throw InputError(std::string(output.option) + "=" + *output.path,
                             "the same file as the input " + printablePath(*input),
                             "a file that is none of the inputs: the plan, the DEMs, the profile and the maps");
    }
}

void refuseRepeatedFlag(int count, std::string_view flag) {
    if (count > 1) throw InputError(flag, "given twice", std::string(flag) + " at most once");
}

RunResult writeOutputs(const std::vector<OutputPath>& paths, const std::vector<std::string>& texts, Output& out) {
    StagedFiles files;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!paths[i].path) continue;
        if (*paths[i].path == kStandardOutputPath)
            out.buffer() += texts[i];
        else if (const auto failed = files.write(*paths[i].path, texts[i]))
            return failedWrite(*failed);
    }
    if (const auto failed = files.commit()) return failedWrite(*failed);
    if (!out.flush()) return {kExitIoError, ioFailure("write to standard output", out.errorNumber())};
    return {};
}

}  // namespace tropolink::cli
