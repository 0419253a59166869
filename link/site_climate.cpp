#include "link/site_climate.h"

#include <algorithm>
#include <cmath>

#include "climate/zones.h"
#include "grammar/number_text.h"
#include "engine/slider.h"
#include "itur/scatter_geometry.h"
#include "profile/itu_horizon.h"
#include "profile/rays.h"
#include "terrain/geodesic_path.h"

namespace tropolink {
namespace {

climate::GeoPoint geo(terrain::Site s) { return {s.latDeg, s.lonDeg}; }

ClimateValue fromMap(const climate::MapSet& maps, climate::MapKind kind, std::string where, terrain::Site at) {
    return {maps.at(kind, geo(at)), ClimateSource::Map, std::move(where), at, maps.file(kind)};
}

// The distance from station 1 of the point under the crossing of the two
// horizon rays, as P.617 places the common volume: r along station 1's ray.
double commonVolumeDistanceKm(double distanceKm, double aeKm, double thetaTMrad, double thetaRMrad,
                              double antenna1M, double antenna2M) {
    const double theta = 1000 * distanceKm / aeKm + thetaTMrad + thetaRMrad;
    const double beta = distanceKm / (2 * aeKm) + thetaRMrad / 1000 + (antenna2M - antenna1M) / (1000 * distanceKm);
    const double r = distanceKm * std::sin(beta) / std::sin(theta / 1000);
    return std::clamp(r * std::cos(thetaTMrad / 1000), 0.0, distanceKm);
}

}  // namespace

std::string_view climateSourceName(ClimateSource source) {
    switch (source) {
        case ClimateSource::Map:
            return "map";
        case ClimateSource::Option:
            return "option";
        case ClimateSource::Default:
            break;
    }
    return "default";
}

SiteClimate siteClimate(const PlacedProfile& placed, const profile::ProfileSettings& settings,
                        const ClimateRequest& request, const MapsInUse& maps) {
    const terrain::GeodesicPath path(placed.site1, placed.site2);
    const double distanceKm = placed.points.back().distanceKm;
    SiteClimate c;
    c.midpoint = path.at(path.lengthKm() / 2);
    if (maps) c.mapsFolder = maps->folder();

    if (request.deltaN)
        c.deltaNRadius = {*request.deltaN, ClimateSource::Option};
    else if (maps)
        c.deltaNRadius = fromMap(*maps, climate::MapKind::DeltaN, "midpoint", c.midpoint);
    else
        c.deltaNRadius = {request.defaultDeltaN, ClimateSource::Default};
    c.effectiveEarthRadiusKm = itur::effectiveEarthRadiusKm(c.deltaNRadius.value);

    const double antenna1M = settings.station1.antennaHeightM;
    const double antenna2M = settings.station2.antennaHeightM;
    c.horizon1 = profile::ituHorizon(placed.points, profile::Station::One, antenna1M, c.effectiveEarthRadiusKm);
    c.horizon2 = profile::ituHorizon(placed.points, profile::Station::Two, antenna2M, c.effectiveEarthRadiusKm);
    const double theta = 1000 * distanceKm / c.effectiveEarthRadiusKm + c.horizon1.angleMrad + c.horizon2.angleMrad;
    c.lineOfSight = theta <= 0;

    terrain::Site at = c.midpoint;
    std::string where = "midpoint";
    if (!c.lineOfSight) {
        const double d = commonVolumeDistanceKm(distanceKm, c.effectiveEarthRadiusKm, c.horizon1.angleMrad,
                                                c.horizon2.angleMrad, antenna1M, antenna2M);
        c.commonVolume = PathPlace{d, path.at(d), profile::groundHeightAtM(placed.points, d)};
        at = c.commonVolume->site;
        where = "common volume";
    }

    if (request.n0)
        c.n0 = {*request.n0, ClimateSource::Option};
    else if (maps)
        c.n0 = fromMap(*maps, climate::MapKind::N0, where, at);
    else
        c.n0 = {request.defaultN0, ClimateSource::Default};

    if (request.deltaN)
        c.deltaN = {*request.deltaN, ClimateSource::Option};
    else if (maps)
        c.deltaN = fromMap(*maps, climate::MapKind::DeltaN, where, at);
    else
        c.deltaN = {request.defaultDeltaN, ClimateSource::Default};

    if (request.climateZone) {
        c.climateZone = {static_cast<double>(*request.climateZone), ClimateSource::Option};
    } else if (maps) {
        const int code = climate::zoneForCommonVolume(*maps, geo(at), geo(placed.site1), geo(placed.site2));
        c.zoneCode = code;
        c.climateZone = {static_cast<double>(climate::climateZoneOption(code)), ClimateSource::Map, where, at,
                         maps->file(climate::MapKind::Zone)};
    } else {
        c.climateZone = {static_cast<double>(request.defaultClimateZone), ClimateSource::Default};
    }

    // A map may hold what --delta-n refuses; the value is used, but said to be unusual.
    for (const ClimateValue* v : {&c.deltaNRadius, &c.deltaN})
        if (v->source == ClimateSource::Map && (v->value < kMinMapDeltaN || v->value > kMaxMapDeltaN) &&
            c.deltaNNote.empty())
            c.deltaNNote = "delta-N " + fixedText(v->value, 3) + " N-units/km from " + v->file.filename().string() +
                           " at the " + v->where + " is outside 20 to 80, the range of --delta-n; it is used as it is";

    if (c.n0.source != ClimateSource::Default && !request.surfaceRefractivitySet) {
        const SliderSpec& slider = kSliders[static_cast<std::size_t>(sliderIndex(Slider::HScroll23))];
        const double rounded = std::round(c.n0.value);
        const double held = std::clamp(rounded, static_cast<double>(slider.minimum), static_cast<double>(slider.maximum));
        c.surfaceRefractivityPosition = static_cast<int>(held);
        if (held != rounded)
            c.surfaceRefractivityNote = "N0 " + std::to_string(static_cast<long long>(rounded)) +
                                        " is outside the calculator's slider; it shows " +
                                        std::to_string(static_cast<long long>(held));
    }
    return c;
}

}  // namespace tropolink
