#include "obvious_route.h"

#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "io/input_file.h"
#include "terrain/geodesic_path.h"

namespace tropolink::terrain::obvious {
namespace {

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string plain(double value) {
    std::string text = fixed(value, 3);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

std::string point(double km, Site at) {
    return fixed(km, 3) + " km from site 1 (" + fixed(at.latDeg, 6) + ", " + fixed(at.lonDeg, 6) + ")";
}

std::size_t pointsFor(double lengthM, double stepM) {
    const double steps = std::floor(lengthM / stepM);
    return static_cast<std::size_t>(steps) + (lengthM - steps * stepM < 1e-6 ? 1 : 2);
}

double defaultStep(const DemSet& dems, const GeodesicPath& path) {
    const double lengthM = path.lengthKm() * 1000;
    const double midLat = path.at(path.lengthKm() / 2).latDeg;
    std::optional<double> finest;
    for (long i = 0; i <= static_cast<long>(std::ceil(lengthM / 1000)); ++i) {
        const Site at = path.at(std::min(static_cast<double>(i) * 1000, lengthM) / 1000);
        if (const DemRaster* raster = dems.rasterAt(at.latDeg, at.lonDeg))
            finest = std::min(finest.value_or(INFINITY), raster->postSpacingM(midLat));
    }
    if (!finest) {  // the meridian's length over 3"
        double metres = 0;
        GeographicLib::Geodesic::WGS84().Inverse(midLat - 1.5 / 3600, 0, midLat + 1.5 / 3600, 0, metres);
        finest = metres;
    }
    return std::max(1.0, std::floor(*finest));
}

std::optional<Refusal> tooManyPoints(double lengthM, double stepM) {
    const std::size_t n = pointsFor(lengthM, stepM);
    if (n <= 100000) return std::nullopt;
    return Refusal{"a step of " + plain(stepM) + " m needs " + std::to_string(n) + " points on this " +
                       fixed(lengthM / 1000, 3) + " km path (allowed: at most 100000 points; the smallest step for "
                       "this path is " + plain(std::ceil(lengthM / 99999)) + " m)",
                   TerrainError::Kind::Refused};
}

void note(GapReport& report, double km, Site at) {
    if (!report.first) report.first = GapPoint{km, at.latDeg, at.lonDeg};
    ++report.count;
}

}  // namespace

std::variant<PathProfile, Refusal> route(const DemSet& dems, Site from, Site to, const ProfileOptions& options) {
    std::optional<GeodesicPath> made;
    try {
        made.emplace(from, to);
    } catch (const TerrainError& e) {
        return Refusal{e.what(), e.kind()};
    }
    const GeodesicPath& path = *made;
    const double lengthM = path.lengthKm() * 1000;
    if (path.lengthKm() < 1 || path.lengthKm() > 2000)
        return Refusal{"the path is " + fixed(path.lengthKm(), 3) + " km long (allowed: 1 to 2000 km)",
                       TerrainError::Kind::Refused};
    if (options.stepM && !(*options.stepM >= 1 && *options.stepM <= 10000))
        return Refusal{"step " + plain(*options.stepM) + " m (allowed: 1 to 10000 m)", TerrainError::Kind::Refused};
    if (options.stepM)
        if (auto refusal = tooManyPoints(lengthM, *options.stepM)) return *refusal;
    const double stepM = options.stepM ? *options.stepM : defaultStep(dems, path);
    if (auto refusal = tooManyPoints(lengthM, stepM)) return *refusal;

    PathProfile p;
    p.lengthKm = path.lengthKm();
    p.azimuth1Deg = path.azimuth1Deg();
    p.azimuth2Deg = path.azimuth2Deg();
    p.stepM = stepM;
    const std::size_t count = pointsFor(lengthM, stepM);
    std::vector<bool> isVoid;
    for (std::size_t i = 0; i < count; ++i) {
        const bool last = i + 1 == count;
        const double km = last ? path.lengthKm() : static_cast<double>(i) * stepM / 1000;
        const Site at = i == 0 ? from : last ? to : path.at(km);
        const Elevation e = dems.heightAt(at.latDeg, at.lonDeg);
        double h = e.heightM;
        if (e.status == Elevation::Status::Ok) {
            if (std::find(p.demFilesUsed.begin(), p.demFilesUsed.end(), e.raster->name()) == p.demFilesUsed.end())
                p.demFilesUsed.push_back(e.raster->name());
        } else if (e.status == Elevation::Status::Invalid) {
            char number[32];
            std::snprintf(number, sizeof number, "%g", e.heightM);
            return Refusal{"DEM " + printablePath(e.raster->name()) + ": height " + number + " m near " +
                               point(km, at) + " (allowed: -1000 to 15000 m, the heights of the ground)",
                           TerrainError::Kind::Refused};
        } else if (e.status == Elevation::Status::Void) {
            if (!options.fillVoids)
                return Refusal{"elevation void in " + printablePath(e.raster->name()) + " at " + point(km, at) +
                                   " (voids may be filled along the path)",
                               TerrainError::Kind::Gap};
        } else {
            if (!options.seaWhereMissing)
                return Refusal{"no elevation data at " + point(km, at) +
                                   (e.missing.empty() ? ": no DEM covers it" : ": " + e.missing) +
                                   " (points no DEM covers may be taken as sea)",
                               TerrainError::Kind::Gap};
            h = 0;
            note(p.sea, km, at);
        }
        isVoid.push_back(e.status == Elevation::Status::Void);
        p.distanceKm.push_back(km);
        p.heightM.push_back(h);
        p.latDeg.push_back(at.latDeg);
        p.lonDeg.push_back(at.lonDeg);
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (!isVoid[i]) continue;
        std::size_t end = i;
        while (end < count && isVoid[end]) ++end;
        if (i == 0 || end == count) {
            const std::size_t at = i == 0 ? end - 1 : i;
            return Refusal{"elevation void at " + point(p.distanceKm[at], {p.latDeg[at], p.lonDeg[at]}) +
                               " reaches the end of the path: no valid point toward site " + (i == 0 ? "1" : "2") +
                               " to fill it from",
                           TerrainError::Kind::Gap};
        }
        const double d0 = p.distanceKm[i - 1], h0 = p.heightM[i - 1], d1 = p.distanceKm[end], h1 = p.heightM[end];
        for (std::size_t k = i; k < end; ++k) {
            p.heightM[k] = h0 + (h1 - h0) * (p.distanceKm[k] - d0) / (d1 - d0);
            note(p.voids, p.distanceKm[k], {p.latDeg[k], p.lonDeg[k]});
        }
        i = end;
    }
    return p;
}

}  // namespace tropolink::terrain::obvious
