// Feeds arbitrary bytes to the climate-map reader. The first byte picks the
// format: one of the maps' own, or small grids that random input can fill
// whole, so that accepted maps are reached too. What must hold for every
// input: a map is either refused with one line, or accepted with exactly its
// rows and columns of allowed values.
#include <array>
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

constexpr MapFormat kSmallZones{"small-zones.txt", 3, 4, 0, 6, true, "zone codes 0 to 6, whole numbers", "", ""};
constexpr MapFormat kSmallN0{"small-n0.txt", 2, 3, 250, 450, false, "N0 from 250 to 450 N-units", "", ""};
// A range wholly below zero and one from zero, as two of P.2001's maps have.
constexpr MapFormat kSmallGradient{"small-dndz.txt", 2, 2, mapFormat(MapKind::Dndz01).minValue,
                                   mapFormat(MapKind::Dndz01).maxValue, false, "gradients", "", ""};
constexpr MapFormat kSmallFraction{"small-beta.txt", 1, 3, 0, mapFormat(MapKind::RainBeta).maxValue, false,
                                   "fractions", "", ""};

// The seeds' first bytes pick the first five, as before the P.2001 maps joined.
constexpr auto kFormats = [] {
    std::array<const MapFormat*, kMapTable.size() + 4> formats{&kMapTable[0].format, &kMapTable[1].format,
                                                               &kMapTable[2].format, &kSmallZones, &kSmallN0,
                                                               &kSmallGradient, &kSmallFraction};
    for (std::size_t i = 3; i < kMapTable.size(); ++i) formats[4 + i] = &kMapTable[i].format;
    return formats;
}();

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
