#pragma once

#include <random>

#include "p2001/path_input.h"

// Random paths over the whole input space: profiles flat, hilly and
// cliff-like, evenly and unevenly spaced, from 50 m to 1 500 km; any zones,
// coordinates, antenna heights and gains; map values anywhere in the ranges
// the maps can hold.
namespace tropolink::p2001::testing_support {

struct RandomCase {
    PathInput path;
    MapValues maps;
    double fGhz = 0;
    double tpc = 0;
};

// Map values: within the maps' observed ranges, or up to 50 % beyond them
// (what the maps import accepts).
enum class MapRange { Observed, Widened };

class RandomPaths {
public:
    explicit RandomPaths(unsigned seed) : engine_(seed) {}
    RandomCase next(MapRange range = MapRange::Observed);
    PathInput path();
    // Terrain as DEM profiles give it: evenly spaced, 5 to 800 km, hills up to
    // 1 500 m, masts 5 to 300 m.
    PathInput gentlePath();
    MapValues maps(MapRange range);
    double frequencyGhz();
    double percent();
    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(engine_); }
    double logUniform(double lo, double hi);
    int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(engine_); }

private:
    std::mt19937_64 engine_;
};

}  // namespace tropolink::p2001::testing_support
