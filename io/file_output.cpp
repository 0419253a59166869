#include "io/file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "grammar/input_error.h"
#include "io/descriptor.h"
#include "io/output.h"

namespace tropolink {
namespace {

WriteFailure failure(std::string_view action, const std::string& path, int errorNumber) {
    return {path, action, std::error_code(errorNumber, std::generic_category())};
}

// Writes all of `text` and flushes it to the disk, where the disk allows; an errno on failure.
int writeAll(int fd, const std::string& text, bool sync) {
    Output file(fd);
    file.buffer() += text;
    if (!file.flush()) return file.errorNumber();
    // A full disk may only show when the data goes out.
    if (sync && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) return errno;
    return 0;
}

// `path` with symbolic links followed when it names an existing file, so
// that the rename replaces the file, not the link.
std::string resolved(const std::string& path) {
    char buffer[PATH_MAX];
    return ::realpath(path.c_str(), buffer) ? std::string(buffer) : path;
}

std::string temporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
}

}  // namespace

std::string WriteFailure::message() const {
    return "cannot " + std::string(action) + " " + quoteInput(path) + ": " + error.message();
}

StagedFiles::~StagedFiles() {
    for (const Staged& s : staged_)
        if (!s.temporary.empty()) ::unlink(s.temporary.c_str());
}

std::optional<WriteFailure> StagedFiles::write(const std::string& path, const std::string& text) {
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        const Descriptor fd(aboveStandardStreams(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC)));
        if (fd.get() < 0) return failure("open", path, errno);
        if (const int error = writeAll(fd.get(), text, false); error != 0) return failure("write", path, error);
        return std::nullopt;
    }
    Staged staged{path, exists ? resolved(path) : path, {}};
    const std::string temporary = temporaryName(staged.target);
    Descriptor fd(aboveStandardStreams(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)));
    if (fd.get() < 0) return failure("open", path, errno);
    staged.temporary = temporary;
    staged_.push_back(staged);
    if (exists) ::fchmod(fd.get(), old.st_mode & 07777);  // keeps the old file's permissions
    int error = writeAll(fd.get(), text, true);
    if (const int closeError = fd.reset(); error == 0) error = closeError;
    if (error != 0) return failure("write", path, error);
    return std::nullopt;
}

std::optional<WriteFailure> StagedFiles::commit() {
    for (Staged& s : staged_) {
        if (::rename(s.temporary.c_str(), s.target.c_str()) != 0) return failure("write", s.path, errno);
        s.temporary.clear();
    }
    return std::nullopt;
}

std::optional<WriteFailure> writeFile(const std::string& path, const std::string& text) {
    StagedFiles files;
    if (auto failed = files.write(path, text)) return failed;
    return files.commit();
}

}  // namespace tropolink
