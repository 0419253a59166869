#include "coverage/staged_outputs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "grammar/input_error.h"

namespace tropolink::coverage {
namespace {

// Symbolic links followed, so that the rename replaces the file, not the
// link; "." and ".." taken out, so that two names of one file compare equal.
std::string resolved(const std::string& path) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

std::string temporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
}

}  // namespace

std::string cannotWrite(const std::string& path, const std::string& reason) {
    return "cannot write " + quoteInput(path) + ": " + reason;
}

StagedOutputs::StagedOutputs(const std::vector<std::string>& paths) {
    try {
        for (const std::string& path : paths) {
            if (path.empty()) throw OutputError(cannotWrite(path, "an empty file name"));
            struct stat old {};
            const bool exists = ::stat(path.c_str(), &old) == 0;
            // Renaming over a device or a folder would replace it.
            if (exists && !S_ISREG(old.st_mode)) throw OutputError(cannotWrite(path, "not a regular file"));
            File file{path, resolved(path), {}};
            for (const File& other : files_)
                if (other.target == file.target)
                    throw OutputError(cannotWrite(path, "also named as another output"));
            const std::string temporary = temporaryName(file.target);
            const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0) throw OutputError(cannotWrite(path, std::strerror(errno)));
            if (exists) ::fchmod(fd, old.st_mode & 07777);  // the new file keeps the old one's permissions
            ::close(fd);
            file.temporary = temporary;
            files_.push_back(file);
        }
    } catch (...) {
        removeTemporaries();
        throw;
    }
}

StagedOutputs::~StagedOutputs() { removeTemporaries(); }

void StagedOutputs::removeTemporaries() {
    for (File& file : files_) {
        if (!file.temporary.empty()) ::unlink(file.temporary.c_str());
        file.temporary.clear();
    }
}

void StagedOutputs::commit() {
    for (File& file : files_) {
        if (::rename(file.temporary.c_str(), file.target.c_str()) != 0) {
            const int error = errno;
            removeTemporaries();
            throw OutputError(cannotWrite(file.path, std::strerror(error)));
        }
        file.temporary.clear();
    }
}

}  // namespace tropolink::coverage
