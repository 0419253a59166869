#include "itur/scatter_geometry.h"

#include <algorithm>
#include <cmath>

namespace tropolink::itur {
namespace {

constexpr double kEarthRadiusKm = 6371;
constexpr double kRefractivityScale = 157;  // N-units/km at which rays follow the earth
constexpr double kZeroReplacementKm = 0.001;

double nonZero(double km) { return km == 0 ? kZeroReplacementKm : km; }

StationSite withoutZeros(const StationSite& s) {
    return {nonZero(s.antennaHeightKm), nonZero(s.obstructionHeightKm), nonZero(s.obstructionDistanceKm)};
}

}  // namespace

double effectiveEarthRadiusKm(double deltaN) {
    return kEarthRadiusKm * kRefractivityScale / (kRefractivityScale - deltaN);
}

double horizonElevationMrad(const StationSite& site, double ae) {
    const StationSite s = withoutZeros(site);
    const double smoothEarth = -1000 * std::sqrt(2 * s.antennaHeightKm / ae);
    // Slope to the obstruction top, less the earth's drop over its distance.
    const double obstruction = 1000 * ((s.obstructionHeightKm - s.antennaHeightKm) / s.obstructionDistanceKm -
                                       s.obstructionDistanceKm / (2 * ae));
    return std::max(smoothEarth, obstruction);
}

ScatterGeometry geometryFromSites(const StationSite& site1, const StationSite& site2, double distanceKm, double ae) {
    ScatterGeometry g;
    g.distanceKm = distanceKm;
    g.effectiveEarthRadiusKm = ae;
    g.thetaTMrad = horizonElevationMrad(site1, ae);
    g.thetaRMrad = horizonElevationMrad(site2, ae);
    g.antennaHeight1M = 1000 * nonZero(site1.antennaHeightKm);
    g.antennaHeight2M = 1000 * nonZero(site2.antennaHeightKm);
    return g;
}

}  // namespace tropolink::itur
