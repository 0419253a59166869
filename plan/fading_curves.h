#pragma once

#include <vector>

#include "itur/availability.h"

// The availability a receiver reaches against its median margin, with fading
// within the hour: what the report's and the planner's fading chart draw.
namespace tropolink {

// The margins the curves span, dB over the required S/N at L(50), and the
// step between their points.
inline constexpr double kFadingCurveLoDb = -10;
inline constexpr double kFadingCurveHiDb = 60;
inline constexpr double kFadingCurveStepDb = 0.5;

struct MarginPoint {
    double marginDb = 0;
    double availabilityPercent = 0;
};

// One method on one link: one receiver and the diversity asked for.
struct FadingCurve {
    itur::ItuMethod method = itur::ItuMethod::P617;
    std::vector<MarginPoint> oneReceiver;
    std::vector<MarginPoint> withDiversity;
};

// A curve for each method that gives the fading figures, in itur::kItuMethods
// order; none without them.
std::vector<FadingCurve> fadingCurves(const itur::ItuLink& link, const itur::AvailabilityAnswer& answer);

}  // namespace tropolink
