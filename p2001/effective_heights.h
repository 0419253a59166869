#pragma once

#include <span>

// The least-squares smooth surface under the profile and the terminals'
// effective heights above it (m).
namespace tropolink::p2001 {

struct SmoothSurface {
    double hStipM = 0;   // smooth surface at the transmitter
    double hSripM = 0;   // and at the receiver
    double hStipaM = 0;  // the same, not above the ground
    double hSripaM = 0;
    double slopeMPerKm = 0;  // m_ses
};

struct EffectiveHeights {
    SmoothSurface surface;
    double hteaM = 0;  // for anomalous propagation
    double hreaM = 0;
    double hmM = 0;    // roughness between the horizon points
    double htepM = 0;  // for diffraction
    double hrepM = 0;
};

// iLt, iLr: 0-based horizon indices.
EffectiveHeights effectiveHeights(std::span<const double> dKm, std::span<const double> hM, double htsM, double hrsM,
                                  int iLt, int iLr);

}  // namespace tropolink::p2001
