#pragma once

// Great-circle geometry between the two terminals, on the method's spherical
// earth of 6 371 km. Angles in degrees.
namespace tropolink::p2001 {

struct GeoPoint {
    double lonDeg = 0;
    double latDeg = 0;
};

struct GreatCircle {
    GeoPoint tx;
    double bearingDeg = 0;  // Tx → Rx, east of north
    double lengthKm = 0;    // from the coordinates (the path length comes from the profile)
};

GreatCircle greatCircle(GeoPoint tx, GeoPoint rx);

// The point dKm from the transmitter along the great circle. Its longitude
// may leave [−180, 180] on a path across the antimeridian; see wrapLongitude.
GeoPoint pointAlong(const GreatCircle& path, double dKm);

// Into (−180, 180], for map look-ups.
double wrapLongitude(double lonDeg);

}  // namespace tropolink::p2001
