#pragma once

#include "p2001/rain.h"

// The fade exceeded q % of the time when rain and clear-air fading combine,
// found by search on their combined exceedance.
namespace tropolink::p2001 {

// Which clear-air fading the path has.
enum class ClearAirModel { Surface, Troposcatter };

struct FadeDistribution {
    const RainPath* rain = nullptr;
    ClearAirModel clearAir = ClearAirModel::Surface;
    double q0caPercent = 0;  // the surface model's zero-fade percentage

    // Percentage of time fadeDb is exceeded, %: decreasing in fadeDb.
    double exceededPercent(double fadeDb) const;
};

// The fade (dB) exceeded q % of the time. The search halves a bracket a fixed
// number of times, so the result is a binary fraction of the bracket.
double fadeExceeded(const FadeDistribution& distribution, double q);

}  // namespace tropolink::p2001
