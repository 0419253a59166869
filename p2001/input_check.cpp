#include "p2001/input_check.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "p2001/constants.h"

namespace tropolink::p2001 {
namespace {

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

[[noreturn]] void refuse(const std::string& input, std::string_view allowed, const std::string& got) {
    throw InputError(input, input + " must be " + std::string(allowed) + "; got " + got);
}

void requireRange(const std::string& input, double v, double lo, double hi, std::string_view allowed) {
    if (!(v >= lo && v <= hi)) refuse(input, allowed, number(v));
}

void requireFinite(const std::string& input, double v) {
    if (!std::isfinite(v)) refuse(input, "a finite number", number(v));
}

void checkTerminal(const std::string& name, const Terminal& t) {
    requireRange(name + " longitude", t.lonDeg, -180, 180, "from -180 to 180 degrees");
    requireRange(name + " latitude", t.latDeg, -90, 90, "from -90 to 90 degrees");
    if (!(t.antennaHeightM > 0 && std::isfinite(t.antennaHeightM))) {
        refuse(name + " antenna height", "above 0 m (above ground)", number(t.antennaHeightM));
    }
    requireFinite(name + " gain", t.gainDbi);
}

std::string point(std::size_t i) { return "profile point " + std::to_string(i + 1); }

void checkRain(const std::string& where, const RainMapValues& r) {
    requireRange("Esarain_Pr6 at " + where, r.pr6Percent, 0, 100, "from 0 to 100 %");
    requireRange("Esarain_Mt at " + where, r.mtMm, 0, HUGE_VAL, "0 mm or more");
    requireRange("Esarain_Beta at " + where, r.betaRain, 0, 1, "from 0 to 1");
    requireFinite("h0 at " + where, r.h0Km);
}

void checkFoEs(const std::string& where, const FoEsMapValues& f) {
    static constexpr std::array<std::string_view, 4> kNames{"FoEs0.1", "FoEs01", "FoEs10", "FoEs50"};
    for (std::size_t i = 0; i < f.size(); ++i) {
        requireRange(std::string(kNames[i]) + " at " + where, f[i], 0x1p-1022, HUGE_VAL, "above 0 MHz");
    }
}

void checkZone(const std::string& where, int zone) {
    if (zone < 0 || zone > 6) refuse("TropoClim at " + where, "a zone from 0 to 6", std::to_string(zone));
}

}  // namespace

void checkPath(const PathInput& path) {
    const std::size_t n = path.distanceKm.size();
    if (path.heightM.size() != n || path.zone.size() != n) {
        refuse("profile", "distances, heights and zones of equal count",
               std::to_string(n) + ", " + std::to_string(path.heightM.size()) + " and " +
                   std::to_string(path.zone.size()));
    }
    if (n < static_cast<std::size_t>(kMinProfilePoints)) {
        refuse("profile", "more than 10 points", std::to_string(n));
    }
    if (path.distanceKm[0] != 0)
        refuse(point(0), "at distance 0 km (the transmitter)", number(path.distanceKm[0]) + " km");
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && !(path.distanceKm[i] > path.distanceKm[i - 1] && std::isfinite(path.distanceKm[i]))) {
            refuse(point(i), "farther than the point before it",
                   number(path.distanceKm[i]) + " km after " + number(path.distanceKm[i - 1]) + " km");
        }
        if (!std::isfinite(path.heightM[i])) refuse(point(i) + " height", "a finite number", number(path.heightM[i]));
        const int z = path.zone[i];
        if (z != 1 && z != 3 && z != 4) {
            refuse(point(i) + " zone", "1 (sea), 3 (coastal land) or 4 (inland)", std::to_string(z));
        }
    }
    checkTerminal("transmitter", path.tx);
    checkTerminal("receiver", path.rx);
    if (path.polarisation != Polarisation::Horizontal && path.polarisation != Polarisation::Vertical) {
        refuse("polarisation", "horizontal or vertical", std::to_string(static_cast<int>(path.polarisation)));
    }
}

void checkMedianGradient(double dnMedian) {
    // Below 157 N-units/km the effective earth radius is positive.
    if (!(dnMedian < kRefractivityBase && std::isfinite(dnMedian))) {
        refuse("DN_Median at the mid-point", "below 157 N-units/km", number(dnMedian));
    }
}

void checkMapValues(const MapValues& m) {
    checkMedianGradient(m.dnMedian);
    requireFinite("DN_SupSlope at the mid-point", m.dnSupSlope);
    requireFinite("DN_SubSlope at the mid-point", m.dnSubSlope);
    requireFinite("dndz_01 at the mid-point", m.dndz01);
    requireRange("surfwv_50_fixed at the mid-point", m.surfwvMid, 0, HUGE_VAL, "0 g/m3 or more");
    requireRange("surfwv_50_fixed at the transmitter", m.surfwvTx, 0, HUGE_VAL, "0 g/m3 or more");
    requireRange("surfwv_50_fixed at the receiver", m.surfwvRx, 0, HUGE_VAL, "0 g/m3 or more");
    checkFoEs("the mid-point", m.foEsMid);
    checkFoEs("a quarter of the path", m.foEsQuarter);
    checkFoEs("three quarters of the path", m.foEsThreeQuarter);
    checkRain("the mid-point", m.rainMid);
    checkRain("the transmitter's segment", m.rainTxSegment);
    checkRain("the receiver's segment", m.rainRxSegment);
    checkZone("the common volume", m.tropoClimCommonVolume);
    checkZone("the transmitter", m.tropoClimTx);
    checkZone("the receiver", m.tropoClimRx);
}

void checkFrequency(double f) {
    requireRange("frequency", f, kMinFrequencyGhz, kMaxFrequencyGhz, "from 0.03 to 50 GHz");
}

void checkPercent(double p) {
    if (!(p > 0 && p < 100)) refuse("percentage", "strictly between 0 and 100 %", number(p));
}

}  // namespace tropolink::p2001
