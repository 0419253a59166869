#pragma once

#include <string>
#include <string_view>
#include <vector>

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

// A file descriptor of an unnamed temporary file holding `content`, read from the start.
int temporaryFileWith(std::string_view content);
std::string readAll(int fd);

}  // namespace tropolink::cli::testing_support
