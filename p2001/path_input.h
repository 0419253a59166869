#pragma once

#include <array>
#include <vector>

// What one path of the complete P.2001 method is made of: the profile, the two
// terminals and the values read from the ITU's maps. Plain data; the checks
// live in input_check.h.
namespace tropolink::p2001 {

// Profile zone codes.
enum class Zone : int { Sea = 1, CoastalLand = 3, Inland = 4 };

enum class Polarisation { Horizontal = 0, Vertical = 1 };

struct Terminal {
    double lonDeg = 0;          // east positive, −180 … 180
    double latDeg = 0;          // north positive, −90 … 90
    double antennaHeightM = 0;  // above ground, > 0
    double gainDbi = 0;         // towards the other terminal
};

// Station 1 is the transmitter: the method is not reciprocal.
struct PathInput {
    std::vector<double> distanceKm;  // from the transmitter, 0 first, strictly ascending
    std::vector<double> heightM;     // ground above sea level
    std::vector<int> zone;           // 1, 3 or 4 (Zone)
    Terminal tx;
    Terminal rx;
    Polarisation polarisation = Polarisation::Vertical;
};

// The four rain maps at one point.
struct RainMapValues {
    double pr6Percent = 0;  // Esarain_Pr6: % of an average 6-hour period with rain
    double mtMm = 0;        // Esarain_Mt: mean annual rainfall
    double betaRain = 0;    // Esarain_Beta: convective fraction
    double h0Km = 0;        // h0: mean 0 °C isotherm height
};

// foEs exceeded 0.1, 1, 10 and 50 % of the time at one point (MHz).
using FoEsMapValues = std::array<double, 4>;

// Every value the method reads from the 14 maps, at the points where it
// reads them (map_lookups.h lists the points). Tests inject these.
struct MapValues {
    // At the path's mid-point.
    double dnMedian = 0;    // DN_Median: S_dN, N-units/km
    double dnSupSlope = 0;  // DN_SupSlope
    double dnSubSlope = 0;  // DN_SubSlope
    double dndz01 = 0;      // dndz_01: dN/dz of the lowest 65 m not exceeded 1 %
    double surfwvMid = 0;   // surfwv_50_fixed, g/m³
    FoEsMapValues foEsMid{};
    // At the terminals.
    double surfwvTx = 0;
    double surfwvRx = 0;
    // At a quarter and three quarters of the path (two-hop sporadic-E).
    FoEsMapValues foEsQuarter{};
    FoEsMapValues foEsThreeQuarter{};
    // Rain: the mid-point, and the mid-points of the segments from each
    // terminal to the troposcatter common volume.
    RainMapValues rainMid;
    RainMapValues rainTxSegment;
    RainMapValues rainRxSegment;
    // TropoClim zones (0 … 6) at the common volume and at each terminal.
    int tropoClimCommonVolume = 0;
    int tropoClimTx = 0;
    int tropoClimRx = 0;
};

}  // namespace tropolink::p2001
