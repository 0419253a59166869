#include "random_paths.h"

#include <algorithm>
#include <cmath>

namespace tropolink::p2001::testing_support {
namespace {

struct Range {
    double lo;
    double hi;
};

// The maps' observed ranges; widened, 50 % beyond each bound.
Range range(Range observed, MapRange r) {
    if (r == MapRange::Observed) return observed;
    const auto widen = [](double v, double towards) { return v + 0.5 * std::fabs(v) * towards; };
    return {widen(observed.lo, -1), widen(observed.hi, 1)};
}

}  // namespace

double RandomPaths::logUniform(double lo, double hi) { return std::exp(uniform(std::log(lo), std::log(hi))); }

PathInput RandomPaths::path() {
    PathInput p;
    const int n = integer(0, 9) == 0 ? integer(11, 2001) : integer(11, 300);
    const double lengthKm = integer(0, 19) == 0 ? logUniform(0.05, 3) : logUniform(3, 1500);
    const bool even = integer(0, 1) == 0;
    std::vector<double> steps(static_cast<std::size_t>(n - 1));
    for (double& s : steps) s = even ? 1 : logUniform(0.05, 20);
    double total = 0;
    for (const double s : steps) total += s;
    p.distanceKm.push_back(0);
    for (const double s : steps) p.distanceKm.push_back(p.distanceKm.back() + s * lengthKm / total);
    p.distanceKm.back() = lengthKm;

    // Terrain: flat, rolling, or rough with cliffs; sometimes below sea level.
    const int kind = integer(0, 3);
    const double base = integer(0, 9) == 0 ? uniform(-400, 0) : uniform(0, 3000);
    const double amplitude = kind == 0 ? 0 : logUniform(1, kind == 3 ? 3000 : 800);
    const double wave = logUniform(0.5, 200);
    double walk = 0;
    for (const double d : p.distanceKm) {
        walk += kind == 3 ? uniform(-1, 1) * amplitude * 0.3 : 0;
        p.heightM.push_back(base + amplitude * std::sin(d / wave + uniform(0, kind == 2 ? 0.5 : 0)) + walk);
    }
    // Zones in runs.
    int zone = std::array<int, 3>{1, 3, 4}[static_cast<std::size_t>(integer(0, 2))];
    for (std::size_t i = 0; i < p.distanceKm.size(); ++i) {
        if (integer(0, 40) == 0) zone = std::array<int, 3>{1, 3, 4}[static_cast<std::size_t>(integer(0, 2))];
        p.zone.push_back(zone);
        if (zone == 1 && kind != 0 && integer(0, 1) == 0) p.heightM[i] = 0;
    }
    p.tx = {uniform(-180, 180), uniform(-90, 90), logUniform(0.1, 1000), uniform(-10, 50)};
    p.rx = {uniform(-180, 180), uniform(-90, 90), logUniform(0.1, 1000), uniform(-10, 50)};
    if (integer(0, 1) == 0) {
        // Terminals about as far apart as the profile says.
        const double bearing = uniform(0, 6.283185307179586);
        const double arcDeg = lengthKm / 111.19;
        p.rx.latDeg = std::clamp(p.tx.latDeg + arcDeg * std::cos(bearing), -90.0, 90.0);
        p.rx.lonDeg = std::remainder(p.tx.lonDeg + arcDeg * std::sin(bearing), 360.0);
    }
    p.polarisation = integer(0, 1) == 0 ? Polarisation::Vertical : Polarisation::Horizontal;
    return p;
}

PathInput RandomPaths::gentlePath() {
    PathInput p;
    const int n = integer(50, 500);
    const double lengthKm = logUniform(5, 800);
    const double base = uniform(0, 1000);
    const double amplitude = uniform(0, 1500);
    const double wave = logUniform(2, 100);
    const double phase = uniform(0, 6.283185307179586);
    for (int i = 0; i < n; ++i) {
        const double d = lengthKm * i / (n - 1);
        p.distanceKm.push_back(d);
        p.heightM.push_back(base + amplitude * (0.5 + 0.5 * std::sin(d / wave + phase)));
        p.zone.push_back(4);
    }
    p.tx = {uniform(-30, 30), uniform(-60, 60), logUniform(5, 300), uniform(0, 40)};
    p.rx = {p.tx.lonDeg + lengthKm / 111.19, p.tx.latDeg, logUniform(5, 300), uniform(0, 40)};
    p.polarisation = integer(0, 1) == 0 ? Polarisation::Vertical : Polarisation::Horizontal;
    return p;
}

MapValues RandomPaths::maps(MapRange r) {
    const auto pick = [&](Range observed) {
        const Range w = range(observed, r);
        return uniform(w.lo, w.hi);
    };
    MapValues m;
    m.dnMedian = pick({24.6, 79.9});
    m.dnSupSlope = pick({5.5, 49.2});
    m.dnSubSlope = pick({2.8, 43.8});
    m.dndz01 = pick({-1795, -58.5});
    m.surfwvMid = pick({0, 23.1});
    m.surfwvTx = pick({0, 23.1});
    m.surfwvRx = pick({0, 23.1});
    // foEs exceeded more often is lower, as on the maps.
    for (FoEsMapValues* f : {&m.foEsMid, &m.foEsQuarter, &m.foEsThreeQuarter}) {
        (*f)[3] = pick({1.95, 4.25});
        (*f)[2] = std::max(pick({2.9, 7.5}), (*f)[3]);
        (*f)[1] = std::max(pick({4.9, 12.8}), (*f)[2]);
        (*f)[0] = std::max(pick({6.1, 20.4}), (*f)[1]);
    }
    for (RainMapValues* rain : {&m.rainMid, &m.rainTxSegment, &m.rainRxSegment}) {
        // Some points see no rain at all.
        rain->pr6Percent = integer(0, 9) == 0 ? 0 : std::min(pick({0, 93.9}), 100.0);
        rain->mtMm = pick({0.02, 6034});
        rain->betaRain = std::min(pick({0, 0.78}), 1.0);
        rain->h0Km = pick({0.006, 6.28});
    }
    m.tropoClimCommonVolume = integer(0, 6);
    m.tropoClimTx = integer(0, 6);
    m.tropoClimRx = integer(0, 6);
    return m;
}

double RandomPaths::frequencyGhz() {
    switch (integer(0, 9)) {
        case 0:
            return 0.03;
        case 1:
            return 50;
        default:
            return logUniform(0.03, 50);
    }
}

double RandomPaths::percent() {
    switch (integer(0, 9)) {
        case 0:
            return logUniform(1e-9, 1e-3);
        case 1:
            return 100 - logUniform(1e-9, 1e-3);
        case 2:
            return 50;
        default:
            return std::clamp(uniform(0, 100), 1e-9, 100 - 1e-9);
    }
}

RandomCase RandomPaths::next(MapRange r) {
    RandomCase c;
    c.path = path();
    c.maps = maps(r);
    c.fGhz = frequencyGhz();
    c.tpc = percent();
    return c;
}

}  // namespace tropolink::p2001::testing_support
