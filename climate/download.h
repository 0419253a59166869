#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "climate/import.h"

namespace tropolink::climate {

// The ZIPs of ITU-R P.1812-7 (N050.TXT, DN50.TXT) and P.2001-5 (TropoClim.txt).
inline constexpr std::array<std::string_view, 2> kMapZipUrls{
    "https://www.itu.int/dms_pubrec/itu-r/rec/p/R-REC-P.1812-7-202308-I!!ZIP-E.zip",
    "https://www.itu.int/dms_pubrec/itu-r/rec/p/R-REC-P.2001-5-202308-I!!ZIP-E.zip",
};

inline constexpr long kConnectTimeoutS = 30;
// A transfer that moves nothing for this long is given up.
inline constexpr long kStalledTimeoutS = 60;

// Called as the bytes arrive; `totalBytes` is 0 while the size is unknown.
using DownloadProgress = std::function<void(std::string_view url, std::int64_t receivedBytes, std::int64_t totalBytes)>;

// Fetches each of `urls` (the two addresses above when empty) into a
// temporary file, following redirects, then imports them all into
// `targetDir` as importMaps does. Throws DownloadError naming the address and
// the reason when a download fails; nothing is installed then. What was
// downloaded but refused throws as importMaps does.
ImportResult downloadMaps(std::span<const std::string> urls, const std::filesystem::path& targetDir,
                          const DownloadProgress& progress = {});

}  // namespace tropolink::climate
