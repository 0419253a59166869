#include "terrain/side_files.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <mutex>
#include <system_error>
#include <utility>

namespace tropolink::terrain {
namespace {

namespace fs = std::filesystem;

// Folders whose listings are kept; the oldest goes past this.
constexpr std::size_t kKeptListings = 16;
// GDAL lists a folder whole up to this many entries; past it, only the
// raster's own side files are given.
constexpr std::size_t kWholeListingEntries = 1000;

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

struct Listing {
    struct timespec modified {};
    std::vector<std::pair<std::string, std::string>> names;  // lowered and as found, regular files only, sorted
};

std::mutex listingsLock;
std::map<std::string, Listing> listings;

bool sameTime(const struct timespec& a, const struct timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

Listing list(const fs::path& folder, const struct timespec& modified) {
    Listing listing{modified, {}};
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        std::error_code statusError;
        if (!entry.is_regular_file(statusError)) continue;  // follows links; a FIFO or device is left out
        const std::string name = entry.path().filename().string();
        listing.names.emplace_back(lowered(name), name);
    }
    std::sort(listing.names.begin(), listing.names.end());
    return listing;
}

}  // namespace

std::vector<std::string> regularSideFiles(const std::string& file) {
    const fs::path path(file);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    struct stat status {};
    if (stat(folder.c_str(), &status) != 0) return {};
    const std::string stem = lowered(path.stem().string());

    const std::lock_guard lock(listingsLock);
    auto found = listings.find(folder.string());
    if (found == listings.end() || !sameTime(found->second.modified, status.st_mtim)) {
        if (found == listings.end() && listings.size() >= kKeptListings) listings.erase(listings.begin());
        found = listings.insert_or_assign(folder.string(), list(folder, status.st_mtim)).first;
    }
    const auto& names = found->second.names;
    std::vector<std::string> side;
    if (names.size() <= kWholeListingEntries) {
        for (const auto& name : names) side.push_back(name.second);
        return side;
    }
    for (auto it = std::lower_bound(names.begin(), names.end(), std::pair{stem, std::string()});
         it != names.end() && it->first.compare(0, stem.size(), stem) == 0; ++it)
        side.push_back(it->second);
    return side;
}

}  // namespace tropolink::terrain
