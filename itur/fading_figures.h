#pragma once

#include <array>
#include <optional>
#include <vector>

#include "itur/diversity.h"

// What fading within the hour does to one method's availability on one
// link: the figures beside the hourly-median-only ones.
namespace tropolink::itur {

// The availabilities at which the diversity improvement is given.
inline constexpr std::array<double, 2> kImprovementPercents{99.9, 99.99};

// What a front end asks for.
struct FadingRequest {
    Diversity diversity;
    std::optional<double> requiredAvailabilityPercent;  // 0 < p < 100
    // The margins at kImprovementPercents: each is a root of the yearly
    // integral, most of the cost, so a batch that wants only the
    // availabilities leaves them out.
    bool improvementMargins = true;
};

// The yearly availability of one receiver with fading.
struct FadingAvailability {
    double percent = 0;  // 100·(1 − outage)
    double outageMinutesPerYear = 0;
    // L(p) held beyond the method's percentages decides more than the
    // integral's tolerance: the figure needs a note.
    bool heldBeyondMethod = false;
};

// One receiving station: its hourly-median margin at 50 % and what it reaches.
struct StationFading {
    double medianMarginDb = 0;  // S/N at L(50) over the required S/N
    FadingAvailability oneReceiver;
    FadingAvailability withDiversity;
};

// The median margins M₅₀ that an availability needs.
struct RequiredMargins {
    double percent = 0;
    double hourlyMedianOnlyDb = 0;  // L(p) − L(50): fading ignored
    double oneReceiverDb = 0;
    double withDiversityDb = 0;

    // What the diversity gives back, dB.
    double improvementDb() const { return oneReceiverDb - withDiversityDb; }
};

struct MethodFading {
    Diversity diversity;
    std::vector<RequiredMargins> atImprovementPercents;  // at kImprovementPercents, when asked for
    std::optional<RequiredMargins> atRequiredPercent;      // with a required availability
    std::optional<std::array<StationFading, 2>> stations;  // with a required S/N
};

// A row of a table of the margins needed.
struct MarginRow {
    const RequiredMargins* margins = nullptr;
    bool required = false;
};

// The improvement percentages, then the required one; a required percentage
// that is one of them is that row, marked, so that no percentage shows twice.
inline std::vector<MarginRow> marginRows(const MethodFading& f) {
    std::vector<MarginRow> rows;
    bool requiredShown = false;
    for (const RequiredMargins& m : f.atImprovementPercents) {
        const bool required = f.atRequiredPercent && f.atRequiredPercent->percent == m.percent;
        rows.push_back({&m, required});
        requiredShown = requiredShown || required;
    }
    if (f.atRequiredPercent && !requiredShown) rows.push_back({&*f.atRequiredPercent, true});
    return rows;
}

}  // namespace tropolink::itur
