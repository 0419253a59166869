#pragma once

namespace tropolink::itur {

// The path as both methods see it. Angles in mrad, positive above the local
// horizontal; the horizon elevation angles are never clipped.
struct ScatterGeometry {
    double distanceKm = 0;
    double effectiveEarthRadiusKm = 0;
    double thetaTMrad = 0;       // horizon elevation angle at station 1
    double thetaRMrad = 0;       // horizon elevation angle at station 2
    double antennaHeight1M = 0;  // above sea level
    double antennaHeight2M = 0;

    // The angle the path subtends at the centre of the effective earth.
    double angularDistanceMrad() const { return 1000 * distanceKm / effectiveEarthRadiusKm; }
    double scatterAngleMrad() const { return angularDistanceMrad() + thetaTMrad + thetaRMrad; }
    // Neither method gives a figure then.
    bool lineOfSight() const { return scatterAngleMrad() <= 0; }
};

// ae = 6371 · 157 / (157 − ΔN), ΔN the refractivity lapse rate in N-units/km.
double effectiveEarthRadiusKm(double deltaN);

// One station's antenna and the obstruction that limits its horizon, km.
struct StationSite {
    double antennaHeightKm = 0;
    double obstructionHeightKm = 0;
    double obstructionDistanceKm = 0;
};

// The larger of the smooth-earth horizon angle and the angle to the top of
// the obstruction, mrad; heights and distances of 0 count as 0.001 km.
double horizonElevationMrad(const StationSite& site, double effectiveEarthRadiusKm);

// The geometry of two sites `distanceKm` apart on an earth of radius ae.
ScatterGeometry geometryFromSites(const StationSite& site1, const StationSite& site2, double distanceKm,
                                  double effectiveEarthRadiusKm);

}  // namespace tropolink::itur
