// Feeds arbitrary bytes to the site parser, checking what must hold for every
// input: an accepted site is in range and built only of the characters the
// form allows, and reads back the same when written out again; a refusal is
// one printable line naming the option and what is allowed.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_checks.h"
#include "terrain/site.h"
#include "terrain/terrain_error.h"

namespace {

using tropolink::fuzz::require;

using namespace tropolink::terrain;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const Site site = parseSite(text, "--to");
        require(std::isfinite(site.latDeg) && std::isfinite(site.lonDeg), "finite");
        require(std::fabs(site.latDeg) <= 90 && std::fabs(site.lonDeg) <= 180, "in range");
        require(text.find_first_not_of("0123456789+-. \t,") == std::string_view::npos, "allowed characters only");
        char again[64];
        std::snprintf(again, sizeof again, "%.9f, %.9f", site.latDeg, site.lonDeg);
        const Site reread = parseSite(again);
        require(std::fabs(reread.latDeg - site.latDeg) < 1e-9 && std::fabs(reread.lonDeg - site.lonDeg) < 1e-9,
                "reads back");
    } catch (const TerrainError& e) {
        const std::string message = e.what();
        require(message.rfind("--to ", 0) == 0, "names the option");
        require(message.find("(allowed: ") != std::string::npos, "says what is allowed");
        require(message.size() < 300, "short");
        for (const char c : message) require(c >= 0x20 && c < 0x7f, "one printable line");
    }
    return 0;
}
