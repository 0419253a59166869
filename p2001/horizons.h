#pragma once

#include <span>

// Path classification and the terminals' horizons under median refraction.
// Elevation angles are slopes in mrad (m/km), negative below the horizontal.
namespace tropolink::p2001 {

struct Horizons {
    bool lineOfSight = false;
    double thetaTMrad = 0;
    double thetaRMrad = 0;
    double dLtKm = 0;  // horizon distances from each terminal
    double dLrKm = 0;
    int iLt = 0;  // 0-based profile indices of the horizon points
    int iLr = 0;
};

// d, h: the profile; hts, hrs: antenna altitudes (m); aeKm: median
// effective earth radius. At least three points.
Horizons horizons(std::span<const double> dKm, std::span<const double> hM, double htsM, double hrsM, double aeKm);

}  // namespace tropolink::p2001
