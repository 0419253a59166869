#pragma once

#include <array>

#include "p2001/path_input.h"

// Precipitation fading: rain and wet snow along a path segment whose ends lie
// at heights hLo and hHi (m), for one frequency.
namespace tropolink::p2001 {

// Rows of the melting-layer table: the rain height's spread about its mean.
inline constexpr int kRainHeightRows = 49;

struct RainPath {
    bool rain = false;        // false: the segment never sees rain (Q_rain is a step at 0 dB)
    double q0raPercent = 0;   // of an average year with rain
    double qtranPercent = 0;  // where the distribution changes shape
    double a = 0;
    double b = 0;
    double c = 0;
    double kMod = 0;  // the path-length-adjusted k and α
    double alphaMod = 0;
    double dRainLimKm = 0;
    int slotCount = 0;                           // of g and p in use
    std::array<double, kRainHeightRows> g{};  // path-averaged melting-layer multipliers
    std::array<double, kRainHeightRows> p{};  // their probabilities
    double sumGp = 0;
    // Per slot, g·dRainLim·kMod, and 1/αmod: fixed parts of each fade evaluation.
    std::array<double, kRainHeightRows> denominator{};
    double inverseAlphaMod = 0;
    // Per slot, the fade beyond which the slot's term underflows to 0.
    std::array<double, kRainHeightRows> negligibleFadeDb{};
};

struct RainSegment {
    double hLoM = 0;
    double hHiM = 0;
    double dKm = 0;
    double elevationRad = 0;  // inclination, 0.001·(hHi − hLo)/d; 0 for d = 0 (no rain there)
};

// The segment's inclination, rad, for d > 0.
double rainElevationRad(double hLoM, double hHiM, double dKm);

// Q0ra, the percentage of an average year with rain at the point: 0 where the
// maps give no stratiform rain.
double rainyPercent(const RainMapValues& maps);

RainPath rainPath(const RainMapValues& maps, const RainSegment& segment, double fGhz, Polarisation polarisation);

// The rain water-vapour factor at exceedance q %.
double rainWaterVapourFactor(const RainPath& rain, double q);

// Percentage of time the rain fade fadeDb is exceeded, %.
double rainFadeExceededPercent(const RainPath& rain, double fadeDb);

// Melting-layer multiplier at dhM above the 0 °C isotherm, and its path
// average over a segment from hLo to hHi (m) for an isotherm at hT (m).
double meltingLayerMultiplier(double dhM);
double pathAveragedMultiplier(double hLoM, double hHiM, double hTM);

}  // namespace tropolink::p2001
