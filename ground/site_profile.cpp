#include "ground/site_profile.h"

#include <algorithm>
#include <cmath>

#include "grammar/number_text.h"
#include "profile/rays.h"
#include "terrain/dem_set.h"
#include "terrain/geodesic_path.h"

namespace tropolink {
namespace {

// A file's length may differ from the geodesic's by this share of it.
constexpr double kLengthTolerance = 0.01;

std::string kmText(double km) {
    std::string text;
    appendFixed(text, km, 3);
    return text + " km";
}

}  // namespace

PlacedProfile profileFromDems(std::span<const std::string> dems, terrain::Site site1, terrain::Site site2,
                              const terrain::ProfileOptions& options) {
    terrain::DemSet set(dems);
    PlacedProfile placed;
    placed.path = terrain::computeProfile(set, site1, site2, options);
    placed.fromDem = true;
    placed.site1 = site1;
    placed.site2 = site2;
    placed.points.reserve(placed.path.distanceKm.size());
    for (std::size_t i = 0; i < placed.path.distanceKm.size(); ++i)
        placed.points.push_back(
            {placed.path.distanceKm[i], placed.path.heightM[i], kFirstPointRow + static_cast<long>(i)});
    return placed;
}

PlacedProfile placeProfile(std::vector<profile::ProfilePoint> points, terrain::Site site1, terrain::Site site2) {
    const terrain::GeodesicPath path(site1, site2);
    const profile::ProfilePoint& last = points.back();
    if (std::abs(last.distanceKm - path.lengthKm()) > kLengthTolerance * path.lengthKm())
        throw profile::ProfileError(last.row, "",
                                    "the profile is " + kmText(last.distanceKm) + " long, the path between the sites " +
                                        kmText(path.lengthKm()),
                                    "a last distance within 1 % of the sites' distance");
    PlacedProfile placed;
    placed.site1 = site1;
    placed.site2 = site2;
    placed.path.lengthKm = path.lengthKm();
    placed.path.azimuth1Deg = path.azimuth1Deg();
    placed.path.azimuth2Deg = path.azimuth2Deg();
    for (const profile::ProfilePoint& p : points) {
        const terrain::Site at = path.at(p.distanceKm);
        placed.path.distanceKm.push_back(p.distanceKm);
        placed.path.heightM.push_back(p.heightM);
        placed.path.latDeg.push_back(at.latDeg);
        placed.path.lonDeg.push_back(at.lonDeg);
    }
    placed.points = std::move(points);
    return placed;
}

std::string profileCsv(std::span<const profile::ProfilePoint> points) {
    std::string text(kProfileCsvHeader);
    text += '\n';
    for (const profile::ProfilePoint& p : points) {
        appendShortest(text, p.distanceKm);
        text += ',';
        appendShortest(text, p.heightM);
        text += '\n';
    }
    return text;
}

PathPlaces pathPlaces(const PlacedProfile& placed, const profile::ProfileSettings& settings) {
    const terrain::GeodesicPath path(placed.site1, placed.site2);
    const auto place = [&](double distanceKm) {
        return PathPlace{distanceKm, path.at(distanceKm), profile::groundHeightAtM(placed.points, distanceKm)};
    };
    PathPlaces places;
    places.horizon1 = place(placed.points[settings.station1.horizon.index].distanceKm);
    places.horizon2 = place(placed.points[settings.station2.horizon.index].distanceKm);
    places.horizon1Near = settings.station1.horizon.distanceKm < kNearHorizonKm;
    places.horizon2Near = settings.station2.horizon.distanceKm < kNearHorizonKm;
    if (const auto crossing = profile::horizonRaysCrossing(settings)) places.commonVolume = place(crossing->distanceKm);
    return places;
}

std::vector<terrain::MapFeature> pathFeatures(const PlacedProfile& placed, const PathPlaces& places) {
    const auto mapPoint = [](const PathPlace& p) { return terrain::MapPoint{p.site, p.groundM}; };
    std::vector<terrain::MapFeature> features =
        terrain::linkFeatures(placed.path, mapPoint(places.horizon1), mapPoint(places.horizon2),
                              mapPoint(places.commonVolume.value_or(places.horizon1)));
    if (!places.commonVolume) features.pop_back();
    return features;
}

}  // namespace tropolink
