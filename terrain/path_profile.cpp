#include "terrain/path_profile.h"

#include <GeographicLib/Geodesic.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "profile/profile_csv.h"
#include "terrain/dem_sampler.h"
#include "terrain/geodesic_path.h"
#include "io/input_file.h"
#include "terrain/terrain_error.h"

namespace tropolink::terrain {
namespace {

constexpr double kMetresPerKm = 1000;
// The path is probed this often to find the DEMs it meets, for the default
// step; a DEM that holds less of the path may go unnoticed, at no great loss.
constexpr double kProbeStepM = 1000;
// When no DEM meets the path (open sea), the step of 3" SRTM.
constexpr double kFallbackSpacingDeg = 3.0 / 3600;
// A length within this of a whole number of steps ends on a step.
constexpr double kStepToleranceM = 1e-6;

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// Up to three decimals, without trailing zeros: 92, 2.5, 0.125.
std::string plain(double value) {
    std::string text = fixed(value, 3);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

// Any height a raster may hold, in few characters: 32767, 1e+30, inf.
std::string shortNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string pointName(double distanceKm, double latDeg, double lonDeg) {
    return fixed(distanceKm, 3) + " km from site 1 (" + fixed(latDeg, 6) + ", " + fixed(lonDeg, 6) + ")";
}

std::size_t pointsFor(double lengthM, double stepM) {
    const double steps = std::floor(lengthM / stepM);
    const bool endsOnStep = lengthM - steps * stepM < kStepToleranceM;
    return static_cast<std::size_t>(steps) + (endsOnStep ? 1 : 2);
}

double meridianMetres(double latDeg, double spanDeg) {
    double metres = 0;
    GeographicLib::Geodesic::WGS84().Inverse(latDeg - spanDeg / 2, 0, latDeg + spanDeg / 2, 0, metres);
    return metres;
}

double defaultStepM(DemSampler& dems, const GeodesicPath& path) {
    const double lengthM = path.lengthKm() * kMetresPerKm;
    const double midLatDeg = path.at(path.lengthKm() / 2).latDeg;
    std::optional<double> finest;
    std::vector<const DemRaster*> met;
    const std::optional<LatLonBox> bounds = path.bounds();
    const auto probes = static_cast<long>(std::ceil(lengthM / kProbeStepM));
    for (long i = 0; i <= probes; ++i) {
        const Site at = path.at(std::min(static_cast<double>(i) * kProbeStepM, lengthM) / kMetresPerKm);
        const DemRaster* raster = dems.rasterAt(at.latDeg, at.lonDeg);
        if (raster == nullptr || std::find(met.begin(), met.end(), raster) != met.end()) continue;
        met.push_back(raster);
        const double spacing = raster->postSpacingM(midLatDeg);
        if (!finest || spacing < *finest) finest = spacing;
        // No later probe can meet a finer raster than the first when every
        // raster the path can meet is spaced alike, as tiles of one kind are.
        if (met.size() == 1 && bounds && dems.dems().spacedAs(*raster, *bounds)) break;
    }
    const double spacing = finest ? *finest : meridianMetres(midLatDeg, kFallbackSpacingDeg);
    return std::max(kMinStepM, std::floor(spacing));
}

void checkPointCount(double lengthM, double stepM) {
    const std::size_t points = pointsFor(lengthM, stepM);
    if (points <= profile::kMaxProfilePoints) return;
    const double smallest = std::ceil(lengthM / static_cast<double>(profile::kMaxProfilePoints - 1));
    throw TerrainError("a step of " + plain(stepM) + " m needs " + std::to_string(points) + " points on this " +
                       fixed(lengthM / kMetresPerKm, 3) + " km path (allowed: at most " +
                       std::to_string(profile::kMaxProfilePoints) + " points; the smallest step for this path is " +
                       plain(smallest) + " m)");
}

void note(GapReport& report, double distanceKm, double latDeg, double lonDeg) {
    if (!report.first) report.first = GapPoint{distanceKm, latDeg, lonDeg};
    ++report.count;
}

// Linear along the path between the nearest valid points on either side.
void fillVoids(PathProfile& profile, const std::vector<bool>& isVoid) {
    const std::size_t n = isVoid.size();
    for (std::size_t i = 0; i < n;) {
        if (!isVoid[i]) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < n && isVoid[end]) ++end;
        if (i == 0 || end == n) {
            const std::size_t at = i == 0 ? end - 1 : i;
            throw TerrainError("elevation void at " +
                               pointName(profile.distanceKm[at], profile.latDeg[at], profile.lonDeg[at]) +
                               " reaches the end of the path: no valid point toward site " + (i == 0 ? "1" : "2") +
                               " to fill it from",
                               TerrainError::Kind::Gap);
        }
        const double d0 = profile.distanceKm[i - 1], h0 = profile.heightM[i - 1];
        const double d1 = profile.distanceKm[end], h1 = profile.heightM[end];
        for (std::size_t k = i; k < end; ++k) {
            profile.heightM[k] = h0 + (h1 - h0) * (profile.distanceKm[k] - d0) / (d1 - d0);
            note(profile.voids, profile.distanceKm[k], profile.latDeg[k], profile.lonDeg[k]);
        }
        i = end;
    }
}

}  // namespace

PathProfile computeProfile(const DemSet& dems, Site from, Site to, const ProfileOptions& options) {
    DemSampler sampler(dems);
    return computeProfile(sampler, from, to, options);
}

PathProfile computeProfile(DemSampler& dems, Site from, Site to, const ProfileOptions& options) {
    PathProfile profile;
    computeProfile(dems, GeodesicPath(from, to), options, profile);
    return profile;
}

void computeProfile(DemSampler& dems, const GeodesicPath& path, const ProfileOptions& options, PathProfile& profile) {
    const Site from = path.from(), to = path.to();
    const double lengthM = path.lengthKm() * kMetresPerKm;
    if (path.lengthKm() < kMinPathKm || path.lengthKm() > kMaxPathKm)
        throw TerrainError("the path is " + fixed(path.lengthKm(), 3) + " km long (allowed: " + plain(kMinPathKm) +
                           " to " + plain(kMaxPathKm) + " km)");
    if (options.stepM && !(*options.stepM >= kMinStepM && *options.stepM <= kMaxStepM))
        throw TerrainError("step " + plain(*options.stepM) + " m (allowed: " + plain(kMinStepM) + " to " +
                           plain(kMaxStepM) + " m)");
    if (options.stepM) checkPointCount(lengthM, *options.stepM);
    const double stepM = options.stepM ? *options.stepM : defaultStepM(dems, path);
    if (!options.stepM) checkPointCount(lengthM, stepM);

    for (auto* column : {&profile.distanceKm, &profile.heightM, &profile.latDeg, &profile.lonDeg}) column->clear();
    profile.demFilesUsed.clear();
    profile.sea = {};
    profile.voids = {};
    profile.lengthKm = path.lengthKm();
    profile.azimuth1Deg = path.azimuth1Deg();
    profile.azimuth2Deg = path.azimuth2Deg();
    profile.stepM = stepM;
    const std::size_t count = pointsFor(lengthM, stepM);
    for (auto* column : {&profile.distanceKm, &profile.heightM, &profile.latDeg, &profile.lonDeg})
        column->reserve(count);

    std::vector<bool> isVoid(options.fillVoids ? count : 0, false);
    std::vector<const DemRaster*> used;
    const DemRaster* lastUsed = nullptr;  // consecutive points mostly share a raster
    for (std::size_t i = 0; i < count; ++i) {
        const bool last = i + 1 == count;
        const double distanceKm = last ? path.lengthKm() : static_cast<double>(i) * stepM / kMetresPerKm;
        const Site at = i == 0 ? from : last ? to : path.at(distanceKm);
        const Elevation elevation = dems.heightAt(at.latDeg, at.lonDeg);
        double heightM = elevation.heightM;
        switch (elevation.status) {
            case Elevation::Status::Ok:
                if (elevation.raster != lastUsed &&
                    std::find(used.begin(), used.end(), elevation.raster) == used.end()) {
                    used.push_back(elevation.raster);
                    profile.demFilesUsed.push_back(elevation.raster->name());
                }
                lastUsed = elevation.raster;
                break;
            case Elevation::Status::Invalid:
                throw TerrainError("DEM " + printablePath(elevation.raster->name()) + ": height " +
                                   shortNumber(elevation.heightM) + " m near " +
                                   pointName(distanceKm, at.latDeg, at.lonDeg) + " (allowed: " +
                                   plain(kLowestGroundM) + " to " + plain(kHighestGroundM) +
                                   " m, the heights of the ground)");
            case Elevation::Status::Void:
                if (!options.fillVoids)
                    throw TerrainError("elevation void in " + printablePath(elevation.raster->name()) + " at " +
                                       pointName(distanceKm, at.latDeg, at.lonDeg) +
                                       " (voids may be filled along the path)",
                                       TerrainError::Kind::Gap);
                isVoid[i] = true;
                break;
            case Elevation::Status::Missing:
                if (!options.seaWhereMissing)
                    throw TerrainError("no elevation data at " + pointName(distanceKm, at.latDeg, at.lonDeg) +
                                       (elevation.missing.empty() ? ": no DEM covers it" : ": " + elevation.missing) +
                                       " (points no DEM covers may be taken as sea)",
                                       TerrainError::Kind::Gap);
                heightM = 0;
                note(profile.sea, distanceKm, at.latDeg, at.lonDeg);
                break;
        }
        profile.distanceKm.push_back(distanceKm);
        profile.heightM.push_back(heightM);
        profile.latDeg.push_back(at.latDeg);
        profile.lonDeg.push_back(at.lonDeg);
    }
    if (options.fillVoids) fillVoids(profile, isVoid);
}

}  // namespace tropolink::terrain
