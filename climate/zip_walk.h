#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "climate/import_options.h"

namespace tropolink::climate {

class ZipArchive;

// Looks through a ZIP and the ZIPs within it (members named *.zip, any letter
// case) for the members a caller wants, within ImportOptions' limits. Every
// member it unpacks is checked against its CRC; a ZIP that names a member
// twice is refused. Refusals are InstallErrors of one line naming the ZIP and
// the member.
class ZipWalk {
public:
    // Whether a member is wanted, by the last part of its path.
    using Wanted = std::function<bool(std::string_view baseName)>;
    // A wanted member: `source` is the ZIP's name, a slash and the member's path.
    using Found = std::function<void(const std::string& source, std::string_view baseName, std::string bytes)>;

    ZipWalk(const ImportOptions& options, std::uint64_t maxWantedBytes, Wanted wanted, Found found);

    // Walks the ZIP in `file`, which messages call `source`. Returns how many
    // wanted members it and the ZIPs within it hold. The limits count from 0
    // for each call.
    std::uint64_t walkFile(const std::string& file, const std::string& source);
    // The same for a ZIP in memory.
    std::uint64_t walkBytes(std::string bytes, const std::string& source);

private:
    std::uint64_t walkTop(const std::unique_ptr<ZipArchive>& zip, const std::string& source);
    std::uint64_t walk(ZipArchive& zip, const std::string& source, int depth);
    std::string unpack(ZipArchive& zip, const std::string& source, std::uint64_t maxBytes);

    const ImportOptions& options_;
    std::uint64_t maxWantedBytes_;
    Wanted wanted_;
    Found found_;
    std::string top_;  // the file walked, for the messages about the limits
    std::uint64_t members_ = 0;
    std::uint64_t bytes_ = 0;
};

// Whether a file starts as a ZIP does: a member's header, or the end of an
// empty archive.
bool looksLikeZip(std::string_view firstBytes);

// A name from a ZIP as a message shows it: control characters as \xNN.
std::string shownName(std::string_view name);

}  // namespace tropolink::climate
