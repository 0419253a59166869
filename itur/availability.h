#pragma once

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "itur/fading_figures.h"
#include "itur/method_domain.h"
#include "itur/method_names.h"
#include "itur/p2001_method.h"
#include "itur/p617_method.h"
#include "itur/scatter_geometry.h"

namespace tropolink::itur {

// Everything but the geometry that the two methods read. Station 1 is the
// transmitter of the notes (θt, hts, Gt), station 2 the receiver.
struct ItuLink {
    ScatterGeometry geometry;
    double frequencyMhz = 0;
    double gain1Dbi = 0;
    double gain2Dbi = 0;
    double surfaceRefractivity = 0;  // N0, N-units
    double deltaN = 40;              // N-units/km, of the P.617 meteorological term
    double groundHeightKm = 0;       // hs, under the common volume
    ClimateZone climateZone = ClimateZone::MaritimeTemperateOverLand;
};

// The radiated power and the sensitivity of each station, dBW.
struct LinkBudget {
    double eirp1Dbw = 0;
    double eirp2Dbw = 0;
    double sensitivity1Dbw = 0;
    double sensitivity2Dbw = 0;
};

// The paths of the two methods.
P617Path p617Path(const ItuLink& link);
P2001Path p2001Path(const ItuLink& link);

// L(p) of one method, dB, or its verdict where it gives none. Throws
// std::domain_error unless 0 < p < 100.
MethodLoss methodLoss(ItuMethod method, const ItuLink& link, double p);

// S/N at station 1 = (EIRP of station 2 − L) − sensitivity of station 1.
double snrAtStation1(const LinkBudget& budget, double lossDb);
double snrAtStation2(const LinkBudget& budget, double lossDb);

// The figures of one method at one percentage; all none unless Valid.
struct PercentFigures {
    double percent = 0;
    MethodVerdict verdict = MethodVerdict::Valid;
    OutOfRangeReason reason = OutOfRangeReason::None;
    std::optional<double> loss;
    std::optional<double> fadeMargin;  // L(p) − L(50)
    std::optional<double> snrAtStation1;
    std::optional<double> snrAtStation2;
};

PercentFigures percentFigures(ItuMethod method, const ItuLink& link, const LinkBudget& budget, double p);

enum class AvailabilityBound {
    None,         // a percentage was found
    Above,        // the requirement holds even at kHighestPercent
    Below,        // it fails even at kLowestPercent
    LineOfSight,  // the method gives no loss
    OutOfRange,   // the link lies outside the method's domain
};

struct StationAvailability {
    AvailabilityBound bound = AvailabilityBound::None;
    OutOfRangeReason reason = OutOfRangeReason::None;
    std::optional<double> percent;  // the largest p at which S/N ≥ the requirement, to 1e-6 %
    std::optional<double> outageMinutesPerYear;
};

// The loss never falls as p rises; each method's L(p) is inverted in closed
// form. `station` is 1 or 2.
StationAvailability stationAvailability(ItuMethod method, const ItuLink& link, const LinkBudget& budget, int station,
                                        double requiredSnrDb);

// One method's answer over a list of percentages.
struct MethodAnswer {
    MethodLoss domain;  // the verdict on this link, the same at every percentage
    std::vector<PercentFigures> rows;
    std::optional<std::array<StationAvailability, 2>> availability;  // with a requirement only
    // With fading within the hour, when asked for and the method gives a figure.
    std::optional<MethodFading> fading;
};

struct AvailabilityAnswer {
    ScatterGeometry geometry;
    std::optional<double> commonVolumeHeightKm;  // none on a line-of-sight path
    MethodAnswer p617;
    MethodAnswer p2001;
    std::optional<FadingRequest> fading;  // as asked for, even where no method gives a figure
};

// The answer of one method.
const MethodAnswer& methodAnswer(const AvailabilityAnswer& answer, ItuMethod method);

// The hourly-median-only figures, and with `fading` those of fading within
// the hour beside them (fading_availability.h).
AvailabilityAnswer answerAvailability(const ItuLink& link, const LinkBudget& budget, std::span<const double> percents,
                                      std::optional<double> requiredSnrDb,
                                      const std::optional<FadingRequest>& fading = std::nullopt);

}  // namespace tropolink::itur
