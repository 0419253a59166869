#include "climate/map_install.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>
#include <vector>

#include "climate/map_error.h"

namespace tropolink::climate {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& file, std::string_view bytes) {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) throw std::system_error(errno, std::generic_category());
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() && std::fflush(out) == 0 &&
                         ::fsync(fileno(out)) == 0;
    const int error = errno;
    if (std::fclose(out) != 0 || !written) throw std::system_error(written ? errno : error, std::generic_category());
}

fs::path temporaryName(const fs::path& folder, MapKind kind) {
    static std::atomic<unsigned> counter{0};
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "." + string at -O3.
    std::string name(".");
    name += mapFormat(kind).fileName;
    name += ".part-";
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(counter++);
    return folder / name;
}

[[noreturn]] void cannotWrite(const fs::path& folder, const std::string& reason) {
    throw InstallError("cannot write the maps folder " + folder.string() + ": " + reason);
}

}  // namespace

void makeMapsFolder(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) cannotWrite(folder, ec.message());
    if (!fs::is_directory(folder, ec)) cannotWrite(folder, "not a folder");
}

MapsFolderLock::MapsFolderLock(const fs::path& folder) {
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) cannotWrite(folder, std::generic_category().message(errno));
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK) return;
    ::close(fd_);
    fd_ = -1;
    throw InstallError("the maps folder " + folder.string() +
                       " is being written by another import (allowed: one import at a time)");
}

MapsFolderLock::~MapsFolderLock() {
    if (fd_ >= 0) ::close(fd_);
}

void installMapTexts(std::span<const std::pair<MapKind, std::string_view>> maps, const fs::path& folder) {
    std::vector<std::pair<fs::path, fs::path>> renames;
    std::error_code ec;
    const auto removeTemporaries = [&] {
        for (const auto& [temporary, target] : renames) fs::remove(temporary, ec);
    };
    try {
        for (const auto& [kind, text] : maps) {
            renames.emplace_back(temporaryName(folder, kind), folder / mapFormat(kind).fileName);
            writeFile(renames.back().first, text);
        }
    } catch (const std::system_error& e) {
        removeTemporaries();
        cannotWrite(folder, e.code().message());
    }
    for (const auto& [temporary, target] : renames) {
        fs::rename(temporary, target, ec);
        if (ec) {
            const std::string reason = ec.message();
            removeTemporaries();
            cannotWrite(folder, reason);
        }
    }
}

}  // namespace tropolink::climate
