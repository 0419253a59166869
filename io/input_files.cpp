#include "io/input_files.h"

#include <sys/stat.h>

#include <filesystem>

namespace tropolink {
namespace {

std::optional<std::pair<std::uint64_t, std::uint64_t>> identity(const std::string& path) {
    struct stat status {};
    // A NUL would cut the name short at it: such a name is no file, never the file before it.
    if (path.empty() || path.find('\0') != std::string::npos || stat(path.c_str(), &status) != 0) return std::nullopt;
    return std::pair{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

}  // namespace

void InputFiles::add(std::string_view path) {
    const std::string name(path);
    const auto id = identity(name);
    if (!id) return;
    files_.emplace(*id, name);
    std::error_code error;
    if (!std::filesystem::is_directory(name, error)) return;
    for (std::filesystem::directory_iterator it(name, error), end; !error && it != end; it.increment(error)) {
        const std::string file = it->path().string();
        if (const auto fileId = identity(file)) files_.emplace(*fileId, file);
    }
}

std::optional<std::string> InputFiles::inputAt(std::string_view output) const {
    const auto id = identity(std::string(output));
    if (!id) return std::nullopt;
    const auto found = files_.find(*id);
    if (found == files_.end()) return std::nullopt;
    return found->second;
}

}  // namespace tropolink
