#pragma once

// Terms that both methods share.
namespace tropolink::itur {

// Troposcatter coupling loss of two antennas of gains gt and gr (dBi), dB.
double couplingLossDb(double gtDbi, double grDbi);

// Free-space basic transmission loss, dB (f in GHz, d in km): the floor of
// both methods.
double freeSpaceLossDb(double fGhz, double dKm);

}  // namespace tropolink::itur
