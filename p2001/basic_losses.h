#pragma once

// The two losses several sub-models share.
namespace tropolink::p2001 {

// Free-space basic transmission loss over dKm at fGhz, dB.
double freeSpaceLossDb(double fGhz, double dKm);

// Knife-edge diffraction loss J(ν), dB: 0 where ν ≤ −0.78.
double knifeEdgeLossDb(double nu);

}  // namespace tropolink::p2001
