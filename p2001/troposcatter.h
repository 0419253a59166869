#pragma once

#include "p2001/path_geometry.h"

// Troposcatter: scattering from turbulence in the common volume of the two
// antennas' beams.
namespace tropolink::p2001 {

// The zone used (0 … 6): the common volume's, or where that is sea (0) the
// terminals' (the smaller of two land zones).
int troposcatterZone(int atCommonVolume, int atTx, int atRx);

// The parts that depend on the path alone.
struct ScatterPath {
    int zone = 0;
    double thetaMrad = 0;  // scatter angle
    double hTropKm = 0;    // height of the scatter above the chord
    double dsKm = 0;       // scatter distance
    double distanceLossDb = 0;
    double couplingLossDb = 0;
    double medianDb = 0;  // zone constant M
};

ScatterPath scatterPath(const PathGeometry& g, int zone, double gtDbi, double grDbi);

// Y90 (dB, negative), at fGhz.
double y90Db(const ScatterPath& s, double fGhz);

// The loss not exceeded p % of the time, before the free-space floor, dB.
double troposcatterLossDb(const ScatterPath& s, double fGhz, double y90, double p);

}  // namespace tropolink::p2001
