#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "climate/map_error.h"

namespace tropolink::climate {

// How much of a ZIP an import looks at, the ZIPs within it included. The
// ITU's ZIPs are well under 100 MB with a few dozen members; a ZIP whose
// entries all point at one nested ZIP would otherwise be unpacked again and
// again, level after level.
struct ZipLimits {
    int maxDepth = 4;                                // ZIPs within ZIPs, this deep
    std::uint64_t maxMembers = 10'000;               // members looked at, all levels together
    std::uint64_t maxBytes = 512ull << 20;           // bytes unpacked, all levels together
    std::uint64_t maxNestedZipBytes = 256ull << 20;  // one ZIP within a ZIP, held in memory
};

// Called as an import goes, on its own thread: the file or ZIP member being
// read, and the members and unpacked bytes of that file looked at so far.
using ImportProgress =
    std::function<void(std::string_view source, std::uint64_t membersExamined, std::uint64_t bytesExamined)>;

struct ImportOptions {
    ImportProgress progress;
    // Set from another thread to stop the import: ImportCancelled is thrown
    // and nothing is installed.
    const std::atomic<bool>* stop = nullptr;
    ZipLimits limits;
};

// A limit as messages give it: in MiB when whole, else in bytes.
inline std::string sizeText(std::uint64_t bytes) {
    constexpr std::uint64_t kMiB = 1u << 20;
    return bytes % kMiB == 0 ? std::to_string(bytes / kMiB) + " MiB" : std::to_string(bytes) + " bytes";
}

// An import or download stopped by its caller.
class ImportCancelled : public InstallError {
public:
    ImportCancelled() : InstallError("cancelled; no map was installed") {}
};

inline void throwIfStopped(const ImportOptions& options) {
    if (options.stop != nullptr && options.stop->load(std::memory_order_relaxed)) throw ImportCancelled();
}

}  // namespace tropolink::climate
