#pragma once

#include <span>

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

// The actual profile on an earth of curvature cp (1/km), antenna altitudes
// hts, hrs (m).
BullingtonPoint bullingtonActualPoint(std::span<const double> dKm, std::span<const double> hM, double htsM, double hrsM,
                                      double cpPerKm);

// The smooth profile (zero heights at the actual distances), effective
// heights htep, hrep (m), earth radius apKm.
BullingtonPoint bullingtonSmoothPoint(std::span<const double> dKm, double htepM, double hrepM, double apKm);

BullingtonLoss bullingtonLoss(const BullingtonPoint& point, double lambdaM, double dKm);

}  // namespace tropolink::p2001
