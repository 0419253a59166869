// The check that refuses an output that is one of the run's inputs: for any
// spelling of the inputs and the output in a small tree of files, folders and
// links, InputFiles finds the output among the inputs exactly when the file
// system says it is one of them (or a file directly in an input folder), and
// a name holding a NUL byte is no file at all.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_checks.h"
#include "io/input_files.h"

namespace fs = std::filesystem;

namespace {

// plan.toml, d/N44W072.hgt, d/sub/, link -> plan.toml, hard = d/N44W072.hgt;
// removed when the fuzzer exits.
struct ScratchTree {
    fs::path root = fs::temp_directory_path() / ("output-identity-fuzz-" + std::to_string(getpid()));
    ScratchTree() {
        fs::create_directories(root / "d" / "sub");
        std::ofstream(root / "plan.toml") << "title = \"x\"\n";
        std::ofstream(root / "d" / "N44W072.hgt") << "tile";
        std::ofstream(root / "d" / "sub" / "deeper.hgt") << "tile";
        std::error_code ignored;
        fs::create_symlink(root / "plan.toml", root / "link", ignored);
        fs::create_hard_link(root / "d" / "N44W072.hgt", root / "hard", ignored);
    }
    ~ScratchTree() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

const fs::path& scratchTree() {
    static const ScratchTree tree;
    return tree.root;
}

bool sameFile(const std::string& a, const std::string& b) {
    if (a.find('\0') != std::string::npos || b.find('\0') != std::string::npos) return false;
    std::error_code error;
    return fs::equivalent(a, b, error) && !error;
}

// Whether the file system says `output` is `input`, or a file directly in it.
bool isInput(const std::string& output, const std::string& input) {
    if (sameFile(output, input)) return true;
    std::error_code error;
    if (input.find('\0') != std::string::npos || !fs::is_directory(input, error)) return false;
    for (fs::directory_iterator it(input, error), end; !error && it != end; it.increment(error))
        if (sameFile(output, it->path().string())) return true;
    return false;
}

}  // namespace

// Lines: the inputs, then the output, each relative to the tree.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;
    const std::string root = scratchTree().string() + "/";
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            lines.emplace_back();
        else
            lines.back() += static_cast<char>(data[i]);
    }
    if (lines.size() < 2 || lines.size() > 16) return 0;
    const std::string output = root + lines.back();
    lines.pop_back();
    tropolink::InputFiles inputs;
    bool expected = false;
    for (const std::string& line : lines) {
        inputs.add(root + line);
        expected = expected || isInput(output, root + line);
    }
    const auto found = inputs.inputAt(output);
    tropolink::fuzz::require(found.has_value() == expected, "an output is found among the inputs as the file system says");
    if (found) tropolink::fuzz::require(sameFile(output, *found), "the input named is the output's file");
    return 0;
}
