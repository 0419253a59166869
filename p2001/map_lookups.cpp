#include "p2001/map_lookups.h"

#include <array>
#include <cmath>

#include "p2001/input_check.h"
#include "p2001/path_geometry.h"

namespace tropolink::p2001 {
namespace {

constexpr std::array<std::string_view, 14> kFileNames{
    "DN_Median.txt", "DN_SupSlope.txt",    "DN_SubSlope.txt",   "dndz_01.txt",         "surfwv_50_fixed.txt",
    "h0.txt",        "Esarain_Pr6_v5.txt", "Esarain_Mt_v5.txt", "Esarain_Beta_v5.txt", "FoEs0.1.txt",
    "FoEs01.txt",    "FoEs10.txt",         "FoEs50.txt",        "TropoClim.txt",
};

constexpr std::array<MapFile, 4> kRainFiles{MapFile::RainPr6, MapFile::RainMt, MapFile::RainBeta,
                                            MapFile::ZeroDegreeHeight};
constexpr std::array<MapFile, 4> kFoEsFiles{MapFile::FoEs01, MapFile::FoEs1, MapFile::FoEs10, MapFile::FoEs50};

GeoPoint wrapped(GeoPoint p) { return {wrapLongitude(p.lonDeg), p.latDeg}; }

FoEsMapValues& foEsAt(MapValues& m, MapSite site) {
    if (site == MapSite::Quarter) return m.foEsQuarter;
    if (site == MapSite::ThreeQuarter) return m.foEsThreeQuarter;
    return m.foEsMid;
}

RainMapValues& rainAt(MapValues& m, MapSite site) {
    if (site == MapSite::TxSegmentMid) return m.rainTxSegment;
    if (site == MapSite::RxSegmentMid) return m.rainRxSegment;
    return m.rainMid;
}

}  // namespace

std::string_view mapFileName(MapFile file) { return kFileNames[static_cast<std::size_t>(file)]; }

GeoPoint pathMidPoint(const PathInput& path) {
    checkPath(path);
    const GreatCircle circle = greatCircle({path.tx.lonDeg, path.tx.latDeg}, {path.rx.lonDeg, path.rx.latDeg});
    return wrapped(pointAlong(circle, 0.5 * path.distanceKm.back()));
}

std::vector<MapLookup> mapLookups(const PathInput& path, double dnMedian) {
    checkPath(path);
    checkMedianGradient(dnMedian);
    const PathGeometry g = pathGeometry(path, dnMedian);
    const GeoPoint mid = wrapped(g.mid);
    const GeoPoint tx{path.tx.lonDeg, path.tx.latDeg};
    const GeoPoint rx{path.rx.lonDeg, path.rx.latDeg};
    std::vector<MapLookup> l;
    for (const MapFile f :
         {MapFile::DnMedian, MapFile::DnSupSlope, MapFile::DnSubSlope, MapFile::Dndz01, MapFile::SurfaceWaterVapour}) {
        l.push_back({f, MapSite::MidPoint, mid});
    }
    l.push_back({MapFile::SurfaceWaterVapour, MapSite::Tx, tx});
    l.push_back({MapFile::SurfaceWaterVapour, MapSite::Rx, rx});
    for (const auto& [site, at] : {std::pair{MapSite::MidPoint, mid}, std::pair{MapSite::Quarter, wrapped(g.quarter)},
                                   std::pair{MapSite::ThreeQuarter, wrapped(g.threeQuarter)}}) {
        for (const MapFile f : kFoEsFiles) l.push_back({f, site, at});
    }
    for (const auto& [site, at] :
         {std::pair{MapSite::MidPoint, mid}, std::pair{MapSite::TxSegmentMid, wrapped(g.volume.txSegmentMid)},
          std::pair{MapSite::RxSegmentMid, wrapped(g.volume.rxSegmentMid)}}) {
        for (const MapFile f : kRainFiles) l.push_back({f, site, at});
    }
    // TropoClim's own look-up holds longitudes beyond ±179.75 at its end columns.
    l.push_back({MapFile::TropoClim, MapSite::CommonVolume, wrapped(g.volume.at)});
    l.push_back({MapFile::TropoClim, MapSite::Tx, tx});
    l.push_back({MapFile::TropoClim, MapSite::Rx, rx});
    return l;
}

void assignMapValue(MapValues& m, const MapLookup& lookup, double v) {
    switch (lookup.file) {
        case MapFile::DnMedian:
            m.dnMedian = v;
            return;
        case MapFile::DnSupSlope:
            m.dnSupSlope = v;
            return;
        case MapFile::DnSubSlope:
            m.dnSubSlope = v;
            return;
        case MapFile::Dndz01:
            m.dndz01 = v;
            return;
        case MapFile::SurfaceWaterVapour:
            (lookup.site == MapSite::Tx ? m.surfwvTx : lookup.site == MapSite::Rx ? m.surfwvRx : m.surfwvMid) = v;
            return;
        case MapFile::ZeroDegreeHeight:
            rainAt(m, lookup.site).h0Km = v;
            return;
        case MapFile::RainPr6:
            rainAt(m, lookup.site).pr6Percent = v;
            return;
        case MapFile::RainMt:
            rainAt(m, lookup.site).mtMm = v;
            return;
        case MapFile::RainBeta:
            rainAt(m, lookup.site).betaRain = v;
            return;
        case MapFile::FoEs01:
        case MapFile::FoEs1:
        case MapFile::FoEs10:
        case MapFile::FoEs50:
            foEsAt(m, lookup.site)[static_cast<std::size_t>(lookup.file) - static_cast<std::size_t>(MapFile::FoEs01)] =
                v;
            return;
        case MapFile::TropoClim: {
            const int zone = static_cast<int>(std::lround(v));
            (lookup.site == MapSite::Tx   ? m.tropoClimTx
             : lookup.site == MapSite::Rx ? m.tropoClimRx
                                          : m.tropoClimCommonVolume) = zone;
            return;
        }
    }
}

MapValues mapValues(const PathInput& path, const MapReader& read) {
    const double dnMedian = read(MapFile::DnMedian, pathMidPoint(path));
    MapValues maps;
    for (const MapLookup& lookup : mapLookups(path, dnMedian)) assignMapValue(maps, lookup, read(lookup.file, lookup.at));
    return maps;
}

}  // namespace tropolink::p2001
