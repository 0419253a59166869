#pragma once

#include <functional>
#include <vector>

#include "itur/diversity.h"

// Fading within the hour over an average year. A method gives L(p), the loss
// that the hourly median exceeds for 100 − p % of the year; within each hour
// the signal fades about that median (short_term_outage.h). With ΔL(p) =
// L(p) − L(50) and M₅₀ the margin of the hourly median at 50 %,
//   outage = ∫₀¹ q(M₅₀ − ΔL(100u)) du,   availability = 100·(1 − outage) %.
namespace tropolink::itur {

// L(p) of one method on one link, dB, for kLowestPercent ≤ p ≤ kHighestPercent.
using LossCurve = std::function<double(double percent)>;

// The integral on fixed nodes: outage = Σ shareᵢ·q(M₅₀ − fadeᵢ). Beyond the
// percentages the methods allow, L(p) is held at its value at the end of
// that range; the first two nodes carry those two shares of the year.
struct FadeNodes {
    std::vector<double> shares;   // of the year, summing to 1
    std::vector<double> fadesDb;  // ΔL at each node
    bool lowTailHeld = true;      // false when L(p) is flat there anyway
};

// The nodes of one curve. Below `floorPercent` L(p) sits on a floor (the
// free-space loss), constant; 0 when it never does. The integral is taken in
// the normal deviate z of u, split at the median (where both methods' time
// terms have a cusp) and at the floor, each piece on Gauss–Legendre nodes
// crowded towards its ends; it agrees with adaptive quadrature to 1e-9.
FadeNodes fadeNodes(const LossCurve& loss, double floorPercent = 0);

inline constexpr double kYearlyOutageTolerance = 1e-9;  // of the year

struct YearlyOutage {
    double outage = 0;      // share of the year, 0 to 1
    double heldOutage = 0;  // the part of it from beyond the method's percentages

    double availabilityPercent() const { return 100 * (1 - outage); }
    double minutesPerYear() const;
    // Holding L(p) decides at least the integral's tolerance: a note applies.
    bool heldMatters() const { return heldOutage > kYearlyOutageTolerance; }
};

YearlyOutage yearlyOutage(const FadeNodes& nodes, double medianMarginDb, const Diversity& diversity);

// The M₅₀ whose yearly outage is `outage`, 0 < outage < 1, to
// kMarginToleranceDb; regula falsi on log(outage), which is nearly straight
// in M₅₀, kept inside a bracket. Throws std::domain_error for another outage.
inline constexpr double kMarginToleranceDb = 1e-6;
double medianMarginForOutage(const FadeNodes& nodes, double outage, const Diversity& diversity);

// The normal deviate of a share u of the year, 0 < u < 1: Φ⁻¹(u).
double normalDeviate(double u);

}  // namespace tropolink::itur
