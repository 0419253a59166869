#pragma once

#include <span>

#include "p2001/upper_envelope.h"

// Bullington diffraction: the profile replaced by one knife edge where the
// terminals' steepest rays cross. The edge depends on the earth's curvature
// (so on the percentage); its loss also on the wavelength.
namespace tropolink::p2001 {

// The edge's diffraction parameter without the wavelength: ν·sqrt(λ).
struct BullingtonPoint {
    bool lineOfSight = false;
    double nuRootLambda = 0;
    bool atTerminal = false;  // the rays cross over a terminal: ν is the limit there
};

struct BullingtonLoss {
    bool lineOfSight = false;
    double knifeEdgeDb = 0;  // J at the Bullington point
    double lossDb = 0;       // with the distance correction
};

// By a pass over the profile: the actual profile on an earth of curvature cp
// (1/km), antenna altitudes hts, hrs (m); the smooth one (zero heights at the
// actual distances) with effective heights htep, hrep (m) on an earth of
// radius ap (km).
BullingtonPoint bullingtonActualPoint(std::span<const double> dKm, std::span<const double> hM, double htsM, double hrsM,
                                      double cpPerKm);
BullingtonPoint bullingtonSmoothPoint(std::span<const double> dKm, double htepM, double hrepM, double apKm);

// The profile seen by the Bullington construction, at every curvature. Each
// maximum over the interior points (the steepest ray from each terminal, the
// largest ν) is a maximum of straight lines in the curvature; their upper
// envelopes find it without a pass over the profile: worth building for a
// table of many percentages. The same points as the passes, within rounding.
class BullingtonProfile {
public:
    BullingtonProfile() = default;
    // The actual profile d, h with antenna altitudes hts, hrs; the smooth one
    // with effective heights htep, hrep (m).
    BullingtonProfile(std::span<const double> dKm, std::span<const double> hM, double htsM, double hrsM, double htepM,
                      double hrepM);

    // On an earth of curvature cp (1/km). d and h: the same profile.
    BullingtonPoint actual(std::span<const double> dKm, std::span<const double> hM, double cpPerKm) const;
    // The smooth profile on an earth of radius ap (km).
    BullingtonPoint smooth(std::span<const double> dKm, double apKm) const;

private:
    double hts_ = 0, hrs_ = 0, htep_ = 0, hrep_ = 0;
    UpperEnvelope actualTx_, actualRx_, actualNu_;  // the steepest rays and the largest ν
    UpperEnvelope smoothTx_, smoothRx_, smoothNu_;
};

BullingtonLoss bullingtonLoss(const BullingtonPoint& point, double lambdaM, double dKm);

}  // namespace tropolink::p2001
