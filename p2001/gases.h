#pragma once

// Gaseous absorption by oxygen and water vapour, with and without rain.
namespace tropolink::p2001 {

struct SpecificAttenuation {
    double oxygenDbPerKm = 0;
    double waterDbPerKm = 0;      // at the surface water-vapour density
    double waterRainDbPerKm = 0;  // at the higher density under rain
};

// At surface density rhoSur (g/m³) and ground height hSurM.
SpecificAttenuation specificAttenuation(double fGhz, double rhoSur, double hSurM);

struct GasLoss {
    double oxygenDb = 0;
    double waterDb = 0;
    double waterRainDb = 0;
};

// Along the surface path of length dKm between antennas at htsM and hrsM.
GasLoss surfacePathGasLoss(const SpecificAttenuation& gamma, double dKm, double htsM, double hrsM);

// Along a segment from a terminal at ground height hSurM, elevation
// thetaElMrad (≥ 0), dKm long.
GasLoss segmentGasLoss(const SpecificAttenuation& gamma, double hSurM, double thetaElMrad, double dKm);

}  // namespace tropolink::p2001
