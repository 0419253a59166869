#include "link/p2001_all.h"

#include <cmath>
#include <utility>

#include "grammar/number_text.h"
#include "p2001/input_check.h"
#include "p2001/profile_zones.h"
#include "p2001/rows.h"

namespace tropolink {

std::string derivedZonesNote(double seaFraction) {
    return "zones derived from the heights: sea where the ground is at 0 m or below, coastal land up to " +
           fixedText(p2001::kCoastalLandMaxHeightM, 0) + " m within " +
           fixedText(p2001::kCoastalLandMaxSeaDistanceKm, 0) + " km of sea along the path, inland elsewhere; " +
           fixedText(100 * seaFraction, 1) +
           " % of the path over sea. Land below sea level (polders, the Dead Sea) counts as sea under this rule; a "
           "zone column in the profile overrides it";
}

std::string_view mapSiteName(p2001::MapSite site) {
    switch (site) {
        case p2001::MapSite::MidPoint:
            return "the path's mid-point";
        case p2001::MapSite::Tx:
            return "station 1";
        case p2001::MapSite::Rx:
            return "station 2";
        case p2001::MapSite::Quarter:
            return "a quarter of the path";
        case p2001::MapSite::ThreeQuarter:
            return "three quarters of the path";
        case p2001::MapSite::TxSegmentMid:
            return "half-way from station 1 to the common volume";
        case p2001::MapSite::RxSegmentMid:
            return "half-way from station 2 to the common volume";
        case p2001::MapSite::CommonVolume:
            return "the common volume";
    }
    return "";
}

p2001::PathInput p2001AllInput(std::span<const profile::ProfilePoint> points, std::span<const int> zones,
                               const terrain::Site& site1, const terrain::Site& site2,
                               const P2001AllSettings& settings) {
    p2001::PathInput input;
    for (const profile::ProfilePoint& p : points) {
        input.distanceKm.push_back(p.distanceKm);
        input.heightM.push_back(p.heightM);
    }
    input.zone.assign(zones.begin(), zones.end());
    input.tx = {site1.lonDeg, site1.latDeg, settings.mast1M, settings.gain1Dbi};
    input.rx = {site2.lonDeg, site2.latDeg, settings.mast2M, settings.gain2Dbi};
    input.polarisation = settings.polarisation;
    return input;
}

std::vector<P2001MapValue> readP2001MapValues(const p2001::PathInput& input, const P2001MapValueReader& read) {
    const p2001::GeoPoint mid = p2001::pathMidPoint(input);
    const double dnMedian = read(p2001::MapFile::DnMedian, mid);
    std::vector<P2001MapValue> values;
    for (const p2001::MapLookup& lookup : p2001::mapLookups(input, dnMedian))
        values.push_back({lookup.file, lookup.site, lookup.at, read(lookup.file, lookup.at)});
    return values;
}

p2001::MapValues collectMapValues(std::span<const P2001MapValue> values) {
    p2001::MapValues maps;
    for (const P2001MapValue& v : values) p2001::assignMapValue(maps, {v.file, v.site, v.at}, v.value);
    return maps;
}

void checkP2001AllSettings(const P2001AllSettings& settings) {
    for (const double f : settings.frequencyMhz) p2001::checkFrequency(f / 1000);
    for (const double p : settings.percents) p2001::checkPercent(p);
}

std::vector<p2001::Row> p2001AllRows(const p2001::PreparedPath& path, const P2001AllSettings& settings) {
    std::vector<double> fGhz;
    for (const double f : settings.frequencyMhz) fGhz.push_back(f / 1000);
    std::vector<p2001::Row> rows(p2001::rowCount(fGhz, settings.percents));
    p2001::fillRows(path, fGhz, settings.percents, rows);
    return rows;
}

std::vector<p2001::Note> p2001AllNotes(const p2001::PreparedPath& path, std::span<const p2001::Row> rows) {
    unsigned all = path.notes;
    for (const p2001::Row& row : rows) all |= row.notes;
    std::vector<p2001::Note> notes;
    for (unsigned bit = 1; bit != 0 && bit <= all; bit <<= 1)
        if ((all & bit) != 0) notes.push_back(static_cast<p2001::Note>(bit));
    return notes;
}

}  // namespace tropolink
