#pragma once

#include <string>
#include <vector>

#include "coverage/path_method.h"
#include "itur/availability.h"
#include "link/site_climate.h"

// P.617, or P.2001's troposcatter-only method, over one path of the map, as
// `profile --from --to --dem --availability` computes them: the ITU earth's
// horizons of the profile on the radius from ΔN, the common volume where
// their rays cross, N0, ΔN and the climate zone from the maps (or the
// options, or the defaults), then the method's L(p).
namespace tropolink::coverage {

struct TroposcatterSettings {
    itur::ItuMethod method = itur::ItuMethod::P617;
    double frequencyMhz = 0;
    std::vector<double> percents{};
    double mast1M = 0;  // above the ground at each end
    double mast2M = 0;
    double gain1Dbi = 0;
    double gain2Dbi = 0;
    ClimateRequest climate{};  // what the user gave, which wins over the maps, and the defaults
};

class TroposcatterMethod : public PathMethod {
public:
    // `maps` stay as they are while the method runs; none: the options and
    // defaults. Throws InputError for a percentage outside 0 to 100.
    TroposcatterMethod(TroposcatterSettings settings, MapsInUse maps);

    std::string name() const override;  // "p617", "p2001-troposcatter"
    itur::ItuMethod ituMethod() const override { return settings_.method; }
    const std::vector<double>& percents() const override { return settings_.percents; }
    void losses(const CellPath& path, std::span<std::optional<double>> lossDb) const override;
    std::vector<MetadataItem> metadata() const override;

    // The ITU-R link of one path, as the profile command builds it.
    itur::ItuLink pathLink(const CellPath& path) const;

private:
    TroposcatterSettings settings_;
    MapsInUse maps_;
};

}  // namespace tropolink::coverage
