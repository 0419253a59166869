#include "profile/profile_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <string_view>
#include <system_error>

#include "grammar/input_error.h"
#include "io/descriptor.h"
#include "io/input_file.h"
#include "profile/itu_profile.h"

namespace tropolink::profile {
namespace {

// Feeds the lines of `fd` to `rows`; the line being read is cut one byte past
// the longest allowed, which `rows` then refuses. An errno on a failed read.
template <typename Rows>
int readRows(int fd, Rows& rows) {
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
        line.append(rest.substr(0, kMaxProfileLineBytes + 1 - line.size()));
        if (line.size() > kMaxProfileLineBytes) rows.add(line);
    }
    if (!line.empty()) rows.add(line);
    return 0;
}

[[noreturn]] void cannotRead(const std::string& path, int errorNumber) {
    throw std::system_error(errorNumber, std::generic_category(), "cannot read " + profileFileName(path));
}

template <typename Rows>
std::vector<ProfilePoint> readFileRows(const std::string& path) {
    const bool standardInput = path == "-";
    // A FIFO or a device would block or never end: only standard input may be
    // one. A missing file or a folder fails to open or read as any file does.
    const FileKind kind = standardInput ? FileKind::Regular : fileKind(path);
    if (kind != FileKind::Regular && kind != FileKind::Missing && kind != FileKind::Folder)
        if (const auto why = whyNotRegularFile(path))
            throw ProfileError(0, "", *why, "a regular CSV file, or - for standard input");
    const int fd = standardInput ? STDIN_FILENO : aboveStandardStreams(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    const int openError = errno;
    const Descriptor file(standardInput ? -1 : fd);
    if (fd < 0) cannotRead(path, openError);
    Rows rows;
    if (const int error = readRows(fd, rows); error != 0) cannotRead(path, error);
    return rows.finish();
}

}  // namespace

std::vector<ProfilePoint> readProfileFile(const std::string& path) { return readFileRows<ProfileRows>(path); }

std::vector<ProfilePoint> readAnyProfileFile(const std::string& path) { return readFileRows<AnyProfileRows>(path); }

std::string profileFileName(const std::string& path) { return path == "-" ? "standard input" : quoteInput(path); }

std::string profileMessage(const std::string& path, const ProfileError& e) {
    std::string message = profileFileName(path);
    if (e.row() > 0) message += ": row " + std::to_string(e.row());
    if (!e.field().empty()) message += ": " + quoteInput(e.field());
    message += ": " + e.problem() + " (allowed: " + e.allowed() + ")";
    return message;
}

}  // namespace tropolink::profile
