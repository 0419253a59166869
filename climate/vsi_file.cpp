#include "climate/vsi_file.h"

#include <cpl_error.h>
#include <cpl_string.h>
#include <cpl_vsi.h>

#include <memory>

namespace tropolink::climate {
namespace {

struct VsiCloser {
    void operator()(VSILFILE* file) const { VSIFCloseL(file); }
};
using VsiFile = std::unique_ptr<VSILFILE, VsiCloser>;

}  // namespace

QuietGdalErrors::QuietGdalErrors() { CPLPushErrorHandler(CPLQuietErrorHandler); }
QuietGdalErrors::~QuietGdalErrors() { CPLPopErrorHandler(); }

std::optional<std::string> readVsiFile(const std::string& path, std::size_t maxBytes) {
    VSIStatBufL stat{};
    if (VSIStatL(path.c_str(), &stat) != 0 || stat.st_size < 0 || static_cast<std::size_t>(stat.st_size) > maxBytes)
        return std::nullopt;
    const VsiFile file(VSIFOpenL(path.c_str(), "rb"));
    if (!file) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(stat.st_size), '\0');
    if (VSIFReadL(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return std::nullopt;
    return bytes;
}

bool looksLikeZip(const std::string& path) {
    const VsiFile file(VSIFOpenL(path.c_str(), "rb"));
    if (!file) return false;
    char magic[4] = {};
    if (VSIFReadL(magic, 1, sizeof magic, file.get()) != sizeof magic) return false;
    // A local file header, or the end record of an empty archive.
    return magic[0] == 'P' && magic[1] == 'K' &&
           ((magic[2] == '\x03' && magic[3] == '\x04') || (magic[2] == '\x05' && magic[3] == '\x06'));
}

std::optional<std::vector<std::string>> zipMembers(const std::string& zipPath) {
    const std::string root = "/vsizip/{" + zipPath + "}";
    VSIStatBufL stat{};
    if (VSIStatL(root.c_str(), &stat) != 0) return std::nullopt;
    char** list = VSIReadDirRecursive(root.c_str());
    std::vector<std::string> members;
    for (char** entry = list; entry != nullptr && *entry != nullptr; ++entry) members.emplace_back(*entry);
    CSLDestroy(list);
    return members;
}

std::string zipMemberPath(const std::string& zipPath, const std::string& member) {
    return "/vsizip/{" + zipPath + "}/" + member;
}

}  // namespace tropolink::climate
