#pragma once

#include "p2001/path_input.h"

// Diffraction over a smooth spherical earth, mixed land and sea.
namespace tropolink::p2001 {

struct SphericalEarthInput {
    double dKm = 0;
    double hteM = 0;  // effective antenna heights above the smooth surface, > 0
    double hreM = 0;
    double aKm = 0;  // effective earth radius for p %
    double fGhz = 0;
    double lambdaM = 0;
    double seaFraction = 0;
    Polarisation polarisation = Polarisation::Vertical;
};

// First-term loss on an earth of radius aKm, dB (may be negative).
double firstTermLossDb(const SphericalEarthInput& in, double aKm);

// The spherical-earth diffraction loss L_dsph, dB.
double sphericalEarthLossDb(const SphericalEarthInput& in);

}  // namespace tropolink::p2001
