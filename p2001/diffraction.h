#pragma once

#include "p2001/bullington.h"
#include "p2001/spherical_earth.h"

// Delta-Bullington diffraction: the actual profile's Bullington loss, plus
// whatever spherical-earth loss its smooth version misses.
namespace tropolink::p2001 {

struct DiffractionLoss {
    BullingtonLoss actual;
    BullingtonLoss smooth;
    double sphericalDb = 0;
    double lossDb = 0;  // L_d
};

// The two Bullington points for p %, and the smooth earth (radius for p %)
// at the wavelength.
DiffractionLoss diffractionLoss(const BullingtonPoint& actual, const BullingtonPoint& smooth,
                                const SphericalEarthInput& earth);

}  // namespace tropolink::p2001
