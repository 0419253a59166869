#include "p2001/great_circle.h"

#include <cmath>

#include "p2001/constants.h"

namespace tropolink::p2001 {
namespace {

constexpr double kRadPerDeg = kPi / 180;
constexpr double kCoincident = 1e-9;  // below it the bearing is undefined

double sind(double x) { return std::sin(x * kRadPerDeg); }
double cosd(double x) { return std::cos(x * kRadPerDeg); }

}  // namespace

GreatCircle greatCircle(GeoPoint tx, GeoPoint rx) {
    const double dLon = rx.lonDeg - tx.lonDeg;
    const double r = sind(tx.latDeg) * sind(rx.latDeg) + cosd(tx.latDeg) * cosd(rx.latDeg) * cosd(dLon);
    // Rounding can take r a hair beyond ±1 for coincident or antipodal terminals.
    const double phiD = std::acos(std::fmax(-1.0, std::fmin(1.0, r)));
    const double x1 = sind(rx.latDeg) - r * sind(tx.latDeg);
    const double y1 = cosd(tx.latDeg) * cosd(rx.latDeg) * sind(dLon);
    GreatCircle g;
    g.tx = tx;
    g.lengthKm = phiD * kEarthRadiusKm;
    g.bearingDeg =
        std::fabs(x1) < kCoincident && std::fabs(y1) < kCoincident ? rx.lonDeg : std::atan2(y1, x1) / kRadPerDeg;
    return g;
}

GeoPoint pointAlong(const GreatCircle& g, double dKm) {
    const double phiPnt = dKm / kEarthRadiusKm;
    const double s = sind(g.tx.latDeg) * std::cos(phiPnt) + cosd(g.tx.latDeg) * std::sin(phiPnt) * cosd(g.bearingDeg);
    const double lat = std::asin(std::fmax(-1.0, std::fmin(1.0, s))) / kRadPerDeg;
    const double x2 = std::cos(phiPnt) - s * sind(g.tx.latDeg);
    const double y2 = cosd(g.tx.latDeg) * std::sin(phiPnt) * sind(g.bearingDeg);
    // The method's guard for the degenerate case (signed, as the method has it).
    const double lon =
        x2 < kCoincident && y2 < kCoincident ? g.bearingDeg : g.tx.lonDeg + std::atan2(y2, x2) / kRadPerDeg;
    return {lon, lat};
}

double wrapLongitude(double lonDeg) {
    double lon = std::fmod(lonDeg, 360.0);
    if (lon > 180) lon -= 360;
    if (lon <= -180) lon += 360;
    return lon;
}

}  // namespace tropolink::p2001
