#pragma once

#include <sys/resource.h>

#include <string>
#include <vector>

#include "run_cli.h"

namespace tropolink::cli::testing_support {

// How tropolink-cli is started when its surroundings work against it.
struct HostileSetup {
    bool closeStdin = false;
    int stdinFd = -1;              // used as standard input when set
    std::string input;             // standard input otherwise
    std::string workingDirectory;  // the current one when empty
    rlim_t addressSpaceBytes = 0;  // RLIMIT_AS, when set
    rlim_t fileSizeBytes = 0;      // RLIMIT_FSIZE, when set
};

// A running tropolink-cli; wait() collects its exit and output.
class CliProcess {
public:
    CliProcess(const std::vector<std::string>& args, const HostileSetup& setup);
    ~CliProcess();
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    // Kills a run that is still going after `seconds`: its exit status then stays -1.
    CliRun wait(int seconds = 60);
    bool timedOut() const { return timedOut_; }

private:
    int pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    int err_ = -1;
    bool timedOut_ = false;
};

CliRun runHostile(const std::vector<std::string>& args, const HostileSetup& setup);

// Whether the tools run under AddressSanitizer, whose shadow memory an
// address-space limit would not leave room for.
constexpr bool kSanitized =
#if defined(__SANITIZE_ADDRESS__)
    true;
#else
    false;
#endif

}  // namespace tropolink::cli::testing_support
