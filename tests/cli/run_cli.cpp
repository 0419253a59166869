#include "run_cli.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

namespace tropolink::cli::testing_support {

CliRun runCli(const std::vector<std::string>& args, std::string_view input, Stdout stdoutSetup) {
    const int in = temporaryFileWith(input);
    const int out = temporaryFileWith("");
    const int err = temporaryFileWith("");
    int brokenPipe[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in, 0);
    posix_spawn_file_actions_adddup2(&actions, err, 2);
    switch (stdoutSetup) {
        case Stdout::Captured:
            posix_spawn_file_actions_adddup2(&actions, out, 1);
            break;
        case Stdout::Closed:
            posix_spawn_file_actions_addclose(&actions, 1);
            break;
        case Stdout::DiskFull:
            posix_spawn_file_actions_addopen(&actions, 1, "/dev/full", O_WRONLY, 0);
            break;
        case Stdout::BrokenPipe:
            if (pipe(brokenPipe) != 0) throw std::runtime_error("no pipe");
            close(brokenPipe[0]);  // nobody reads: every write fails
            posix_spawn_file_actions_adddup2(&actions, brokenPipe[1], 1);
            break;
    }
    std::vector<char*> argv{const_cast<char*>(TROPOLINK_CLI_PATH)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, TROPOLINK_CLI_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (brokenPipe[1] >= 0) close(brokenPipe[1]);
    if (spawned != 0) throw std::runtime_error("cannot start tropolink-cli");
    int status = 0;
    waitpid(pid, &status, 0);
    CliRun run;
    if (WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    run.out = readAll(out);
    run.err = readAll(err);
    close(in);
    close(out);
    close(err);
    return run;
}

}  // namespace tropolink::cli::testing_support
