#include "p2001/path_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "p2001/constants.h"
#include "p2001/zone_runs.h"

namespace tropolink::p2001 {
namespace {

constexpr double kMPerKm = 1000;
constexpr double kRadPerMrad = 0.001;

// Ground height at the middle of the profile: the middle point, or the mean of
// the two middle points.
double midHeightM(const std::vector<double>& h) {
    const std::size_t n = h.size();
    if (n % 2 == 1) return h[(n - 1) / 2];
    return 0.5 * (h[n / 2 - 1] + h[n / 2]);
}

// Where the terminals' horizon rays cross, each raised by half the path's
// angular distance.
CommonVolume commonVolume(const PathGeometry& g) {
    const double thetaTpos = std::max(g.horizon.thetaTMrad, 0.0);
    const double thetaRpos = std::max(g.horizon.thetaRMrad, 0.0);
    const double elevationT = kRadPerMrad * thetaTpos + 0.5 * g.thetaERad;
    const double elevationR = kRadPerMrad * thetaRpos + 0.5 * g.thetaERad;
    CommonVolume v;
    // At 90° a ray's tangent leaves the reals, and beyond it turns negative:
    // the crossing's limit as the ray steepens to the vertical is over its
    // terminal.
    const bool verticalT = elevationT >= kPi / 2;
    const bool verticalR = elevationR >= kPi / 2;
    if (verticalT && verticalR) {
        v.place = VolumePlace::Nowhere;
        v.dTcvKm = 0.5 * g.dKm;
    } else if (verticalT || verticalR) {
        v.place = verticalT ? VolumePlace::OverTx : VolumePlace::OverRx;
        v.dTcvKm = verticalT ? 0 : g.dKm;
    } else {
        const double tanT = std::tan(elevationT);
        const double tanR = std::tan(elevationR);
        const double raw = (g.dKm * tanR - kRadPerMrad * (g.htsM - g.hrsM)) / (tanT + tanR);
        // Clamped to the path (only rounding takes it beyond).
        v.dTcvKm = std::clamp(raw, 0.0, g.dKm);
        if (v.dTcvKm == 0) v.place = VolumePlace::OverTx;
        if (v.dTcvKm == g.dKm) v.place = VolumePlace::OverRx;
    }
    v.dRcvKm = g.dKm - v.dTcvKm;
    v.heightM =
        g.htsM + kMPerKm * v.dTcvKm * std::tan(kRadPerMrad * thetaTpos) + kMPerKm * v.dTcvKm * v.dTcvKm / (2 * g.aeKm);
    v.at = pointAlong(g.circle, v.dTcvKm);
    v.txSegmentMid = pointAlong(g.circle, 0.5 * v.dTcvKm);
    v.rxSegmentMid = pointAlong(g.circle, g.dKm - 0.5 * v.dRcvKm);
    return v;
}

}  // namespace

double medianEarthRadiusKm(double dnMedian) {
    return kRefractivityBase * kEarthRadiusKm / (kRefractivityBase - dnMedian);
}

PathGeometry pathGeometry(const PathInput& path, double dnMedian) {
    const std::vector<double>& d = path.distanceKm;
    const std::vector<double>& h = path.heightM;
    PathGeometry g;
    g.points = static_cast<int>(d.size());
    g.dKm = d.back();
    g.circle = greatCircle({path.tx.lonDeg, path.tx.latDeg}, {path.rx.lonDeg, path.rx.latDeg});
    g.mid = pointAlong(g.circle, 0.5 * g.dKm);
    g.quarter = pointAlong(g.circle, 0.25 * g.dKm);
    g.threeQuarter = pointAlong(g.circle, 0.75 * g.dKm);
    g.hMidM = midHeightM(h);
    g.seaFraction = zoneFraction(d, path.zone, static_cast<int>(Zone::Sea));

    g.h1M = h.front();
    g.hnM = h.back();
    g.htsM = path.tx.antennaHeightM + g.h1M;
    g.hrsM = path.rx.antennaHeightM + g.hnM;
    g.hhiM = std::max(g.htsM, g.hrsM);
    g.hloM = std::min(g.htsM, g.hrsM);
    g.slopeMrad = (g.hhiM - g.hloM) / g.dKm;

    g.nd1km50 = -dnMedian;
    g.aeKm = medianEarthRadiusKm(dnMedian);
    g.thetaERad = g.dKm / g.aeKm;

    g.horizon = horizons(d, h, g.htsM, g.hrsM, g.aeKm);
    g.heights = effectiveHeights(d, h, g.htsM, g.hrsM, g.horizon.iLt, g.horizon.iLr);
    g.volume = commonVolume(g);

    g.dTmKm = longestZoneRunKm(d, path.zone, {static_cast<int>(Zone::CoastalLand), static_cast<int>(Zone::Inland)});
    g.dLmKm = longestZoneRunKm(d, path.zone, {static_cast<int>(Zone::Inland)});
    const CoastDistances coast = coastDistances(d, path.zone);
    g.dCtKm = coast.txKm;
    g.dCrKm = coast.rxKm;
    return g;
}

}  // namespace tropolink::p2001
