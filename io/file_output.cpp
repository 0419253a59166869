#include "io/file_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <stdexcept>
#include <filesystem>

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

// `path` with symbolic links followed, so that the rename replaces the file,
// not the link; and spelt one way, so that "x", "./x" and "d/../x" compare equal.
std::string resolved(const std::string& path) {
    std::error_code error;
    std::filesystem::path file = std::filesystem::absolute(path, error);
    if (!error) file = std::filesystem::weakly_canonical(file, error);
    return error ? path : file.lexically_normal().string();
}

std::string temporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
}

}  // namespace

std::string WriteFailure::message() const {
    return "cannot " + std::string(action) + " " + quoteInput(path) + ": " + why();
}

WriteError::WriteError(WriteFailure failure) : std::runtime_error(failure.message()), failure_(std::move(failure)) {}

StagedFiles::~StagedFiles() {
    for (const Staged& s : staged_)
        if (!s.temporary.empty()) ::unlink(s.temporary.c_str());
}

std::optional<WriteFailure> StagedFiles::refuseName(const std::string& path, const std::string& target) const {
    if (path.empty()) return WriteFailure{path, "write", {}, "an empty file name"};
    for (const Staged& s : staged_)
        if (s.target == target) return WriteFailure{path, "write", {}, "also named as another output"};
    return std::nullopt;
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
    Descriptor fd;
    if (auto failed = stage(path, exists ? std::optional<unsigned>(old.st_mode & 07777) : std::nullopt, fd)) return failed;
    int error = writeAll(fd.get(), text, true);
    if (const int closeError = fd.reset(); error == 0) error = closeError;
    if (error != 0) return failure("write", path, error);
    return std::nullopt;
}

std::optional<WriteFailure> StagedFiles::reserve(const std::string& path) {
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return WriteFailure{path, "write", {}, "not a regular file"};
    Descriptor fd;
    if (auto failed = stage(path, exists ? std::optional<unsigned>(old.st_mode & 07777) : std::nullopt, fd)) return failed;
    staged_.back().reserved = true;
    if (const int error = fd.reset(); error != 0) return failure("write", path, error);
    return std::nullopt;
}

std::optional<WriteFailure> StagedFiles::stage(const std::string& path, std::optional<unsigned> oldMode, Descriptor& fd) {
    Staged staged{path, resolved(path), {}};
    if (auto refused = refuseName(path, staged.target)) return refused;
    const std::string temporary = temporaryName(staged.target);
    fd = Descriptor(aboveStandardStreams(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)));
    if (fd.get() < 0) return failure("open", path, errno);
    staged.temporary = temporary;
    staged_.push_back(staged);
    if (oldMode) ::fchmod(fd.get(), static_cast<mode_t>(*oldMode));  // keeps the old file's permissions
    return std::nullopt;
}

const std::string& StagedFiles::temporaryFor(const std::string& path) const {
    for (const Staged& s : staged_)
        if (s.reserved && s.path == path) return s.temporary;
    throw std::invalid_argument("StagedFiles: no file reserved for " + path);
}

std::optional<WriteFailure> StagedFiles::commit() {
    for (Staged& s : staged_) {
        // Another writer closed it, but did not necessarily flush it to the disk.
        if (s.reserved) {
            const Descriptor fd(aboveStandardStreams(::open(s.temporary.c_str(), O_RDONLY | O_CLOEXEC)));
            if (fd.get() < 0 || (::fsync(fd.get()) != 0 && errno != EINVAL && errno != EROFS))
                return failure("write", s.path, errno);
        }
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
