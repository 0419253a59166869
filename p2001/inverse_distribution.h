#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

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

// The distribution's values already computed, by fade. The search tries the
// same binary fractions of the same bracket for every q, so a table of many
// percentages at one frequency meets most of them again.
class FadeMemo {
public:
    FadeMemo();
    // The value at fadeDb, computed on the first request.
    double exceededPercent(const FadeDistribution& distribution, double fadeDb);
    void clear();

private:
    struct Slot {
        std::uint64_t key;
        double value;
    };
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};

// The fade (dB) exceeded q % of the time. The search halves a bracket a fixed
// number of times, so the result is a binary fraction of the bracket. With a
// memo (for this distribution only) it reuses values already computed: the
// same result, bit for bit.
double fadeExceeded(const FadeDistribution& distribution, double q, FadeMemo* memo = nullptr);

}  // namespace tropolink::p2001
