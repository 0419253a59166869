#include "hostile_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <stdexcept>
#include <thread>

namespace tropolink::cli::testing_support {

CliProcess::CliProcess(const std::vector<std::string>& args, const HostileSetup& setup) {
    in_ = setup.stdinFd >= 0 ? dup(setup.stdinFd) : temporaryFileWith(setup.input);
    out_ = temporaryFileWith("");
    err_ = temporaryFileWith("");
    std::vector<char*> argv{const_cast<char*>(TROPOLINK_CLI_PATH)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("cannot fork");
    if (pid_ == 0) {  // only async-signal-safe calls from here to exec
        const auto limit = [](int resource, rlim_t bytes) {
            const rlimit value{bytes, bytes};
            if (bytes != 0 && setrlimit(resource, &value) != 0) _exit(125);
        };
        limit(RLIMIT_AS, setup.addressSpaceBytes);
        limit(RLIMIT_FSIZE, setup.fileSizeBytes);
        // The defaults, whatever this test program does with them.
        signal(SIGPIPE, SIG_DFL);
        signal(SIGXFSZ, SIG_DFL);
        if (!setup.workingDirectory.empty() && chdir(setup.workingDirectory.c_str()) != 0) _exit(125);
        if (dup2(out_, 1) < 0 || dup2(err_, 2) < 0) _exit(125);
        if (setup.closeStdin)
            close(0);
        else if (dup2(in_, 0) < 0)
            _exit(125);
        for (const int fd : {in_, out_, err_}) close(fd);
        execv(TROPOLINK_CLI_PATH, argv.data());
        _exit(126);
    }
    close(in_);  // the child's alone: a pipe behind it then breaks when the child is done
    in_ = -1;
}

CliProcess::~CliProcess() {
    if (pid_ > 0) wait(0);
    for (const int fd : {in_, out_, err_})
        if (fd >= 0) close(fd);
}

CliRun CliProcess::wait(int seconds) {
    CliRun run;
    if (pid_ <= 0) return run;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            timedOut_ = true;
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    pid_ = -1;
    if (!timedOut_ && WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
    if (!timedOut_ && WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    run.out = readAll(out_);
    run.err = readAll(err_);
    return run;
}

CliRun runHostile(const std::vector<std::string>& args, const HostileSetup& setup) {
    CliProcess process(args, setup);
    return process.wait();
}

}  // namespace tropolink::cli::testing_support
