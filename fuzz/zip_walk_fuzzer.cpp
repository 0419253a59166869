// Feeds arbitrary bytes to the ZIP walk of the maps import as a ZIP, looking
// for the three maps' names. What must hold for every input: the walk ends
// within its limits; what it hands over is no larger than allowed and is
// counted; a refusal is one printable line naming the ZIP.
#include <cstdint>
#include <string>
#include <string_view>

#include "climate/zip_walk.h"
#include "fuzz/fuzz_checks.h"

namespace {

using tropolink::fuzz::require;
using namespace tropolink::climate;

constexpr std::string_view kSource = "fuzz.zip";
constexpr std::uint64_t kMaxWantedBytes = 64u << 10;

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool isMapName(std::string_view name) {
    for (const std::string_view map : {"N050.TXT", "DN50.TXT", "TropoClim.txt"}) {
        if (name.size() != map.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size() && same; ++i) same = lower(name[i]) == lower(map[i]);
        if (same) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ImportOptions options;
    // Small enough that every input is walked in milliseconds.
    options.limits = {4, 2000, 4u << 20, 1u << 20};
    std::uint64_t handedOver = 0;
    std::uint64_t members = 0;
    options.progress = [&](std::string_view source, std::uint64_t examined, std::uint64_t bytes) {
        require(source.starts_with(kSource), "progress names the ZIP");
        require(examined >= members, "members counted up");
        require(examined <= options.limits.maxMembers, "within the member limit");
        require(bytes <= options.limits.maxBytes, "within the byte limit");
        members = examined;
    };
    ZipWalk walk(options, kMaxWantedBytes, isMapName,
                 [&](const std::string& source, std::string_view baseName, std::string bytes) {
                     require(source.starts_with(std::string(kSource) + "/"), "a member named within its ZIP");
                     require(source.ends_with(baseName), "the member's path ends in its name");
                     require(isMapName(baseName), "only wanted members");
                     require(bytes.size() <= kMaxWantedBytes, "no member beyond its limit");
                     ++handedOver;
                 });
    try {
        const std::uint64_t found =
            walk.walkBytes(std::string(reinterpret_cast<const char*>(data), size), std::string(kSource));
        require(found == handedOver, "the count of what was handed over");
    } catch (const InstallError& e) {
        const std::string message = e.what();
        require(message.starts_with(std::string(kSource) + ":") || message.starts_with(std::string(kSource) + "/"),
                "a refusal names the ZIP");
        for (const char c : message)
            require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7f, "one line without control characters");
    }
    return 0;
}
