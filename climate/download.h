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

struct DownloadLimits {
    // A transfer slower than this on average over the window is given up: a
    // server that trickles a byte now and then is as good as stalled.
    long minBytesPerSecond = 1024;
    long windowSeconds = 60;
    // The ITU's ZIPs are well under 100 MB; a body beyond this is refused as
    // soon as it says so or grows past it, before it fills the disk.
    std::int64_t maxBytes = 512ll << 20;
};

// Called as the bytes arrive; `totalBytes` is 0 while the size is unknown.
using DownloadProgress = std::function<void(std::string_view url, std::int64_t receivedBytes, std::int64_t totalBytes)>;

// Fetches each of `urls` (the two addresses above when empty) into a
// temporary file, following redirects, within `limits`, then imports them
// all into `targetDir` as importMaps does with `options`. Throws
// DownloadError naming the address and the reason when a download fails;
// nothing is installed then. What was downloaded but refused throws as
// importMaps does, its messages naming the address. options.stop stops the
// downloads too.
ImportResult downloadMaps(std::span<const std::string> urls, const std::filesystem::path& targetDir,
                          const DownloadProgress& progress = {}, const DownloadLimits& limits = {},
                          const ImportOptions& options = {});

}  // namespace tropolink::climate
