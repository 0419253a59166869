// Feeds arbitrary bytes to the climate-map reader. The first byte picks the
// format: the three maps' own, or two small grids that random input can fill
// whole, so that accepted maps are reached too. What must hold for every
// input: a map is either refused with one line, or accepted with exactly its
// rows and columns of allowed values.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "climate/map_reader.h"
#include "fuzz/fuzz_checks.h"

namespace {

using tropolink::fuzz::require;

using namespace tropolink::climate;

constexpr MapFormat kSmallZones{"small-zones.txt", 3, 4, 0, 6, true, "zone codes 0 to 6, whole numbers", ""};
constexpr MapFormat kSmallN0{"small-n0.txt", 2, 3, 250, 450, false, "N0 from 250 to 450 N-units", ""};
constexpr const MapFormat* kFormats[] = {&mapFormat(MapKind::N0), &mapFormat(MapKind::DeltaN), &mapFormat(MapKind::Zone),
                                         &kSmallZones, &kSmallN0};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const MapFormat& format = *kFormats[data[0] % std::size(kFormats)];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        const Grid grid = readGrid(text, format, format.fileName);
        require(grid.rows == format.rows && grid.columns == format.columns, "accepted grid of another shape");
        require(grid.values.size() == static_cast<std::size_t>(format.rows * format.columns), "wrong value count");
        for (const double v : grid.values) {
            require(v >= format.minValue && v <= format.maxValue, "accepted value out of range");
            require(!format.wholeNumbers || v == std::floor(v), "accepted fraction in a whole-number map");
        }
    } catch (const MapError& e) {
        const std::string message = e.what();
        require(message.starts_with(std::string(format.fileName) + ": "), "refusal without the file's name");
        require(message.find('\n') == std::string::npos && message.find('\r') == std::string::npos,
                "refusal of more than one line");
        require(message.ends_with(")"), "refusal without what is allowed");
        require(message.size() < 300, "refusal too long");
    }
    return 0;
}
