#pragma once

#include "p2001/effective_heights.h"
#include "p2001/great_circle.h"
#include "p2001/horizons.h"
#include "p2001/path_input.h"

// Everything the method derives from the path alone, under median refraction:
// the same for every frequency and percentage.
namespace tropolink::p2001 {

// Where the common volume stands. A horizon ray as steep as the vertical (as
// the method reads a slope as an angle) puts it over its terminal, the limit
// as the ray steepens; with both rays vertical it has no place.
enum class VolumePlace { Between, OverTx, OverRx, Nowhere };

struct CommonVolume {
    VolumePlace place = VolumePlace::Between;
    double dTcvKm = 0;  // from the transmitter to the point under the common volume
    double dRcvKm = 0;
    double heightM = 0;  // above sea level
    GeoPoint at;
    GeoPoint txSegmentMid;  // half-way from each terminal to the common volume
    GeoPoint rxSegmentMid;
};

struct PathGeometry {
    double dKm = 0;  // path length, from the profile
    int points = 0;
    GreatCircle circle;
    GeoPoint mid;
    GeoPoint quarter;
    GeoPoint threeQuarter;
    double hMidM = 0;  // ground at the mid-point
    double seaFraction = 0;
    double h1M = 0;  // ground at each end
    double hnM = 0;
    double htsM = 0;  // antenna altitudes
    double hrsM = 0;
    double hhiM = 0;
    double hloM = 0;
    double slopeMrad = 0;  // ε_p, the positive path slope
    double nd1km50 = 0;    // median refractivity gradient of the lowest km
    double aeKm = 0;       // median effective earth radius
    double thetaERad = 0;  // angular distance d/ae
    Horizons horizon;
    EffectiveHeights heights;
    CommonVolume volume;
    double dTmKm = 0;  // longest land section
    double dLmKm = 0;  // longest inland section
    double dCtKm = 0;  // from each terminal to the sea
    double dCrKm = 0;
};

// Median effective earth radius for the DN_Median value at the mid-point.
double medianEarthRadiusKm(double dnMedian);

// The input must have passed checkPath.
PathGeometry pathGeometry(const PathInput& path, double dnMedian);

}  // namespace tropolink::p2001
