#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tests/support/temporary_file.h"

namespace tropolink::cli::testing_support {

// How the executable's standard output is set up for a run.
enum class Stdout { Captured, Closed, BrokenPipe, DiskFull };

struct CliRun {
    int exitStatus = -1;  // -1 when ended by a signal
    int signal = 0;
    std::string out;
    std::string err;
};

// Runs tropolink-cli with `args`, `input` on its standard input.
CliRun runCli(const std::vector<std::string>& args, std::string_view input = {}, Stdout stdoutSetup = Stdout::Captured);

using tropolink::testing_support::readAll;
using tropolink::testing_support::temporaryFileWith;

}  // namespace tropolink::cli::testing_support
