#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <new>
#include <stdexcept>

#include "terrain/terrain_error.h"

namespace tropolink::terrain::testing_support {
namespace {

void limit(int resource, rlim_t value) {
    const rlimit both{value, value};
    if (setrlimit(resource, &both) != 0) _exit(125);
}

// Takes every descriptor left under a small limit.
void exhaustDescriptors() {
    limit(RLIMIT_NOFILE, 256);
    while (open("/dev/null", O_RDONLY) >= 0) {
    }
}

}  // namespace

ChildOutcome runInChild(const std::function<void()>& body, const ChildLimits& limits) {
    int channel[2];
    if (pipe(channel) != 0) throw std::runtime_error("cannot make a pipe");
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("cannot fork");
    if (pid == 0) {
        close(channel[0]);
        alarm(limits.seconds);
        if (limits.dataBytes != 0) limit(RLIMIT_DATA, limits.dataBytes);
        if (limits.openFiles == 1) exhaustDescriptors();
        if (limits.openFiles > 1) limit(RLIMIT_NOFILE, limits.openFiles);
        if (limits.fileBytes != 0) {
            signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
            limit(RLIMIT_FSIZE, limits.fileBytes);
        }
        ChildOutcome::End end = ChildOutcome::End::Returned;
        std::string message;
        try {
            body();
        } catch (const TerrainError& e) {
            end = ChildOutcome::End::Refused;
            message = e.what();
        } catch (const std::bad_alloc&) {
            end = ChildOutcome::End::OutOfMemory;
        } catch (const std::exception& e) {
            end = ChildOutcome::End::OtherError;
            message = e.what();
        }
        if (!message.empty() && write(channel[1], message.data(), message.size()) < 0) _exit(124);
        _exit(static_cast<int>(end));
    }
    close(channel[1]);
    ChildOutcome outcome;
    char buffer[4096];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) outcome.message.append(buffer, static_cast<std::size_t>(n));
    close(channel[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) <= static_cast<int>(ChildOutcome::End::OtherError))
        outcome.end = static_cast<ChildOutcome::End>(WEXITSTATUS(status));
    return outcome;
}

}  // namespace tropolink::terrain::testing_support
