#pragma once

#include <string>

namespace tropolink::cli::testing_support {

struct BatchOutput {
    int exitStatus;
    std::string text;
};

// runBatch on `input` with `jobs` workers, its output as written.
BatchOutput batchOn(const std::string& input, int jobs, bool withValues);

// Random positions of random sliders, with refused words, blank and comment
// lines, CRLF ends and the power option mixed in.
std::string randomSettings(int count, unsigned seed);

}  // namespace tropolink::cli::testing_support
