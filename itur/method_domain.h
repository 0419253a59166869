#pragma once

#include <optional>

// Where the two ITU-R methods give a figure. Outside it their formulas still
// return numbers (infinities, or losses of 1e200 dB on a scatter angle of
// thousands of mrad), which no one should read as a prediction.
namespace tropolink::itur {

// The words of the legacy methods' columns: a figure, "out of range", or
// "Line of Sight".
enum class MethodVerdict { Valid, OutOfRange, LineOfSight };

// Why a method gives no figure on a trans-horizon path.
enum class OutOfRangeReason { None, ScatterAngle, CommonVolumeHeight, NotFinite };

// Both methods were fitted to measured links with scatter angles of a few
// tens of mrad; 200 mrad (11.5°) already lies far beyond them. Above it the
// common volume leaves the troposphere on any earth the lapse-rate option
// allows.
inline constexpr double kMaxScatterAngleMrad = 200;
// The troposphere, whose turbulence both methods model, ends below 20 km;
// a common volume below sea level means the horizon rays cross behind a
// station, so the geometry is not a scatter path at all.
inline constexpr double kMinCommonVolumeHeightKm = 0;
inline constexpr double kMaxCommonVolumeHeightKm = 20;

// The percentages of the year that the methods allow: an availability is
// searched between them, and beyond them the fading integral holds L(p).
inline constexpr double kLowestPercent = 0.001;
inline constexpr double kHighestPercent = 99.999;
inline constexpr double kMinutesPerYear = 525960;

// A method's loss at one percentage: the loss only with Valid.
struct MethodLoss {
    MethodVerdict verdict = MethodVerdict::Valid;
    OutOfRangeReason reason = OutOfRangeReason::None;
    double lossDb = 0;

    std::optional<double> value() const {
        if (verdict != MethodVerdict::Valid) return std::nullopt;
        return lossDb;
    }
};

// Valid for 0 < θ ≤ 200 mrad; line of sight for θ ≤ 0; out of range above,
// or for NaN. The height of the common volume is only defined for θ > 0.
MethodLoss angleDomain(double scatterAngleMrad);

// Valid for a common volume 0 to 20 km above sea level; out of range else.
MethodLoss heightDomain(double commonVolumeHeightKm);

// Out of range unless the loss is finite: one infinite or NaN term makes the
// sum so.
MethodLoss finiteLoss(double lossDb);

// Throws std::domain_error unless 0 < p < 100: both methods take logarithms
// of p and 100 − p, and a front end is expected to refuse such a p first.
void requirePercent(double p);

}  // namespace tropolink::itur
