#include "coverage/p2001_method.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "coverage/metadata_text.h"
#include "p2001/input_check.h"
#include "p2001/profile_zones.h"
#include "p2001/rows.h"

namespace tropolink::coverage {

p2001::PathInput p2001PathInput(const CellPath& path, const P2001Settings& settings) {
    const terrain::PathProfile& profile = path.profile;
    p2001::PathInput input;
    input.distanceKm = profile.distanceKm;
    input.heightM = profile.heightM;
    input.zone = p2001::profileZones(profile.distanceKm, profile.heightM);
    input.tx = {path.site1.lonDeg, path.site1.latDeg, settings.mast1M, settings.gain1Dbi};
    input.rx = {path.site2.lonDeg, path.site2.latDeg, settings.mast2M, settings.gain2Dbi};
    input.polarisation = settings.polarisation;
    return input;
}

P2001Method::P2001Method(P2001Settings settings, P2001Maps maps)
    : settings_(std::move(settings)), maps_(std::move(maps)), frequencyGhz_(settings_.frequencyMhz / 1000) {
    p2001::checkFrequency(frequencyGhz_);
    for (const double p : settings_.percents) p2001::checkPercent(p);
    // The method checks the masts with every path; refused here, they would refuse every path.
    for (const auto& [name, mastM] : {std::pair{"transmitter", settings_.mast1M}, std::pair{"receiver", settings_.mast2M}})
        if (!(mastM > 0 && mastM < HUGE_VAL))
            throw p2001::InputError(std::string(name) + " antenna height",
                                    std::string(name) + " antenna height must be above 0 m (above ground); got " +
                                        metadataNumber(mastM));
}

void P2001Method::losses(const CellPath& path, std::span<std::optional<double>> lossDb) const {
    std::fill(lossDb.begin(), lossDb.end(), std::nullopt);
    try {
        p2001::PathInput input = p2001PathInput(path, settings_);
        const p2001::MapValues maps = p2001::mapValues(input, maps_.read);
        const p2001::PreparedPath prepared = p2001::preparePath(std::move(input), maps);
        std::vector<p2001::Row> rows(settings_.percents.size());
        p2001::fillRows(prepared, {&frequencyGhz_, 1}, settings_.percents, rows);
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].status == p2001::RowStatus::Computed) lossDb[i] = rows[i].lb;
    } catch (const p2001::InputError&) {
        // The path lies outside the method's domain: no figure.
    }
}

std::vector<MetadataItem> P2001Method::metadata() const {
    return {{"METHOD", name()},
            {"FREQUENCY_MHZ", metadataNumber(settings_.frequencyMhz)},
            {"PERCENTAGES", metadataNumbers(settings_.percents)},
            {"S1_MAST_M", metadataNumber(settings_.mast1M)},
            {"S2_MAST_M", metadataNumber(settings_.mast2M)},
            {"S1_GAIN_DBI", metadataNumber(settings_.gain1Dbi)},
            {"S2_GAIN_DBI", metadataNumber(settings_.gain2Dbi)},
            {"POLARISATION", settings_.polarisation == p2001::Polarisation::Vertical ? "vertical" : "horizontal"},
            {"MAPS", maps_.source}};
}

}  // namespace tropolink::coverage
