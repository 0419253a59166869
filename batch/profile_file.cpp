#include "batch/profile_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <string_view>

#include "batch/descriptor.h"
#include "link/input_error.h"

namespace tropolink {
namespace {

// Feeds the lines of `fd` to `rows`; the line being read is cut one byte past
// the longest allowed, which `rows` then refuses. An errno on a failed read.
int readRows(int fd, profile::ProfileRows& rows) {
    std::array<char, 65536> chunk{};
    std::string line;
    for (;;) {
        const ssize_t n = ::read(fd, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) break;
        std::string_view rest(chunk.data(), static_cast<std::size_t>(n));
        for (auto newline = rest.find('\n'); newline != std::string_view::npos; newline = rest.find('\n')) {
            line.append(rest.substr(0, newline));
            rows.add(line);
            line.clear();
            rest.remove_prefix(newline + 1);
        }
        // The line so far is never longer than allowed: a longer one was refused.
        line.append(rest.substr(0, profile::kMaxProfileLineBytes + 1 - line.size()));
        if (line.size() > profile::kMaxProfileLineBytes) rows.add(line);
    }
    if (!line.empty()) rows.add(line);
    return 0;
}

std::string shownProfileName(const std::string& path) { return path == "-" ? "standard input" : quoteInput(path); }

}  // namespace

RunResult readProfileFile(const std::string& path, std::vector<profile::ProfilePoint>& points) {
    const bool standardInput = path == "-";
    const int fd = standardInput ? STDIN_FILENO : aboveStandardStreams(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    const int openError = errno;
    const Descriptor file(standardInput ? -1 : fd);
    // A file that is missing or unreadable is bad input like a bad row; a
    // failing standard input is the tool's trouble, as for --batch.
    const int failedStatus = standardInput ? kExitIoError : kExitBadInput;
    if (fd < 0) return {failedStatus, ioFailure("read " + shownProfileName(path), openError)};
    profile::ProfileRows rows;
    try {
        if (const int error = readRows(fd, rows); error != 0)
            return {failedStatus, ioFailure("read " + shownProfileName(path), error)};
        points = rows.finish();
    } catch (const profile::ProfileError& e) {
        return {kExitBadInput, diagnostic(profileMessage(path, e))};
    }
    return {};
}

}  // namespace tropolink
