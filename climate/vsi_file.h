#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tropolink::climate {

// Files read through GDAL's virtual file system, so that paths such as
// /vsizip/{/a/b.zip}/c/N050.TXT reach into ZIPs, also nested ones.

// GDAL reports failures through its error handler as well as through return
// values; while one of these lives, the handler of this thread keeps quiet.
class QuietGdalErrors {
public:
    QuietGdalErrors();
    ~QuietGdalErrors();
    QuietGdalErrors(const QuietGdalErrors&) = delete;
    QuietGdalErrors& operator=(const QuietGdalErrors&) = delete;
};

// The whole file, or none when it cannot be read or is larger than maxBytes.
std::optional<std::string> readVsiFile(const std::string& path, std::size_t maxBytes);

// Whether the file starts as a ZIP does.
bool looksLikeZip(const std::string& path);

// The paths of the members of a ZIP, relative to it; none when it cannot be
// read as one.
std::optional<std::vector<std::string>> zipMembers(const std::string& zipPath);

// The path GDAL reads a member of a ZIP through.
std::string zipMemberPath(const std::string& zipPath, const std::string& member);

}  // namespace tropolink::climate
