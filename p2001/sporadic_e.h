#pragma once

#include "p2001/path_geometry.h"
#include "p2001/path_input.h"

// Sporadic-E: reflection from patches of intense ionisation in the E layer,
// by one hop or two.
namespace tropolink::p2001 {

// foEs for limited percentage p from the four maps' values at a point,
// interpolated in log p (and extrapolated beyond 0.1 and 50 %).
double foEsMhz(const FoEsMapValues& maps, double p);

struct HopGeometry {
    double freeSpaceDistanceKm = 0;  // the slant path up to the layer and down
    double nuTx = 0;                 // diffraction parameter at each terminal, without the frequency
    double nuRx = 0;
};

struct SporadicEPath {
    HopGeometry oneHop;
    HopGeometry twoHop;
};

SporadicEPath sporadicEPath(const PathGeometry& g);

struct HopLoss {
    double ionosphericDb = 0;  // Γ
    double txDiffractionDb = 0;
    double rxDiffractionDb = 0;
    double lossDb = 0;
};

struct SporadicELoss {
    HopLoss oneHop;
    HopLoss twoHop;
    double lossDb = 0;  // the two hops combined
};

SporadicELoss sporadicELoss(const SporadicEPath& s, double dKm, double fGhz, double foEs1HopMhz, double foEs2HopMhz);

}  // namespace tropolink::p2001
