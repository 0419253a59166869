#pragma once

#include "p2001/path_input.h"

// Rain specific attenuation γ = k·R^α (dB/km, R in mm/h), from the ITU's
// fitted coefficients, for a path at elevation εRad.
namespace tropolink::p2001 {

struct RainCoefficients {
    double k = 0;
    double alpha = 0;
};

// Below 1 GHz k scales with f from its 1 GHz value and α keeps that value.
RainCoefficients rainCoefficients(double fGhz, double elevationRad, Polarisation polarisation);

}  // namespace tropolink::p2001
