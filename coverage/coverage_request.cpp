#include "coverage/coverage_request.h"

#include <stdexcept>

#include "coverage/coverage_grid.h"
#include "grammar/input_error.h"
#include "grammar/settings.h"
#include "climate/maps_service.h"
#include "link/p2001_maps.h"

namespace tropolink::coverage {
namespace {

void requireOption(const NumberOption& option, double value) {
    requireInRange(option, value, std::stod(std::string(option.minimum)), std::stod(std::string(option.maximum)));
}

}  // namespace

CoverageMaps findCoverageMaps(MethodChoice method, const std::optional<std::filesystem::path>& mapsOption) {
    climate::MapsService& service = climate::MapsService::shared();
    CoverageMaps maps;
    if (method == MethodChoice::P2001All) {
        std::shared_ptr<const climate::MapSet> set = requireP2001Maps(mapsOption, service);
        const std::string folder = set->folder().string();
        maps.p2001 = P2001Maps{p2001MapReader(std::move(set)), folder};
    } else {
        maps.climate = service.find(climate::MapSetId::Climate, mapsOption);
    }
    return maps;
}

PreparedCoverage prepareCoverage(const CoverageRequest& r, CoverageMaps maps) {
    PreparedCoverage prepared;
    CoverageSetup& setup = prepared.setup;
    setup.grid = makeGrid(r.grid);
    setup.sector = r.sector;
    setup.quantity = r.quantity;
    if (r.sector) {
        requireInRange(kSectorAzimuthOption, r.sector->azimuthDeg, 0, 360);
        requireInRange(kSectorWidthOption, r.sector->widthDeg, 0, 360);
        if (r.sector->widthDeg == 0) requireInRange(kSectorWidthOption, 0, 1, 0);
    }
    if (r.profile.stepM) requireOption(kStepOption, *r.profile.stepM);
    setup.profile = r.profile;
    requireOption(kFrequencyOption, r.frequencyMhz);
    requireOption(kMast1Option, r.mast1M);
    requireOption(kMast2Option, r.mast2M);
    requireOption(kGain1Option, r.gain1Dbi);
    requireOption(kGain2Option, r.gain2Dbi);
    if (r.percents.empty()) throw InputError(kPercentOption.name, "not given", allowedValues(kPercentOption));
    for (const double p : r.percents) requireInRange(kPercentOption, p, 0, 100);
    if (r.dems.empty()) throw InputError("--dem", "not given", "a DEM file or a folder of SRTM tiles");

    if (r.method == MethodChoice::P2001All) {
        if (!maps.p2001) throw std::invalid_argument("prepareCoverage: p2001-all without its maps");
        prepared.method = std::make_unique<P2001Method>(
            P2001Settings{r.frequencyMhz, r.percents, r.mast1M, r.mast2M, r.gain1Dbi, r.gain2Dbi, r.polarisation},
            std::move(*maps.p2001));
    } else {
        TroposcatterSettings settings{.method = r.method == MethodChoice::P617 ? itur::ItuMethod::P617
                                                                               : itur::ItuMethod::P2001,
                                      .frequencyMhz = r.frequencyMhz,
                                      .percents = r.percents,
                                      .mast1M = r.mast1M,
                                      .mast2M = r.mast2M,
                                      .gain1Dbi = r.gain1Dbi,
                                      .gain2Dbi = r.gain2Dbi};
        if (r.climate) {
            settings.climate = *r.climate;
        } else {
            // Where no map gives N0, the surface refractivity slider's start, as `profile` takes it.
            settings.climate.defaultN0 =
                SettingsBuilder(false).settings().positions[static_cast<std::size_t>(sliderIndex(Slider::HScroll23))];
        }
        prepared.method = std::make_unique<TroposcatterMethod>(settings, std::move(maps.climate));
    }
    setup.method = prepared.method.get();
    prepared.dems = std::make_unique<terrain::DemSet>(r.dems);
    setup.dems = prepared.dems.get();
    return prepared;
}

}  // namespace tropolink::coverage
